#include "access/AccessDatabase.h"
#include "access/AccessNative.h"
#include "access/AccessRowBatch.h"
#include "access/AccessTableReader.h"

#include "Jet4Writer.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>

namespace {

// The Access samples shared beside the project, as the build names them (tests/CMakeLists.txt).
QString samplesDirectory()
{
    return qEnvironmentVariable("LUMEO_ACCESS_SAMPLES");
}
const char* const kNullMark = "<<null>>";
// The shared sample encrypted with the password "password" (Office encryption of the whole file).
const QLatin1String kEncryptedSample("office-agile-4.2.accdb");
// mdb-export prints dates before 1899-12-30 as day 0 of 1900; these are the dates the
// sample's origin says its rows hold, in the table's order.
const QHash<QString, QStringList> kSampleOldDates = {
    {QStringLiteral("oldDatesV2007.accdb/Table1"),
     {QStringLiteral("1582-10-15 00:00:00"), QStringLiteral("1582-10-14 00:00:00"),
      QStringLiteral("1492-01-10 00:00:00"), QStringLiteral("1392-01-10 00:00:00")}},
};
// Sample tables holding a column the reader cannot read, with what their refusal names.
const QHash<QString, QString> kRefusedSampleTables = {
    {QStringLiteral("unsupportedFieldsTestV2007.accdb/Test"),
     QStringLiteral("coluna UnknownVar é de um tipo")},
};
const char* const kDateFormat = "%Y-%m-%d %H:%M:%S";

// Jet type codes the comparison needs to tell apart.
enum JetType
{
    Boolean = 1,
    Byte = 2,
    Integer = 3,
    LongInteger = 4,
    Currency = 5,
    Single = 6,
    Double = 7,
    DateTime = 8,
    Binary = 9,
    Text = 10,
    Ole = 11,
    Memo = 12,
    Guid = 15,
    Decimal = 16
};

struct CsvField
{
    QByteArray text;
    bool quoted = false;
};
using CsvRow = QVector<CsvField>;

// mdb-export's CSV: fields quoted with '"' when text-like, quotes doubled, rows ending in
// '\n'; line breaks inside quoted fields belong to the field.
QVector<CsvRow> parseCsv(const QByteArray& data)
{
    QVector<CsvRow> rows;
    CsvRow row;
    CsvField field;
    bool inQuotes = false;
    for (int i = 0; i < data.size(); ++i) {
        const char c = data.at(i);
        if (inQuotes) {
            if (c == '"' && i + 1 < data.size() && data.at(i + 1) == '"') {
                field.text.append('"');
                ++i;
            } else if (c == '"') {
                inQuotes = false;
            } else {
                field.text.append(c);
            }
        } else if (c == '"') {
            inQuotes = true;
            field.quoted = true;
        } else if (c == ',') {
            row.append(field);
            field = CsvField();
        } else if (c == '\n') {
            row.append(field);
            rows.append(row);
            row.clear();
            field = CsvField();
        } else {
            field.text.append(c);
        }
    }
    if (!row.isEmpty() || !field.text.isEmpty())
        rows.append(row << field);
    return rows;
}

bool exportTable(const QString& program, const QString& file, const QString& table, QVector<CsvRow>* rows)
{
    QProcess process;
    process.start(program,
                  {QStringLiteral("-b"), QStringLiteral("hex"), QStringLiteral("-0"),
                   QString::fromLatin1(kNullMark), QStringLiteral("-D"), QString::fromLatin1(kDateFormat),
                   QStringLiteral("-T"), QString::fromLatin1(kDateFormat), file, table});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return false;
    *rows = parseCsv(process.readAllStandardOutput());
    return true;
}

// For each row of the table in its own order, the place in `exported` of the row mdb-export
// printed for it; empty when the two hold different rows. mdb-export prints every row the
// table's pages hold in their order, skipping only slots flagged 0x4000, so a row that grew
// and was moved is printed where its values now lie (a slot flagged 0x8000). The table holds
// it where its slot stands: that slot is flagged 0x4000 and holds the address of the values.
// Deleted rows are flagged 0xc000. The slots are walked here through the library's own pages.
QVector<int> tableOrder(const QString& file, const QString& table, int exported)
{
    AccessDatabase database(file);
    MdbCatalogEntry* entry = database.native().entry(table);
    MdbTableDef* definition = entry ? mdb_read_table(entry) : nullptr;
    if (!definition)
        return {};
    MdbHandle* mdb = definition->entry->mdb;
    QHash<quint32, int> printed;
    QVector<quint32> order;
    mdb_rewind_table(definition);
    while (mdb_read_next_dpg(definition)) {
        const unsigned char* page = mdb->pg_buf;
        const int rows = qFromLittleEndian<quint16>(page + 12);
        for (int row = 0; row < rows && 14 + 2 * row + 2 <= 4096; ++row) {
            const int slot = qFromLittleEndian<quint16>(page + 14 + 2 * row);
            const int start = slot & 0x1fff;
            const int end = row == 0 ? 4096 : qFromLittleEndian<quint16>(page + 12 + 2 * row) & 0x1fff;
            const quint32 place = quint32(mdb->cur_pg) << 8 | quint32(row);
            if (end <= start)
                continue;
            if (!(slot & 0x4000))
                printed.insert(place, int(printed.size()));
            if (slot & 0x8000)
                continue;
            order.append((slot & 0x4000) && end - start >= 4 ? qFromLittleEndian<quint32>(page + start)
                                                             : place);
        }
    }
    mdb_free_tabledef(definition);
    QVector<int> indexes;
    QSet<int> used;
    for (const quint32 place : order) {
        const int index = printed.value(place, -1);
        if (index < 0 || used.contains(index))
            return {};
        used.insert(index);
        indexes.append(index);
    }
    return indexes.size() == exported ? indexes : QVector<int>();
}

bool nearlyEqual(double a, double b, double relative)
{
    return std::fabs(a - b) <= relative * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

// Empty text or bytes print as nothing, like a null: mdb-export tells them apart by length.
bool isNullOrEmpty(const QVariant& value)
{
    return value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty()) ||
           (value.typeId() == QMetaType::QByteArray && value.toByteArray().isEmpty());
}

// Why the value read differs from what mdb-export printed, or an empty string.
QString difference(const QVariant& value, const CsvField& exported, int type)
{
    const auto differs = [&](const QString& mine) {
        return QStringLiteral("read %1, mdb-export printed %2").arg(mine, QString::fromUtf8(exported.text));
    };
    if (!exported.quoted && exported.text == kNullMark)
        return isNullOrEmpty(value) ? QString() : differs(value.toString());
    if (value.isNull())
        return isNullOrEmpty(QVariant(QString::fromUtf8(exported.text))) ? QString()
                                                                         : differs(QStringLiteral("null"));
    switch (type) {
    case Boolean:
        return (value.toBool() ? "1" : "0") == exported.text ? QString() : differs(value.toString());
    case Byte:
    case Integer:
    case LongInteger:
        return QByteArray::number(value.toLongLong()) == exported.text ? QString()
                                                                       : differs(value.toString());
    case Single:
        return nearlyEqual(value.toDouble(), exported.text.toDouble(), 1e-6) ? QString()
                                                                             : differs(value.toString());
    case Double:
        return nearlyEqual(value.toDouble(), exported.text.toDouble(), 1e-14) ? QString()
                                                                              : differs(value.toString());
    case Currency:
    case Decimal:
        return nearlyEqual(value.toDouble(), exported.text.toDouble(), 1e-9) ? QString()
                                                                             : differs(value.toString());
    case DateTime: {
        const QDateTime rounded = value.toDateTime().addMSecs(500);
        const QString mine = rounded.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        return mine.toUtf8() == exported.text ? QString() : differs(mine);
    }
    case Binary:
    case Ole: {
        const QByteArray mine = value.toByteArray().toHex().toUpper();
        return mine == exported.text ? QString()
                                     : differs(QStringLiteral("%1 bytes").arg(value.toByteArray().size()));
    }
    default:
        return value.toString() == QString::fromUtf8(exported.text) ? QString() : differs(value.toString());
    }
}

QByteArray repeated(const QByteArray& pattern, int size)
{
    QByteArray bytes;
    while (bytes.size() < size)
        bytes += pattern;
    return bytes.left(size);
}

QString repeated(const QString& pattern, int size)
{
    QString text;
    while (text.size() < size)
        text += pattern;
    return text.left(size);
}

using Kind = Jet4ColumnDefinition::Kind;

// A file of the writer's own with every kind of value it writes: text that compresses,
// text that must switch between one- and two-byte runs, text that cannot compress, memo and
// OLE values inside the row, on one long-value page and on a chain of them, nulls and empty
// values, enough rows for many data pages, and a table whose pages spread so far that its
// usage map needs map pages of its own.
bool writeVarietyFile(const QString& path, std::uint32_t encodingKey, QString* error)
{
    Jet4Writer writer(path, encodingKey);
    const QVector<Jet4ColumnDefinition> columns = {
        {QStringLiteral("Id"), Kind::Long},    {QStringLiteral("Número"), Kind::Double},
        {QStringLiteral("Texto"), Kind::Text}, {QStringLiteral("Nota"), Kind::Memo},
        {QStringLiteral("Dados"), Kind::Ole},
    };
    const QStringList texts = {
        QStringLiteral("ação, preço e composição"), QStringLiteral("€ 12,50 — Ωmega"),
        QStringLiteral("Ā começa com 0x0100"),      QStringLiteral("aspas \"duplas\" e 'simples'"),
        QStringLiteral("linha 1\nlinha 2"),         QString(QLatin1String(""))};
    const QStringList memos = {QStringLiteral("curta"), repeated(QStringLiteral("memória média "), 900),
                               repeated(QStringLiteral("longa ção €"), 5000),
                               repeated(QStringLiteral("Ā"), 3000)};
    const QVector<QByteArray> blobs = {QByteArray("\x00\x01\x02", 3),
                                       repeated(QByteArray("\xff\x00\x7f"), 3000),
                                       repeated(QByteArray("0123456789abcdef"), 20000)};
    bool ok = writer.open() && writer.beginTable(QStringLiteral("Variedade"), columns);
    for (int i = 0; ok && i < 3000; ++i) {
        const bool nulls = i % 7 == 3;
        ok = writer.addRow({i % 11 == 5 ? QVariant() : QVariant(i * 37 - 5000),
                            nulls ? QVariant() : QVariant(i / 3.0 - 100.25),
                            nulls ? QVariant() : QVariant(texts.at(i % texts.size()) + QString::number(i)),
                            i % 5 == 0 ? QVariant() : QVariant(memos.at(i % memos.size())),
                            i % 3 == 0 ? QVariant() : QVariant(blobs.at(i % blobs.size()))});
    }
    ok = ok && writer.endTable();
    ok = ok && writer.beginTable(QStringLiteral("Espalhada"),
                                 {{QStringLiteral("Id"), Kind::Long}, {QStringLiteral("Foto"), Kind::Ole}});
    for (int i = 0; ok && i < 4200; ++i)
        ok = writer.addRow({i, repeated(QByteArray::number(i) + ";", 3900)});
    ok = ok && writer.endTable() && writer.finish();
    if (!ok)
        *error = writer.errorString();
    return ok;
}

// A table as years of editing leave it: a fixed and a variable column deleted (the definition
// counting the deleted one, as Access does), the last two columns added after the first rows
// were written, rows deleted, rows moved to another page, and slack bytes between rows'
// variable data and their offsets. Row `i` holds Id `i`; the rows before kEditedAddedAfter
// have no Obs or Qtd.
constexpr int kEditedRows = 600;
constexpr int kEditedAddedAfter = 200;

bool isMovedEditedRow(int i)
{
    return i % 50 == 7;
}

QVariantList editedRow(int i)
{
    const bool added = i >= kEditedAddedAfter;
    return {i,
            i * 0.5,
            QStringLiteral("REF-%1").arg(i),
            QStringLiteral("apagada %1").arg(i),
            i % 9 == 4 ? QVariant()
                       : QVariant(repeated(QStringLiteral("nota %1 ").arg(i), 10 + (i % 4) * 400)),
            i * 1.25,
            added && i % 5 != 0 ? QVariant(QStringLiteral("obs %1").arg(i)) : QVariant(),
            added ? QVariant(i * 3) : QVariant()};
}

bool writeEditedFile(const QString& path, QString* error)
{
    Jet4Writer writer(path);
    const QVector<Jet4ColumnDefinition> columns = {
        {QStringLiteral("Id"), Kind::Long},         {QStringLiteral("Antigo"), Kind::Double, true},
        {QStringLiteral("Referencia"), Kind::Text}, {QStringLiteral("Nota"), Kind::Text, true},
        {QStringLiteral("Descricao"), Kind::Memo},  {QStringLiteral("Preco"), Kind::Double},
        {QStringLiteral("Obs"), Kind::Text},        {QStringLiteral("Qtd"), Kind::Long},
    };
    bool ok = writer.open() && writer.beginTable(QStringLiteral("Editada"), columns);
    for (int i = 0; ok && i < kEditedRows; ++i) {
        Jet4RowEdits edits;
        edits.columns = i < kEditedAddedAfter ? 6 : 0;
        edits.slack = i % 3;
        edits.moved = isMovedEditedRow(i);
        if (i % 40 == 3) {
            Jet4RowEdits deleted = edits;
            deleted.moved = false;
            deleted.deleted = true;
            ok = writer.addEditedRow(editedRow(-i), deleted);
        }
        ok = ok && writer.addEditedRow(editedRow(i), edits);
    }
    ok = ok && writer.endTable() && writer.finish();
    if (!ok)
        *error = writer.errorString();
    return ok;
}

// Places in a file the writer made with one table, found through the page's own row offsets.
struct DamageMap
{
    QByteArray file;
    int definition = 0;
    int dataPage = 0;

