#include "StartupMessages.h"

#include "ui/platform/Platform.h"

#include <QString>

namespace StartupMessages {

void showWriteFailure(QWidget* parent, const QString& configFile, const QString& why,
                      const QString& programFolder, const QString& refusedBeside)
{
    QString details = QStringLiteral("Arquivo: %1\n%2").arg(configFile, why);
    if (!refusedBeside.isEmpty())
        details += QStringLiteral("\nDiretório do programa: %1\n%2").arg(programFolder, refusedBeside);
    Platform::messageBox(parent,
                         QStringLiteral("Erro gravando no diretório do programa. \r\n"
                                        "Algum arquivo pode estar como somente leitura \r\n"
                                        "ou o diretório não aceita gravação."),
                         PlatformBackend::Buttons::Ok, QStringLiteral("Korvel: Lumeo"), details);
}

void showSaved(QWidget* parent, const QString& configFile)
{
    // The designed words, which the test of the path shows too; the file saved is in the details.
    Platform::messageBox(parent, QStringLiteral("Arquivo de configurações válido"),
                         PlatformBackend::Buttons::Ok, QString(),
                         QStringLiteral("Gravado em: %1").arg(configFile));
}

void showUnstorablePath(QWidget* parent, const QString& characters)
{
    Platform::messageBox(
        parent,
        QStringLiteral("O caminho tem caracteres que o arquivo de configuração não aceita: %1 \r\n"
                       "Escolha um arquivo cujo caminho não tenha esses caracteres. \r\n"
                       "Nada foi gravado.")
            .arg(characters),
        PlatformBackend::Buttons::Ok, QStringLiteral("Korvel: Lumeo"));
}

} // namespace StartupMessages
