// Conversion between the core's UTF-8 text and the melody file's code page 932.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Nothing when a character has no code page 932 form.
std::optional<std::string> Utf8ToCp932(std::string_view text);
// Bytes that are not code page 932 become U+FFFD, so reading never fails on them.
std::string Cp932ToUtf8(std::string_view bytes);
