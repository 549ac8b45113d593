#include "ReadOnlyFolder.h"
#include "RecordingPlatform.h"
#include "SearchWindowFixture.h"
#include "TestCatalogue.h"
#include "app/Main.h"
#include "base/ProgramLocation.h"
#include "catalogue/copy/AccessImportProcess.h"
#include "catalogue/opened/Module1.h"
#include "ui/config/Form1.h"
#include "ui/main/MDIForm1.h"
#include "ui/main/ShowMainWindow.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include "Jet4CatalogueExport.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// The Debian package as installed: CPack packs this build's program, the package is extracted
// into a scratch root (dpkg -x, nothing is installed on the machine) and the program runs from
// there, offscreen, with a home of its own. The installed program folder is read-only to the
// user, as it is once installed.
//
// The program itself takes no command-line options, so its first start is run as it is; the
// rest is driven from this test program, copied beside the installed program so that it finds
// its folder, its import program and the user's folders as the installed program does.
class TestInstalledPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void filesInTheirPlaces();
    void firstStartWritesTheUserConfiguration();
    void drivenAsInstalled();
    // Runs only in the copy beside the installed program.
    void insideTheInstalledProgram();

private:
    static constexpr const char* kRootVariable = "LUMEO_INSTALLED_ROOT";
    static bool isInside() { return qEnvironmentVariableIsSet(kRootVariable); }
    QString programFolder() const { return m_root + QStringLiteral("/usr/lib/lumeo"); }
    QString home() const { return m_root + QStringLiteral("/home"); }
    QString userFile() const { return home() + QStringLiteral("/.config/lumeo/lumeo.cfg"); }
    QProcessEnvironment environment() const;
    // Runs a command to its end; its output on failure.
    static bool run(const QString& program, const QStringList& arguments, QString* output,
                    const QString& folder = QString());

    QTemporaryDir m_scratch;
    QString m_root;
};

namespace {

constexpr uid_t Nobody = 65534;

const QString kValid = QString::fromUtf8("Arquivo de configurações válido");
const QString kOpenFailed = QString::fromUtf8("Erro ao abrir os dados, verifique sua configuração");

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// The whole tree under `folder`, its files and links relative to it, sorted.
QStringList treeOf(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

QProcessEnvironment TestInstalledPackage::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kRootVariable, m_root);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", home());
    environment.insert("XDG_CONFIG_HOME", home() + "/.config");
    environment.insert("XDG_CACHE_HOME", home() + "/.cache");
    environment.insert("XDG_DATA_HOME", home() + "/.local/share");
    environment.remove("XDG_RUNTIME_DIR");
    return environment;
}

bool TestInstalledPackage::run(const QString& program, const QStringList& arguments, QString* output,
                               const QString& folder)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(240000);
    *output = QString::fromLocal8Bit(process.readAll());
    return ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void TestInstalledPackage::initTestCase()
{
    if (isInside()) {
        m_root = qEnvironmentVariable(kRootVariable);
        return;
    }
    QVERIFY(m_scratch.isValid());
    m_root = m_scratch.filePath("root");
    // The package is made from this build into a folder of the test's own, so that a package
    // made at the same time by `make package` is left alone.
    QString output;
    QVERIFY2(run("cpack",
                 {"-G", "DEB", "--config", LUMEO_BINARY_DIR "/CPackConfig.cmake", "-B",
                  m_scratch.filePath("package")},
                 &output),
             qPrintable(output));
    const QStringList packages = QDir(m_scratch.filePath("package")).entryList({"lumeo_*.deb"}, QDir::Files);
    QCOMPARE(packages.size(), 1);
    QVERIFY2(run("dpkg", {"-x", m_scratch.filePath("package/" + packages.first()), m_root}, &output),
             qPrintable(output));
    // The user's home, which the ordinary user the program runs as may write to; the scratch
    // root is open to that user too, but nothing installed may be written.
    QVERIFY(QDir().mkpath(home()));
    QVERIFY(QFile::setPermissions(home(), QFile::Permissions(0x7777)));
    QVERIFY(QFile::setPermissions(m_scratch.path(), QFile::Permissions(0x7755)));
}

void TestInstalledPackage::filesInTheirPlaces()
{
    if (isInside())
        QSKIP("checked by the run outside");
    QStringList expected{"usr/bin/lumeo",
                         "usr/lib/lumeo/lumeo",
                         "usr/lib/lumeo/lumeo-access-import",
                         "usr/share/applications/com.korvel.Lumeo.desktop",
                         "usr/share/doc/lumeo/changelog.gz",
                         "usr/share/doc/lumeo/copyright",
                         "usr/share/man/man1/lumeo.1.gz",
                         "usr/share/metainfo/com.korvel.Lumeo.metainfo.xml"};
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        expected << QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/lumeo.png").arg(size);
    expected.sort();
    QCOMPARE(treeOf(m_root).filter(QRegularExpression("^usr/")), expected);
    QCOMPARE(QFile::symLinkTarget(m_root + "/usr/bin/lumeo"), programFolder() + "/lumeo");
    for (const int size : {16, 256}) {
        const QImage icon(m_root + QStringLiteral("/usr/share/icons/hicolor/%1x%1/apps/lumeo.png").arg(size));
        QCOMPARE(icon.size(), QSize(size, size));
    }
}

