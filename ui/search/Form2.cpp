#include "Form2.h"

#include "ComboLists.h"
#include "Showcase.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/platform/KeyCodes.h"
#include "ui/platform/LoadedForms.h"
#include "ui/platform/Pictures.h"
#include "ui_Form2.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

Form2::Form2(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Form2>()), tmrPaoComMortadela(new QTimer(this))
{
    ui->setupUi(this);
    setProperty("Tag", QStringLiteral("Busca"));
    setWindowIcon(Pictures::programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    tmrPaoComMortadela->setObjectName(QStringLiteral("tmrPaoComMortadela"));
    tmrPaoComMortadela->setInterval(1000);
    connectControls();
    setPointers();
    installKeyPreview();
    addKeyboardReach();
    LoadedForms::add(this);
    tmrPaoComMortadela->start();
}

Form2::~Form2()
{
    LoadedForms::remove(this);
}

void Form2::connectControls()
{
    connect(ui->comCompanies, &ComboBox::Click, this, &Form2::comCompanies_Click);
    connect(ui->comCompanies, &ComboBox::KeyPress, this, &Form2::comCompanies_KeyPress);
    connect(ui->comFamilies, &ComboBox::Click, this, &Form2::comFamilies_Click);
    connect(ui->comFamilies, &ComboBox::KeyPress, this, &Form2::comFamilies_KeyPress);
    connect(ui->comReferences, &ComboBox::Click, this, &Form2::comReferences_Click);
    connect(ui->comReferences, &ComboBox::KeyPress, this, &Form2::comReferences_KeyPress);
    connect(ui->CbxRef, &ComboBox::Click, this, &Form2::CbxRef_Click);
    connect(ui->CbxRef, &ComboBox::KeyDown, this, &Form2::CbxRef_KeyDown);
    connect(ui->CbxDesc, &ComboBox::Click, this, &Form2::CbxDesc_Click);
    connect(ui->CbxDesc, &ComboBox::KeyDown, this, &Form2::CbxDesc_KeyDown);
    connect(ui->ReferenciaNova, &QLineEdit::textChanged, this, &Form2::ReferenciaNova_Change);
    connect(ui->Composicao, &QTextEdit::textChanged, this, &Form2::Composicao_Change);
    connect(tmrPaoComMortadela, &QTimer::timeout, this, &Form2::tmrPaoComMortadela_Timer);
    for (QWidget* clickable : {static_cast<QWidget*>(ui->Picture1), static_cast<QWidget*>(ui->Frame1),
                               static_cast<QWidget*>(ui->BtnDesenho), static_cast<QWidget*>(ui->Image2),
                               static_cast<QWidget*>(ui->LinkPrograma)})
        clickable->installEventFilter(this);
    ui->Composicao->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
}

void Form2::setPointers()
{
    for (QWidget* w : {static_cast<QWidget*>(ui->Frame1), static_cast<QWidget*>(ui->Picture1),
                       static_cast<QWidget*>(ui->Image2), static_cast<QWidget*>(ui->BtnDesenho)})
        w->setCursor(Pictures::magnifierCursor());
    ui->LinkPrograma->setCursor(Pictures::handCursor());
}

void Form2::installKeyPreview()
{
    // The window sees every key release before the control that has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool Form2::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            Form_KeyUp(KeyCodes::fromQtKey(key->key()), KeyCodes::shiftState(key->modifiers()));
        return false;
    }
    case QEvent::KeyPress:
        return clickableKey(watched, static_cast<QKeyEvent*>(event));
    case QEvent::ShortcutOverride:
        // Kept from the boxes, whose own keys would take the window's shortcuts over.
        return isWindowShortcut(static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        followFocus(watched, event->type());
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return clickableMouseEvent(watched, static_cast<QMouseEvent*>(event));
    default:
        return false;
    }
}