    int at16(int offset) const { return qFromLittleEndian<quint16>(file.constData() + offset); }
    int entry(int page, int row) const { return page * 4096 + 14 + 2 * row; }
    int rowStart(int page, int row) const { return page * 4096 + (at16(entry(page, row)) & 0x1fff); }
    int rowEnd(int row) const { return row == 0 ? (dataPage + 1) * 4096 : rowStart(dataPage, row - 1); }
    // Where variable column `v` of a row keeps its offset (v = 3: the end of the variable data).
    int varEntry(int row, int v) const { return rowEnd(row) - 1 - 4 - 2 * v; }
    int varStart(int row, int v) const { return rowStart(dataPage, row) + at16(varEntry(row, v)); }
    void put16(int offset, int value) { qToLittleEndian<quint16>(quint16(value), file.data() + offset); }
    void put32(int offset, quint32 value) { qToLittleEndian<quint32>(value, file.data() + offset); }
    quint32 at32(int offset) const { return qFromLittleEndian<quint32>(file.constData() + offset); }
    // The first row of the chain a long value starts.
    int firstLink(int row) const
    {
        const quint32 pageRow = at32(varStart(row, 1) + 4);
        return rowStart(int(pageRow >> 8), int(pageRow & 0xff));
    }
};

DamageMap writeDamageBase(const QString& path)
{
    DamageMap map;
    Jet4Writer writer(path);
    const bool ok =
        writer.open() &&
        writer.beginTable(QStringLiteral("TabelaFotos"), {{QStringLiteral("Id"), Kind::Long},
                                                          {QStringLiteral("Referencia"), Kind::Text},
                                                          {QStringLiteral("Descricao"), Kind::Memo},
                                                          {QStringLiteral("Foto"), Kind::Ole}}) &&
        writer.addRow({1, QStringLiteral("KV-100"), repeated(QStringLiteral("Disjuntor ação rápida "), 11000),
                       repeated(QByteArray("\xff\xd8jpeg"), 3000)}) &&
        writer.addRow({2, QStringLiteral("KV-200"), repeated(QStringLiteral("Relé "), 300), QVariant()}) &&
        writer.addRow({3, QStringLiteral("KV-300"), QStringLiteral("curta"), QByteArray("\x89PNG")}) &&
        writer.endTable() && writer.finish();
    QFile file(path);
    if (!ok || !file.open(QIODevice::ReadOnly))
        return map;
    map.file = file.readAll();
    for (int page = 3; page < map.file.size() / 4096; ++page) {
        const char* p = map.file.constData() + page * 4096;
        if (p[0] == 0x02)
            map.definition = page;
        else if (p[0] == 0x01 && QByteArray(p + 4, 4) != "LVAL" && qFromLittleEndian<qint32>(p + 4) != 2)
            map.dataPage = page;
    }
    return map;
}

// What differs between a value appended to a batch, as the copy stores it, and the same value
// read as a Qt value; empty when they agree.
QString batchDifference(const AccessRowBatch& batch, int column, const QVariant& value)
{
    using Kind = AccessRowBatch::Value::Kind;
    const AccessRowBatch::Value& appended = batch.value(0, column);
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return appended.kind == Kind::Null ? QString() : QStringLiteral("not null");
    case QMetaType::Bool:
    case QMetaType::Int:
        return appended.kind == Kind::Integer && appended.integer == value.toLongLong()
                   ? QString()
                   : QStringLiteral("integer %1 appended as %2")
                         .arg(value.toLongLong())
                         .arg(appended.integer);
    case QMetaType::Double:
        return appended.kind == Kind::Real && appended.real == value.toDouble()
                   ? QString()
                   : QStringLiteral("real differs");
    case QMetaType::QString:
        return appended.kind == Kind::Text &&
                       QByteArray(batch.bytes(appended), appended.size) == value.toString().toUtf8()
                   ? QString()
                   : QStringLiteral("text differs");
    case QMetaType::QDateTime:
        return appended.kind == Kind::Text &&
                       QByteArray(batch.bytes(appended), appended.size) ==
                           value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toUtf8()
                   ? QString()
                   : QStringLiteral("date differs");
    case QMetaType::QByteArray:
        return appended.kind == Kind::Blob &&
                       QByteArray(batch.bytes(appended), appended.size) == value.toByteArray()
                   ? QString()
                   : QStringLiteral("bytes differ");
    default:
        return QStringLiteral("appended a %1").arg(QString::fromLatin1(value.typeName()));
    }
}

} // namespace

class TestAccessTableReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsEveryValueAsMdbExportDoes_data();
    void readsEveryValueAsMdbExportDoes();
    void selectsColumns();
    void findsTablesWithoutRegardToCase();
    void readsAnEditedTableInItsOwnOrder();
    void refusesFilesItCannotRead_data();
    void refusesFilesItCannotRead();
    void readsDamagedRowsExactlyOrRefuses_data();
    void readsDamagedRowsExactlyOrRefuses();

private:
    QTemporaryDir m_dir;
    QString m_mdbExport;
    QString m_varietyFile;
};

void TestAccessTableReader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_mdbExport = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    QString error;
    m_varietyFile = m_dir.filePath(QStringLiteral("variety.mdb"));
    QVERIFY2(writeVarietyFile(m_varietyFile, 0, &error), qPrintable(error));
    QVERIFY2(writeVarietyFile(m_dir.filePath(QStringLiteral("variety-rc4.mdb")), 0x5eed1234, &error),
             qPrintable(error));
    QVERIFY2(writeEditedFile(m_dir.filePath(QStringLiteral("edited.mdb")), &error), qPrintable(error));
}

void TestAccessTableReader::readsEveryValueAsMdbExportDoes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("sample");
    // Empty, or what the reason a table is refused for must say.
    QTest::addColumn<QString>("refusal");

    const QStringList written = {m_dir.filePath(QStringLiteral("variety.mdb")),
                                 m_dir.filePath(QStringLiteral("edited.mdb")),
                                 m_dir.filePath(QStringLiteral("variety-rc4.mdb"))};
    for (const QString& file : written) {
        AccessDatabase database(file);
        for (const QString& table : database.tableNames())
            QTest::newRow(qPrintable(QFileInfo(file).fileName() + QLatin1Char('/') + table))
                << file << table << false << QString();
    }
    QFileInfoList samples =
        QDir(samplesDirectory())
            .entryInfoList({QStringLiteral("*.mdb"), QStringLiteral("*.accdb")}, QDir::Files, QDir::Name);
    // mdb-export cannot decrypt it; its rows are checked on their own.
    samples.removeIf([](const QFileInfo& sample) { return sample.fileName() == kEncryptedSample; });
    if (samples.isEmpty())
        QTest::newRow("samples") << QString() << QString() << true << QString();
    for (const QFileInfo& sample : samples) {
        AccessDatabase database(sample.filePath());
        const QStringList tables = database.tableNames();
        if (tables.isEmpty())
            QTest::newRow(qPrintable(sample.fileName()))
                << sample.filePath() << QString() << true << QString();
        for (const QString& table : tables) {
            const QString row = sample.fileName() + QLatin1Char('/') + table;
            QTest::newRow(qPrintable(row))
                << sample.filePath() << table << true << kRefusedSampleTables.value(row);
        }
    }
}

