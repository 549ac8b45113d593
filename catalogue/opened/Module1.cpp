#include "Module1.h"

#include <QCoreApplication>

namespace {

std::unique_ptr<Catalogue>& opened()
{
    static std::unique_ptr<Catalogue> catalogue;
    return catalogue;
}

// The catalogue's work ends with the application object, not among the static objects after it.
void closeAtExit()
{
    static bool registered = false;
    if (!registered && QCoreApplication::instance()) {
        qAddPostRoutine([] { opened().reset(); });
        registered = true;
    }
}

} // namespace

Catalogue& Module1::Opened()
{
    if (!opened()) {
        opened() = std::make_unique<Catalogue>();
        closeAtExit();
    }
    return *opened();
}

Catalogue& Module1::Replace()
{
    std::unique_ptr<Catalogue> next = Catalogue::after(Opened());
    opened().reset();
    opened() = std::move(next);
    closeAtExit();
    return *opened();
}

void Module1::Reset()
{
    DatabasePath.clear();
    ConfigFilePath.clear();
    opened().reset();
}