bool Form2::isClickable(const QObject* watched) const
{
    return watched == ui->Picture1 || watched == ui->Frame1 || watched == ui->BtnDesenho ||
           watched == ui->Image2 || watched == ui->LinkPrograma;
}

bool Form2::clickableMouseEvent(QObject* watched, QMouseEvent* mouse)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !isClickable(widget))
        return false;
    // Every mouse event of these controls is taken here, so that a click on the photo is not
    // also a click on its frame.
    const bool inside = widget->rect().contains(mouse->position().toPoint());
    switch (m_clicks.take(widget, *mouse, inside)) {
    case ClickEvents::Event::Click:
        clickOn(widget);
        break;
    case ClickEvents::Event::DblClick:
        // The other controls have no double-click event of their own.
        if (widget == ui->Picture1)
            Picture1_DblClick();
        else if (widget == ui->Frame1)
            Frame1_DblClick();
        break;
    case ClickEvents::Event::None:
        break;
    }
    return true;
}

void Form2::clickOn(QObject* clickable)
{
    if (clickable == ui->Picture1)
        Picture1_Click();
    else if (clickable == ui->Frame1)
        Frame1_Click();
    else if (clickable == ui->BtnDesenho)
        BtnDesenho_Click();
    else if (clickable == ui->Image2)
        Image2_Click();
    else if (clickable == ui->LinkPrograma)
        LinkPrograma_Click();
}

void Form2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
    ui->CbxRef->setFocus();
}

void Form2::closeEvent(QCloseEvent* event)
{
    tmrPaoComMortadela->stop();
    LoadedForms::remove(this);
    QWidget::closeEvent(event);
}

void Form2::Form_Load()
{
    Catalogue& catalogue = Module1::Opened();
    ui->LabelVersao->setText(catalogue.VersionText);
    ui->LinkPrograma->setText(catalogue.LinkTitle);
    ui->LinkPrograma->setToolTip(catalogue.LinkHint);
    ComboLists::fill(ui->CbxRef, catalogue.boxList(catalogue.HouseRefRows, ListKind::HouseReferences));
    ComboLists::fill(ui->CbxDesc, catalogue.boxList(catalogue.DescRows, ListKind::Descriptions));
    fillCrossReferenceLists();
}

void Form2::fillCrossReferenceLists()
{
    Catalogue& catalogue = Module1::Opened();
    ComboLists::fill(ui->comReferences, catalogue.boxList(catalogue.RefRows, ListKind::CompetitorReferences));
    ComboLists::fill(ui->comFamilies, catalogue.boxList(catalogue.FamRows, ListKind::Families));
    ComboLists::fill(ui->comCompanies, catalogue.boxList(catalogue.CompRows, ListKind::Manufacturers));
}

void Form2::Form_KeyUp(int keyCode, int /*shift*/)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (keyCode == KeyCodes::F2) {
        ui->comReferences->clearEntries();
        ui->comFamilies->clearEntries();
        ui->comCompanies->clearEntries();
        ui->lblQuiro->setText(QString());
        ui->txtDetalhes->setPlainText(QString());
        ui->CbxDesc1->setPlainText(QString());
        // A first conversion still running is waited for, not started again: the catalogue it
        // makes is the one opened anew.
        Module1::Opened().waitForCopy();
        OpenCatalogue();
        fillCrossReferenceLists();
    }
    QGuiApplication::restoreOverrideCursor();
}

void Form2::tmrPaoComMortadela_Timer()
{
    ++BannerStep;
    if (BannerStep >= Showcase::CycleLength) {
        BannerStep = 0;
        return;
    }
    const std::optional<unsigned> shown = Showcase::shownAt(BannerStep);
    if (!shown)
        return;
    QWidget* const pictures[] = {ui->Imagee1, ui->Imagee2, ui->Imagee3, ui->Image4,
                                 ui->Image5,  ui->Image6,  ui->Image7,  ui->Image8};
    for (int i = 0; i < 8; ++i)
        pictures[i]->setVisible(*shown & (1u << i));
}
