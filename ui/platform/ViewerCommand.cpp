#include "ViewerCommand.h"

QString ViewerCommand::commandLine() const
{
    const QString shown = quoted ? QLatin1Char('"') + target + QLatin1Char('"') : target;
    return QStringLiteral("explorer.exe ") + shown;
}
