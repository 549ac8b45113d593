#include "NocaseText.h"

#include <sqlite3.h>

#include <functional>

namespace NocaseText {

bool equal(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && sqlite3_strnicmp(a.data(), b.data(), int(a.size())) == 0;
}

size_t hash(QByteArrayView text)
{
    size_t hash = std::hash<qsizetype>()(text.size());
    for (const char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == 0)
            break;
        hash = hash * 31 + folded(c);
    }
    return hash;
}

} // namespace NocaseText
