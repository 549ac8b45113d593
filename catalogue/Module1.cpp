#include "Module1.h"

void Module1::Reset()
{
    DatabasePath.clear();
    ConfigFilePath.clear();
    Conn.reset();
    DatabaseOpened = false;
    RecCount = QVariant();
    HouseRefRows = DescRows = RefRows = FamRows = CompRows = CachedList();
    VersionText.clear();
    LinkTitle.clear();
    LinkTarget.clear();
    LinkHint.clear();
}
