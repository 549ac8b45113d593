#include "Form1.h"

#include "OpeningFailureDetails.h"
#include "StartupMessages.h"
#include "base/ProgramLocation.h"
#include "catalogue/opened/ConfigurationFile.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "catalogue/opened/SaveConfiguration.h"
#include "ui/platform/LoadedForms.h"
#include "ui/platform/Pictures.h"
#include "ui/platform/Platform.h"
#include "ui_Form1.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace {

const QString kValid = QStringLiteral("Arquivo de configurações válido");

} // namespace

Form1::Form1(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      ui(std::make_unique<Ui::Form1>()), m_mainWindow(mainWindow)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size());
    setWindowIcon(Pictures::dialogIcon());
    connect(ui->Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui->Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(ui->Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    LoadedForms::add(this);
    Form_Load();
}

Form1::~Form1()
{
    LoadedForms::remove(this);
}

void Form1::Form_Load()
{
    ui->Text1->setText(Module1::DatabasePath);
    ui->Text1->setFocus();
}

void Form1::Command1_Click()
{
    PlatformBackend::FileDialogRequest request;
    request.defaultSuffix = QStringLiteral("*.kvl");
    request.initialDirectory = ui->Text1->text().isEmpty() ? ProgramLocation::directory() : ui->Text1->text();
    // The maker's Access catalogues can be browsed to as well, a second choice after "*.kvl".
    request.filter = QStringLiteral("*.kvl;;*.mdb;;*.accdb");
    request.fileName = QString();
    const QString chosen = Platform::openFileDialog(this, request);
    if (!chosen.isEmpty())
        ui->Text1->setText(chosen);
}

void Form1::Command2_Click()
{
    Module1::DatabasePath = ui->Text1->text();
    if (OpenCatalogue())
        Platform::messageBox(this, kValid);
    else
        showOpenFailed();
}

void Form1::showOpenFailed()
{
    OpeningFailureDetails::showOpenFailed(this, Module1::Opened().Failure);
}

void Form1::Command3_Click()
{
    // A path the configuration file cannot hold is refused before anything changes: saved
    // altered, it would name another file at the next start.
    const QString unstorable = ConfigurationFile::unstorableCharacters(ui->Text1->text());
    if (!unstorable.isEmpty()) {
        StartupMessages::showUnstorablePath(this, unstorable);
        return;
    }
    const QString previous = Module1::DatabasePath;
    Module1::DatabasePath = ui->Text1->text();
    if (!OpenCatalogue()) {
        showOpenFailed();
        return;
    }
    // A path that cannot be saved stays in the box, and the old file stays as it was; the
    // program goes back to the catalogue the file names, as its next start would.
    QString why;
    if (!SaveConfiguration(Module1::ConfigFilePath, Module1::DatabasePath, &why)) {
        StartupMessages::showWriteFailure(this, Module1::ConfigFilePath, why);
        Module1::DatabasePath = previous;
        OpenCatalogue();
        return;
    }
    StartupMessages::showSaved(this, Module1::ConfigFilePath);
    close();
}

void Form1::Command4_Click()
{
    close();
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    // Escape is "Cancelar", as in every dialog; a control that uses the key keeps it.
    if (event->key() == Qt::Key_Escape && !(event->modifiers() & ~Qt::KeypadModifier)) {
        Command4_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void Form1::Form_Unload()
{
    LoadedForms::remove(this);
    if (m_mainWindow)
        m_mainWindow->setEnabled(true);
}
