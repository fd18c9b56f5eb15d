#include "cp932_text.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <type_traits>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

struct IconvCloser {
    void operator()(iconv_t handle) const { ::iconv_close(handle); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

IconvHandle OpenConverter(const char* to, const char* from) {
    iconv_t handle = ::iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) return nullptr;
    return IconvHandle(handle);
}

// Converts all of input; on an unconvertible sequence either gives up or, when
// a replacement is given, writes it and skips one input byte.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input,
                                   std::optional<std::string_view> replacement) {
    const IconvHandle converter = OpenConverter(to, from);
    if (!converter) return std::nullopt;
    std::string source(input);
    char* in = source.data();
    std::size_t inLeft = source.size();
    std::string output;
    std::array<char, 256> buffer;
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = ::iconv(converter.get(), &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
        if (result != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (!replacement) return std::nullopt;
        output.append(*replacement);
        ++in;
        --inLeft;
    }
    return output;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view text) {
    return Convert("CP932", "UTF-8", text, std::nullopt);
}

std::string Cp932ToUtf8(std::string_view bytes) {
    return Convert("UTF-8", "CP932", bytes, kReplacement).value_or(std::string());
}
