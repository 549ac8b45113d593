#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

namespace Ui {
class Form1;
}

// The configuration dialog: choose, test and save the catalogue's path. While it is loaded
// the main window is disabled; however it closes, it enables the main window again.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget* mainWindow);
    ~Form1() override;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Unload();
    // "Erro ao abrir os dados, verifique sua configuração", with the reason in its details.
    void showOpenFailed();

    std::unique_ptr<Ui::Form1> ui;
    QPointer<QWidget> m_mainWindow;
};
