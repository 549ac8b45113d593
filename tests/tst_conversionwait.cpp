#include "ReadAheadCheck.h"
#include "RealDisplay.h"
#include "RecordingPlatform.h"
#include "SmallFiles.h"
#include "StandInImport.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WindowGapRecorder.h"
#include "app/Main.h"
#include "base/ScrambleText.h"
#include "catalogue/copy/AccessImportProcess.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/opened/ConfigurationFile.h"
#include "catalogue/opened/Module1.h"
#include "ui/main/CountSearchWindows.h"
#include "ui/main/MDIForm1.h"
#include "ui/main/ShowMainWindow.h"
#include "ui/main/frmSai.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include "Jet4CatalogueExport.h"
#include "SearchWindowFixture.h"
#include "WindowText.h"

#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

QString cacheDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

} // namespace

// A catalogue in Access format is converted by the import program while the program waits:
// the windows stay painted and the loading window shows the conversion moving, while what the
// user types waits for its end; a conversion that goes wrong leaves nothing behind.
class TestConversionWait : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useOwnCacheFolder(); }
    void init() { QDir(cacheDirectory()).removeRecursively(); }
    void cleanup() { m_import.reset(); }
    void windowsStayAliveWhileConverting();
    void failedConversionLeavesNothing_data();
    void failedConversionLeavesNothing();
    void neverWithoutAWindowAtStart_data();
    void neverWithoutAWindowAtStart();
    void lookupWaitsForTheCopy_data();
    void lookupWaitsForTheCopy();
    void unreadableListsWaitForTheCopy();

private:
    // Stands a shell script in the import program's place and a file that looks like an
    // Access catalogue as the catalogue.
    void standInImport(const TestProgram& program, const QByteArray& script);
    // An import that reports a figure every `pause` seconds, then copies the source.
    static QByteArray slowImport(const QString& source, const char* pause);
    // The standard catalogue as a real Access file, converted by a script around the real import
    // program (`$IMPORT` in the script).
    void standInAroundImport(const TestProgram& program, const QByteArray& script);

    std::unique_ptr<StandInImport> m_import;
};

QByteArray TestConversionWait::slowImport(const QString& source, const char* pause)
{
    return QByteArray("for p in 5 10 15 20 25 30 35 40 45 50 55 60 65 70 75 80 85 90 95; do\n"
                      "  echo progress $p; sleep ") +
           pause + "\ndone\ncp '" + QFile::encodeName(source) + "' \"$2\"";
}

void TestConversionWait::standInImport(const TestProgram& program, const QByteArray& script)
{
    m_import.reset();
    m_import = std::make_unique<StandInImport>(program.file("import.sh"), script);
    QVERIFY(m_import->isReady());

    QFile access(program.file("catalogo.mdb"));
    QVERIFY(access.open(QIODevice::WriteOnly));
    access.write(QByteArray(4, '\0') + "Standard Jet DB" + QByteArray(2048, '\0'));
    access.close();
    Module1::DatabasePath = access.fileName();
}

void TestConversionWait::standInAroundImport(const TestProgram& program, const QByteArray& script)
{
    const QString import = AccessImportProcess::program();
    QVERIFY(!import.isEmpty());
    standInImport(program, "IMPORT='" + QFile::encodeName(import) + "'\n" + script);
    TestCatalogue::writeStandard(program.file("source.kvl"));
    QString error;
    QVERIFY(QFile::remove(Module1::DatabasePath));
    QVERIFY2(Jet4CatalogueExport::convert(program.file("source.kvl"), Module1::DatabasePath, 0, &error),
             qPrintable(error));
}

