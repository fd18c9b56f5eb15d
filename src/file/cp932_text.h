// Conversion between the core's UTF-8 text and code page 932 (Shift-JIS as
// Windows extends it), the code page of the melody file, the measurement CSV
// and the track name of an exported MIDI file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct Cp932Conversion {
    // The whole text in code page 932; nothing when any character lacks a form there.
    std::optional<std::string> bytes;
    // Then the first such character in UTF-8 and its code point (U+FFFD for
    // bytes that are not UTF-8), so that the user can be told which it is.
    // Both stay empty when the system has no code page 932 converter at all.
    std::string unmappable;
    char32_t codePoint = 0;
};

// Converts all of text or nothing: a text is never written altered.
Cp932Conversion Utf8ToCp932(std::string_view text);

// Bytes that are not code page 932 become U+FFFD, one per byte, so reading never fails on them.
std::string Cp932ToUtf8(std::string_view bytes);

// "「X」(U+XXXX)": a character named so that the user can find it, even an invisible one.
std::string DescribeCharacter(std::string_view utf8, char32_t codePoint);
