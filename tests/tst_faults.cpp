#include "ReadOnlyFolder.h"
#include "SearchWindowFixture.h"
#include "SmallFiles.h"
#include "TestCatalogue.h"
#include "app/Main.h"
#include "base/ProgramLocation.h"
#include "base/Windows1252.h"
#include "catalogue/opened/ConfigurationFile.h"
#include "catalogue/opened/Module1.h"
#include "ui/config/Form1.h"
#include "ui/main/ShowMainWindow.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

// The files the program relies on go away, change or refuse writes while it runs. The tests
// run as root, whom permission bits do not stop, so writes are made to fail by a directory
// in the file's place, a missing directory, or a limit on the size of written files.
class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void catalogueChangedUnderOpenWindows_data();
    void catalogueChangedUnderOpenWindows();
    void configurationSaveFailsAndKeepsTheOldFile_data();
    void configurationSaveFailsAndKeepsTheOldFile();
    void configurationSavedInPlaceIsNeverLost_data();
    void configurationSavedInPlaceIsNeverLost();
    void previewWriteFailures_data();
    void previewWriteFailures();
    void startupWithUnusableConfiguration_data();
    void startupWithUnusableConfiguration();
};

namespace {

const QString kNoReference = QString::fromUtf8("Referência não existe");
const QString kUnreadable = QString::fromUtf8("Não foi possível ler o catálogo");
const QString kStartupFailure = QString::fromUtf8(
    "Erro gravando no diretório do programa. \r\nAlgum arquivo pode estar como somente leitura \r\n"
    "ou o diretório não aceita gravação.");

// Writes past `bytes` fail with EFBIG for as long as the object lives, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

QByteArray contentOf(const QString& path)
{
    return readFile(path, "<unreadable>");
}

// Puts the damage in place of the catalogue file of an open window.
bool damage(const QString& kind, TestProgram& program)
{
    const QString path = program.catalogue();
    const QString beside = program.file(QStringLiteral("other.kvl"));
    if (kind == "emptied in place")
        return QFile(path).resize(0);
    if (kind == "overwritten in place") {
        const qint64 size = QFileInfo(path).size();
        QByteArray garbage(size, '\0');
        for (qint64 i = 0; i < size; ++i)
            garbage[i] = char((i * 131 + 7) % 251);
        return writeFile(path, garbage, QIODevice::ReadWrite);
    }
    if (kind == "header zeroed in place")
        return writeFile(path, QByteArray(100, '\0'), QIODevice::ReadWrite);
    if (kind == "deleted")
        return QFile::remove(path);
    if (kind == "replaced by a directory")
        return QFile::remove(path) && QDir().mkdir(path);
    if (kind == "replaced by a text file")
        return writeFile(beside, "not a catalogue\n") &&
               std::rename(qPrintable(beside), qPrintable(path)) == 0;
    if (kind == "replaced by a pipe")
        return QFile::remove(path) && mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (kind == "replaced by another catalogue") {
        TestCatalogue::writeStandard(beside);
        return std::rename(qPrintable(beside), qPrintable(path)) == 0;
    }
    return false;
}

// What a reference lookup of KV-101 shows: "found", "unreadable" (the catalogue could not be
// read, with the file named), "failed" (the branch of a product that does not exist: its
// message, the alert frame, an empty panel) or a description of anything else.
QString referenceLookup(SearchWindowFixture& f)
{
    // After a manufacturer choice the lookup counts as one from the cross-reference panel.
    const bool fromCrossReference = f.window()->contador() == 1;
    f.platform().clear();
    f.typeAndEnter("CbxRef", "KV-101");
    if (f.platform().messageTexts() == QStringList{kUnreadable} &&
        f.platform().messages.first().details.startsWith("Arquivo: " + Module1::DatabasePath + "\n"))
        return QStringLiteral("unreadable");
    if (f.platform().messages.isEmpty() && f.text("CbxDesc") == QLatin1String("Disjuntor tripolar 32 A") &&
        f.text("Preco") == QLatin1String("CONSULTAR"))
        return QStringLiteral("found");
    const bool failedBranch = fromCrossReference
                                  ? f.platform().messages.isEmpty() && f.text("CbxRef").isEmpty() &&
                                        f.text("lblQuiro") == QLatin1String("KV-101 ")
                                  : f.platform().messageTexts() == QStringList{kNoReference} &&
                                        f.text("CbxRef") == QLatin1String("KV-101");
    if (failedBranch && f.isShown("fraAlerta") && f.text("CbxDesc").isEmpty() && f.text("Preco").isEmpty())
        return QStringLiteral("failed");
    return QStringLiteral("other: ") + f.platform().messageTexts().join('|') + " / " + f.text("CbxDesc");
}

QString manufacturerFilter(SearchWindowFixture& f)
{
    f.platform().clear();
    f.typeAndEnter("comCompanies", "ELETRAMAX");
    if (f.platform().messages.isEmpty() && f.entries("comReferences").contains(QLatin1String("ELX-20")))
        return QStringLiteral("found");
    if (f.platform().messageTexts() == QStringList{QString::fromUtf8("Fabricante não existe")})
        return QStringLiteral("failed");
    if (f.platform().messageTexts() == QStringList{kUnreadable})
        return QStringLiteral("unreadable");
    return QStringLiteral("other: ") + f.platform().messageTexts().join('|');
}

} // namespace