void TestConversionWait::windowsStayAliveWhileConverting()
{
    TestProgram program;
    RecordingPlatform platform;
    TestCatalogue::writeStandard(program.file("source.kvl"));
    // A slow import: a figure every 150 ms, then the copy.
    standInImport(program, slowImport(program.file("source.kvl"), "0.15"));

    // A window the user types into while the program is busy.
    QLineEdit typed;
    typed.setObjectName(QStringLiteral("typed"));
    typed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&typed));

    MDIForm1 main;
    frmSai* loading = main.loadingWindow();
    auto* bar = loading->findChild<QProgressBar*>(QStringLiteral("prgConversao"));
    QVERIFY(bar);
    PaintCounter loadingPaints;
    PaintCounter barPaints;
    loading->installEventFilter(&loadingPaints);
    bar->installEventFilter(&barPaints);

    // Looks in on the program while it converts, as the event loop lets timers run.
    QList<int> figures;
    bool loadingShown = false;
    bool loadingAlwaysShown = true;
    bool inputEverArrived = false;
    int looks = 0;
    QTimer look;
    look.setInterval(40);
    connect(&look, &QTimer::timeout, this, [&] {
        if (++looks == 3) {
            // Keys from the window system, as a user's arrive.
            QWindowSystemInterface::handleKeyEvent(typed.windowHandle(), QEvent::KeyPress, Qt::Key_X,
                                                   Qt::NoModifier, QStringLiteral("x"));
            QWindowSystemInterface::handleKeyEvent(typed.windowHandle(), QEvent::KeyRelease, Qt::Key_X,
                                                   Qt::NoModifier, QStringLiteral("x"));
        }
        if (!QDir(cacheDirectory()).entryList({QStringLiteral("*.sqlite")}, QDir::Files).isEmpty()) {
            look.stop(); // the copy is in place: the conversion is over
            return;
        }
        inputEverArrived = inputEverArrived || !typed.text().isEmpty();
        // The loading window shows once a conversion has lasted a moment, then stays.
        loadingShown = loadingShown || loading->isVisible();
        if (!loadingShown)
            return;
        loadingAlwaysShown = loadingAlwaysShown && loading->isVisible() && bar->isVisible();
        if (figures.isEmpty() || figures.last() != bar->value())
            figures.append(bar->value());
    });
    look.start();
    main.MDIForm_Load();
    look.stop();

    QVERIFY(Module1::Opened().DatabaseOpened);
    QCOMPARE(CountSearchWindows(), 1);
    QVERIFY(platform.messages.isEmpty());
    QVERIFY2(looks >= 10, "timers run while the conversion is waited for");
    QVERIFY(loadingShown);
    QVERIFY(loadingAlwaysShown);
    // The bar moved, each figure painted (but the last, when the conversion ended at once).
    QVERIFY2(figures.size() >= 5, qPrintable(QString::number(figures.size())));
    QVERIFY(std::is_sorted(figures.begin(), figures.end()));
    QVERIFY(barPaints.paints >= figures.size() - 1);
    QVERIFY(loadingPaints.paints > 0);
    // The bar lies wholly inside the notice, clear of its edges.
    const QRect barArea(bar->mapTo(loading, QPoint()), bar->size());
    QVERIFY(loading->rect().adjusted(2, 2, -2, -2).contains(barArea));
    QVERIFY(loading->isHidden());
    // What was typed meanwhile waited, and arrives now.
    QVERIFY(!inputEverArrived);
    QTRY_COMPARE(typed.text(), QStringLiteral("x"));
}

void TestConversionWait::failedConversionLeavesNothing_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::newRow("fails halfway") << QByteArray("echo progress 30; echo part > \"$2\"; exit 1");
    QTest::newRow("killed halfway") << QByteArray("echo progress 30; echo part > \"$2\"; kill -KILL $$");
    QTest::newRow("says it is done, wrote nothing") << QByteArray("echo progress 99; exit 0");
}

