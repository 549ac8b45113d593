#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class Form2;
class LoadingWindowWait;
class QMdiArea;
class frmSai;

namespace Ui {
class MDIForm1;
}

// The main window: the frame that holds the search windows, with its three commands and the
// window menu.
class MDIForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit MDIForm1(QWidget* parent = nullptr);
    ~MDIForm1() override;

    QMdiArea* mdiArea() const;
    frmSai* loadingWindow();

    void MDIForm_Load();
    void Pesquisar_Click();
    void Configurar_Click();
    void Sair_Click();

signals:
    // A search window was opened by "Nova janela".
    void searchWindowOpened(Form2* window);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addWindowKeys();
    void arrangeSearchWindows(const std::function<void()>& arrange);
    void showSearchWindow(Form2* search);

    std::unique_ptr<Ui::MDIForm1> ui;
    QPointer<frmSai> m_loading;
    std::unique_ptr<LoadingWindowWait> m_conversionWait;
};