void TestFaults::catalogueChangedUnderOpenWindows_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("before"); // lookups before F2; "any" where the system decides
    QTest::addColumn<bool>("reopened");  // F2 opens the catalogue again
    QTest::addColumn<QString>("after");

    // Whatever stands at the path once it stands still is opened; what does not open says the
    // catalogue could not be read, never that a product does not exist.
    QTest::newRow("emptied in place") << "emptied in place"
                                      << "unreadable" << false << "unreadable";
    QTest::newRow("overwritten in place") << "overwritten in place"
                                          << "unreadable" << false << "unreadable";
    QTest::newRow("header zeroed in place") << "header zeroed in place"
                                            << "unreadable" << false << "unreadable";
    // A deleted file answers on from the open one until F2.
    QTest::newRow("deleted") << "deleted"
                             << "found" << false << "unreadable";
    QTest::newRow("replaced by a directory") << "replaced by a directory"
                                             << "unreadable" << false << "unreadable";
    QTest::newRow("replaced by a text file") << "replaced by a text file"
                                             << "unreadable" << false << "unreadable";
    QTest::newRow("replaced by a pipe") << "replaced by a pipe"
                                        << "unreadable" << false << "unreadable";
    QTest::newRow("replaced by another catalogue") << "replaced by another catalogue"
                                                   << "found" << true << "found";
}

void TestFaults::catalogueChangedUnderOpenWindows()
{
    QFETCH(QString, kind);
    QFETCH(QString, before);
    QFETCH(bool, reopened);
    QFETCH(QString, after);
    SearchWindowFixture f;
    std::unique_ptr<Form2> second = f.openAnother();
    QVERIFY(damage(kind, f.program()));

    for (const QString& outcome : {referenceLookup(f), manufacturerFilter(f)})
        QCOMPARE(outcome, before);

    // F2 reports only through DatabaseOpened; the lists are refilled from what it left.
    f.platform().clear();
    QTest::keyClick(f.combo("CbxRef"), Qt::Key_F2);
    QVERIFY(f.platform().messages.isEmpty());
    QCOMPARE(Module1::Opened().DatabaseOpened, reopened);
    const std::unique_ptr<Form2> opened = f.openAnother();
    for (const char* list : {"comReferences", "comFamilies", "comCompanies"}) {
        QVERIFY(!f.entries(list).isEmpty());
        QCOMPARE(f.entries(list), opened->findChild<ComboBox*>(list)->entries());
    }

    QCOMPARE(referenceLookup(f), after);
    QCOMPARE(manufacturerFilter(f), after);
    // The other window shares the connection.
    second->findChild<ComboBox*>("CbxDesc")->setFocus();
    f.platform().clear();
    typeText(second->findChild<ComboBox*>("CbxDesc"), "tripolar");
    QTest::keyClick(second->findChild<ComboBox*>("CbxDesc"), Qt::Key_Return);
    QCOMPARE(f.platform().messageTexts().isEmpty(), after == "found");
}

