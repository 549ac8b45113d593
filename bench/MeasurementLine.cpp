#include "MeasurementLine.h"

#include <QStringList>

#include <cmath>

namespace {

QString number(double value)
{
    return std::isnan(value) ? QStringLiteral("nan") : QString::number(value, 'f', 4);
}

double value(const QString& text)
{
    return text == QLatin1String("nan") ? NAN : text.toDouble();
}

} // namespace

namespace MeasurementLine {

QString format(const Measurement& m)
{
    return QStringLiteral("M\t%1\t%2\t%3\t%4\t%5\t%6")
        .arg(m.operation)
        .arg(int(m.kind))
        .arg(number(m.programMs), number(m.bareMs), number(m.allowanceMs))
        .arg(int(m.correct));
}

bool parse(const QString& line, Measurement* m)
{
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() != 7 || fields.first() != QLatin1String("M"))
        return false;
    m->operation = fields[1];
    m->kind = Measurement::Kind(fields[2].toInt());
    m->programMs = value(fields[3]);
    m->bareMs = value(fields[4]);
    m->allowanceMs = value(fields[5]);
    m->correct = fields[6] == QLatin1String("1");
    return true;
}

} // namespace MeasurementLine