void TestAccessTableReader::readsEveryValueAsMdbExportDoes()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(bool, sample);
    QFETCH(QString, refusal);
    // Without the samples the reader would go unchecked against real files: that fails.
    if (sample && file.isEmpty())
        QFAIL(qPrintable(QStringLiteral("No Access sample files in \"%1\" (../shared/access-samples from "
                                        "the project's root)")
                             .arg(samplesDirectory())));
    if (m_mdbExport.isEmpty())
        QSKIP("mdb-export (Debian package mdbtools) is not installed; values cannot be checked against it.");
    QVERIFY2(!table.isEmpty(), "the file should have readable tables");

    AccessDatabase database(file);
    QVERIFY(database.isOpen());
    AccessTableReader reader(database, table);
    if (!refusal.isEmpty()) {
        QVERIFY(!reader.isOpen());
        QVERIFY2(reader.refusal().contains(refusal), qPrintable(reader.refusal()));
        return;
    }
    QVERIFY2(reader.isOpen(), qPrintable(reader.refusal()));
    QVERIFY(reader.refusal().isEmpty());
    QVector<CsvRow> exported;
    QVERIFY(exportTable(m_mdbExport, file, table, &exported));
    QVERIFY(!exported.isEmpty());

    const CsvRow header = exported.takeFirst();
    QCOMPARE(header.size(), reader.columns().size());
    for (int i = 0; i < header.size(); ++i)
        QCOMPARE(reader.columns().at(i).name, QString::fromUtf8(header.at(i).text));

    // The rows in the table's order, which is mdb-export's but for rows moved to other pages.
    const QVector<int> order = tableOrder(file, table, exported.size());
    QVERIFY2(order.size() == exported.size(), "the table's slots hold other rows than mdb-export printed");

    // The copy's own way: the columns it can, straight into a batch, beside the Qt values.
    AccessTableReader direct(database, table);
    QVariantList values;
    int row = 0;
    while (reader.next(values)) {
        QVERIFY2(row < exported.size(), "more rows read than mdb-export printed");
        const CsvRow& printed = exported.at(order.at(row));
        QCOMPARE(printed.size(), values.size());
        QVERIFY(direct.advance());
        for (int column = 0; column < values.size(); ++column) {
            const int type = reader.columns().at(column).type;
            const QDateTime when = values.at(column).toDateTime();
            QString why;
            if (type == DateTime && when.isValid() && when.date() < QDate(1899, 12, 30)) {
                const QString mine = when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
                const QStringList known = kSampleOldDates.value(QString::fromUtf8(QTest::currentDataTag()));
                if (known.value(row) != mine)
                    why = QStringLiteral("read %1, the sample's origin says %2").arg(mine, known.value(row));
            } else {
                why = difference(values.at(column), printed.at(column), type);
            }
            if (why.isEmpty()) {
                AccessRowBatch batch(0, values.size(), 1, 0);
                for (int before = 0; before < column; ++before)
                    batch.appendNull();
                direct.read(column).appendTo(batch);
                QVERIFY(!direct.failed());
                why = batchDifference(batch, column, values.at(column));
            }
            QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("row %1, column %2: %3")
                                                   .arg(row)
                                                   .arg(reader.columns().at(column).name, why.left(300))));
        }
        ++row;
    }
    QVERIFY(!direct.advance());
    QVERIFY(!reader.failed());
    QCOMPARE(row, exported.size());
    QCOMPARE(reader.rowsRead(), qint64(row));
    QVERIFY(reader.rowsRead() >= reader.declaredRowCount());
}

