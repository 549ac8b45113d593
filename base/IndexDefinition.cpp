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
    if (!condition.isEmpty())
        statement += QStringLiteral(" WHERE ") + condition;
    return statement;
}
