#include "StartupMessages.h"

#include "ui/platform/Platform.h"

namespace StartupMessages {

void showWriteFailure(QWidget* parent)
{
    Platform::messageBox(parent,
                         QStringLiteral("Erro gravando no diretório do programa. \r\n"
                                        "Algum arquivo pode estar como somente leitura \r\n"
                                        "ou o diretório não aceita gravação."),
                         PlatformBackend::Buttons::Ok, QStringLiteral("Korvel: Lumeo"));
}

} // namespace StartupMessages
