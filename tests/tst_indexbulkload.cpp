#include "catalogue/IndexBulkLoad.h"
#include "catalogue/IndexKeys.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <sqlite3.h>

// The indexes written page by page after a table was filled must be the indexes CREATE INDEX
// builds: SQLite finds the file sound, every index lists the same rows in the same order, and
// the schema says the same. Each case builds one file both ways from the same rows.
namespace {

using Kind = IndexKeys::Field::Kind;

struct Cell
{
    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    QByteArray bytes;
};

struct Row
{
    qint64 rowid;
    Cell cells[4];
};

const char* const kCreateTable =
    "CREATE TABLE T (a TEXT COLLATE NOCASE, b TEXT COLLATE NOCASE, n INTEGER, c TEXT)";

QVector<IndexDefinition> testIndexes()
{
    return {
        {QStringLiteral("ByA"), QStringLiteral("T"), {QStringLiteral("a")}, {}},
        {QStringLiteral("ByAB"), QStringLiteral("T"), {QStringLiteral("a"), QStringLiteral("b")}, QStringLiteral("b")},
        {QStringLiteral("ByBNA"), QStringLiteral("T"), {QStringLiteral("b"), QStringLiteral("n"), QStringLiteral("a")}, {}},
        {QStringLiteral("ByN"), QStringLiteral("T"), {QStringLiteral("n")}, {}},
        {QStringLiteral("ByC"), QStringLiteral("T"), {QStringLiteral("c")}, {}},
        // More columns than the page writer sorts: left to CREATE INDEX, in its place.
        {QStringLiteral("ByABNC"), QStringLiteral("T"),
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("n"), QStringLiteral("c")}, {}},
    };
}

Cell text(const QByteArray& bytes)
{
    return {Kind::Text, 0, 0, bytes};
}

Cell integer(qint64 value)
{
    return {Kind::Integer, value, 0, {}};
}

Cell real(double value)
{
    return {Kind::Real, 0, value, {}};
}

// Texts that only case, accents, zero bytes, length or a late byte tell apart.
QVector<Cell> textPool(bool longTexts)
{
    QVector<Cell> pool = {
        text("abc"), text("ABC"), text("Abc"), text("abd"), text(""), text(QByteArray("ab\0c", 4)),
        text(QByteArray("ab\0d", 4)), text(QByteArray("ab\0", 3)), text("ab"), text("Ação"), text("AÇÃO"),
        text("ação"), text("sameprefix-0123456789-tail"), text("SAMEPREFIX-0123456789-TAIL"),
        text("sameprefix-0123456789-tailx"), text("sameprefix-0123456789-taiL"), text("[{`@"), text("Z"),
        Cell{}, Cell{Kind::Blob, 0, 0, QByteArray("\x00\xff", 2)}, Cell{Kind::Blob, 0, 0, QByteArray()},
    };
    if (longTexts) {
        pool << text(QByteArray(300, 'q')) << text(QByteArray(300, 'Q') + "r");
    }
    return pool;
}

QVector<Cell> numberPool(bool onlyIntegers)
{
    QVector<Cell> pool = {
        integer(0), integer(1), integer(-1), integer(127), integer(128), integer(-129), integer(32768),
        integer(8388608), integer(2147483648LL), integer(140737488355328LL),
        integer(std::numeric_limits<qint64>::max()), integer(std::numeric_limits<qint64>::min()), Cell{},
    };
    if (!onlyIntegers) {
        pool << real(2.5) << real(-0.5) << real(1e300) << real(-1e300) << real(9.3e18) << real(1.0)
             << text("x") << text("5") << Cell{Kind::Blob, 0, 0, QByteArray("\x01", 1)};
    }
    return pool;
}

