#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// Runs this program again with `arguments` (and `environment`, when given) and gives the
// lines it wrote; `ok` is false when it crashed or failed.
namespace SelfProcess {

QStringList run(const QStringList& arguments, bool* ok,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

} // namespace SelfProcess
