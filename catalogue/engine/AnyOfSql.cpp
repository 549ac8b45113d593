#include "AnyOfSql.h"

#include "CatalogueSql.h"

namespace CatalogueSql {

QString anyOf(const QString& sql, const QString& condition, qsizetype count)
{
    const qsizetype at = sql.indexOf(condition);
    if (count == 1 || at < 0 || !condition.endsWith(QLatin1String(" = ?")))
        return sql;
    QStringList places;
    for (qsizetype i = 0; i < count; ++i)
        places.append(QStringLiteral("?"));
    const QString column = condition.chopped(4);
    return QString(sql).replace(at, condition.size(),
                                column + QStringLiteral(" IN (") + places.join(QStringLiteral(", ")) +
                                    QLatin1Char(')'));
}

QString referencesOfCompetitors(qsizetype count)
{
    return anyOf(ReferencesOfCompetitor, QStringLiteral("COMPANY = ?"), count);
}

QString familiesOfManufacturers(qsizetype count)
{
    return anyOf(FamiliesOfManufacturer, QStringLiteral("RELATIONS.COMPANY = ?"), count);
}

} // namespace CatalogueSql
