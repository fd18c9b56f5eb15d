#include "measurement_csv.h"

#include "atomic_file.h"
#include "cp932_text.h"

namespace {

constexpr std::string_view kHeader = "時間,温度,照度";
constexpr std::string_view kLineEnd = "\r\n";

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
    // The texts are the program's own, all of which code page 932 holds.
    return Utf8ToCp932(text).bytes;
}

std::optional<std::string> WriteMeasurementCsv(const std::string& path,
                                               const std::vector<MeasurementSample>& samples) {
    const std::optional<std::string> bytes = MeasurementCsvBytes(samples);
    if (!bytes) return std::string(kMeasurementSaveFailed);
    if (const std::optional<FileError> error = ReplaceFileContents(path, *bytes))
        return std::string(kMeasurementSaveFailed) + "\n" + path + "\n" + error->description;
    return std::nullopt;
}
