#include "ReadOnlyFolder.h"
#include "RecordingPlatform.h"
#include "SmallFiles.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "app/Main.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/config/Form1.h"
#include "ui/main/MDIForm1.h"
#include "ui/main/ShowMainWindow.h"

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <memory>

// Where the configuration file is read and written: beside the program first, in the user's
// configuration folder where the program's folder takes no file.
class TestConfigurationPlaces : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void startUp_data();
    void startUp();
    void save_data();
    void save();

private:
    // A home of the test's own for the user's folders, which the ordinary user the tests act
    // as in a read-only program folder may write to unless it is blocked.
    struct Home
    {
        QTemporaryDir dir;
        Home()
        {
            setOpen(dir.path(), true);
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(config()));
            qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath("cache")));
            QDir().mkpath(config());
            setOpen(config(), true);
        }
        ~Home()
        {
            setOpen(config(), true);
            qunsetenv("XDG_CONFIG_HOME");
            qunsetenv("XDG_CACHE_HOME");
        }
        QString config() const { return dir.filePath("config"); }
        QString userFile() const { return QDir::toNativeSeparators(config() + "/lumeo/lumeo.cfg"); }
        QString catalogue() const { return dir.filePath("user.kvl"); }
        // Blocked, no one but its owner (root, acting as another user) may add to it.
        static void setOpen(const QString& folder, bool open)
        {
            const QFile::Permissions all = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
            const QFile::Permissions write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
            QFile::setPermissions(folder, open ? all | write : all);
        }
    };

    static QString programRefusal() { return QString::fromLocal8Bit(std::strerror(EACCES)); }
};

namespace {

const QString kStartupFailure = QString::fromUtf8("Erro gravando no diretório do programa. \r\n"
                                                  "Algum arquivo pode estar como somente leitura \r\n"
                                                  "ou o diretório não aceita gravação.");
const QString kValid = QString::fromUtf8("Arquivo de configurações válido");
const QString kOpenFailed = QString::fromUtf8("Erro ao abrir os dados, verifique sua configuração");

const QByteArray kNoFile("<none>");

// The test's stand-ins in a file's content: the default catalogue beside the program, the
// user's own catalogue.
QByteArray contentFor(QByteArray text, const QString& besideCatalogue, const QString& userCatalogue)
{
    text.replace("<default>", QFile::encodeName(QDir::toNativeSeparators(besideCatalogue)));
    return text.replace("<user>", QFile::encodeName(userCatalogue));
}

} // namespace

void TestConfigurationPlaces::initTestCase()
{
    // The program's own name names its folder in the user's configuration folder.
    QCoreApplication::setApplicationName("lumeo");
}

void TestConfigurationPlaces::cleanup()
{
    delete MainWindow();
}

void TestConfigurationPlaces::startUp_data()
{
    QTest::addColumn<bool>("readOnly");       // the program's folder takes no file
    QTest::addColumn<QByteArray>("beside");   // lumeo.cfg beside the program before the start
    QTest::addColumn<QByteArray>("userFile"); // the user's file before the start; "<dir>": a folder
    QTest::addColumn<bool>("userBlocked");    // the user's configuration folder takes no file
    QTest::addColumn<QString>("used");        // "beside" or "user"
    QTest::addColumn<QByteArray>("content");  // the file used after the start
    QTest::addColumn<QString>("failure");     // the reason in the ending message's details
    QTest::addColumn<QString>("message");     // the main window's message, if any

    const QByteArray none = kNoFile, user("<user>"), byDefault("<default>");
    const QByteArray damaged("\x01\x02\xff garbage\r\n\x7f");
    QTest::newRow("writable folder, first start")
        << false << none << none << false << "beside" << byDefault << ""
        << "";
    QTest::newRow("writable folder comes before the user's file")
        << false << none << user << false << "beside" << byDefault << ""
        << "";
    QTest::newRow("read-only folder with its own file")
        << true << user << none << false << "beside" << user << ""
        << "";
    QTest::newRow("read-only folder, first start")
        << true << none << none << false << "user" << byDefault << ""
        << "";
    QTest::newRow("read-only folder, the user's file")
        << true << none << user << false << "user" << user << ""
        << "";
    QTest::newRow("neither takes a file")
        << true << none << none << true << "user" << none << QString::fromUtf8("Diretório do programa") << "";
    QTest::newRow("the user's file empty") << true << none << QByteArray() << false << "user" << QByteArray()
                                           << QString::fromUtf8("o arquivo está vazio") << "";
    QTest::newRow("a folder in the user's file's place")
        << true << none << QByteArray("<dir>") << false << "user" << none << "?"
        << "";
    QTest::newRow("the user's file damaged")
        << true << none << damaged << false << "user" << damaged << "" << kOpenFailed;
}

