#include "SmallFiles.h"
#include "TestProgram.h"

#include "catalogue/copy/AccessCopyCache.h"
#include "catalogue/copy/AccessCopySweep.h"
#include "catalogue/copy/AccessCopyUse.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

// What goes from the cache of converted copies and what stays: a copy goes when its Access
// file is gone or it has not been opened for 30 days, never while a program holds it or while
// it is being made.
class TestAccessCopySweep : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void removesOnlyCopiesNobodyNeeds_data();
    void removesOnlyCopiesNobodyNeeds();

private:
    QTemporaryDir m_sources;
    QString m_cache;
};

namespace {

enum class Held
{
    No,
    Opened,
    BeingMade,
};

bool setModified(const QString& path, const QDateTime& time)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly) &&
           file.setFileTime(time, QFileDevice::FileModificationTime);
}

} // namespace

void TestAccessCopySweep::initTestCase()
{
    useOwnCacheFolder();
    QVERIFY(m_sources.isValid());
    m_cache = AccessCopyCache::directory();
    QVERIFY(!m_cache.isEmpty());
}

void TestAccessCopySweep::removesOnlyCopiesNobodyNeeds_data()
{
    QTest::addColumn<bool>("sourceKept");
    QTest::addColumn<int>("daysUnused");
    QTest::addColumn<Held>("held");
    QTest::addColumn<bool>("removed");

    QTest::newRow("recent") << true << 29 << Held::No << false;
    QTest::newRow("unused for more than 30 days") << true << 31 << Held::No << true;
    QTest::newRow("orphan") << false << 0 << Held::No << true;
    QTest::newRow("orphan and unused, in use") << false << 31 << Held::Opened << false;
    QTest::newRow("orphan and unused, being made") << false << 31 << Held::BeingMade << false;
}

void TestAccessCopySweep::removesOnlyCopiesNobodyNeeds()
{
    QFETCH(bool, sourceKept);
    QFETCH(int, daysUnused);
    QFETCH(Held, held);
    QFETCH(bool, removed);

    const QString source = m_sources.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".mdb");
    QVERIFY(writeFile(source, "an Access file"));
    const QString copy = AccessCopyCache::copyPath(m_cache, QFileInfo(source));
    // A copy being made is its temporary file, locked by its conversion.
    const QString file = held == Held::BeingMade ? AccessCopyCache::temporaryPath(copy) : copy;
    QVERIFY(writeFile(file, "a converted copy"));
    AccessCopyCache::recordSource(file, QFileInfo(source));
    QCOMPARE(AccessCopyCache::recordedSource(file), QFileInfo(source).canonicalFilePath());
    QVERIFY(setModified(file, QDateTime::currentDateTime().addDays(-daysUnused)));
    if (!sourceKept)
        QVERIFY(QFile::remove(source));
    AccessCopyUse use;
    std::unique_ptr<QLockFile> converting;
    if (held == Held::Opened)
        use = AccessCopyUse::take(copy);
    if (held == Held::BeingMade)
        converting = AccessCopyCache::lockTemporary(file);
    QVERIFY(use.holds() == (held == Held::Opened));
    QVERIFY((converting != nullptr) == (held == Held::BeingMade));

    AccessCopySweep::removeUnwanted(m_cache);
    QCOMPARE(!QFile::exists(file), removed);
    QCOMPARE(!QFile::exists(AccessCopyCache::sourceRecordPath(file)), removed);

    // Let go, a copy in use that nobody needs goes at the next sweep.
    if (held == Held::Opened) {
        use.release();
        AccessCopySweep::removeUnwanted(m_cache);
        QVERIFY(!QFile::exists(copy));
        QVERIFY(!QFile::exists(AccessCopyCache::sourceRecordPath(copy)));
    }
    // Nothing but the copies' own files is ever removed, and the marks of uses go with them.
    QVERIFY(QFile::exists(source) == sourceKept);
    const QStringList left = QDir(m_cache).entryList(QDir::Files);
    QVERIFY2(left.filter(QStringLiteral(".use-")).isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
}

QTEST_GUILESS_MAIN(TestAccessCopySweep)
#include "tst_accesscopysweep.moc"
