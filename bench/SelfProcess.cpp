#include "SelfProcess.h"

#include <QCoreApplication>
#include <QProcess>

namespace SelfProcess {

QStringList run(const QStringList& arguments, bool* ok, const QProcessEnvironment& environment)
{
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    *ok = child.waitForFinished(-1) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
}

} // namespace SelfProcess
