#include "measurement_samples.h"

#include <cstdio>

std::string SampleTimeText(const std::tm& local) {
    char text[64];
    std::snprintf(text, sizeof text, "%d年%02d月%02d日%02d時%02d分%02d秒", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

bool MeasurementSamples::Add(MeasurementSample sample) {
    if (Full()) return false;
    samples_.push_back(std::move(sample));
    return true;
}

void MeasurementSamples::Reset() {
    samples_.clear();
    saved_ = false;
}
