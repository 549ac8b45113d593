#pragma once

#include <string_view>

// LIKE as the lookups use it: `%` stands for any run of characters, `_` for any one character,
// every other character for itself. Pattern and text are given as folded characters.
namespace LikeMatch {

bool matches(std::u32string_view pattern, std::u32string_view text);

} // namespace LikeMatch
