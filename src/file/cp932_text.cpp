#include "cp932_text.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <type_traits>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr char32_t kReplacementCodePoint = 0xFFFD;

struct IconvCloser {
    void operator()(iconv_t handle) const { ::iconv_close(handle); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

IconvHandle OpenConverter(const char* to, const char* from) {
    iconv_t handle = ::iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) return nullptr;
    return IconvHandle(handle);
}

struct Utf8Character {
    std::string_view text;
    char32_t codePoint = kReplacementCodePoint;
};

// The UTF-8 character at the start of text; a malformed one is U+FFFD.
Utf8Character FirstCharacter(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        length = 1;
        value = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    }
    if (length == 0 || length > text.size()) return {kReplacement};
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return {kReplacement};
        value = (value << 6) | (next & 0x3F);
    }
    return {text.substr(0, length), value};
}

// Runs the converter over all of input. On a sequence it cannot convert,
// onFailure gets the rest of the input and says how many bytes to skip after
// writing its replacement, or nothing to give up.
template <typename OnFailure>
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input,
                                   OnFailure onFailure) {
    const IconvHandle converter = OpenConverter(to, from);
    if (!converter) return std::nullopt;
    std::string source(input);
    char* in = source.data();
    std::size_t inLeft = source.size();
    std::string output;
    std::array<char, 1024> buffer;
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = ::iconv(converter.get(), &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        const std::optional<std::size_t> skip = onFailure(std::string_view(in, inLeft), output);
        if (!skip) return std::nullopt;
        in += *skip;
        inLeft -= *skip;
    }
    return output;
}

}  // namespace

Cp932Conversion Utf8ToCp932(std::string_view text) {
    Cp932Conversion conversion;
    conversion.bytes =
        Convert("CP932", "UTF-8", text,
                [&](std::string_view rest, std::string&) -> std::optional<std::size_t> {
                    const Utf8Character bad = FirstCharacter(rest);
                    conversion.unmappable = bad.text;
                    conversion.codePoint = bad.codePoint;
                    return std::nullopt;
                });
    return conversion;
}

std::string Cp932ToUtf8(std::string_view bytes) {
    return Convert("UTF-8", "CP932", bytes,
                   [](std::string_view, std::string& output) -> std::optional<std::size_t> {
                       output.append(kReplacement);
                       return 1;
                   })
        .value_or(std::string());
}

std::string DescribeCharacter(std::string_view utf8, char32_t codePoint) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(codePoint));
    return "「" + std::string(utf8) + "」(" + number + ")";
}
