// ScrambleText ends for every text, keeps its length, turns text into Windows-1252 text,
// and is its own inverse on catalogue text.

#include "FuzzCheck.h"
#include "base/ScrambleText.h"
#include "base/Windows1252.h"

#include <QString>

#include <cstdint>
#include <cstring>

namespace {

bool isReserved(int code)
{
    return (code >= 0 && code <= 30) || (code >= 128 && code <= 158);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Typed text: any UTF-16 code units, lone surrogates included.
    QString typed(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(typed.data(), data, (size / 2) * 2);
    const QString scrambled = ScrambleText(typed);
    FUZZ_CHECK(scrambled.size() == typed.size());
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const int code = Windows1252::code(typed.at(i));
        if (code < 0)
            FUZZ_CHECK(scrambled.at(i) == typed.at(i));
        else
            FUZZ_CHECK(Windows1252::code(scrambled.at(i)) >= 0);
        if (code >= 0 && !isReserved(code))
            FUZZ_CHECK(!isReserved(Windows1252::code(scrambled.at(i))));
    }

    // Catalogue text: the bytes as Windows-1252, without the codes stored values never hold.
    QByteArray bytes;
    for (std::size_t i = 0; i < size; ++i) {
        if (!isReserved(data[i]))
            bytes.append(char(data[i]));
    }
    const QString catalogueText = Windows1252::decode(bytes);
    const QString stored = ScrambleText(catalogueText);
    FUZZ_CHECK(stored.size() == catalogueText.size());
    for (const QChar c : stored)
        FUZZ_CHECK(!isReserved(Windows1252::code(c)));
    FUZZ_CHECK(ScrambleText(stored) == catalogueText);
    return 0;
}