void TestAccessTableReader::selectsColumns()
{
    AccessDatabase database(m_varietyFile);
    AccessTableReader reader(database, QStringLiteral("Variedade"));
    QVERIFY(reader.isOpen());
    reader.selectColumns({2, 0});
    QVariantList values;
    QVERIFY(reader.next(values));
    QCOMPARE(values.size(), 2);
    QCOMPARE(values.at(0).toString(), QStringLiteral("ação, preço e composição0"));
    QCOMPARE(values.at(1).toInt(), -5000);
    QVERIFY(reader.next(values));
    QCOMPARE(values.at(0).toString(), QStringLiteral("€ 12,50 — Ωmega1"));
}

// The rows as written, in the order written: a moved row where its slot stands, deleted rows
// and deleted columns left out, added columns null in the rows older than them.
void TestAccessTableReader::readsAnEditedTableInItsOwnOrder()
{
    AccessDatabase database(m_dir.filePath(QStringLiteral("edited.mdb")));
    AccessTableReader reader(database, QStringLiteral("Editada"));
    QVERIFY(reader.isOpen());
    QStringList names;
    for (const AccessColumn& column : reader.columns())
        names.append(column.name);
    QCOMPARE(names,
             QStringList({QStringLiteral("Id"), QStringLiteral("Referencia"), QStringLiteral("Descricao"),
                          QStringLiteral("Preco"), QStringLiteral("Obs"), QStringLiteral("Qtd")}));
    QCOMPARE(reader.declaredRowCount(), qint64(kEditedRows));
    QVariantList values;
    int row = 0;
    for (; reader.next(values); ++row) {
        QVERIFY(row < kEditedRows);
        QVariantList written = editedRow(row);
        written.removeAt(3);
        written.removeAt(1);
        for (int column = 0; column < written.size(); ++column) {
            const QVariant& value = values.at(column);
            QVERIFY2(
                value.isNull() == written.at(column).isNull() &&
                    (value.isNull() || value.toString() == written.at(column).toString()),
                qPrintable(
                    QStringLiteral("row %1, %2: read %3").arg(row).arg(names.at(column), value.toString())));
        }
    }
    QVERIFY(!reader.failed());
    QCOMPARE(row, kEditedRows);
}

