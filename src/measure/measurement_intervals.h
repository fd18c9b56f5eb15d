// The sampling intervals the measurement tool offers, in list order.
#pragma once

#include <array>
#include <string_view>

struct MeasurementInterval {
    std::string_view label;
    int milliseconds;
};

// An hour is 3600000 ms like the other items, which all equal their labels.
inline constexpr std::array<MeasurementInterval, 7> kMeasurementIntervals{{
    {"１秒", 1000},
    {"１０秒", 10000},
    {"３０秒", 30000},
    {"１分", 60000},
    {"１０分", 600000},
    {"３０分", 1800000},
    {"１時間", 3600000},
}};

// The period of a list index; no or a foreign selection samples every second.
constexpr int IntervalMilliseconds(int index) {
    if (index < 0 || index >= static_cast<int>(kMeasurementIntervals.size())) return 1000;
    return kMeasurementIntervals[static_cast<std::size_t>(index)].milliseconds;
}
