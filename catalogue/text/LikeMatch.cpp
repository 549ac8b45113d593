#include "LikeMatch.h"

namespace LikeMatch {

// Goes back only to the last `%` seen: a later `%` can match whatever an earlier one would
// have, so the time stays within pattern length times text length, whatever is typed.
bool matches(std::u32string_view pattern, std::u32string_view text)
{
    constexpr size_t kNone = std::u32string_view::npos;
    size_t p = 0;
    size_t t = 0;
    size_t afterPercent = kNone;
    size_t percentText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == U'%') {
            afterPercent = ++p;
            percentText = t;
        } else if (p < pattern.size() && (pattern[p] == U'_' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (afterPercent != kNone) {
            p = afterPercent;
            t = ++percentText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'%')
        ++p;
    return p == pattern.size();
}

} // namespace LikeMatch
