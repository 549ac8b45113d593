#include "AccessValue.h"

#include "AccessRowBatch.h"

#include <cmath>

QDateTime AccessValue::dateTime() const
{
    static const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    // Access keeps dates from the year 100 to 9999.
    if (!std::isfinite(real) || std::fabs(real) > 3.0e6)
        return QDateTime();
    // For dates before the base the day part counts back while the fraction still runs
    // forward through the day.
    const double whole = std::trunc(real);
    const double fraction = std::fabs(real - whole);
    return base.addDays(static_cast<qint64>(whole)).addMSecs(std::llround(fraction * 86400000.0));
}

QVariant AccessValue::toVariant() const
{
    switch (kind) {
    case Kind::Null:
        return QVariant();
    case Kind::Boolean:
        return QVariant(integer != 0);
    case Kind::Integer:
        return QVariant(int(integer));
    case Kind::Real:
        return QVariant(real);
    case Kind::DateTime:
        return QVariant(dateTime());
    case Kind::Text:
        return QVariant(text);
    case Kind::Bytes:
        return QVariant(bytes);
    }
    return QVariant();
}

void AccessValue::appendTo(AccessRowBatch& batch) const
{
    switch (kind) {
    case Kind::Null:
        batch.appendNull();
        break;
    case Kind::Boolean:
    case Kind::Integer:
        batch.appendInteger(integer);
        break;
    case Kind::Real:
        batch.appendReal(real);
        break;
    case Kind::DateTime:
        batch.appendText(dateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        break;
    case Kind::Text:
        batch.appendText(text);
        break;
    case Kind::Bytes:
        batch.appendBlob(bytes);
        break;
    }
}