void TestFaults::configurationSaveFailsAndKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("configFile"); // relative to the program's directory
    QTest::addColumn<bool>("oldFile");       // a configuration file is there before

    QTest::newRow("disk full") << "limit"
                               << "lumeo.cfg" << true;
    // No file can be made beside it, so it is rewritten in place: the old content goes back.
    QTest::newRow("disk full, folder read-only") << "limit in place"
                                                 << "lumeo.cfg" << true;
    QTest::newRow("directory in the file's place") << "directory"
                                                   << "lumeo.cfg" << false;
    QTest::newRow("directory missing") << ""
                                       << "gone/lumeo.cfg" << false;
}

void TestFaults::configurationSaveFailsAndKeepsTheOldFile()
{
    QFETCH(QString, fault);
    QFETCH(QString, configFile);
    QFETCH(bool, oldFile);
    TestProgram program;
    RecordingPlatform platform;
    TestCatalogue::writeStandard(program.catalogue());
    const QByteArray old("C:\\Antigo\\lumeo.kvl");
    Module1::ConfigFilePath = program.file(configFile);
    if (oldFile)
        QVERIFY(writeFile(Module1::ConfigFilePath, old));
    if (fault == "directory")
        QVERIFY(QDir().mkdir(Module1::ConfigFilePath));
    if (fault == "limit in place")
        QVERIFY(QFile::setPermissions(Module1::ConfigFilePath, QFile::permissions(Module1::ConfigFilePath) |
                                                                   QFile::WriteOther | QFile::ReadOther));

    // The dialog deletes itself when it closes.
    QPointer<Form1> dialog = new Form1(nullptr);
    dialog->show();
    dialog->findChild<QLineEdit*>("Text1")->setText(program.catalogue());
    {
        std::unique_ptr<FileSizeLimit> limit;
        std::unique_ptr<ReadOnlyFolder> folder;
        if (fault == "limit")
            limit = std::make_unique<FileSizeLimit>(8);
        if (fault == "limit in place") {
            limit = std::make_unique<FileSizeLimit>(old.size());
            folder = std::make_unique<ReadOnlyFolder>(program.directory());
        }
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command3"), Qt::LeftButton);
    }

    // Only the failure is told: the path was tested, but nothing was saved.
    QCOMPARE(platform.messageTexts(), QStringList{kStartupFailure});
    QCOMPARE(platform.messages.at(0).title, QStringLiteral("Korvel: Lumeo"));
    QVERIFY(platform.messages.at(0).details.startsWith("Arquivo: " + Module1::ConfigFilePath + "\n"));
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->findChild<QLineEdit*>("Text1")->text(), program.catalogue());
    delete dialog;
    if (oldFile)
        QCOMPARE(contentOf(Module1::ConfigFilePath), old);
    else if (fault == "directory")
        QVERIFY(QFileInfo(Module1::ConfigFilePath).isDir());
    else
        QVERIFY(!QFile::exists(Module1::ConfigFilePath));
    // Nothing half-written is left beside it.
    const QStringList left = QDir(program.directory()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, oldFile ? QStringList({"lumeo.cfg", "lumeo.kvl"}) : QStringList({"lumeo.kvl"}));
}

void TestFaults::configurationSavedInPlaceIsNeverLost_data()
{
    using Step = ConfigurationFile::InPlaceStep;
    using Outcome = ConfigurationFile::StepOutcome;
    QTest::addColumn<int>("step"); // -1: none stopped
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<qint64>("sizeLimit"); // 0: none
    QTest::addColumn<bool>("keepsNew");

    const QByteArray old("C:\\Antigo\\pasta longa\\lumeo.kvl");
    const QString shorter = QStringLiteral("D:\\x.kvl");
    const QString longer = QStringLiteral("\\\\servidor\\catálogos\\Korvel\\2024\\lumeo.kvl");
    QTest::newRow("saved") << -1 << 0 << longer << old << qint64(0) << true;
    const char* const names[] = {"read",    "end of the old line", "reserve", "write", "sync", "cut",
                                 "sync cut"};
    for (int step = int(Step::Read); step <= int(Step::SyncCut); ++step) {
        const bool written = step > int(Step::WriteNew);
        QTest::newRow(qPrintable(QStringLiteral("killed before %1").arg(names[step])))
            << step << int(Outcome::Stop) << shorter << old << qint64(0) << written;
        QTest::newRow(qPrintable(QStringLiteral("%1 fails").arg(names[step])))
            << step << int(Outcome::Fail) << longer << old << qint64(0) << written;
    }
    QTest::newRow("killed before the cut, old file with a second line")
        << int(Step::Cut) << int(Outcome::Stop) << shorter << old + "\r\nsegunda linha" << qint64(0) << true;
    QTest::newRow("disk full for the longer path")
        << -1 << 0 << longer << old << qint64(old.size() + 1) << false;
    QTest::newRow("disk full before the old line's end")
        << -1 << 0 << longer << old << qint64(old.size()) << false;
    QTest::newRow("path with a line feed")
        << -1 << 0 << QStringLiteral("D:\\a\nb.kvl") << old << qint64(0) << false;
    QTest::newRow("path with a carriage return")
        << -1 << 0 << QStringLiteral("D:\\a\rb.kvl") << old << qint64(0) << false;
}

