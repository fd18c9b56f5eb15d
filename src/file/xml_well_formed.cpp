#include "xml_well_formed.h"

#include <expat.h>

#include <algorithm>
#include <cstddef>
#include <memory>

#include "utf8_text.h"

namespace {

struct ParserFree {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

bool IsXmlChar(char32_t code) {
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
        const Utf8Character character = DecodeUtf8(text.substr(at));
        if (character.length == 0) {
            ++at;
            continue;
        }
        if (IsXmlChar(character.codePoint)) kept.append(text.substr(at, character.length));
        at += character.length;
    }
    return kept;
}
