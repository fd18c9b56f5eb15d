// The measurement tool's samples: the board's temperature and light at a moment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

struct MeasurementSample {
    std::string time;  // local time as "%d年%02d月%02d日%02d時%02d分%02d秒"
    std::uint16_t temperature = 0;
    std::uint16_t light = 0;
};

// The local time in the text a sample carries.
std::string SampleTimeText(const std::tm& local);

// At most kMaxSamples samples in the order they were taken, and whether they
// have been written to a file since the last reset.
class MeasurementSamples {
public:
    static constexpr std::size_t kMaxSamples = 1000;

    // False, changing nothing, when the store is already full.
    bool Add(MeasurementSample sample);
    void Reset();

    const std::vector<MeasurementSample>& All() const { return samples_; }
    std::size_t Count() const { return samples_.size(); }
    bool Full() const { return samples_.size() >= kMaxSamples; }
    bool Saved() const { return saved_; }
    void MarkSaved() { saved_ = true; }
    // Samples that would be lost by closing.
    bool Unsaved() const { return !samples_.empty() && !saved_; }

private:
    std::vector<MeasurementSample> samples_;
    bool saved_ = false;
};
