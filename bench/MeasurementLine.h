#pragma once

#include "Measurement.h"

#include <QString>

// A measurement as one tab-separated line, the way a child process hands it to the parent.
namespace MeasurementLine {

QString format(const Measurement& m);
// False when `line` is not a measurement line.
bool parse(const QString& line, Measurement* m);

} // namespace MeasurementLine
