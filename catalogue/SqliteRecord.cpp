#include "SqliteRecord.h"

#include <QtEndian>
#include <cstring>

namespace SqliteRecord {

int varintLength(quint64 value)
{
    int length = 1;
    while (length < 9 && value > 0x7f) {
        value >>= 7;
        ++length;
    }
    return length;
}

quint64 headerLength(quint64 typesLength)
{
    int ownLength = 1;
    while (varintLength(typesLength + quint64(ownLength)) > ownLength)
        ++ownLength;
    return typesLength + quint64(ownLength);
}

int putVarint(char* out, quint64 value)
{
    // Nine bytes: the last one holds eight bits, the first eight seven bits each.
    if (value & (quint64(0xff000000) << 32)) {
        out[8] = char(value & 0xff);
        value >>= 8;
        for (int i = 7; i >= 0; --i) {
            out[i] = char((value & 0x7f) | 0x80);
            value >>= 7;
        }
        return 9;
    }
    char reversed[9];
    int length = 0;
    do {
        reversed[length++] = char((value & 0x7f) | 0x80);
        value >>= 7;
    } while (value != 0);
    reversed[0] = char(reversed[0] & 0x7f);
    for (int i = 0; i < length; ++i)
        out[i] = reversed[length - 1 - i];
    return length;
}

quint32 integerType(qint64 value, bool smallConstants)
{
    const quint64 magnitude = value < 0 ? ~quint64(value) : quint64(value);
    if (smallConstants && (value == 0 || value == 1))
        return 8 + quint32(value);
    if (magnitude <= 127)
        return 1;
    if (magnitude <= 32767)
        return 2;
    if (magnitude <= 8388607)
        return 3;
    if (magnitude <= 2147483647)
        return 4;
    if (magnitude <= (quint64(0x8000) << 32) - 1)
        return 5;
    return 6;
}

quint32 textType(quint32 bytes)
{
    return bytes * 2 + 13;
}

quint32 blobType(quint32 bytes)
{
    return bytes * 2 + 12;
}

quint32 valueLength(quint32 serialType)
{
    static const quint32 fixed[] = {0, 1, 2, 3, 4, 6, 8, 8, 0, 0, 0, 0};
    return serialType < 12 ? fixed[serialType] : (serialType - 12) / 2;
}

void putInteger(char* out, qint64 value, quint32 serialType)
{
    quint64 bits = quint64(value);
    for (int i = int(valueLength(serialType)) - 1; i >= 0; --i) {
        out[i] = char(bits & 0xff);
        bits >>= 8;
    }
}

void putReal(char* out, double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    qToBigEndian(bits, out);
}

} // namespace SqliteRecord
