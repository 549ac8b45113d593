#pragma once

#include "ListKind.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

#include <cstring>
#include <vector>

// The lists the opening of a catalogue reads, in a file of their own: the import writes them
// once the rows of a new copy are in, before it builds the copy's indexes, so that the program
// can show its first window on them while the copy is finished. Each list holds its values in
// the order the opening's queries give them on the finished copy, each value null or UTF-8
// bytes as the copy stores them. The version list holds the version row's six values, or none.
// The file names the conversion it belongs to (the file name of the copy being written), so that
// lists put in its place from another conversion are never taken for its own.
namespace OpeningLists {

// The file holds a list for each ListKind, in its order, then the version row's values.
inline constexpr int Version = kListKinds;
inline constexpr int ListCount = kListKinds + 1;
inline constexpr int indexOf(ListKind kind)
{
    return int(kind);
}

// One value: null when `data` is null.
struct Value
{
    const char* data = nullptr;
    qsizetype size = 0;
};

// The file's bytes for the lists, indexed by indexOf(ListKind) and Version, of the conversion named
// `conversion`.
QByteArray encode(QByteArrayView conversion, const std::vector<Value> (&lists)[ListCount]);

// Hands each value of each list to `visit(int list, Value)`, in order. False when the bytes are not
// such a file, are cut short or belong to another conversion than `conversion`: nothing of it is
// to be used then.
template <typename Visit> bool decode(QByteArrayView file, QByteArrayView conversion, Visit visit);

// How the file starts, and the size that stands for a null value.
inline constexpr char kMagic[] = "LUMEO-LISTS-3\n";
inline constexpr quint32 kNullSize = 0xFFFFFFFFu;

namespace Detail {
inline bool take(QByteArrayView file, qsizetype* at, quint32* number)
{
    if (file.size() - *at < qsizetype(sizeof(quint32)))
        return false;
    *number = qFromLittleEndian<quint32>(file.data() + *at);
    *at += qsizetype(sizeof(quint32));
    return true;
}
} // namespace Detail

template <typename Visit> bool decode(QByteArrayView file, QByteArrayView conversion, Visit visit)
{
    constexpr qsizetype magicSize = sizeof(kMagic) - 1;
    if (file.size() < magicSize || std::memcmp(file.data(), kMagic, magicSize) != 0)
        return false;
    qsizetype at = magicSize;
    quint32 nameSize = 0;
    if (!Detail::take(file, &at, &nameSize) || file.size() - at < qsizetype(nameSize) ||
        file.sliced(at, nameSize) != conversion)
        return false;
    at += qsizetype(nameSize);
    for (int list = 0; list < ListCount; ++list) {
        quint32 count = 0;
        if (!Detail::take(file, &at, &count))
            return false;
        for (quint32 i = 0; i < count; ++i) {
            quint32 size = 0;
            if (!Detail::take(file, &at, &size))
                return false;
            if (size == kNullSize) {
                visit(list, Value());
                continue;
            }
            if (file.size() - at < qsizetype(size))
                return false;
            visit(list, Value{file.data() + at, qsizetype(size)});
            at += qsizetype(size);
        }
    }
    return at == file.size();
}

} // namespace OpeningLists
