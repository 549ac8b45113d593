#include "ReadOnlyFolder.h"
#include "RecordingPlatform.h"
#include "SmallFiles.h"
#include "StandInImport.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "catalogue/opened/Module1.h"
#include "ui/config/Form1.h"
#include "ui/main/CountSearchWindows.h"
#include "ui/main/MDIForm1.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include <sqlite3.h>

// The configuration dialog: browse, test, save, cancel.
class TestConfigurationDialog : public QObject
{
    Q_OBJECT

private slots:
    // An Access file tested is converted in a cache folder of this test's own.
    void initTestCase() { useOwnCacheFolder(); }
    void saveWritesThePathAndCloses();
    void badTestThenCancelLeavesTheFileButNotTheProgram_data();
    void badTestThenCancelLeavesTheFileButNotTheProgram();
    void browseStartsWhereThePathIs_data();
    void browseStartsWhereThePathIs();
    void saveThatCannotWriteKeepsEverything();
    void saveInAReadOnlyFolder_data();
    void saveInAReadOnlyFolder();
    void pathTheFileCannotHoldIsRefused();
    void openingFailureNamesItsReason_data();
    void openingFailureNamesItsReason();

private:
    struct Open
    {
        QWidget mainWindow;
        QPointer<Form1> dialog;
        Open()
        {
            mainWindow.setEnabled(false);
            dialog = new Form1(&mainWindow);
            dialog->show();
        }
        ~Open() { delete dialog; }
        QLineEdit* path() const { return dialog->findChild<QLineEdit*>("Text1"); }
        void click(const char* button) const
        {
            QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        }
    };

    static QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
};

void TestConfigurationDialog::saveWritesThePathAndCloses()
{
    TestProgram program;
    RecordingPlatform platform;
    Module1::ConfigFilePath = program.file("lumeo.cfg");
    Module1::DatabasePath = program.file("old.kvl");
    const QString chosen = program.file(QString::fromUtf8("catálogo novo.kvl"));
    TestCatalogue::writeStandard(chosen);

    Open open;
    QCOMPARE(open.path()->text(), program.file("old.kvl"));
    open.path()->setText(chosen);
    open.click("Command3");
    QCOMPARE(platform.messageTexts(), QStringList{QString::fromUtf8("Arquivo de configurações válido")});
    QCOMPARE(platform.messages.at(0).title, QString());
    QCOMPARE(fileBytes(Module1::ConfigFilePath), chosen.toLatin1()); // Windows-1252, no line end
    QVERIFY(open.dialog.isNull() || !open.dialog->isVisible());
    QVERIFY(open.mainWindow.isEnabled());
    QVERIFY(Module1::Opened().DatabaseOpened);
}

void TestConfigurationDialog::badTestThenCancelLeavesTheFileButNotTheProgram_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancelar") << false;
    QTest::newRow("Escape, in the path box") << true;
}

