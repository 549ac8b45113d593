#pragma once

#include "Measurement.h"

#include <QString>

// The whole program started in a new process, from its start to its first search window ready
// for the user (the lists filled, the house reference box holding the focus), beside the
// engine's own shell started in a new process reading the same lists with the same SQL.
namespace StartRun {

// Starts both in turn, `pairs` times; the medians, and whether the program showed the lists
// `listSizes` names.
Measurement measure(const QString& catalogue, const QString& listSizes, int pairs);

// The program's side, in the child: the program stands in `folder`, whose configuration file
// names the catalogue. Exits as soon as the first search window is ready.
int childMain(const QString& folder);

} // namespace StartRun
