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
    static const QByteArray signature("Standard Jet DB");
    return firstBytes.size() >= kOffset + signature.size() &&
           firstBytes.mid(kOffset, signature.size()) == signature;
}

} // namespace CatalogueSignature
