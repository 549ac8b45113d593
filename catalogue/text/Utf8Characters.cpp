#include "Utf8Characters.h"

#include "LetterCase.h"

namespace Utf8Characters {

namespace {

// Lone bytes become codes beyond the last character.
constexpr char32_t kLoneByte = 0x110000;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

Reader::Reader(const unsigned char* text, int bytes)
    : m_next(text), m_end(text ? text + (bytes > 0 ? bytes : 0) : text)
{
}

char32_t Reader::nextFolded()
{
    return LetterCase::folded(next());
}

char32_t Reader::next()
{
    const unsigned char lead = *m_next;
    int length = 0;
    char32_t character = 0;
    if (lead < 0x80) {
        ++m_next;
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        character = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        character = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        character = lead & 0x07;
    }
    if (length == 0 || m_end - m_next < length) {
        ++m_next;
        return kLoneByte + lead;
    }
    for (int i = 1; i < length; ++i) {
        if (!isContinuation(m_next[i])) {
            ++m_next;
            return kLoneByte + lead;
        }
        character = (character << 6) | (m_next[i] & 0x3F);
    }
    m_next += length;
    return character;
}

std::u32string folded(const unsigned char* text, int bytes)
{
    std::u32string characters;
    characters.reserve(size_t(bytes > 0 ? bytes : 0));
    Reader reader(text, bytes);
    while (!reader.atEnd())
        characters.push_back(reader.nextFolded());
    return characters;
}

} // namespace Utf8Characters
