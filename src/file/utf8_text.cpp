#include "utf8_text.h"

#include <cstdint>

Utf8Character DecodeUtf8(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) return {lead, 1};
    // The lead byte's marker bits, the sequence length and the least code
    // point that needs this length.
    struct Form {
        std::uint8_t mask;
        std::uint8_t pattern;
        std::size_t length;
        char32_t least;
    };
    constexpr Form kForms[] = {
        {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    for (const Form& form : kForms) {
        if ((lead & form.mask) != form.pattern) continue;
        if (form.length > text.size()) return {};
        char32_t code = lead & static_cast<std::uint8_t>(~form.mask);
        for (std::size_t i = 1; i < form.length; ++i) {
            if ((byte(i) & 0xC0) != 0x80) return {};
            code = (code << 6) | (byte(i) & 0x3Fu);
        }
        if (code < form.least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
        return {code, form.length};
    }
    return {};
}
