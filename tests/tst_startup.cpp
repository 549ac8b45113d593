#include "RecordingPlatform.h"
#include "SmallFiles.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "app/Main.h"
#include "base/ProgramLocation.h"
#include "catalogue/opened/Module1.h"
#include "ui/main/CountSearchWindows.h"
#include "ui/main/MDIForm1.h"
#include "ui/main/ShowMainWindow.h"
#include "ui/main/frmSai.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

// Start-up: the configuration file beside the program, then the main window.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void readsTheFirstLine_data();
    void readsTheFirstLine();
    void firstStartWritesTheDefaultPath_data();
    void firstStartWritesTheDefaultPath();
    void unreadableOrUnwritableEndsTheProgram_data();
    void unreadableOrUnwritableEndsTheProgram();
    void mainWindowShowsOnceLoaded();
};

namespace {

const QString kStartupFailure = QString::fromUtf8("Erro gravando no diretório do programa. \r\n"
                                                  "Algum arquivo pode estar como somente leitura \r\n"
                                                  "ou o diretório não aceita gravação.");

QByteArray bytesOf(const QString& path)
{
    return readFile(path, "<none>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    if (!writeFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

void TestStartup::cleanup()
{
    delete MainWindow();
}

void TestStartup::readsTheFirstLine_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("path");
    QTest::newRow("no line end") << QByteArray("C:\\Dados\\cat.kvl") << "C:\\Dados\\cat.kvl";
    QTest::newRow("trailing blanks kept") << QByteArray("  /dados/cat.kvl  ") << "  /dados/cat.kvl  ";
    QTest::newRow("CR LF") << QByteArray("first\r\nsecond") << "first";
    QTest::newRow("LF") << QByteArray("first\nsecond\n") << "first";
    QTest::newRow("CR") << QByteArray("first\rsecond") << "first";
    QTest::newRow("Windows-1252") << QByteArray("/dados/cat\xE1logo \x80.kvl")
                                  << QString::fromUtf8("/dados/catálogo €.kvl");
    QTest::newRow("an empty first line") << QByteArray("\r\nsecond") << "";
}

void TestStartup::readsTheFirstLine()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, path);
    TestProgram program;
    RecordingPlatform platform;
    writeBytes(program.file("lumeo.cfg"), content);
    QVERIFY(Main());
    QCOMPARE(Module1::DatabasePath, path);
    QCOMPARE(Module1::ConfigFilePath, QDir::toNativeSeparators(program.file("lumeo.cfg")));
    QCOMPARE(bytesOf(program.file("lumeo.cfg")), content); // reading leaves the file alone
    // The path names no catalogue: the main window opens and says so.
    QVERIFY(MainWindow() && MainWindow()->isVisible());
    QCOMPARE(platform.messageTexts(),
             QStringList{QString::fromUtf8("Erro ao abrir os dados, verifique sua configuração")});
}

void TestStartup::firstStartWritesTheDefaultPath_data()
{
    QTest::addColumn<QString>("executable");
    QTest::newRow("lumeo") << "lumeo";
    QTest::newRow("another name") << "Lookup";
    QTest::newRow("with an extension") << "Catalogo.exe";
}

void TestStartup::firstStartWritesTheDefaultPath()
{
    QFETCH(QString, executable);
    TestProgram program(executable);
    RecordingPlatform platform;
    const QString name = QFileInfo(executable).completeBaseName();
    TestCatalogue::writeStandard(program.file(name + ".kvl"));
    QVERIFY(Main());
    const QString expected = QDir::toNativeSeparators(program.file(name + ".kvl"));
    QCOMPARE(bytesOf(program.file(name + ".cfg")), expected.toUtf8());
    QCOMPARE(Module1::DatabasePath, expected);
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(MainWindow()->isMaximized());
    QCOMPARE(CountSearchWindows(), 1);
}

void TestStartup::unreadableOrUnwritableEndsTheProgram_data()
{
    QTest::addColumn<QString>("situation");
    QTest::newRow("empty file") << "empty";
    QTest::newRow("unreadable file") << "directory";
    QTest::newRow("directory does not accept the new file") << "missing directory";
}

void TestStartup::unreadableOrUnwritableEndsTheProgram()
{
    QFETCH(QString, situation);
    TestProgram program;
    RecordingPlatform platform;
    if (situation == "empty")
        writeBytes(program.file("lumeo.cfg"), QByteArray());
    else if (situation == "directory")
        QVERIFY(QDir(program.directory()).mkdir("lumeo.cfg"));
    else
        ProgramLocation::setExecutableForTesting(program.file("gone/lumeo"));
    QVERIFY(!Main());
    QVERIFY(!MainWindow());
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages.at(0).text, kStartupFailure);
    QCOMPARE(platform.messages.at(0).title, QStringLiteral("Korvel: Lumeo"));
    QCOMPARE(platform.messages.at(0).buttons, PlatformBackend::Buttons::Ok);
}

void TestStartup::mainWindowShowsOnceLoaded()
{
    TestProgram program;
    RecordingPlatform platform;
    TestCatalogue::writeStandard(program.catalogue());
    writeBytes(program.file("lumeo.cfg"), QFile::encodeName(program.catalogue()));
    // Runs at the first window event handled during start-up: the loading window's painting.
    bool looked = false;
    bool mainShown = true;
    bool loadingShown = false;
    QTimer::singleShot(0, this, [&] {
        looked = true;
        mainShown = MainWindow() && MainWindow()->isVisible();
        loadingShown = MainWindow() && MainWindow()->loadingWindow()->isVisible();
    });
    QVERIFY(Main());
    QVERIFY(looked);
    QVERIFY(loadingShown);
    QVERIFY(!mainShown);
    QVERIFY(MainWindow()->isVisible());
    QVERIFY(MainWindow()->loadingWindow()->isHidden());
    QCOMPARE(CountSearchWindows(), 1);
    QVERIFY(platform.messages.isEmpty());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
