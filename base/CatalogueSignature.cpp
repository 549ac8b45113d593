#include "CatalogueSignature.h"

namespace CatalogueSignature {

bool isSqlite(const QByteArray& firstBytes)
{
    static const QByteArray magic("SQLite format 3\0", 16);
    return firstBytes.startsWith(magic);
}

bool isAccess(const QByteArray& firstBytes)
{
    constexpr int kOffset = 4;
    static const QByteArray jet("Standard Jet DB");
    static const QByteArray ace("Standard ACE DB");
    const QByteArray signature = firstBytes.mid(kOffset, jet.size());
    return signature == jet || signature == ace;
}

} // namespace CatalogueSignature
