#pragma once

#include <QString>
#include <QVariant>

class QLocale;

// The forms in which catalogue values are shown and written into queries.
namespace TextForms {

// Leading and trailing blanks (spaces only) removed.
QString trimBlanks(const QString& text);
QStringView trimBlanks(QStringView text);

// Every single quote removed.
QString withoutQuotes(const QString& text);

// A value as plain text: null gives empty text; numbers in the locale's form without digit
// grouping.
QString asText(const QVariant& value, const QLocale& locale);

// A value as a number; false for null or text that is not a number in the locale or in
// plain C form.
bool toNumber(const QVariant& value, const QLocale& locale, double* number);

// A number with a fixed count of decimals in the locale's own form (1.234,50 in pt-BR).
QString fixedDecimals(double number, int decimals, const QLocale& locale);

} // namespace TextForms
