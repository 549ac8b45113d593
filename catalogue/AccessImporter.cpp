#include "AccessImporter.h"

#include "AccessCatalogueLayout.h"
#include "AccessCopyWriter.h"
#include "AccessDatabase.h"
#include "AccessTableReader.h"
#include "CatalogueSchema.h"
#include "Windows1252.h"

#include <QDateTime>
#include <QLocale>

#include <memory>
#include <vector>

namespace {

// Share of the progress the rows take; the indexes take the rest.
constexpr int kRowsProgress = 80;

struct TableCopy
{
    AccessCatalogueTable layout;
    std::unique_ptr<AccessTableReader> reader;
    // For each column of the copy, its position in the reader's selection, or -1 for null.
    QVector<int> sources;
    QVector<bool> storedFile;
};

int findColumn(const QVector<AccessColumn>& columns, const QString& name)
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool plan(AccessDatabase& database, const AccessCatalogueTable& layout, TableCopy* copy, QString* error)
{
    copy->layout = layout;
    copy->reader = std::make_unique<AccessTableReader>(database, layout.name);
    if (!copy->reader->isOpen()) {
        if (layout.required || !database.findTable(layout.name).isEmpty()) {
            *error = QStringLiteral("table %1 cannot be read").arg(layout.name);
            return false;
        }
        copy->reader.reset();
        return true;
    }
    const QVector<AccessColumn>& columns = copy->reader->columns();
    QVector<int> selection;
    for (int i = 0; i < layout.columns.size(); ++i) {
        const QString& name = layout.columns.at(i);
        const int found = i < layout.positionalColumns ? (i < columns.size() ? i : -1) : findColumn(columns, name);
        if (found < 0 && layout.requiredColumns.contains(name)) {
            *error = QStringLiteral("column %1 of table %2 is missing").arg(name, layout.name);
            return false;
        }
        copy->sources.append(found < 0 ? -1 : selection.size());
        copy->storedFile.append(layout.storedFileColumns.contains(name));
        if (found >= 0)
            selection.append(found);
    }
    copy->reader->selectColumns(selection);
    return true;
}

// How the program shows a value of the version table: dates as pt-BR short dates (with the
// time when there is one), numbers in the pt-BR way.
QVariant asText(const QVariant& value)
{
    static const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    switch (value.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime when = value.toDateTime();
        if (when.time() == QTime(0, 0))
            return brazil.toString(when.date(), QStringLiteral("dd/MM/yyyy"));
        if (when.date() == QDate(1899, 12, 30))
            return when.time().toString(QStringLiteral("hh:mm:ss"));
        return brazil.toString(when, QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    }
    case QMetaType::Double:
        return brazil.toString(value.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Verdadeiro") : QStringLiteral("Falso");
    default:
        return value.toString();
    }
}

QVariant storedFile(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return Windows1252::encode(value.toString());
    return value;
}

class Progress
{
public:
    Progress(const std::function<void(int)>& report, qint64 totalRows) : m_report(report), m_total(totalRows) {}

    void rows(qint64 done) { set(m_total > 0 ? int(done * kRowsProgress / m_total) : kRowsProgress); }
    void indexes(int done, int total) { set(kRowsProgress + (100 - kRowsProgress) * done / total); }

private:
    void set(int percent)
    {
        if (percent > m_last && m_report) {
            m_last = percent;
            m_report(percent);
        }
    }

    const std::function<void(int)>& m_report;
    qint64 m_total;
    int m_last = -1;
};

bool copyRows(TableCopy& table, AccessCopyWriter& writer, Progress& progress, qint64* done, QString* error)
{
    if (!writer.prepare(table.layout.insertStatement)) {
        *error = writer.errorString();
        return false;
    }
    if (!table.reader)
        return true;
    QVariantList read;
    QVariantList row(table.sources.size());
    while (table.reader->next(read)) {
        for (int i = 0; i < table.sources.size(); ++i) {
            const int source = table.sources.at(i);
            QVariant value = source < 0 ? QVariant() : read.at(source);
            if (!value.isNull() && value.isValid()) {
                if (table.storedFile.at(i))
                    value = storedFile(value);
                else if (table.layout.valuesAsText)
                    value = asText(value);
            }
            row[i] = value;
        }
        if (!writer.insert(row)) {
            *error = writer.errorString();
            return false;
        }
        if ((++*done & 0xfff) == 0)
            progress.rows(*done);
    }
    // A cut or damaged file reads fewer rows than its table definitions record.
    if (table.reader->failed() || table.reader->rowsRead() < table.reader->declaredRowCount()) {
        *error = QStringLiteral("table %1 is damaged: %2 of %3 rows read")
                     .arg(table.layout.name)
                     .arg(table.reader->rowsRead())
                     .arg(table.reader->declaredRowCount());
        return false;
    }
    progress.rows(*done);
    return true;
}

} // namespace

namespace AccessImporter {

bool convert(const QString& accessPath, const QString& sqlitePath, const std::function<void(int)>& progress,
             QString* error)
{
    AccessDatabase database(accessPath);
    if (!database.isOpen()) {
        *error = QStringLiteral("%1 is not a readable Access file").arg(accessPath);
        return false;
    }
    std::vector<TableCopy> tables;
    qint64 totalRows = 0;
    for (const AccessCatalogueTable& layout : AccessCatalogueLayout::tables()) {
        TableCopy copy;
        if (!plan(database, layout, &copy, error))
            return false;
        if (copy.reader)
            totalRows += copy.reader->declaredRowCount();
        tables.push_back(std::move(copy));
    }

    AccessCopyWriter writer(sqlitePath);
    if (!writer.open()) {
        *error = writer.errorString();
        return false;
    }
    for (const QString& statement : CatalogueSchema::createTableStatements()) {
        if (!writer.execute(statement)) {
            *error = writer.errorString();
            return false;
        }
    }
    Progress report(progress, totalRows);
    qint64 done = 0;
    if (!writer.execute(QStringLiteral("BEGIN"))) {
        *error = writer.errorString();
        return false;
    }
    for (TableCopy& table : tables) {
        if (!copyRows(table, writer, report, &done, error))
            return false;
    }
    if (!writer.execute(QStringLiteral("COMMIT"))) {
        *error = writer.errorString();
        return false;
    }
    const QStringList indexes = CatalogueSchema::createIndexStatements();
    for (int i = 0; i < indexes.size(); ++i) {
        if (!writer.execute(indexes.at(i))) {
            *error = writer.errorString();
            return false;
        }
        report.indexes(i + 1, indexes.size());
    }
    if (!writer.close()) {
        *error = writer.errorString();
        return false;
    }
    return true;
}

} // namespace AccessImporter
