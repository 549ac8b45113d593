#include "IndexDefinition.h"

namespace {

QString sqlName(const QString& name)
{
    return name.contains(QLatin1Char(' ')) ? QLatin1Char('[') + name + QLatin1Char(']') : name;
}

} // namespace

QString IndexDefinition::createStatement() const
{
    QStringList names;
    for (const QString& column : columns)
        names << sqlName(column);
    QString statement = QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                            .arg(name, sqlName(table), names.join(QLatin1String(", ")));
    if (!requiredColumn.isEmpty())
        statement += QStringLiteral(" WHERE %1 IS NOT NULL").arg(sqlName(requiredColumn));
    return statement;
}
