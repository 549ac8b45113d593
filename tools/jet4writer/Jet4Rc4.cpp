#include "Jet4Rc4.h"

#include "access/AccessCrypto.h"

#include <QtEndian>

namespace Jet4Rc4 {

bool apply(std::uint32_t key, char* data, int size)
{
    QByteArray keyBytes(4, '\0');
    qToLittleEndian(key, keyBytes.data());
    return AccessCrypto::rc4(keyBytes, data, size);
}

} // namespace Jet4Rc4
