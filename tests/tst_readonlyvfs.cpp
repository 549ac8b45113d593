#include "SmallFiles.h"

#include "catalogue/engine/ReadOnlyVfs.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <vector>

// The layer the catalogue is read through never deletes, writes or cuts a file, whatever
// SQLite asks of it: asked directly, it answers as a read-only file system does.

namespace {

// A file opened through the layer, closed when it goes.
class OpenedFile
{
public:
    OpenedFile(sqlite3_vfs* vfs, sqlite3_filename name, int flags)
        : m_room(size_t(vfs->szOsFile + 7) / 8), m_file(reinterpret_cast<sqlite3_file*>(m_room.data()))
    {
        int outFlags = 0;
        m_result = vfs->xOpen(vfs, name, m_file, flags, &outFlags);
    }
    ~OpenedFile()
    {
        if (m_file->pMethods)
            m_file->pMethods->xClose(m_file);
    }
    int result() const { return m_result; }
    sqlite3_file* file() const { return m_file; }

private:
    std::vector<sqlite3_int64> m_room;
    sqlite3_file* m_file;
    int m_result = SQLITE_ERROR;
};

const QByteArray kContent = "sixteen bytes!!!";

} // namespace

class TestReadOnlyVfs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void changesNoFile_data();
    void changesNoFile();
    void leavesTheWalBesideAnEmptyCatalogue();
    void writesItsOwnScratchFiles();

private:
    QTemporaryDir m_dir;
    sqlite3_vfs* m_vfs = nullptr;
};

void TestReadOnlyVfs::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_vfs = sqlite3_vfs_find(ReadOnlyVfs::name());
    QVERIFY(m_vfs);
}

void TestReadOnlyVfs::changesNoFile_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("operation");
    QTest::addColumn<int>("result");
    const int asked = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    for (const auto& [name, kind] : {std::pair{"catalogue", SQLITE_OPEN_MAIN_DB},
                                     std::pair{"journal beside it", SQLITE_OPEN_MAIN_JOURNAL},
                                     std::pair{"WAL file beside it", SQLITE_OPEN_WAL}}) {
        QTest::addRow("%s, written", name) << (kind | asked) << QByteArray("write") << SQLITE_READONLY;
        QTest::addRow("%s, cut", name) << (kind | asked) << QByteArray("truncate") << SQLITE_READONLY;
        QTest::addRow("%s, deleted", name) << (kind | asked) << QByteArray("delete") << SQLITE_IOERR_DELETE;
    }
}

void TestReadOnlyVfs::changesNoFile()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, operation);
    QFETCH(int, result);
    const QString path = m_dir.filePath(QStringLiteral("catalogue.kvl"));
    QVERIFY(writeFile(path, kContent));
    const QByteArray native = QFile::encodeName(path);
    sqlite3_filename name = sqlite3_create_filename(native.constData(), "", "", 0, nullptr);
    const auto freeName = qScopeGuard([&] { sqlite3_free_filename(name); });
    if (operation == "delete") {
        QCOMPARE(m_vfs->xDelete(m_vfs, name, 1), result);
    } else {
        OpenedFile opened(m_vfs, name, kind);
        QCOMPARE(opened.result(), SQLITE_OK);
        sqlite3_file* file = opened.file();
        QCOMPARE(operation == "write" ? file->pMethods->xWrite(file, "changed", 7, 0)
                                      : file->pMethods->xTruncate(file, 3),
                 result);
    }
    QCOMPARE(readFile(path), kContent);
}

// SQLite removes a WAL file it finds beside an empty database; the layer refuses, and the
// catalogue does not open.
void TestReadOnlyVfs::leavesTheWalBesideAnEmptyCatalogue()
{
    const QString path = m_dir.filePath(QStringLiteral("empty.kvl"));
    QVERIFY(writeFile(path, QByteArray()));
    QVERIFY(writeFile(path + QStringLiteral("-wal"), kContent));
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, ReadOnlyVfs::name());
    const int read = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QVERIFY(read != SQLITE_OK);
    QCOMPARE(readFile(path + QStringLiteral("-wal")), kContent);
    QCOMPARE(readFile(path, "gone"), QByteArray());
}

void TestReadOnlyVfs::writesItsOwnScratchFiles()
{
    OpenedFile scratch(m_vfs, nullptr,
                       SQLITE_OPEN_TEMP_JOURNAL | SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
                           SQLITE_OPEN_DELETEONCLOSE | SQLITE_OPEN_EXCLUSIVE);
    QCOMPARE(scratch.result(), SQLITE_OK);
    sqlite3_file* file = scratch.file();
    QCOMPARE(file->pMethods->xWrite(file, kContent.constData(), int(kContent.size()), 0), SQLITE_OK);
    QByteArray back(kContent.size(), '\0');
    QCOMPARE(file->pMethods->xRead(file, back.data(), int(back.size()), 0), SQLITE_OK);
    QCOMPARE(back, kContent);
}

QTEST_GUILESS_MAIN(TestReadOnlyVfs)
#include "tst_readonlyvfs.moc"
