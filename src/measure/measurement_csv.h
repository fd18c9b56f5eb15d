// The measurement file: the samples as CSV text in code page 932 with CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "measurement_samples.h"

inline constexpr std::string_view kMeasurementSaveFailed = "データを保存できませんでした。";

// The file's bytes; nothing when a time text has no code page 932 form.
std::optional<std::string> MeasurementCsvBytes(const std::vector<MeasurementSample>& samples);

// Replaces the file at path with the samples; an earlier file survives a
// failed write. Nothing on success, else the message for the user.
std::optional<std::string> WriteMeasurementCsv(const std::string& path,
                                               const std::vector<MeasurementSample>& samples);
