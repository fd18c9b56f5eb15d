#include "midi_port_choice.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 4> kSynthesiserMarks{"synth", "timidity", "fluid",
                                                            "wavetable"};
constexpr std::string_view kThroughMark = "through";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::optional<std::size_t> ChooseSynthesiserPort(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = Lower(names[i]);
        if (name.find(kThroughMark) != std::string::npos) continue;
        if (std::any_of(
                kSynthesiserMarks.begin(), kSynthesiserMarks.end(),
                [&](std::string_view mark) { return name.find(mark) != std::string::npos; }))
            return i;
    }
    return std::nullopt;
}