// In a folder that takes no new file the configuration file is rewritten in place; wherever
// that stops or fails, the program reads either the old path or the new one from it.
void TestFaults::configurationSavedInPlaceIsNeverLost()
{
    QFETCH(int, step);
    QFETCH(int, outcome);
    QFETCH(QString, path);
    QFETCH(QByteArray, old);
    QFETCH(qint64, sizeLimit);
    QFETCH(bool, keepsNew);
    TestProgram program;
    const QString file = program.file("lumeo.cfg");
    QVERIFY(writeFile(file, old));
    QVERIFY(QFile::setPermissions(file, QFile::permissions(file) | QFile::WriteOther | QFile::ReadOther));
    ConfigurationFile::setInPlaceHook([&](ConfigurationFile::InPlaceStep at) {
        return int(at) == step ? ConfigurationFile::StepOutcome(outcome)
                               : ConfigurationFile::StepOutcome::Proceed;
    });
    bool saved = false;
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (sizeLimit > 0)
            limit = std::make_unique<FileSizeLimit>(rlim_t(sizeLimit));
        ReadOnlyFolder folder(program.directory());
        saved = ConfigurationFile::write(file, path);
    }
    ConfigurationFile::setInPlaceHook({});
    QCOMPARE(saved, keepsNew && step < 0);
    const QString oldPath = ConfigurationFile::readFirstLine(file).value_or(QStringLiteral("<none>"));
    QCOMPARE(oldPath, keepsNew ? path : Windows1252::decode(old.split('\r').first()));
    if (step < 0)
        QCOMPARE(contentOf(file), keepsNew ? Windows1252::encode(path) : old);
    QCOMPARE(QDir(program.directory()).entryList(QDir::Files | QDir::Hidden), QStringList{"lumeo.cfg"});
}

void TestFaults::previewWriteFailures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("photoIn"); // "program", the user's "own" folder, or empty: not written
    QTest::addColumn<QString>("drawingIn");

    QTest::newRow("directory in the photo's place") << "photo directory"
                                                    << "own"
                                                    << "program";
    QTest::newRow("directory in the drawing's place") << "drawing directory"
                                                      << "program"
                                                      << "own";
    QTest::newRow("disk full") << "limit"
                               << ""
                               << "";
    QTest::newRow("program directory gone") << "gone"
                                            << "own"
                                            << "own";
    QTest::newRow("program directory read-only") << "read-only"
                                                 << "own"
                                                 << "own";
    QTest::newRow("preview held open elsewhere") << "held"
                                                 << "program"
                                                 << "program";
}