// Random rows, with rowids that leave gaps and end past 32 bits.
QVector<Row> makeRows(int count, bool longTexts, bool asAnImportBindsThem)
{
    QRandomGenerator random(count);
    const QVector<Cell> texts = textPool(longTexts);
    const QVector<Cell> numbers = numberPool(asAnImportBindsThem);
    QVector<Row> rows;
    for (int i = 0; i < count; ++i) {
        Row row;
        row.rowid = asAnImportBindsThem ? i + 1 : (i < count - 3 ? 2 * i + 1 : qint64(1) << (33 + 9 * (3 - (count - i))));
        const auto pick = [&](const QVector<Cell>& pool) { return pool.at(int(random.bounded(pool.size()))); };
        row.cells[0] = pick(texts);
        row.cells[1] = pick(texts);
        row.cells[2] = pick(numbers);
        row.cells[3] = pick(texts);
        if (!asAnImportBindsThem && random.bounded(8) == 0)
            row.cells[0] = pick(numbers);
        // Plenty of distinct values besides, so that some columns give up looking values up.
        if (random.bounded(3) == 0)
            row.cells[random.bounded(2) == 0 ? 0 : 3] = text("v" + QByteArray::number(random.generate()));
        rows << row;
    }
    return rows;
}

IndexKeys::Field field(const Cell& cell)
{
    IndexKeys::Field f;
    f.kind = cell.kind;
    f.integer = cell.integer;
    f.real = cell.real;
    f.bytes = cell.bytes.constData();
    f.size = quint32(cell.bytes.size());
    return f;
}

class Database
{
public:
    explicit Database(const QString& path)
    {
        QVERIFY(sqlite3_open(QFile::encodeName(path).constData(), &m_db) == SQLITE_OK);
    }
    ~Database() { sqlite3_close(m_db); }
    sqlite3* handle() const { return m_db; }

    void run(const QByteArray& sql)
    {
        char* message = nullptr;
        const int rc = sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, &message);
        const QByteArray error(message ? message : "");
        sqlite3_free(message);
        QVERIFY2(rc == SQLITE_OK, sql + ": " + error);
    }

    void insert(const QVector<Row>& rows)
    {
        run("BEGIN");
        sqlite3_stmt* statement = nullptr;
        QCOMPARE(sqlite3_prepare_v2(m_db, "INSERT INTO T (rowid, a, b, n, c) VALUES (?, ?, ?, ?, ?)", -1,
                                    &statement, nullptr),
                 SQLITE_OK);
        for (const Row& row : rows) {
            sqlite3_bind_int64(statement, 1, row.rowid);
            for (int i = 0; i < 4; ++i) {
                const Cell& cell = row.cells[i];
                switch (cell.kind) {
                case Kind::Null:
                    sqlite3_bind_null(statement, i + 2);
                    break;
                case Kind::Integer:
                    sqlite3_bind_int64(statement, i + 2, cell.integer);
                    break;
                case Kind::Real:
                    sqlite3_bind_double(statement, i + 2, cell.real);
                    break;
                case Kind::Text:
                    sqlite3_bind_text(statement, i + 2, cell.bytes.constData(), int(cell.bytes.size()),
                                      SQLITE_TRANSIENT);
                    break;
                case Kind::Blob:
                    sqlite3_bind_blob(statement, i + 2, cell.bytes.constData(), int(cell.bytes.size()),
                                      SQLITE_TRANSIENT);
                    break;
                }
            }
            QCOMPARE(sqlite3_step(statement), SQLITE_DONE);
            sqlite3_reset(statement);
        }
        sqlite3_finalize(statement);
        run("COMMIT");
    }

    // Every row of a query, values as SQLite gives them back.
    QList<QByteArray> rows(const QByteArray& sql)
    {
        QList<QByteArray> result;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
            result << "error: " + QByteArray(sqlite3_errmsg(m_db));
            return result;
        }
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QByteArray line;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const int type = sqlite3_column_type(statement, i);
                const char* bytes = static_cast<const char*>(sqlite3_column_blob(statement, i));
                line += QByteArray::number(type) + ':' + QByteArray(bytes, sqlite3_column_bytes(statement, i)).toHex() + '|';
            }
            result << line;
        }
        sqlite3_finalize(statement);
        return result;
    }

