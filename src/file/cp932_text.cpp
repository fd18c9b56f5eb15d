#include "cp932_text.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <type_traits>
#include <utility>

#include "utf8_text.h"

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

// The first character of text in UTF-8 and its code point; bytes that are
// not UTF-8 stand for U+FFFD.
std::pair<std::string_view, char32_t> FirstCharacter(std::string_view text) {
    const Utf8Character character = DecodeUtf8(text);
    if (character.length == 0) return {kReplacement, kReplacementCodePoint};
    return {text.substr(0, character.length), character.codePoint};
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
                    const auto [bad, codePoint] = FirstCharacter(rest);
                    conversion.unmappable = bad;
                    conversion.codePoint = codePoint;
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