void TestConfigurationDialog::badTestThenCancelLeavesTheFileButNotTheProgram()
{
    QFETCH(bool, escape);
    TestProgram program;
    RecordingPlatform platform;
    Module1::ConfigFilePath = program.file("lumeo.cfg");
    QVERIFY(program.openStandardCatalogue());
    {
        QFile config(Module1::ConfigFilePath);
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(program.catalogue().toLatin1());
    }
    MDIForm1 main;
    main.show();
    QPointer<Form1> dialog = new Form1(&main);
    main.setEnabled(false);
    dialog->show();
    dialog->findChild<QLineEdit*>("Text1")->setText(program.file("nowhere.kvl"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command3"), Qt::LeftButton); // save refuses too
    QVERIFY(dialog->isVisible());
    if (escape)
        QTest::keyClick(dialog->findChild<QLineEdit*>("Text1"), Qt::Key_Escape);
    else
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command4"), Qt::LeftButton);
    QVERIFY(!dialog || !dialog->isVisible());
    QVERIFY(main.isEnabled());
    QCOMPARE(fileBytes(Module1::ConfigFilePath), program.catalogue().toLatin1());

    const QString failed = QString::fromUtf8("Erro ao abrir os dados, verifique sua configuração");
    QCOMPARE(platform.messageTexts(), QStringList({failed, failed}));
    main.findChild<QAction*>("Pesquisar")->trigger();
    QCOMPARE(platform.messageTexts().last(), failed);
    QCOMPARE(CountSearchWindows(), 0);
}

void TestConfigurationDialog::browseStartsWhereThePathIs_data()
{
    QTest::addColumn<QString>("inBox");
    QTest::addColumn<QString>("answer");
    QTest::newRow("empty box starts in the program directory") << ""
                                                               << "chosen.kvl";
    QTest::newRow("a path starts there") << "/srv/catalogos/atual.kvl"
                                         << "chosen.kvl";
    QTest::newRow("cancelled leaves the box") << "/srv/catalogos/atual.kvl"
                                              << "";
}

void TestConfigurationDialog::browseStartsWhereThePathIs()
{
    QFETCH(QString, inBox);
    QFETCH(QString, answer);
    TestProgram program;
    RecordingPlatform platform;
    platform.setNextFileName(answer);
    Open open;
    open.path()->setText(inBox);
    open.click("Command1");
    QCOMPARE(platform.fileDialogs.size(), 1);
    const PlatformBackend::FileDialogRequest request = platform.fileDialogs.at(0);
    QCOMPARE(request.initialDirectory,
             inBox.isEmpty() ? QDir::toNativeSeparators(program.directory()) : inBox);
    QCOMPARE(request.defaultSuffix, QStringLiteral("*.kvl"));
    QCOMPARE(request.filter, QStringLiteral("*.kvl;;*.mdb;;*.accdb"));
    QCOMPARE(request.fileName, QString());
    QCOMPARE(open.path()->text(), answer.isEmpty() ? inBox : answer);
}

void TestConfigurationDialog::saveThatCannotWriteKeepsEverything()
{
    TestProgram program;
    RecordingPlatform platform;
    QVERIFY(program.openStandardCatalogue());
    // The configuration file's place is taken by a directory: it cannot be replaced.
    Module1::ConfigFilePath = program.file("lumeo.cfg");
    QVERIFY(QDir(program.directory()).mkdir("lumeo.cfg"));
    Open open;
    open.path()->setText(program.catalogue());
    open.click("Command3");
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages.at(0).title, QStringLiteral("Korvel: Lumeo"));
    QVERIFY(platform.messages.at(0).text.startsWith(
        QString::fromUtf8("Erro gravando no diretório do programa. \r\n")));
    QVERIFY(open.dialog && open.dialog->isVisible());
    QCOMPARE(open.path()->text(), program.catalogue());
    QVERIFY(!open.mainWindow.isEnabled());
}

void TestConfigurationDialog::saveInAReadOnlyFolder_data()
{
    QTest::addColumn<bool>("fileWritable");
    QTest::newRow("the file may be changed") << true;
    QTest::newRow("the file is read-only too") << false;
}

void TestConfigurationDialog::saveInAReadOnlyFolder()
{
    // No new file can be made beside the configuration file; a file the user may change is
    // rewritten in its place.
    QFETCH(bool, fileWritable);
    TestProgram program;
    RecordingPlatform platform;
    Module1::ConfigFilePath = program.file("lumeo.cfg");
    const QByteArray old("C:\\Antigo\\lumeo.kvl");
    {
        QFile config(Module1::ConfigFilePath);
        QVERIFY(config.open(QIODevice::WriteOnly) && config.write(old) == old.size());
    }
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    QVERIFY(QFile::setPermissions(Module1::ConfigFilePath, fileWritable ? readable | writable : readable));
    QVERIFY(program.openStandardCatalogue());

    Open open;
    open.path()->setText(program.catalogue());
    {
        ReadOnlyFolder folder(program.directory());
        open.click("Command3");
    }
    const QString valid = QString::fromUtf8("Arquivo de configurações válido");
    if (fileWritable) {
        QCOMPARE(platform.messageTexts(), QStringList{valid});
        QCOMPARE(fileBytes(Module1::ConfigFilePath), program.catalogue().toLatin1());
        QVERIFY(open.dialog.isNull() || !open.dialog->isVisible());
        QVERIFY(open.mainWindow.isEnabled());
    } else {
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages.at(0).title, QStringLiteral("Korvel: Lumeo"));
        QCOMPARE(fileBytes(Module1::ConfigFilePath), old);
        QVERIFY(open.dialog && open.dialog->isVisible());
    }
    QCOMPARE(QDir(program.directory()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"lumeo.cfg", "lumeo.kvl"}));
}

