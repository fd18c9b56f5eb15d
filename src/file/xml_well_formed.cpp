#include "xml_well_formed.h"

#include <expat.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

struct ParserFree {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

// The code point of the UTF-8 sequence at text[at] and its length, or a
// length of 0 when the bytes there are not UTF-8 (overlong forms and
// surrogates included).
struct Decoded {
    std::uint32_t code = 0;
    std::size_t length = 0;
};

Decoded DecodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) return {lead, 1};
    // Sequence length, the lead byte's payload bits and the least code point
    // that needs this length.
    struct Form {
        std::uint8_t mask;
        std::uint8_t pattern;
        std::size_t length;
        std::uint32_t least;
    };
    constexpr Form kForms[] = {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800},
                               {0xF8, 0xF0, 4, 0x10000}};
    for (const Form& form : kForms) {
        if ((lead & form.mask) != form.pattern) continue;
        if (at + form.length > text.size()) return {};
        std::uint32_t code = lead & static_cast<std::uint8_t>(~form.mask);
        for (std::size_t i = 1; i < form.length; ++i) {
            if ((byte(i) & 0xC0) != 0x80) return {};
            code = (code << 6) | (byte(i) & 0x3Fu);
        }
        if (code < form.least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
        return {code, form.length};
    }
    return {};
}

bool IsXmlChar(std::uint32_t code) {
    if (code < 0x20) return code == 0x09 || code == 0x0A || code == 0x0D;
    return code != 0xFFFE && code != 0xFFFF;
}

}  // namespace

bool IsWellFormedXml(std::string_view text) {
    const std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
    if (!parser) return false;
    // Fed in pieces: the parser counts lengths in int.
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    do {
        const std::size_t length = std::min(text.size(), kPiece);
        const bool last = length == text.size();
        if (XML_Parse(parser.get(), text.data(), static_cast<int>(length), last ? 1 : 0) !=
            XML_STATUS_OK)
            return false;
        text.remove_prefix(length);
    } while (!text.empty());
    return true;
}

std::string XmlCharactersOnly(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = DecodeUtf8(text, at);
        if (decoded.length == 0) {
            ++at;
            continue;
        }
        if (IsXmlChar(decoded.code)) kept.append(text.substr(at, decoded.length));
        at += decoded.length;
    }
    return kept;
}
