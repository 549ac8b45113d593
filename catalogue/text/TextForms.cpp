#include "TextForms.h"

#include <QLocale>

namespace TextForms {

QString trimBlanks(const QString& text)
{
    return trimBlanks(QStringView(text)).toString();
}

QStringView trimBlanks(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString withoutQuotes(const QString& text)
{
    QString result = text;
    result.remove(QLatin1Char('\''));
    return result;
}

QString asText(const QVariant& value, const QLocale& locale)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        QLocale plain = locale;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        return plain.toString(value.toDouble(), 'g', 15);
    }
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
        QLocale plain = locale;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        return plain.toString(value.toLongLong());
    }
    default:
        return value.toString();
    }
}

bool toNumber(const QVariant& value, const QLocale& locale, double* number)
{
    if (!value.isValid() || value.isNull())
        return false;
    bool ok = false;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        *number = value.toDouble(&ok);
        return ok;
    default: {
        const QString text = value.toString().trimmed();
        *number = locale.toDouble(text, &ok);
        if (!ok)
            *number = QLocale::c().toDouble(text, &ok);
        return ok;
    }
    }
}

QString fixedDecimals(double number, int decimals, const QLocale& locale)
{
    return locale.toString(number, 'f', decimals);
}

} // namespace TextForms
