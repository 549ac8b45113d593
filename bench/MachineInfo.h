#pragma once

#include <QString>

// The machine the figures come from, as /proc tells it.
namespace MachineInfo {

QString cpuModel();
int cores();
QString memory();
QString summary();
// The 1-minute load average (NaN when unknown).
double loadAverage();
// How busy the machine was at the start and at the end of the runs, for the line above the table.
QString loadNote(double atStart, double atEnd);

} // namespace MachineInfo
