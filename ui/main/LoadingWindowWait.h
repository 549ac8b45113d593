#pragma once

#include "catalogue/copy/ImportWait.h"

#include <functional>

class frmSai;

// Waits for a conversion of the catalogue as a desktop program must: the windows stay painted
// and their timers run, while what the user types or clicks is held until the end and requests
// to close a window are refused, as the window that started the conversion waits for its result.
// Once the conversion has lasted a moment, the loading window shows how far it has come.
// It is the catalogue's wait for as long as it exists.
class LoadingWindowWait : public ImportWait
{
public:
    // `loadingWindow` gives the loading window when it is to show.
    explicit LoadingWindowWait(std::function<frmSai*()> loadingWindow);
    ~LoadingWindowWait() override;
    LoadingWindowWait(const LoadingWindowWait&) = delete;
    LoadingWindowWait& operator=(const LoadingWindowWait&) = delete;

    void waitFor(AccessImportProcess& import, Until until) override;
    // Says so as a failed opening is told.
    void failedAfterOpening(const OpeningFailure& failure) override;
    void waitWhile(const std::function<bool()>& busy) override;

private:
    std::function<frmSai*()> m_loadingWindow;
};
