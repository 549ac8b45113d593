#include "OpeningLists.h"

namespace OpeningLists {

QByteArray encode(QByteArrayView conversion, const std::vector<Value> (&lists)[ListCount])
{
    const auto appendNumber = [](QByteArray* bytes, quint32 number) {
        char little[sizeof(quint32)];
        qToLittleEndian(number, little);
        bytes->append(little, sizeof(little));
    };
    qsizetype size = sizeof(kMagic) + qsizetype(sizeof(quint32)) + conversion.size();
    for (const std::vector<Value>& list : lists) {
        size += qsizetype(sizeof(quint32) * (1 + list.size()));
        for (const Value& value : list)
            size += value.size;
    }
    QByteArray bytes;
    bytes.reserve(size);
    bytes.append(kMagic, sizeof(kMagic) - 1);
    appendNumber(&bytes, quint32(conversion.size()));
    bytes.append(conversion.data(), conversion.size());
    for (const std::vector<Value>& list : lists) {
        appendNumber(&bytes, quint32(list.size()));
        for (const Value& value : list) {
            appendNumber(&bytes, value.data ? quint32(value.size) : kNullSize);
            if (value.data)
                bytes.append(value.data, value.size);
        }
    }
    return bytes;
}

} // namespace OpeningLists
