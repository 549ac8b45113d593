#include "LetterCaseSql.h"

#include "LikeMatch.h"
#include "MatchKey.h"
#include "TypedWords.h"
#include "Utf8Characters.h"

#include <sqlite3.h>

#include <optional>

namespace LetterCaseSql {

namespace {

int compare(void*, int leftBytes, const void* left, int rightBytes, const void* right)
{
    Utf8Characters::Reader a(static_cast<const unsigned char*>(left), leftBytes);
    Utf8Characters::Reader b(static_cast<const unsigned char*>(right), rightBytes);
    while (!a.atEnd() && !b.atEnd()) {
        const char32_t x = a.nextFolded();
        const char32_t y = b.nextFolded();
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.atEnd() ? (b.atEnd() ? 0 : -1) : 1;
}

std::u32string foldedText(sqlite3_value* value)
{
    const unsigned char* text = sqlite3_value_text(value);
    return Utf8Characters::folded(text, sqlite3_value_bytes(value));
}

void deletePattern(void* pattern)
{
    delete static_cast<std::u32string*>(pattern);
}

// A null on either side gives null, as LIKE does. The folded pattern is kept with the
// statement, so that the rows of one lookup fold it once.
void like(sqlite3_context* context, int, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL)
        return;
    const auto* pattern = static_cast<const std::u32string*>(sqlite3_get_auxdata(context, 1));
    std::u32string made;
    if (!pattern) {
        made = foldedText(arguments[1]);
        pattern = &made;
        sqlite3_set_auxdata(context, 1, new std::u32string(made), deletePattern);
    }
    sqlite3_result_int(context, LikeMatch::matches(*pattern, foldedText(arguments[0])) ? 1 : 0);
}

QString textOf(sqlite3_value* value)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

// A null value gives null, as LIKE does.
void containsAccentsAside(sqlite3_context* context, int, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL)
        return;
    const QString value = MatchKey::of(textOf(arguments[0]), MatchKey::Kind::LetterCaseAndAccents);
    sqlite3_result_int(context, value.contains(textOf(arguments[1])) ? 1 : 0);
}

void deleteWords(void* words)
{
    delete static_cast<TypedWords*>(words);
}

// A null value gives null, as LIKE does. The words are kept with the statement, as the pattern of
// ANYCASE_LIKE is.
void holdsWordsAccentsAside(sqlite3_context* context, int, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL)
        return;
    const auto* words = static_cast<const TypedWords*>(sqlite3_get_auxdata(context, 1));
    std::optional<TypedWords> made;
    if (!words) {
        made.emplace(textOf(arguments[1]));
        words = &*made;
        sqlite3_set_auxdata(context, 1, new TypedWords(*made), deleteWords);
    }
    const QString value = MatchKey::of(textOf(arguments[0]), MatchKey::Kind::LetterCaseAndAccents);
    sqlite3_result_int(context, words->heldBy(value) ? 1 : 0);
}

} // namespace

bool install(sqlite3* db)
{
    return db &&
           sqlite3_create_collation_v2(db, "ANYCASE", SQLITE_UTF8, nullptr, compare, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "ANYCASE_LIKE", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                      like, nullptr, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "ACCENTLESS_CONTAINS", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                      nullptr, containsAccentsAside, nullptr, nullptr,
                                      nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "ACCENTLESS_HOLDS_WORDS", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                      nullptr, holdsWordsAccentsAside, nullptr, nullptr,
                                      nullptr) == SQLITE_OK;
}

} // namespace LetterCaseSql
