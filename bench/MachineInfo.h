#pragma once

#include <QString>

// The machine the figures come from, as /proc tells it.
namespace MachineInfo {

QString cpuModel();
int cores();
QString memory();
QString summary();

} // namespace MachineInfo