void TestInstalledPackage::firstStartWritesTheUserConfiguration()
{
    if (isInside())
        QSKIP("the program runs from outside");
    // As root nothing would stop the program writing beside itself: it runs as an ordinary
    // user, through the link in bin/ as a desktop starts it.
    QProcess program;
    program.setProcessEnvironment(environment());
    program.setProcessChannelMode(QProcess::MergedChannels);
    const QString link = m_root + "/usr/bin/lumeo";
    if (geteuid() == 0)
        program.start("setpriv", {"--reuid", QString::number(Nobody), "--regid", QString::number(Nobody),
                                  "--clear-groups", link});
    else
        program.start(link);
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    // The default catalogue beside the program is missing: the program says so and waits.
    QTRY_COMPARE_WITH_TIMEOUT(contentOf(userFile()), QFile::encodeName(programFolder() + "/lumeo.kvl"),
                              60000);
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();
    QCOMPARE(QDir(programFolder()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"lumeo", "lumeo-access-import"}));
}

void TestInstalledPackage::drivenAsInstalled()
{
    if (isInside())
        QSKIP("runs the copy");
    const QString copy = programFolder() + "/tst_installedpackage";
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QProcess driver;
    driver.setProcessEnvironment(environment());
    driver.setProcessChannelMode(QProcess::MergedChannels);
    driver.start(copy, {"insideTheInstalledProgram"});
    const bool ended = driver.waitForFinished(240000);
    const QString output = QString::fromLocal8Bit(driver.readAll());
    QFile::remove(copy);
    QVERIFY2(ended && driver.exitCode() == 0, qPrintable(output));
    QVERIFY2(output.contains("PASS   : TestInstalledPackage::insideTheInstalledProgram()"),
             qPrintable(output));
}

void TestInstalledPackage::insideTheInstalledProgram()
{
    if (!isInside())
        QSKIP("runs in the copy beside the installed program (drivenAsInstalled)");
    QCOMPARE(QCoreApplication::applicationDirPath(), programFolder());
    // The installed program's name and folder, which name its files and the user's folders.
    ProgramLocation::setExecutableForTesting(programFolder() + "/lumeo");
    QCoreApplication::setApplicationName("lumeo");
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    RecordingPlatform platform;
    const QString catalogue = home() + "/catalogo.kvl";
    const QString access = home() + "/catalogo.mdb";
    TestCatalogue::writeStandard(catalogue);
    QString error;
    QVERIFY2(Jet4CatalogueExport::convert(catalogue, access, 0, &error), qPrintable(error));

    {
        ReadOnlyFolder installed(programFolder());
        // The configuration the program's first start wrote, naming the missing default.
        QVERIFY(Main());
        QCOMPARE(Module1::ConfigFilePath, userFile());
        QCOMPARE(platform.messageTexts(), QStringList{kOpenFailed});

        // A catalogue chosen and saved goes to the user's file.
        platform.clear();
        QPointer<Form1> dialog = new Form1(MainWindow());
        dialog->show();
        dialog->findChild<QLineEdit*>("Text1")->setText(catalogue);
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        QCOMPARE(platform.messageTexts(), QStringList{kValid});
        QCOMPARE(platform.messages.at(0).details, "Gravado em: " + userFile());
        QCOMPARE(contentOf(userFile()), QFile::encodeName(catalogue));

        // A lookup shows its photo, written to the user's cache folder.
        MainWindow()->findChild<QAction*>("Pesquisar")->trigger();
        QCOMPARE(MainWindow()->mdiArea()->subWindowList().size(), 1);
        auto* search = MainWindow()->mdiArea()->subWindowList().at(0)->findChild<Form2*>();
        QVERIFY(search);
        ComboBox* reference = search->findChild<ComboBox*>("CbxRef");
        reference->setFocus();
        typeText(reference, "KV-100");
        QTest::keyClick(reference, Qt::Key_Return);
        QCOMPARE(search->photoPreviewPath(),
                 home() + QString::fromUtf8("/.cache/lumeo/previews/ArquivoTemporárioDePrévia.jpg"));
        QCOMPARE(contentOf(search->photoPreviewPath()), TestCatalogue::picture(300, 200));
        QVERIFY(!search->findChild<QLabel*>("Picture1")->pixmap().isNull());
        MainWindow()->mdiArea()->closeAllSubWindows();
    }

    // An Access catalogue converts through the installed import program. (Run as root: a
    // program started while the test only acts as another user would be taken for a setuid
    // one.)
    QCOMPARE(AccessImportProcess::program(), programFolder() + "/lumeo-access-import");
    platform.clear();
    QPointer<Form1> dialog = new Form1(MainWindow());
    dialog->show();
    dialog->findChild<QLineEdit*>("Text1")->setText(access);
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command3"), Qt::LeftButton);
    QCOMPARE(platform.messageTexts(), QStringList{kValid});
    QVERIFY(Module1::Opened().DatabaseOpened);
    QCOMPARE(contentOf(userFile()), QFile::encodeName(access));
    QCOMPARE(QDir(home() + "/.cache/lumeo").entryList({"access-*.sqlite"}, QDir::Files).size(), 1);
    delete MainWindow();
    QCOMPARE(QDir(programFolder()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"lumeo", "lumeo-access-import", "tst_installedpackage"}));
}

QTEST_MAIN(TestInstalledPackage)
#include "tst_installedpackage.moc"