// A preview that cannot be written beside the program is written to the user's own folder.
void TestFaults::previewWriteFailures()
{
    QFETCH(QString, fault);
    QFETCH(QString, photoIn);
    QFETCH(QString, drawingIn);
    SearchWindowFixture f;
    const QString cache = f.program().file(QStringLiteral("../cache"));
    QVERIFY(QDir().mkpath(cache));
    QVERIFY(QFile::setPermissions(cache, QFile::Permissions(0x7777)));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(QDir(cache).absolutePath()));
    const auto folder = [&](const QString& in) {
        return in == "program"
                   ? f.program().directory()
                   : QDir(cache).absoluteFilePath(QCoreApplication::applicationName() + "/previews");
    };
    const QString photo = folder(photoIn) + QString::fromUtf8("/ArquivoTemporárioDePrévia.jpg");
    const QString drawing = folder(drawingIn) + QString::fromUtf8("/AnexoTemporárioDePrévia.pdf");
    const QByteArray catalogue = contentOf(f.program().catalogue());
    QFile holder(photo);
    if (fault == "photo directory")
        QVERIFY(QDir().mkdir(f.program().file(QString::fromUtf8("ArquivoTemporárioDePrévia.jpg"))));
    if (fault == "drawing directory")
        QVERIFY(QDir().mkdir(f.program().file(QString::fromUtf8("AnexoTemporárioDePrévia.pdf"))));
    if (fault == "held")
        QVERIFY(holder.open(QIODevice::ReadWrite));
    if (fault == "gone")
        ProgramLocation::setExecutableForTesting(f.program().file(QStringLiteral("gone/lumeo")));

    {
        std::unique_ptr<FileSizeLimit> limit;
        std::unique_ptr<ReadOnlyFolder> readOnly;
        if (fault == "limit")
            limit = std::make_unique<FileSizeLimit>(4);
        if (fault == "read-only")
            readOnly = std::make_unique<ReadOnlyFolder>(f.program().directory());
        f.typeAndEnter("CbxRef", "KV-100");
        QTest::mouseClick(f.control("BtnDesenho"), Qt::LeftButton);
        QTest::mouseClick(f.control("Frame1"), Qt::LeftButton);
    }
    qunsetenv("XDG_CACHE_HOME");

    // The product is shown whatever happened to its files, its photo too where it was written.
    QVERIFY(f.platform().messages.isEmpty());
    QCOMPARE(f.text("Preco"), QStringLiteral("1.234,50"));
    QCOMPARE(f.text("Composicao"), QString::fromUtf8("Caixa termoplástica"));
    QCOMPARE(f.window()->photoPreviewPath().isEmpty(), photoIn.isEmpty());
    QCOMPARE(f.window()->findChild<QLabel*>("Picture1")->pixmap().isNull(), photoIn.isEmpty());
    QList<ViewerCommand> expected{{drawingIn.isEmpty() ? QString() : QDir::toNativeSeparators(drawing), true,
                                   ViewerCommand::Window::MinimisedWithFocus}};
    if (!photoIn.isEmpty())
        expected.append({QDir::toNativeSeparators(photo), true, ViewerCommand::Window::MaximisedWithFocus});
    QCOMPARE(f.platform().viewerCommands, expected);
    if (!photoIn.isEmpty())
        QCOMPARE(contentOf(photo), TestCatalogue::picture(300, 200));
    if (!drawingIn.isEmpty())
        QCOMPARE(contentOf(drawing), QByteArray("%PDF-1.4 desenho"));
    QVERIFY(!QDir(f.program().file(QStringLiteral("gone"))).exists());
    QCOMPARE(contentOf(f.program().catalogue()), catalogue);
}

void TestFaults::startupWithUnusableConfiguration_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("configuration is a directory") << "directory";
    QTest::newRow("program directory gone") << "gone";
    QTest::newRow("disk full when creating it") << "limit";
}

void TestFaults::startupWithUnusableConfiguration()
{
    QFETCH(QString, fault);
    TestProgram program;
    RecordingPlatform platform;
    if (fault == "directory")
        QVERIFY(QDir().mkdir(program.file("lumeo.cfg")));
    if (fault == "gone")
        ProgramLocation::setExecutableForTesting(program.file(QStringLiteral("gone/lumeo")));

    bool started = true;
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (fault == "limit")
            limit = std::make_unique<FileSizeLimit>(4);
        started = Main();
    }

    QVERIFY(!started);
    QCOMPARE(platform.messageTexts(), QStringList{kStartupFailure});
    QCOMPARE(platform.messages.at(0).title, QStringLiteral("Korvel: Lumeo"));
    QVERIFY(MainWindow() == nullptr);
    // No configuration file is left half-written.
    const QStringList left = QDir(program.directory()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, QStringList());
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
