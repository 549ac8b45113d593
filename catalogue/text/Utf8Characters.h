#pragma once

#include <string>

// The characters of a UTF-8 text as the engine hands it over, each folded to its one form for
// all letter cases. A byte that starts no well-formed character stands for itself, as a code
// that no character has, so that damaged text compares without harm.
namespace Utf8Characters {

class Reader
{
public:
    Reader(const unsigned char* text, int bytes);

    bool atEnd() const { return m_next >= m_end; }
    // The next character, folded; only when not at the end.
    char32_t nextFolded();

private:
    char32_t next();

    const unsigned char* m_next;
    const unsigned char* m_end;
};

std::u32string folded(const unsigned char* text, int bytes);

} // namespace Utf8Characters