private:
    sqlite3* m_db = nullptr;
};

void writeWithCreateIndex(const QString& path, const QVector<Row>& rows, int pageSize)
{
    Database db(path);
    db.run("PRAGMA page_size = " + QByteArray::number(pageSize));
    db.run(kCreateTable);
    db.insert(rows);
    for (const IndexDefinition& index : testIndexes())
        db.run(index.createStatement().toUtf8());
}

// The steps of an import: rows inserted, their keys gathered as bound (or read back), the
// file closed for the pages, then opened again for the schema.
void writeWithPages(const QString& path, const QVector<Row>& rows, int pageSize, bool autoVacuum,
                    bool gatherBoundKeys)
{
    IndexBulkLoad indexes(testIndexes());
    {
        Database db(path);
        db.run("PRAGMA page_size = " + QByteArray::number(pageSize));
        db.run(autoVacuum ? "PRAGMA auto_vacuum = FULL" : "PRAGMA auto_vacuum = NONE");
        db.run(kCreateTable);
        db.insert(rows);
        if (gatherBoundKeys) {
            auto keys = std::make_shared<IndexKeys>();
            QVERIFY(keys->start(db.handle(), QStringLiteral("T"), indexes.keyColumns(QStringLiteral("T")),
                                IndexKeys::Source::Bound));
            for (const Row& row : rows) {
                // keyColumns() lists a, b, n, c: the order they first appear in the indexes.
                const IndexKeys::Field fields[] = {field(row.cells[0]), field(row.cells[1]), field(row.cells[2]),
                                                   field(row.cells[3])};
                keys->addRow(row.rowid, fields);
            }
            QVERIFY(keys->finish());
            indexes.useKeys(QStringLiteral("T"), keys);
        }
        indexes.readKeys(db.handle(), path);
    }
    QString error;
    QVERIFY2(indexes.appendPages(path, &error), qPrintable(error));
    Database db(path);
    QVERIFY2(indexes.declare(db.handle(), &error), qPrintable(error));
}

QByteArray indexOrder(const IndexDefinition& index)
{
    const QByteArray columns = index.columns.join(QLatin1String(", ")).toUtf8();
    QByteArray sql = "SELECT rowid, " + columns + " FROM T INDEXED BY " + index.name.toUtf8();
    if (!index.requiredColumn.isEmpty())
        sql += " WHERE " + index.requiredColumn.toUtf8() + " IS NOT NULL";
    return sql + " ORDER BY " + columns;
}

} // namespace

class TestIndexBulkLoad : public QObject
{
    Q_OBJECT

private slots:
    void writesTheIndexesCreateIndexWould_data();
    void writesTheIndexesCreateIndexWould();
    void keysBoundAsSQLiteWouldConvertThemAreReadBack();
};

void TestIndexBulkLoad::writesTheIndexesCreateIndexWould_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<bool>("longTexts");
    QTest::addColumn<bool>("gatherBoundKeys");
    QTest::addColumn<bool>("autoVacuum");

    // Small pages make trees several levels deep from a few thousand rows.
    QTest::newRow("deep trees, keys read back") << 6000 << 512 << false << false << false;
    QTest::newRow("deep trees, keys as bound") << 6000 << 512 << false << true << false;
    QTest::newRow("entries too long for small pages") << 3000 << 512 << true << false << false;
    QTest::newRow("usual pages, long entries") << 3000 << 4096 << true << false << false;
    QTest::newRow("largest pages") << 3000 << 65536 << false << true << false;
    QTest::newRow("one leaf") << 5 << 4096 << false << false << false;
    QTest::newRow("empty table") << 0 << 4096 << false << false << false;
    QTest::newRow("pages kept for vacuum: all by CREATE INDEX") << 500 << 1024 << false << false << true;
}

