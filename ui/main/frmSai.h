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
    // Hides the window once `next` stands painted on the screen, so that the program is
    // never without a window between the two.
    void hideOnceShown(QWidget* next);
    void tmrTimer_Timer();

    // A long conversion of the catalogue shows how far it has come under the notice, while
    // the event loop keeps the window painted; the window shows itself for it and, at the
    // end, hides again once another window of the program stands painted.
    void showProgress(int percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void handOver();
    void finishHandOver();
    void stopHandOver();
    bool anotherWindowShown() const;

    std::unique_ptr<Ui::frmSai> ui;
    QTimer* tmrTimer;
    QProgressBar* m_progress;
    QTimer* m_handOverLimit;
    bool m_shownForProgress = false;
    bool m_handingOver = false;
};