void TestAccessTableReader::findsTablesWithoutRegardToCase()
{
    AccessDatabase database(m_varietyFile);
    QCOMPARE(database.tableNames(), QStringList({QStringLiteral("Variedade"), QStringLiteral("Espalhada")}));
    QCOMPARE(database.findTable(QStringLiteral("VARIEDADE")), QStringLiteral("Variedade"));
    QVERIFY(database.findTable(QStringLiteral("MSysObjects")).isEmpty());
    AccessTableReader reader(database, QStringLiteral("espalhADA"));
    QVERIFY(reader.isOpen());
    QCOMPARE(reader.name(), QStringLiteral("Espalhada"));
    QCOMPARE(reader.declaredRowCount(), qint64(4200));
    AccessTableReader missing(database, QStringLiteral("Outra"));
    QVERIFY(!missing.isOpen());
    QVariantList values;
    QVERIFY(!missing.next(values));
}

void TestAccessTableReader::refusesFilesItCannotRead_data()
{
    QTest::addColumn<QByteArray>("content");
    QFile file(m_varietyFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("Standard Jet DB, or so it says\n");
    QTest::newRow("cut inside a page") << whole.left(whole.size() - 100);
    QByteArray unknownVersion = whole;
    unknownVersion[0x14] = 0x09;
    QTest::newRow("unknown version") << unknownVersion;
    QByteArray noCatalogue = whole;
    noCatalogue[2 * 4096] = 0x01;
    QTest::newRow("catalogue page of another type") << noCatalogue;
}

void TestAccessTableReader::refusesFilesItCannotRead()
{
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(QStringLiteral("bad.mdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    AccessDatabase database(path);
    QVERIFY(!database.isOpen());
    QVERIFY(database.tableNames().isEmpty());
}

void TestAccessTableReader::readsDamagedRowsExactlyOrRefuses_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    // "<refused>", "<null>", or the value's text.
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("rowCount");
    const DamageMap base = writeDamageBase(m_dir.filePath(QStringLiteral("fotos.mdb")));
    QVERIFY(base.dataPage > 0 && base.definition > 0);
    const QString refused = QStringLiteral("<refused>");
    const int memo0 = base.varStart(0, 1);
    // The rows read, with the value of row `r`, column `c`, or the file refused.
    const auto row = [&](const char* name, int r, int c, const QString& expected, int count, auto damage) {
        DamageMap map = base;
        damage(map);
        QTest::newRow(name) << map.file << r << c << expected << count;
    };
    row("sound", 1, 1, QStringLiteral("KV-200"), 3, [](DamageMap&) {});
    row("long value of an unknown kind", 0, 2, refused, 3, [&](DamageMap& m) { m.file[memo0 + 3] = 0x10; });
    row("chain longer than declared", 0, 2, refused, 3,
        [&](DamageMap& m) { m.put32(memo0, m.at32(memo0) - 10); });
    row("chain ending short of its length", 0, 2, refused, 3,
        [&](DamageMap& m) { m.put32(memo0, m.at32(memo0) + 10); });
    row("chain row seen twice", 0, 2, refused, 3,
        [&](DamageMap& m) { m.put32(m.firstLink(0), m.at32(memo0 + 4)); });
    row("one-row value longer than its row", 1, 2, refused, 3, [&](DamageMap& m) {
        const int memo1 = m.varStart(1, 1);
        m.put32(memo1, m.at32(memo1) + 1);
    });
    row("memo in fewer than 12 bytes reads empty", 2, 2, QString(), 3,
        [&](DamageMap& m) { m.put16(m.varEntry(2, 1), m.at16(m.varEntry(2, 2)) - 5); });
    row("decreasing offset", 0, 1, refused, 3,
        [&](DamageMap& m) { m.put16(m.varEntry(0, 1), m.at16(m.varEntry(0, 0)) - 1); });
    row("offset past the row", 0, 3, refused, 3, [&](DamageMap& m) { m.put16(m.varEntry(0, 3), 0x0fff); });
    row("mask one column short", 0, 0, refused, 3,
        [&](DamageMap& m) { m.put16(m.rowStart(m.dataPage, 0), 3); });
    // Its null bit lies outside every row's mask: no row could say whether it holds a value.
    row("column number beyond the table's", 2, 3, refused, 3,
        [&](DamageMap& m) { m.put16(m.definition * 4096 + 63 + 25 * 3 + 5, 200); });
    // Foto lies inside the row's columns, yet the row keeps no offset for it.
    row("variable-column count one short", 0, 3, refused, 3,
        [&](DamageMap& m) { m.put16(m.rowEnd(0) - 3, 2); });
    row("variable-column number beyond the table's", 2, 3, refused, 3,
        [&](DamageMap& m) { m.put16(m.definition * 4096 + 63 + 25 * 3 + 7, 200); });
    // Access counts the variable columns a table has had, deleted ones too.
    row("variable-column count above the columns", 1, 1, QStringLiteral("KV-200"), 3,
        [&](DamageMap& m) { m.put16(m.definition * 4096 + 43, 7); });
    row("variable-column count below the columns", 0, 0, refused, 3,
        [&](DamageMap& m) { m.put16(m.definition * 4096 + 43, 2); });
    row("definition with fewer row columns than columns", 0, 0, refused, 3,
        [&](DamageMap& m) { m.put16(m.definition * 4096 + 41, 3); });
    row("deleted row skipped", 1, 1, QStringLiteral("KV-300"), 2,
        [&](DamageMap& m) { m.put16(m.entry(m.dataPage, 1), m.at16(m.entry(m.dataPage, 1)) | 0x8000); });
    row("row deleted by Access skipped", 1, 1, QStringLiteral("KV-300"), 2,
        [&](DamageMap& m) { m.put16(m.entry(m.dataPage, 1), m.at16(m.entry(m.dataPage, 1)) | 0xc000); });
    // The row it points to is marked deleted, as Jet marks it: read once, through the pointer.
    row("overflow row followed", 0, 1, QStringLiteral("KV-300"), 2, [&](DamageMap& m) {
        m.put16(m.entry(m.dataPage, 0), m.at16(m.entry(m.dataPage, 0)) | 0x4000);
        m.put32(m.rowStart(m.dataPage, 0), quint32(m.dataPage) << 8 | 2);
        m.put16(m.entry(m.dataPage, 2), m.at16(m.entry(m.dataPage, 2)) | 0x8000);
    });
    row("overflow row pointing past the file", 0, 1, refused, 3, [&](DamageMap& m) {
        m.put16(m.entry(m.dataPage, 0), m.at16(m.entry(m.dataPage, 0)) | 0x4000);
        m.put32(m.rowStart(m.dataPage, 0), quint32(0x7fff) << 8);
    });
}

void TestAccessTableReader::readsDamagedRowsExactlyOrRefuses()
{
    QFETCH(QByteArray, content);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    QFETCH(int, rowCount);
    const QString path = m_dir.filePath(QStringLiteral("damaged.mdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size());
    file.close();
    AccessDatabase database(path);
    AccessTableReader reader(database, QStringLiteral("TabelaFotos"));
    QVector<QVariantList> rows;
    QVariantList values;
    while (reader.next(values))
        rows.append(values);
    QCOMPARE(!reader.isOpen() || reader.failed(), expected == QLatin1String("<refused>"));
    if (!reader.isOpen() || reader.failed())
        return;
    QCOMPARE(rows.size(), rowCount);
    const QVariant value = rows.at(row).at(column);
    QCOMPARE(value.isNull() ? QStringLiteral("<null>") : value.toString(), expected);
}

QTEST_GUILESS_MAIN(TestAccessTableReader)
#include "tst_accesstablereader.moc"
