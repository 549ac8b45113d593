#include "SmallFiles.h"
#include "StatementRows.h"
#include "TestProgram.h"

#include "catalogue/copy/AccessCatalogue.h"

#include "Jet4Writer.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <sqlite3.h>

#include <functional>

// The structure above the rows of an Access catalogue: table definitions, the system
// catalogue, the pages long values lie on, text markers and the tables' property values.
// Each kind of damage is made in one place of a catalogue the Jet writer wrote, and the file
// converted as the program converts it: refused, or read with exactly the values written.

namespace {

using Kind = Jet4ColumnDefinition::Kind;

struct TableSpec
{
    QString name;
    QVector<Jet4ColumnDefinition> columns;
    QVector<QVariantList> rows;
    QVector<QVariantList> deletedRows;
    QByteArray properties;
};

QByteArray utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QByteArray le(quint32 value, int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(value >> (8 * i));
    return bytes;
}

// A table's property values as Access keeps them: "MR2", a block naming the properties, then
// a block of values, each a record of its length, flags, type, name number, size and bytes.
QByteArray properties(int blockLength = -1, int recordLength = -1)
{
    const QByteArray name = utf16(QStringLiteral("Description"));
    const QByteArray names = le(quint32(name.size()), 2) + name;
    const QByteArray value = utf16(QString(2100, QLatin1Char('d')));
    const QByteArray record = le(recordLength < 0 ? quint32(8 + value.size()) : quint32(recordLength), 2) +
                              QByteArray(1, '\0') + QByteArray(1, char(10)) + le(0, 2) +
                              le(quint32(value.size()), 2) + value;
    const QByteArray values = le(quint32(6 + record.size()), 4) + le(0, 2) + record;
    return QByteArray("MR2\0", 4) + le(quint32(6 + names.size()), 4) + le(0x80, 2) + names +
           le(blockLength < 0 ? quint32(6 + values.size()) : quint32(blockLength), 4) + le(0, 2) + values;
}

QVector<TableSpec> catalogue()
{
    const QString longDescription = QStringLiteral(
        "Disjuntor bipolar 20 A, curva C, 6 kA, para trilho DIN, com terminais de pressão e proteção IP20");
    return {
        {QStringLiteral("Tabela Referencias"),
         {{QStringLiteral("Numero"), Kind::Long},
          {QStringLiteral("Referencia"), Kind::Text},
          {QStringLiteral("Descriçao"), Kind::Text},
          {QStringLiteral("Preço"), Kind::Double},
          {QStringLiteral("IPI"), Kind::Double},
          {QStringLiteral("Class fiscal"), Kind::Text},
          {QStringLiteral("CodAnexo"), Kind::Long}},
         {{999999, QStringLiteral("KV-2104"), longDescription, 12.5, 5.0, QStringLiteral("85362000"), 1},
          {2, QStringLiteral("KV-100"), QStringLiteral("Tomada"), 3.25, QVariant(),
           QStringLiteral("85366900"), QVariant()}},
         {},
         properties()},
        {QStringLiteral("TabelaFotos"),
         {{QStringLiteral("Numeracao"), Kind::Long}, {QStringLiteral("FOTO"), Kind::Ole}},
         {{1, QByteArray("jpg").leftJustified(30, ' ') + QByteArray(300, 'p')}},
         {},
         {}},
        {QStringLiteral("TabelaAnexos"),
         {{QStringLiteral("Numeracao"), Kind::Long}, {QStringLiteral("FOTO"), Kind::Ole}},
         {{1, QByteArray("pdf").leftJustified(30, ' ') + QByteArray(70, 'd')}},
         {},
         {}},
        {QStringLiteral("RELATIONS"),
         {{QStringLiteral("REFERENCE"), Kind::Text},
          {QStringLiteral("COMPANY"), Kind::Text},
          {QStringLiteral("FAMILY"), Kind::Text},
          {QStringLiteral("REFERENCE_SET"), Kind::Long}},
         {{QStringLiteral("ELX-20"), QStringLiteral("ELETRAMAX"), QStringLiteral("DJ"), 1}},
         {},
         {}},
        {QStringLiteral("FAMILIES"),
         {{QStringLiteral("FAMILY"), Kind::Text}, {QStringLiteral("DESCRIPTION"), Kind::Text}},
         {{QStringLiteral("DJ"), QStringLiteral("Disjuntores")}},
         {},
         {}},
    };
}

QByteArray written(const QString& path, const QVector<TableSpec>& tables)
{
    Jet4Writer writer(path);
    bool ok = writer.open();
    for (const TableSpec& table : tables) {
        ok = ok && writer.beginTable(table.name, table.columns, table.properties);
        for (const QVariantList& row : table.deletedRows)
            ok = ok && writer.addDeletedRow(row);
        for (const QVariantList& row : table.rows)
            ok = ok && writer.addRow(row);
        ok = ok && writer.endTable();
    }
    ok = ok && writer.finish();
    return ok ? readFile(path) : QByteArray();
}

// Places in the default catalogue, found through the pages' own headers and row offsets.
struct Places
{
    QByteArray file;
    QVector<int> definitions;     // in the order the tables were written
    QMap<int, int> firstDataPage; // by owning definition page
    int propertyChain = 0;        // the long-value page holding the first piece of the properties

