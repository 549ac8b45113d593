#include "ReadOnlyFolder.h"
#include "SmallFiles.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "base/ProgramLocation.h"
#include "media/PreviewWriter.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestPreviewWriter : public QObject
{
    Q_OBJECT

private slots:
    void writesTheStoredBytes_data();
    void writesTheStoredBytes();
    void hostileExtensionsWriteNothing_data();
    void hostileExtensionsWriteNothing();
    void runnableExtensionsWriteNothing_data();
    void runnableExtensionsWriteNothing();
    void unwritableFileGivesEmptyText();
    void replacesWhatStandsUnderItsName_data();
    void replacesWhatStandsUnderItsName();
    void readOnlyProgramFolderWritesToTheUsers_data();
    void readOnlyProgramFolderWritesToTheUsers();
};

namespace {

QByteArray readAll(const QString& path)
{
    return readFile(path, "<missing>");
}

QByteArray binaryContent()
{
    QByteArray bytes;
    for (int i = 0; i < 512; ++i)
        bytes.append(char(i % 256));
    return bytes;
}

} // namespace

void TestPreviewWriter::writesTheStoredBytes_data()
{
    QTest::addColumn<bool>("attachment");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("fileName");   // empty: nothing returned
    QTest::addColumn<QByteArray>("content"); // of fileName, or of the file left behind
    QTest::addColumn<QString>("leftBehind");

    const QByteArray bytes = binaryContent();
    QTest::newRow("jpg photo") << false << QVariant(TestCatalogue::storedFile("jpg", bytes))
                               << QString::fromUtf8("ArquivoTemporárioDePrévia.jpg") << bytes << QString();
    QTest::newRow("leading blank in extension")
        << false << QVariant(QByteArray(" bmp").leftJustified(30, ' ') + "BM")
        << QString::fromUtf8("ArquivoTemporárioDePrévia.bmp") << QByteArray("BM") << QString();
    QTest::newRow("attachment pdf") << true << QVariant(TestCatalogue::storedFile("pdf", "%PDF"))
                                    << QString::fromUtf8("AnexoTemporárioDePrévia.pdf") << QByteArray("%PDF")
                                    << QString();
    // Text values: each character is one byte in Windows-1252.
    QTest::newRow("text value") << false
                                << QVariant(QStringLiteral("png").leftJustified(30, ' ') +
                                            QString::fromUtf8("é€\x01"))
                                << QString::fromUtf8("ArquivoTemporárioDePrévia.png")
                                << QByteArray("\xE9\x80\x01") << QString();
    QTest::newRow("exactly 30 characters")
        << false << QVariant(QByteArray("dwg").leftJustified(30, ' '))
        << QString::fromUtf8("ArquivoTemporárioDePrévia.dwg") << QByteArray() << QString();
    QTest::newRow("blank extension ends with the point")
        << true << QVariant(QByteArray(30, ' ') + "xyz") << QString::fromUtf8("AnexoTemporárioDePrévia.")
        << QByteArray("xyz") << QString();
    QTest::newRow("null") << false << QVariant(QMetaType::fromType<QByteArray>()) << QString() << QByteArray()
                          << QString();
    QTest::newRow("shorter than 30 leaves an empty file")
        << false << QVariant(QByteArray("gif  ")) << QString() << QByteArray()
        << QString::fromUtf8("ArquivoTemporárioDePrévia.gif");
}

void TestPreviewWriter::writesTheStoredBytes()
{
    QFETCH(bool, attachment);
    QFETCH(QVariant, value);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, leftBehind);
    TestProgram program;

    const QString path = attachment ? WriteAttachmentPreview(ProgramLocation::directory(), value)
                                    : WritePhotoPreview(ProgramLocation::directory(), value);
    if (fileName.isEmpty()) {
        QVERIFY(path.isEmpty());
    } else {
        QCOMPARE(path, QDir::toNativeSeparators(program.file(fileName)));
        QCOMPARE(readAll(path), content);
    }
    if (!leftBehind.isEmpty())
        QCOMPARE(readAll(program.file(leftBehind)), QByteArray());
    const int expectedFiles = (fileName.isEmpty() ? 0 : 1) + (leftBehind.isEmpty() ? 0 : 1);
    QCOMPARE(QDir(program.directory()).entryList(QDir::Files).size(), expectedFiles);
}

