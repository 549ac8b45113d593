#include "OpeningFailureDetails.h"

#include "EngineReason.h"
#include "catalogue/copy/OpeningFailure.h"
#include "ui/platform/Platform.h"

namespace OpeningFailureDetails {

QString text(const OpeningFailure& failure)
{
    using Reason = OpeningFailure::Reason;
    QString reason;
    switch (failure.reason) {
    case Reason::None:
        return QString();
    case Reason::NotFound:
        reason = QStringLiteral("O arquivo não foi encontrado.");
        break;
    case Reason::NoPermission:
        reason = QStringLiteral("Sem permissão para ler o arquivo.");
        break;
    case Reason::NotACatalogue:
        reason = QStringLiteral("O arquivo não é um catálogo.");
        break;
    case Reason::Damaged:
        reason = QStringLiteral("O catálogo está danificado: %1")
                     .arg(failure.engine.isEmpty() ? failure.found : EngineReason::text(failure.engine));
        break;
    case Reason::NotConverted:
        reason = QStringLiteral("O catálogo Access não pôde ser convertido: %1").arg(failure.found);
        break;
    }
    return QStringLiteral("Arquivo: %1\n%2").arg(failure.path, reason);
}

void showOpenFailed(QWidget* parent, const OpeningFailure& failure)
{
    Platform::messageBox(parent, QStringLiteral("Erro ao abrir os dados, verifique sua configuração"),
                         PlatformBackend::Buttons::Ok, QString(), text(failure));
}

} // namespace OpeningFailureDetails
