#pragma once

class AccessImportProcess;

// How opening a catalogue waits for the conversion it has started. The catalogue has no windows:
// the windows' library installs a wait that keeps them painted and shows the progress meanwhile.
// Without one, the conversion is waited for with the thread held.
class ImportWait
{
public:
    virtual ~ImportWait() = default;
    // Returns once the started conversion has ended.
    virtual void waitFor(AccessImportProcess& import) = 0;

    // The wait in use from now on.
    static void install(ImportWait* wait);
    // Back to the plain wait, when this one is in use.
    static void remove(ImportWait* wait);
    static void waitForEnd(AccessImportProcess& import);
};