void TestPreviewWriter::hostileExtensionsWriteNothing_data()
{
    QTest::addColumn<QByteArray>("extension");
    QTest::newRow("parent directory") << QByteArray("../../evil");
    QTest::newRow("dots") << QByteArray("..");
    QTest::newRow("slash") << QByteArray("a/b");
    QTest::newRow("backslash") << QByteArray("a\\b");
    QTest::newRow("drive") << QByteArray("c:");
    QTest::newRow("control character") << QByteArray("jp\x01g");
    QTest::newRow("line end") << QByteArray("jpg\n");
    QTest::newRow("absolute") << QByteArray("/tmp/x");
}

void TestPreviewWriter::hostileExtensionsWriteNothing()
{
    QFETCH(QByteArray, extension);
    TestProgram program;
    const QString outside = QDir(program.directory()).absoluteFilePath(QStringLiteral("../evil"));
    QFile::remove(outside);

    QVERIFY(
        WritePhotoPreview(ProgramLocation::directory(), extension.leftJustified(30, ' ') + "data").isEmpty());
    QVERIFY(WriteAttachmentPreview(ProgramLocation::directory(), extension.leftJustified(30, ' ') + "data")
                .isEmpty());
    QCOMPARE(QDir(program.directory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(!QFile::exists(outside));
}

void TestPreviewWriter::runnableExtensionsWriteNothing_data()
{
    QTest::addColumn<QString>("extension"); // as stored, blanks included
    QTest::addColumn<bool>("written");

    const QStringList runnable = {"exe",      "com",         "bat",       "cmd",    "scr",     "pif",  "msi",
                                  "msp",      "cpl",         "vbs",       "vbe",    "js",      "jse",  "wsf",
                                  "wsh",      "hta",         "lnk",       "url",    "ps1",     "psm1", "reg",
                                  "jar",      "application", "appref-ms", "gadget", "desktop", "sh",   "run",
                                  "appimage", "command",     "app"};
    for (int i = 0; i < runnable.size(); ++i) {
        // Every other letter upper case, starting with the first or the second; blanks around.
        QString mixed = runnable.at(i);
        for (int c = i % 2; c < mixed.size(); c += 2)
            mixed[c] = mixed.at(c).toUpper();
        QTest::newRow(qPrintable(mixed)) << QStringLiteral("  ") + mixed + QStringLiteral(" ") << false;
    }

    for (const char* viewed : {"jpg", "JPEG", " png ", "Gif", "bmp", "TIF", "tiff", "pdf", "PDF", "dwg",
                               "DXF", "txt", "exe1", "bats", "jsx", "shtml", "xlsx", "lnk-", "desk"})
        QTest::newRow(viewed) << QString::fromLatin1(viewed) << true;
}

void TestPreviewWriter::runnableExtensionsWriteNothing()
{
    QFETCH(QString, extension);
    QFETCH(bool, written);
    TestProgram program;
    const QString stored = extension.leftJustified(30, QLatin1Char(' ')) + QStringLiteral("\x01payload");

    const QString photo = WritePhotoPreview(ProgramLocation::directory(), stored);
    const QString attachment = WriteAttachmentPreview(ProgramLocation::directory(), stored);

    const QStringList files = QDir(program.directory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (written) {
        const QString trimmed = extension.trimmed();
        QCOMPARE(photo, QDir::toNativeSeparators(
                            program.file(QString::fromUtf8("ArquivoTemporárioDePrévia.") + trimmed)));
        QCOMPARE(attachment, QDir::toNativeSeparators(
                                 program.file(QString::fromUtf8("AnexoTemporárioDePrévia.") + trimmed)));
        QCOMPARE(readAll(photo), QByteArray("\x01payload"));
        QCOMPARE(files.size(), 2);
    } else {
        QCOMPARE(photo, QString());
        QCOMPARE(attachment, QString());
        QCOMPARE(files, QStringList());
    }
}

void TestPreviewWriter::unwritableFileGivesEmptyText()
{
    TestProgram program;
    // A directory in the preview file's place cannot be written over, even by root.
    QVERIFY(QDir(program.directory()).mkdir(QString::fromUtf8("ArquivoTemporárioDePrévia.jpg")));
    QVERIFY(WritePhotoPreview(ProgramLocation::directory(), TestCatalogue::storedFile("jpg", "x")).isEmpty());
}

void TestPreviewWriter::replacesWhatStandsUnderItsName_data()
{
    QTest::addColumn<QString>("standing"); // what stands under the preview's name before
    QTest::newRow("an older preview") << "file";
    QTest::newRow("a link to a file elsewhere") << "link";
    QTest::newRow("a link to a missing file elsewhere") << "dangling link";
}

// A link put under a preview's name is replaced by the preview; the file it names stays as it was.
void TestPreviewWriter::replacesWhatStandsUnderItsName()
{
    QFETCH(QString, standing);
    TestProgram program;
    const QString name = program.file(QString::fromUtf8("ArquivoTemporárioDePrévia.jpg"));
    const QString elsewhere = program.file("../elsewhere.txt");
    if (standing == "file")
        QVERIFY(writeFile(name, "older"));
    if (standing == "link")
        QVERIFY(writeFile(elsewhere, "the user's own file"));
    if (standing != "file")
        QVERIFY(QFile::link(elsewhere, name));

    const QString path =
        WritePhotoPreview(ProgramLocation::directory(), TestCatalogue::storedFile("jpg", "photo"));
    QCOMPARE(path, QDir::toNativeSeparators(name));
    QVERIFY(!QFileInfo(name).isSymLink());
    QCOMPARE(readAll(name), QByteArray("photo"));
    QCOMPARE(QFile::exists(elsewhere), standing == "link");
    if (standing == "link")
        QCOMPARE(readAll(elsewhere), QByteArray("the user's own file"));
    QCOMPARE(QDir(program.directory()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 1);
}

void TestPreviewWriter::readOnlyProgramFolderWritesToTheUsers_data()
{
    QTest::addColumn<QByteArray>("extension");
    QTest::addColumn<bool>("written");
    QTest::newRow("a photo") << QByteArray("jpg") << true;
    QTest::newRow("a program, refused") << QByteArray("exe") << false;
}

void TestPreviewWriter::readOnlyProgramFolderWritesToTheUsers()
{
    QFETCH(QByteArray, extension);
    QFETCH(bool, written);
    TestProgram program;
    // The user's cache folder, which the ordinary user the read-only folder acts as may write.
    const QString cache = QDir(program.directory()).absoluteFilePath(QStringLiteral("../cache"));
    QVERIFY(QDir().mkpath(cache));
    QVERIFY(QFile::setPermissions(cache, QFile::Permissions(0x7777)));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache));
    const QByteArray stored = extension.leftJustified(30, ' ') + "bytes";
    QString photo;
    QString attachment;
    {
        ReadOnlyFolder locked(program.directory());
        photo = WritePhotoPreview(stored);
        attachment = WriteAttachmentPreview(stored);
    }
    qunsetenv("XDG_CACHE_HOME");

    const QString users = QStringLiteral("%1/%2/previews/").arg(cache, QCoreApplication::applicationName());
    const auto at = [&](const char* name) {
        return written ? QDir::toNativeSeparators(users + QString::fromUtf8(name) +
                                                  QString::fromLatin1(extension))
                       : QString();
    };
    QCOMPARE(photo, at("ArquivoTemporárioDePrévia."));
    QCOMPARE(attachment, at("AnexoTemporárioDePrévia."));
    if (written)
        QCOMPARE(readAll(photo), QByteArray("bytes"));
    QCOMPARE(QDir(program.directory()).entryList(QDir::Files), QStringList());
    QCOMPARE(QDir(users).entryList(QDir::Files).size(), written ? 2 : 0);
}

QTEST_MAIN(TestPreviewWriter)
#include "tst_previewwriter.moc"
