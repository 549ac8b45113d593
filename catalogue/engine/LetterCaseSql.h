#pragma once

struct sqlite3;

// What the catalogue's queries call on their connection to compare text as the lookups do,
// without regard to the case of any letter (see LetterCase):
// - the collation ANYCASE, for `=` on plain-text columns;
// - ANYCASE_LIKE(value, pattern), true when the value matches the LIKE pattern;
// - ACCENTLESS_CONTAINS(value, key), true when the value's key with letter case and accents
//   aside (MatchKey) holds the key given;
// - ACCENTLESS_HOLDS_WORDS(value, text), true when that key of the value holds every word of the
//   text (TypedWords).
// Neither orders text as the catalogue's NOCASE indexes do, so the engine answers them without
// those indexes; the queries narrow the rows first with what the indexes can check.
namespace LetterCaseSql {

// False when the connection is missing or refuses them.
bool install(sqlite3* db);

} // namespace LetterCaseSql