void TestIndexBulkLoad::writesTheIndexesCreateIndexWould()
{
    QFETCH(int, rowCount);
    QFETCH(int, pageSize);
    QFETCH(bool, longTexts);
    QFETCH(bool, gatherBoundKeys);
    QFETCH(bool, autoVacuum);

    QTemporaryDir dir;
    const QVector<Row> rows = makeRows(rowCount, longTexts, gatherBoundKeys);
    const QString expectedPath = dir.filePath(QStringLiteral("expected.db"));
    const QString writtenPath = dir.filePath(QStringLiteral("written.db"));
    writeWithCreateIndex(expectedPath, rows, pageSize);
    writeWithPages(writtenPath, rows, pageSize, autoVacuum, gatherBoundKeys);
    if (QTest::currentTestFailed())
        return;

    Database expected(expectedPath);
    Database written(writtenPath);
    QCOMPARE(written.rows("PRAGMA integrity_check"), expected.rows("PRAGMA integrity_check"));
    QCOMPARE(written.rows("SELECT type, name, tbl_name, sql FROM sqlite_master"),
             expected.rows("SELECT type, name, tbl_name, sql FROM sqlite_master"));
    for (const IndexDefinition& index : testIndexes()) {
        const QList<QByteArray> order = written.rows(indexOrder(index));
        QCOMPARE(order.size(), expected.rows(indexOrder(index)).size());
        QVERIFY2(order == expected.rows(indexOrder(index)), qPrintable(index.name));
    }
    // Lookups through the indexes find what a full scan finds.
    QCOMPARE(written.rows("SELECT rowid FROM T INDEXED BY ByA WHERE a = 'abc' ORDER BY rowid"),
             written.rows("SELECT rowid FROM T NOT INDEXED WHERE a = 'abc' ORDER BY rowid"));
    QCOMPARE(written.rows("SELECT rowid FROM T INDEXED BY ByN WHERE n = 2147483648 ORDER BY rowid"),
             written.rows("SELECT rowid FROM T NOT INDEXED WHERE n = 2147483648 ORDER BY rowid"));
}

void TestIndexBulkLoad::keysBoundAsSQLiteWouldConvertThemAreReadBack()
{
    // A number bound to a text column is stored as text: keys gathered from what was bound
    // would be wrong, so they are refused and read back from the file instead.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.db"));
    Database db(path);
    db.run(kCreateTable);
    const Cell x = text("x");
    const Cell seven = integer(7);
    const Cell three = real(3.0);
    const Cell one = integer(1);
    IndexKeys keys;
    QVERIFY(keys.start(db.handle(), QStringLiteral("T"), {QStringLiteral("a"), QStringLiteral("n")},
                       IndexKeys::Source::Bound));
    const IndexKeys::Field sound[] = {field(x), field(seven)};
    keys.addRow(1, sound);
    const IndexKeys::Field numberInTextColumn[] = {field(seven), field(seven)};
    keys.addRow(2, numberInTextColumn);
    QVERIFY(!keys.finish());

    QVERIFY(keys.start(db.handle(), QStringLiteral("T"), {QStringLiteral("n")}, IndexKeys::Source::Bound));
    const IndexKeys::Field realInIntegerColumn[] = {field(three)};
    keys.addRow(1, realInIntegerColumn);
    QVERIFY(!keys.finish());

    QVERIFY(keys.start(db.handle(), QStringLiteral("T"), {QStringLiteral("n")}, IndexKeys::Source::Bound));
    const IndexKeys::Field integerOne[] = {field(one)};
    keys.addRow(2, integerOne);
    keys.addRow(1, integerOne); // rowids must grow
    QVERIFY(!keys.finish());

    QVERIFY(keys.start(db.handle(), QStringLiteral("T"), {QStringLiteral("n")}, IndexKeys::Source::Bound));
    keys.addRow(1, integerOne);
    QVERIFY(keys.finish());
}

QTEST_GUILESS_MAIN(TestIndexBulkLoad)
#include "tst_indexbulkload.moc"
