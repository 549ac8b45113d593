#pragma once

#include <functional>

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
    // A catalogue that opened on its lists lost its conversion afterwards: it has no open
    // connection and answers no query, and `failure` says which file and why.
    virtual void failedAfterOpening(const OpeningFailure& failure) { (void)failure; }
    // Returns once `busy` says false, asked again every few hundredths of a second: another
    // program's conversion of the same file, which this one waits for rather than repeat.
    virtual void waitWhile(const std::function<bool()>& busy);

    // The wait in use from now on.
    static void install(ImportWait* wait);
    // Back to the plain wait, when this one is in use.
    static void remove(ImportWait* wait);
    static void waitForEnd(AccessImportProcess& import);
    static void waitForLists(AccessImportProcess& import);
    static void waitWhileBusy(const std::function<bool()>& busy);
    static void reportFailedAfterOpening(const OpeningFailure& failure);

protected:
    static constexpr unsigned long kLookAgainMs = 50;

private:
    // The thread held, as without a wait installed.
    static void holdWhile(const std::function<bool()>& busy);
};