void TestConfigurationPlaces::startUp()
{
    QFETCH(bool, readOnly);
    QFETCH(QByteArray, beside);
    QFETCH(QByteArray, userFile);
    QFETCH(bool, userBlocked);
    QFETCH(QString, used);
    QFETCH(QByteArray, content);
    QFETCH(QString, failure);
    QFETCH(QString, message);
    TestProgram program;
    Home home;
    RecordingPlatform platform;
    TestCatalogue::writeStandard(program.catalogue());
    TestCatalogue::writeStandard(home.catalogue());
    const auto bytes = [&](const QByteArray& text) {
        return contentFor(text, program.catalogue(), home.catalogue());
    };
    const QString besideFile = QDir::toNativeSeparators(program.file("lumeo.cfg"));
    if (beside != kNoFile)
        QVERIFY(writeFile(besideFile, bytes(beside)));
    if (userFile == "<dir>")
        QVERIFY(QDir().mkpath(home.userFile()));
    else if (userFile != kNoFile)
        QVERIFY(QDir().mkpath(QFileInfo(home.userFile()).absolutePath()) &&
                writeFile(home.userFile(), bytes(userFile)));
    Home::setOpen(home.config(), !userBlocked);

    bool started = false;
    {
        std::unique_ptr<ReadOnlyFolder> folder;
        if (readOnly)
            folder = std::make_unique<ReadOnlyFolder>(program.directory());
        started = Main();
    }

    const QString expectedFile = used == "beside" ? besideFile : home.userFile();
    QCOMPARE(Module1::ConfigFilePath, expectedFile);
    QCOMPARE(readFile(expectedFile, kNoFile), bytes(content));
    QCOMPARE(started, failure.isEmpty());
    if (!failure.isEmpty()) {
        QCOMPARE(platform.messageTexts(), QStringList{kStartupFailure});
        const QString details = platform.messages.at(0).details;
        QVERIFY2(details.startsWith("Arquivo: " + expectedFile + "\n"), qPrintable(details));
        QVERIFY2(details.size() > ("Arquivo: " + expectedFile + "\n").size(), qPrintable(details));
        if (failure != "?")
            QVERIFY2(details.contains(failure), qPrintable(details));
        if (userBlocked)
            QVERIFY2(
                details.endsWith(QString::fromUtf8("Diretório do programa: %1\n%2")
                                     .arg(QDir::toNativeSeparators(program.directory()), programRefusal())),
                qPrintable(details));
        QVERIFY(!MainWindow());
    } else {
        QCOMPARE(platform.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(MainWindow() && MainWindow()->isVisible());
        if (message.isEmpty())
            QCOMPARE(Module1::DatabasePath, QString::fromLatin1(bytes(content)));
    }
    // Nothing is written beside a read-only program, nor to the user's folder while the
    // program's takes the file.
    QStringList besideFiles{"lumeo.kvl"};
    if (beside != kNoFile || !readOnly)
        besideFiles.prepend("lumeo.cfg");
    QCOMPARE(QDir(program.directory()).entryList(QDir::Files | QDir::Hidden), besideFiles);
    if (used == "beside")
        QCOMPARE(QFileInfo::exists(home.userFile()), userFile != kNoFile);
}

void TestConfigurationPlaces::save_data()
{
    QTest::addColumn<bool>("readOnly");  // the program's folder takes no file
    QTest::addColumn<QString>("before"); // what befalls the user's folder before "Salvar"
    QTest::addColumn<QString>("saved");  // "beside", "user", or empty: nothing saved

    QTest::newRow("writable folder") << false << ""
                                     << "beside";
    QTest::newRow("read-only folder") << true << ""
                                      << "user";
    QTest::newRow("the user's folder removed meanwhile") << true << "removed"
                                                         << "user";
    QTest::newRow("neither takes a file") << true << "blocked"
                                          << "";
}

void TestConfigurationPlaces::save()
{
    QFETCH(bool, readOnly);
    QFETCH(QString, before);
    QFETCH(QString, saved);
    TestProgram program;
    Home home;
    RecordingPlatform platform;
    TestCatalogue::writeStandard(program.catalogue());
    TestCatalogue::writeStandard(home.catalogue());
    const QString besideFile = QDir::toNativeSeparators(program.file("lumeo.cfg"));
    const QString usedFile = readOnly ? home.userFile() : besideFile;
    const QByteArray defaultPath = QDir::toNativeSeparators(program.catalogue()).toLatin1();
    {
        std::unique_ptr<ReadOnlyFolder> folder;
        if (readOnly)
            folder = std::make_unique<ReadOnlyFolder>(program.directory());
        QVERIFY(Main());
    }
    QCOMPARE(readFile(usedFile), defaultPath);
    if (!before.isEmpty())
        QVERIFY(QDir(QFileInfo(home.userFile()).absolutePath()).removeRecursively());
    Home::setOpen(home.config(), before != "blocked");

    QPointer<Form1> dialog = new Form1(MainWindow());
    dialog->show();
    dialog->findChild<QLineEdit*>("Text1")->setText(home.catalogue());
    {
        std::unique_ptr<ReadOnlyFolder> folder;
        if (readOnly)
            folder = std::make_unique<ReadOnlyFolder>(program.directory());
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command3"), Qt::LeftButton);
    }

    QCOMPARE(platform.messages.size(), 1);
    if (!saved.isEmpty()) {
        // Said once saved, naming the file.
        QCOMPARE(platform.messages.at(0).text, kValid);
        QCOMPARE(platform.messages.at(0).details, "Gravado em: " + usedFile);
        QCOMPARE(readFile(usedFile), home.catalogue().toLatin1());
        QCOMPARE(Module1::DatabasePath, home.catalogue());
        QVERIFY(dialog.isNull() || !dialog->isVisible());
    } else {
        // Nothing saved: the program stays on the catalogue its file still names.
        QCOMPARE(platform.messages.at(0).text, kStartupFailure);
        QVERIFY(platform.messages.at(0).details.startsWith("Arquivo: " + usedFile + "\n"));
        QVERIFY(!QFileInfo::exists(usedFile));
        QCOMPARE(Module1::DatabasePath, QString::fromLatin1(defaultPath));
        QVERIFY(Module1::Opened().DatabaseOpened);
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->findChild<QLineEdit*>("Text1")->text(), home.catalogue());
    }
    delete dialog;
    QCOMPARE(QDir(program.directory()).entryList(QDir::Files | QDir::Hidden),
             readOnly ? QStringList{"lumeo.kvl"} : QStringList({"lumeo.cfg", "lumeo.kvl"}));
}

QTEST_MAIN(TestConfigurationPlaces)
#include "tst_configurationplaces.moc"
