#pragma once

#include <QWidget>

#include <memory>

class QProgressBar;
class QTimer;

namespace Ui {
class frmSai;
}

// The loading window: a small borderless notice shown while a search window fills its
// lists. Its timer lets waiting window events through while it is loaded.
class frmSai : public QWidget
{
    Q_OBJECT

public:
    explicit frmSai(QWidget* parent = nullptr);
    ~frmSai() override;

    // Shows the window centred on the screen and returns once it stands painted on the
    // screen, before the work it announces keeps the program busy.
    void showNow();
    void tmrTimer_Timer();

    // A long conversion of the catalogue shows how far it has come under the notice, while
    // the event loop keeps the window painted; the window shows itself for it and hides
    // again at the end if it was hidden before.
    void showProgress(int percent);

private:
    std::unique_ptr<Ui::frmSai> ui;
    QTimer* tmrTimer;
    QProgressBar* m_progress;
    bool m_shownForProgress = false;
};
