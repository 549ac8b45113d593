#include "EngineReason.h"

namespace EngineReason {

QString text(const EngineError& error)
{
    using Kind = EngineError::Kind;
    QString reason;
    switch (error.kind()) {
    case Kind::None:
        return QString();
    case Kind::NotADatabase:
        reason = QStringLiteral("o arquivo não é um banco de dados");
        break;
    case Kind::Damaged:
        reason = QStringLiteral("o arquivo está corrompido");
        break;
    case Kind::MissingTableOrColumn:
        reason = QStringLiteral("falta uma tabela ou coluna");
        break;
    case Kind::NoPermission:
        reason = QStringLiteral("sem permissão para ler o arquivo");
        break;
    case Kind::Locked:
        reason = QStringLiteral("o arquivo está bloqueado por outro programa");
        break;
    case Kind::ReadError:
        reason = QStringLiteral("erro de leitura do arquivo");
        break;
    case Kind::Other:
        reason = QStringLiteral("erro do banco de dados");
        break;
    }
    return QStringLiteral("%1 (%2)").arg(reason, error.text);
}

} // namespace EngineReason