void TestConversionWait::failedConversionLeavesNothing()
{
    QFETCH(QByteArray, script);
    TestProgram program;
    RecordingPlatform platform;
    standInImport(program, script);

    MDIForm1 main;
    main.MDIForm_Load();

    QVERIFY(!Module1::Opened().DatabaseOpened);
    QCOMPARE(platform.messageTexts(),
             QStringList{QString::fromUtf8("Erro ao abrir os dados, verifique sua configuração")});
    QCOMPARE(CountSearchWindows(), 0);
    QVERIFY(main.loadingWindow()->isHidden());
    QCOMPARE(QDir(cacheDirectory()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestConversionWait::neverWithoutAWindowAtStart_data()
{
    QTest::addColumn<bool>("access");
    QTest::newRow("Access catalogue, first opening") << true;
    QTest::newRow("SQLite catalogue") << false;
}

void TestConversionWait::neverWithoutAWindowAtStart()
{
    if (!RealDisplay::isRunning())
        QSKIP("what the window system shows is read on a real X server");
    QFETCH(bool, access);
    TestProgram program;
    RecordingPlatform platform;
    TestCatalogue::writeStandard(program.catalogue());
    if (access)
        standInImport(program, slowImport(program.catalogue(), "0.05"));
    const QString path = access ? Module1::DatabasePath : program.catalogue();
    QVERIFY(ConfigurationFile::write(program.file(QStringLiteral("lumeo.cfg")), path));

    WindowGapRecorder shown;
    QVERIFY(Main());
    const std::unique_ptr<MDIForm1> main(MainWindow());
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    shown.stop();
    QCOMPARE(CountSearchWindows(), 1);
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(main->loadingWindow()->isHidden());
    QVERIFY(shown.anyShown());
    // From the loading window to the main window with its search window, one of them is
    // always on the screen: a gap of a frame would already be a flicker.
    QVERIFY2(shown.longestGapMs() <= 16, qPrintable(QString::number(shown.longestGapMs())));
}

void TestConversionWait::lookupWaitsForTheCopy_data()
{
    QTest::addColumn<bool>("finished");
    QTest::addColumn<bool>("reset"); // F2 instead of a lookup
    QTest::newRow("the copy is finished") << true << false;
    QTest::newRow("the conversion fails after the lists") << false << false;
    QTest::newRow("F2 before the copy is finished") << true << true;
}

// At start the first window opens on the lists the import writes first; a lookup made before the
// copy is finished waits for it, and then shows the product, photo and drawing.
void TestConversionWait::lookupWaitsForTheCopy()
{
    QFETCH(bool, finished);
    QFETCH(bool, reset);
    TestProgram program;
    RecordingPlatform platform;
    // The real import, whose end is held back until the test lets it go; each run is counted.
    const QString go = program.file("go");
    const QString runs = program.file("runs");
    standInAroundImport(program, "echo run >> '" + QFile::encodeName(runs) +
                                     "'\n\"$IMPORT\" \"$@\" || exit 1\nwhile [ ! -e '" +
                                     QFile::encodeName(go) + "' ]; do sleep 0.02; done\nexit " +
                                     (finished ? "0" : "1"));

    MDIForm1 main;
    main.MDIForm_Load();
    QCOMPARE(CountSearchWindows(), 1);
    QVERIFY(Module1::Opened().DatabaseOpened);
    QVERIFY2(!Module1::Opened().Conn.isOpen(), "the window opened before the copy was finished");
    auto* search = main.mdiArea()->subWindowList().at(0)->findChild<Form2*>();
    auto* references = search->findChild<ComboBox*>("comReferences");
    QCOMPARE(references->entries().size(), 11);

    bool waited = false;
    QTimer::singleShot(200, this, [&] {
        waited = !Module1::Opened().Conn.isOpen();
        QFile(go).open(QIODevice::WriteOnly);
    });
    references->setFocus();
    if (reset) {
        // F2 waits for the conversion under way and opens its copy: the import runs once.
        QTest::keyClick(references, Qt::Key_F2);
        QVERIFY2(waited, "F2 waited for the end of the conversion");
        QCOMPARE(readFile(runs), QByteArray("run\n"));
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(Module1::Opened().Conn.isOpen());
        QCOMPARE(references->entries().size(), 11);
        typeText(references, "ELX-20");
    } else {
        typeText(references, "ELX-20");
    }
    QTest::keyClick(references, Qt::Key_Return);
    QVERIFY2(waited, "the lookup waited for the end of the conversion");
    if (finished) {
        QVERIFY(platform.messages.isEmpty());
        QCOMPARE(textOf(search, "CbxRef"), QStringLiteral("KV-100"));
        QCOMPARE(textOf(search, "Preco"), QStringLiteral("1.234,50"));
        QVERIFY(search->findChild<QWidget*>("Picture1")->isVisibleTo(search));
        QVERIFY(search->findChild<QWidget*>("FrameDesenho")->isVisibleTo(search));
        // The finished copy's manufacturers are read ahead as an opened file's are.
        const ReadAheadCheck check =
            ReadAheadCheck::of(Module1::Opened(), {ScrambleText(QStringLiteral("ELETRAMAX"))});
        QVERIFY(check.same() && check.read->size() == 5);
    } else {
        QTRY_COMPARE(platform.messageTexts(),
                     QStringList{QString::fromUtf8("Erro ao abrir os dados, verifique sua configuração")});
        // The details name the file, as those of any failed opening do.
        QVERIFY2(platform.messages.first().details.startsWith("Arquivo: " + Module1::DatabasePath + "\n"),
                 qPrintable(platform.messages.first().details));
        QVERIFY(!Module1::Opened().DatabaseOpened);
        QCOMPARE(textOf(search, "CbxRef"), QString());
    }
    // Of the conversion, only a finished copy stays.
    const QStringList left = QDir(cacheDirectory()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left.filter(QStringLiteral(".part-")), QStringList());
    QCOMPARE(left.filter(QRegularExpression(QStringLiteral("\\.sqlite$"))).size(), finished ? 1 : 0);
}

// Lists announced but not readable are read from the copy once it is finished.
void TestConversionWait::unreadableListsWaitForTheCopy()
{
    TestProgram program;
    RecordingPlatform platform;
    standInAroundImport(program, "echo cut > \"$3\"; echo lists; sleep 0.2; exec \"$IMPORT\" \"$1\" \"$2\"");

    MDIForm1 main;
    main.MDIForm_Load();
    QCOMPARE(CountSearchWindows(), 1);
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(Module1::Opened().Conn.isOpen());
    QCOMPARE(Module1::Opened().RefRows.size(), 11);
    QCOMPARE(QDir(cacheDirectory()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".part-")),
             QStringList());
}

QTEST_MAIN(TestConversionWait)
#include "tst_conversionwait.moc"
