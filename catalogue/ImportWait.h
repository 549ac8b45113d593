#pragma once

class AccessImportProcess;
struct OpeningFailure;

// How opening a catalogue waits for the conversion it has started. The catalogue has no windows:
// the windows' library installs a wait that keeps them painted and shows the progress meanwhile.
// Without one, the conversion is waited for with the thread held.
class ImportWait
{
public:
    enum class Until
    {
        End,          // the conversion has ended
        ListsWritten, // the import has written the opening's lists, or the conversion has ended
    };

    virtual ~ImportWait() = default;
    // Returns once the started conversion has come as far as `until` says.
    virtual void waitFor(AccessImportProcess& import, Until until) = 0;
    // A catalogue that opened on its lists lost its conversion afterwards: it is closed now, and
    // `failure` says why.
    virtual void failedAfterOpening(const OpeningFailure& failure) { (void)failure; }

    // The wait in use from now on.
    static void install(ImportWait* wait);
    // Back to the plain wait, when this one is in use.
    static void remove(ImportWait* wait);
    static void waitForEnd(AccessImportProcess& import);
    static void waitForLists(AccessImportProcess& import);
    static void reportFailedAfterOpening(const OpeningFailure& failure);
};