    explicit Places(const QByteArray& bytes) : file(bytes)
    {
        for (int page = 3; page < file.size() / 4096; ++page) {
            const char* p = file.constData() + page * 4096;
            if (p[0] == 0x02)
                definitions.append(page);
            else if (p[0] == 0x01 && QByteArray(p + 4, 4) == "LVAL" && at16(page * 4096 + 12) == 1 &&
                     at16(page * 4096 + 14) == 16)
                propertyChain = page;
            else if (p[0] == 0x01 && !firstDataPage.contains(int(at32(page * 4096 + 4))))
                firstDataPage[int(at32(page * 4096 + 4))] = page;
        }
    }
    int at16(int offset) const { return qFromLittleEndian<quint16>(file.constData() + offset); }
    quint32 at32(int offset) const { return qFromLittleEndian<quint32>(file.constData() + offset); }
    void put16(int offset, int value) { qToLittleEndian<quint16>(quint16(value), file.data() + offset); }
    void put32(int offset, quint32 value) { qToLittleEndian<quint32>(value, file.data() + offset); }
    // Column `c` of table `t`'s definition: type at +0, number at +5, variable number at +7,
    // flags at +15, fixed offset at +21.
    int column(int t, int c) const { return definitions.at(t) * 4096 + 63 + 25 * c; }
    int definitionField(int t, int offset) const { return definitions.at(t) * 4096 + offset; }
    int dataPage(int t) const { return firstDataPage.value(t < 0 ? 2 : definitions.at(t)); }
    int rowStart(int page, int row) const
    {
        return page * 4096 + (at16(page * 4096 + 14 + 2 * row) & 0x1fff);
    }
    int rowEnd(int page, int row) const { return row == 0 ? (page + 1) * 4096 : rowStart(page, row - 1); }
    // Where variable column `v` of row `r` of table `t` starts; rows have one mask byte here.
    int variableStart(int t, int r, int v) const
    {
        const int page = dataPage(t);
        return rowStart(page, r) + at16(rowEnd(page, r) - 1 - 2 - 2 * (v + 1));
    }
};

const QString kRefused = QStringLiteral("<refused>");
const QString kHouseRows = QStringLiteral(
    "SELECT group_concat(row, ';') FROM (SELECT quote(Numero) || ',' || quote(Referencia) || ',' || "
    "quote(Descriçao) || ',' || quote(Preço) || ',' || quote(IPI) || ',' || quote([Class fiscal]) || ',' || "
    "quote(CodAnexo) AS row FROM [Tabela Referencias] ORDER BY rowid)");
const QString kStoredFiles = QStringLiteral("SELECT (SELECT length(FOTO) FROM TabelaFotos) || ',' || "
                                            "(SELECT length(FOTO) FROM TabelaAnexos)");

} // namespace

