#include <array>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

#include "cp932_text.h"
#include "melody_file.h"

namespace {

constexpr int kMissingType = -1;

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// A decimal integer after optional white space and sign, as "%d" reads it;
// consumes it from text. Nothing when there is none or it does not fit.
std::optional<std::int32_t> TakeInt(std::string_view& text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    if (at < text.size() && text[at] == '+') ++at;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (error != std::errc()) return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

// Text that is not a number counts as 0.
std::int32_t LeadingInt(std::string_view text) { return TakeInt(text).value_or(0); }

// "type,y,dotted,flat,sharp"; fields from the first one missing on keep their defaults.
MelodyNote ParseEntry(std::string_view line) {
    MelodyNote entry;
    entry.type = kMissingType;
    const std::array<std::int32_t*, 5> fields{&entry.type, &entry.y, &entry.dotted, &entry.flat,
                                              &entry.sharp};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            if (line.empty() || line.front() != ',') break;
            line.remove_prefix(1);
        }
        const std::optional<std::int32_t> value = TakeInt(line);
        if (!value) break;
        *fields[i] = *value;
    }
    if (IsRestType(entry.type)) entry.y = kRestY;
    return entry;
}

}  // namespace

std::optional<MelodySettings> ParseMelodyFile(std::string_view bytes, CMelodyDataManager& melody) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    constexpr std::size_t kHeaderLines = 3;
    if (lines.size() < kHeaderLines || lines.size() - kHeaderLines > kMaxMelodyFileEntries) {
        melody.Reset();
        return std::nullopt;
    }
    MelodySettings settings;
    settings.title = Cp932ToUtf8(lines[0]);
    settings.tempo = LimitTempo(LeadingInt(lines[1]));
    settings.repeat = LeadingInt(lines[2]) != 0;

    std::vector<MelodyNote> entries;
    entries.reserve(lines.size() - kHeaderLines);
    for (std::size_t i = kHeaderLines; i < lines.size(); ++i)
        entries.push_back(ParseEntry(lines[i]));
    melody.ReplaceEntries(std::move(entries));
    return settings;
}

std::optional<MelodySettings> ReadMelodyFile(const std::string& path, CMelodyDataManager& melody,
                                             INotifier& notifier) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        notifier.ShowMessage(kMelodyReadFailed);
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    std::optional<MelodySettings> settings = ParseMelodyFile(content.str(), melody);
    if (!settings) notifier.ShowMessage(kMelodyReadFailed);
    return settings;
}
