#pragma once

#include <QWidget>

#include <memory>

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

    // Shows the window centred on the screen and paints it at once, before the work it
    // announces keeps the event loop busy.
    void showNow();
    void tmrTimer_Timer();

private:
    std::unique_ptr<Ui::frmSai> ui;
    QTimer* tmrTimer;
};
