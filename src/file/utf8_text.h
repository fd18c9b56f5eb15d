// Reading UTF-8 one character at a time, strictly: overlong forms, surrogates
// and code points past U+10FFFF are not characters.
#pragma once

#include <cstddef>
#include <string_view>

struct Utf8Character {
    char32_t codePoint = 0;
    std::size_t length = 0;  // bytes; 0 when the bytes there are not UTF-8
};

// The character at the start of text, which must not be empty.
Utf8Character DecodeUtf8(std::string_view text);
