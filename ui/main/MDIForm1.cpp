#include "MDIForm1.h"

#include "CascadeSearchWindows.h"
#include "CountSearchWindows.h"
#include "LoadingWindowWait.h"
#include "SearchWindowFrame.h"
#include "WindowMenu.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "frmSai.h"
#include "ui/config/Form1.h"
#include "ui/config/OpeningFailureDetails.h"
#include "ui/platform/LoadedForms.h"
#include "ui/platform/Pictures.h"
#include "ui/platform/Platform.h"
#include "ui/search/CatalogueCheck.h"
#include "ui/search/Form2.h"
#include "ui_MDIForm1.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>

MDIForm1::MDIForm1(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::MDIForm1>())
{
    ui->setupUi(this);
    setWindowIcon(Pictures::programIcon());
    connect(ui->Configurar, &QAction::triggered, this, &MDIForm1::Configurar_Click);
    connect(ui->Pesquisar, &QAction::triggered, this, &MDIForm1::Pesquisar_Click);
    connect(ui->Sair, &QAction::triggered, this, &MDIForm1::Sair_Click);
    connect(ui->mnuCascata, &QAction::triggered, this,
            [this] { arrangeSearchWindows([this] { CascadeSearchWindows(ui->mdiArea); }); });
    connect(ui->mnuLadoALado, &QAction::triggered, this,
            [this] { arrangeSearchWindows([this] { ui->mdiArea->tileSubWindows(); }); });
    new WindowMenu(ui->mnuJanela, ui->mdiArea);
    LoadedForms::add(this);
    // A catalogue converted while this window is loaded is waited for with the loading window.
    m_conversionWait = std::make_unique<LoadingWindowWait>([this] { return loadingWindow(); });
    addWindowKeys();
}

MDIForm1::~MDIForm1()
{
    m_conversionWait.reset();
    LoadedForms::remove(this);
    delete m_loading;
}

void MDIForm1::addWindowKeys()
{
    // The keys of multiple-document programs on every desktop, beside the desktop's own
    // (Ctrl+W, Ctrl+Tab). Ctrl+F4 closes through the window's close command, as its close box
    // does; where the desktop gives that command Ctrl+F4 already, a second would block both.
    const struct
    {
        QKeySequence key;
        void (QMdiArea::*command)();
    } keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_F4), &QMdiArea::closeActiveSubWindow},
                {QKeySequence(Qt::CTRL | Qt::Key_F6), &QMdiArea::activateNextSubWindow},
                {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6), &QMdiArea::activatePreviousSubWindow}};
    for (const auto& binding : keys) {
        if (QKeySequence::keyBindings(QKeySequence::Close).contains(binding.key))
            continue;
        auto* shortcut = new QShortcut(binding.key, this);
        connect(shortcut, &QShortcut::activated, ui->mdiArea, binding.command);
    }
}

// Arranging takes a maximised window out of that state, which hides it for a moment and so hands
// the keyboard's focus to the next control; the user goes on typing where they were.
void MDIForm1::arrangeSearchWindows(const std::function<void()>& arrange)
{
    // The window's own focus child: while the menu that asked is open, the menu has the focus.
    QMdiSubWindow* active = ui->mdiArea->activeSubWindow();
    const QPointer<QWidget> typing = active ? active->focusWidget() : nullptr;
    arrange();
    if (typing && typing->isVisible())
        typing->setFocus(Qt::OtherFocusReason);
}

QMdiArea* MDIForm1::mdiArea() const
{
    return ui->mdiArea;
}

frmSai* MDIForm1::loadingWindow()
{
    if (!m_loading) {
        m_loading = new frmSai;
        LoadedForms::add(m_loading);
    }
    return m_loading;
}

void MDIForm1::MDIForm_Load()
{
    // The first search window is built while the longest list is read beside it.
    std::unique_ptr<Form2> first;
    OpenCatalogue([&first] { first = std::make_unique<Form2>(); }, OpeningWait::UntilListsAreIn);
    if (first && Module1::Opened().DatabaseOpened) {
        showSearchWindow(first.release());
        return;
    }
    first.reset();
    Pesquisar_Click();
}

void MDIForm1::Pesquisar_Click()
{
    CatalogueCheck::current(this);
    if (!Module1::Opened().DatabaseOpened) {
        OpeningFailureDetails::showOpenFailed(this, Module1::Opened().Failure);
        return;
    }
    showSearchWindow(new Form2);
}

void MDIForm1::showSearchWindow(Form2* search)
{
    loadingWindow()->showNow();
    auto* frame = new SearchWindowFrame(search, ui->mdiArea);
    ui->mdiArea->addSubWindow(frame);
    frame->showMaximized();
    // A search window shows its frame with it (at start the frame has loaded, not shown).
    if (isHidden())
        showMaximized();
    loadingWindow()->hideOnceShown(this);
    emit searchWindowOpened(search);
}

void MDIForm1::Configurar_Click()
{
    if (CountSearchWindows() > 0) {
        Platform::messageBox(this,
                             QStringLiteral("Feche todas janelas de busca antes de abrir a configuração."),
                             PlatformBackend::Buttons::Ok, QStringLiteral("Aviso:"));
        return;
    }
    auto* dialog = new Form1(this);
    dialog->show();
    setEnabled(false);
}

void MDIForm1::Sair_Click()
{
    if (CountSearchWindows() > 0 &&
        Platform::messageBox(this, QStringLiteral("Existem pesquisas abertas, deseja relamente sair?"),
                             PlatformBackend::Buttons::YesNo,
                             QStringLiteral("Aviso:")) == PlatformBackend::Answer::No)
        return;
    Platform::endProgram();
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    // Closing the frame ends the program at once, without the question of "Sair".
    event->ignore();
    Platform::endProgram();
}