class TestAccessStructure : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsExactlyOrRefuses_data();
    void readsExactlyOrRefuses();

private:
    QTemporaryDir m_dir;
    QString m_houseRows;
};

void TestAccessStructure::initTestCase()
{
    useOwnCacheFolder();
    QVERIFY(m_dir.isValid());
    const QStringList rows = {QStringLiteral("999999,'KV-2104','%1',12.5,5.0,'85362000',1")
                                  .arg(catalogue().first().rows.first().at(2).toString()),
                              QStringLiteral("2,'KV-100','Tomada',3.25,NULL,'85366900',NULL")};
    m_houseRows = rows.join(QLatin1Char(';'));
}

void TestAccessStructure::readsExactlyOrRefuses_data()
{
    QTest::addColumn<QByteArray>("content");
    // One row of text the query gives on the copy, or "<refused>".
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("expected");

    const QString path = m_dir.filePath(QStringLiteral("base.mdb"));
    const Places base(written(path, catalogue()));
    QVERIFY(base.definitions.size() == 5 && base.propertyChain > 0 && base.dataPage(-1) > 0);
    const auto damaged = [&](const char* name, const QString& query, const QString& expected,
                             const std::function<void(Places&)>& damage) {
        Places places = base;
        damage(places);
        QTest::newRow(name) << places.file << query << expected;
    };
    const auto writtenAs = [&](const char* name, const QString& query, const QString& expected,
                               const std::function<void(QVector<TableSpec>&)>& change) {
        QVector<TableSpec> tables = catalogue();
        change(tables);
        QTest::newRow(name) << written(path, tables) << query << expected;
    };
    const int house = 0;
    const int photos = 1;
    const int drawings = 2;

    damaged("sound", kHouseRows, m_houseRows, [](Places&) {});
    damaged("sound, stored files", kStoredFiles, QStringLiteral("330,100"), [](Places&) {});
    writtenAs("deleted columns and rows", kHouseRows, m_houseRows, [](QVector<TableSpec>& tables) {
        TableSpec& table = tables.first();
        table.columns.insert(1, {QStringLiteral("Antigo"), Kind::Double, true});
        table.columns.insert(3, {QStringLiteral("Nota"), Kind::Text, true});
        for (QVariantList& row : table.rows) {
            row.insert(1, 99.5);
            row.insert(3, QStringLiteral("apagada"));
        }
        table.deletedRows = {{7, 1.0, QStringLiteral("KV-7"), QStringLiteral("x"), QStringLiteral("Velho"),
                              1.0, 2.0, QStringLiteral("1"), 3}};
    });

    // Table definitions.
    damaged("variable-column count 0", kHouseRows, kRefused,
            [&](Places& p) { p.put16(p.definitionField(house, 43), 0); });
    damaged("variable-column number used twice", kHouseRows, kRefused,
            [&](Places& p) { p.put16(p.column(house, 2) + 7, 2); });
    damaged("fixed columns overlapping", kHouseRows, kRefused,
            [&](Places& p) { p.put16(p.column(house, 3) + 21, 8); });
    damaged("fixed flag cleared", kHouseRows, kRefused, [&](Places& p) {
        p.file[p.column(house, 6) + 15] = char(p.file.at(p.column(house, 6) + 15) & ~1);
    });
    damaged("long integer marked integer", kHouseRows, kRefused,
            [&](Places& p) { p.file[p.column(house, 0)] = 3; });
    damaged("double marked long integer", kHouseRows, kRefused,
            [&](Places& p) { p.file[p.column(house, 3)] = 4; });
    damaged("OLE marked binary", kStoredFiles, kRefused, [&](Places& p) { p.file[p.column(photos, 1)] = 9; });
    damaged("text marked boolean", kHouseRows, kRefused, [&](Places& p) { p.file[p.column(house, 2)] = 1; });
    damaged("unknown type code", kHouseRows, kRefused,
            [&](Places& p) { p.file[p.column(house, 5)] = char(0xee); });
    damaged("column number used twice", kHouseRows, kRefused,
            [&](Places& p) { p.put16(p.column(house, 5) + 5, 2); });
    damaged("column number beyond the null mask", kHouseRows, kRefused,
            [&](Places& p) { p.put16(p.column(house, 6) + 5, 7); });

    // Rows.
    damaged("row's variable-column count one short", kHouseRows, kRefused, [&](Places& p) {
        const int page = p.dataPage(house);
        p.put16(p.rowEnd(page, 0) - 1 - 2, 2);
    });

    // The system catalogue: its rows are MSysObjects, then the tables in order, Id first.
    damaged("two tables on one definition page", kStoredFiles, kRefused, [&](Places& p) {
        p.put32(p.rowStart(p.dataPage(-1), 1 + photos) + 2, quint32(p.definitions.at(drawings)));
    });
    writtenAs("two tables of one name", kStoredFiles, kRefused,
              [](QVector<TableSpec>& tables) { tables[photos].name = QStringLiteral("tabelaanexos"); });

    // Long values and text.
    damaged("one-row long value on a data page", kStoredFiles, kRefused, [&](Places& p) {
        p.put32(p.variableStart(drawings, 0, 0) + 4, quint32(p.dataPage(house)) << 8);
    });
    damaged("compressed-text marker damaged", kHouseRows, kRefused,
            [&](Places& p) { p.file[p.variableStart(house, 0, 0)] = char(0xfe); });

    // Property values: the import never parses them, so no damage there changes a value.
    damaged("property chain that loops", kHouseRows, m_houseRows,
            [&](Places& p) { p.put32(p.propertyChain * 4096 + 16, quint32(p.propertyChain) << 8); });
    writtenAs("property block of length 0", kHouseRows, m_houseRows,
              [](QVector<TableSpec>& tables) { tables[house].properties = properties(0); });
    writtenAs("property record of length 0", kHouseRows, m_houseRows,
              [](QVector<TableSpec>& tables) { tables[house].properties = properties(-1, 0); });

    // Catalogue columns of a type that holds no such value.
    writtenAs("price in a text column", kHouseRows, kRefused,
              [](QVector<TableSpec>& tables) { tables[house].columns[3].kind = Kind::Text; });
    writtenAs("fiscal class in a number column", kHouseRows, kRefused,
              [](QVector<TableSpec>& tables) { tables[house].columns[5].kind = Kind::Long; });
    writtenAs("photo in a number column", kStoredFiles, kRefused, [](QVector<TableSpec>& tables) {
        tables[photos].columns[1].kind = Kind::Long;
        tables[photos].rows = {{1, 5}};
    });
    writtenAs("photo in a memo column", kStoredFiles, QStringLiteral("33,100"),
              [](QVector<TableSpec>& tables) {
                  tables[photos].columns[1].kind = Kind::Memo;
                  tables[photos].rows = {{1, QStringLiteral("png").leftJustified(33, QLatin1Char(' '))}};
              });
}

void TestAccessStructure::readsExactlyOrRefuses()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, query);
    QFETCH(QString, expected);
    QVERIFY(!content.isEmpty());
    // A file of its own per case: the copies are kept by path, size and time.
    const QString access =
        m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".mdb"));
    QVERIFY(writeFile(access, content));
    const QString copy = AccessCatalogue::sqliteCopy(access).path;
    if (expected == kRefused) {
        QVERIFY2(copy.isEmpty(), "the damaged file was converted");
        return;
    }
    QVERIFY2(!copy.isEmpty(), "the file was refused");
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(copy).constData(), &db, SQLITE_OPEN_READONLY, nullptr),
             SQLITE_OK);
    const QList<QVariantList> rows = statementRows(db, query);
    sqlite3_close(db);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().first().toString(), expected);
}

QTEST_GUILESS_MAIN(TestAccessStructure)
#include "tst_accessstructure.moc"