void TestConfigurationDialog::pathTheFileCannotHoldIsRefused()
{
    // The configuration file is Windows-1252: "€" and "ç" fit, the two ideographs do not.
    TestProgram program;
    RecordingPlatform platform;
    Module1::ConfigFilePath = program.file("lumeo.cfg");
    {
        QFile config(Module1::ConfigFilePath);
        QVERIFY(config.open(QIODevice::WriteOnly) && config.write(program.catalogue().toLatin1()));
    }
    QVERIFY(program.openStandardCatalogue());
    const QString chosen = program.file(QString::fromUtf8("preço € 目录目.kvl"));
    TestCatalogue::writeStandard(chosen);

    Open open;
    open.path()->setText(chosen);
    open.click("Command3");
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages.at(0).title, QStringLiteral("Korvel: Lumeo"));
    QVERIFY2(platform.messages.at(0).text.startsWith(QString::fromUtf8(
                 "O caminho tem caracteres que o arquivo de configuração não aceita: 目录 \r\n")),
             qPrintable(platform.messages.at(0).text));
    // Nothing written, nothing changed: the dialog stays with the path for the user to mend.
    QCOMPARE(fileBytes(Module1::ConfigFilePath), program.catalogue().toLatin1());
    QCOMPARE(Module1::DatabasePath, program.catalogue());
    QVERIFY(open.dialog && open.dialog->isVisible());
    QCOMPARE(open.path()->text(), chosen);
    QCOMPARE(QDir(program.directory()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"lumeo.cfg", "lumeo.kvl", QString::fromUtf8("preço € 目录目.kvl")}));
}

void TestConfigurationDialog::openingFailureNamesItsReason_data()
{
    QTest::addColumn<QByteArray>("content"); // the file tested; "<none>": no file
    QTest::addColumn<QString>("reason");

    QTest::newRow("not found") << QByteArray("<none>") << QString::fromUtf8("O arquivo não foi encontrado.");
    QTest::newRow("no permission") << QByteArray("<unreadable>")
                                   << QString::fromUtf8("Sem permissão para ler o arquivo.");
    QTest::newRow("not a catalogue") << QByteArray("Lista de preços\r\n")
                                     << QString::fromUtf8("O arquivo não é um catálogo.");
    QTest::newRow("damaged") << QByteArray("<no tables>")
                             << QString::fromUtf8(
                                    "O catálogo está danificado: falta uma tabela ou coluna (no such table: Tabela Referencias)");
    QTest::newRow("not converted") << QByteArray(4, '\0') + "Standard Jet DB" + QByteArray(2048, '\0')
                                   << QString::fromUtf8(
                                          "O catálogo Access não pôde ser convertido: "
                                          "a tabela Grupos está danificada: 3 de 9 linhas lidas");
}

// Each failure keeps the designed message and names the file and its reason in the details.
void TestConfigurationDialog::openingFailureNamesItsReason()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    TestProgram program;
    RecordingPlatform platform;
    const QString path = program.file("catalogo.kvl");
    if (content == "<unreadable>")
        TestCatalogue::writeStandard(path);
    if (content == "<no tables>") {
        sqlite3* db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_exec(db, "CREATE TABLE Outra (a)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    } else if (!content.startsWith('<')) {
        QVERIFY(writeFile(path, content));
    }
    // The import stands in as a program that refuses the file with its own words.
    const StandInImport import(program.file("import.sh"),
                               "echo 'lumeo-access-import: a tabela Grupos "
                               "está danificada: 3 de 9 linhas lidas' >&2\nexit 1");
    QVERIFY(import.isReady());

    Open open;
    open.path()->setText(path);
    {
        std::unique_ptr<ReadOnlyFolder> asAnotherUser;
        if (content == "<unreadable>") {
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
            asAnotherUser = std::make_unique<ReadOnlyFolder>(program.directory());
        }
        open.click("Command2");
    }

    QCOMPARE(platform.messageTexts(),
             QStringList{QString::fromUtf8("Erro ao abrir os dados, verifique sua configuração")});
    QCOMPARE(platform.messages.at(0).details, QStringLiteral("Arquivo: %1\n%2").arg(path, reason));
}

QTEST_MAIN(TestConfigurationDialog)
#include "tst_configurationdialog.moc"
