#include "measurement_csv.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <type_traits>

#include "atomic_file.h"

namespace {

constexpr std::string_view kHeader = "時間,温度,照度";
constexpr std::string_view kLineEnd = "\r\n";

struct IconvCloser {
    void operator()(iconv_t handle) const { ::iconv_close(handle); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

std::optional<std::string> ToCp932(std::string_view text) {
    iconv_t opened = ::iconv_open("CP932", "UTF-8");
    if (opened == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) return std::nullopt;
    const IconvHandle converter(opened);
    std::string source(text);
    char* in = source.data();
    std::size_t inLeft = source.size();
    std::string output;
    std::array<char, 1024> buffer;
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = ::iconv(converter.get(), &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return std::nullopt;
    }
    return output;
}

}  // namespace

std::optional<std::string> MeasurementCsvBytes(const std::vector<MeasurementSample>& samples) {
    std::string text(kHeader);
    text += kLineEnd;
    for (const MeasurementSample& sample : samples) {
        text += sample.time;
        text += ',';
        text += std::to_string(sample.temperature);
        text += ',';
        text += std::to_string(sample.light);
        text += kLineEnd;
    }
    return ToCp932(text);
}

std::optional<std::string> WriteMeasurementCsv(const std::string& path,
                                               const std::vector<MeasurementSample>& samples) {
    const std::optional<std::string> bytes = MeasurementCsvBytes(samples);
    if (!bytes) return std::string(kMeasurementSaveFailed);
    if (const std::optional<FileError> error = ReplaceFileContents(path, *bytes))
        return std::string(kMeasurementSaveFailed) + "\n" + path + "\n" + error->description;
    return std::nullopt;
}
