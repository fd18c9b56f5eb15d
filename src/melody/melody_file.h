// The melody file (".mel"): code page 932 text with CR LF line ends holding
// the title, the tempo, the repeat flag and one line per note or rest.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "melody_data_manager.h"
#include "melody_timing.h"
#include "notifier.h"

inline constexpr std::string_view kMelodySaveFailed = "保存に失敗しました";
inline constexpr std::string_view kMelodyReadFailed = "読み込みに失敗しました";

// Files this editor writes hold at most 100 entries; far larger ones are refused.
inline constexpr std::size_t kMaxMelodyFileEntries = 10000;

struct MelodySettings {
    std::string title;
    int tempo = kDefaultTempo;
    bool repeat = false;
    bool operator==(const MelodySettings&) const = default;
};

// The file's text in UTF-8: settings.tempo limited to 40-200, line breaks in
// the title turned into spaces so that they cannot shift the lines after it.
std::string MelodyFileText(const MelodySettings& settings, const CMelodyDataManager& melody);

struct Cp932Conversion;

// A line break and a line naming the title character that code page 932
// cannot hold, to follow a failure message; empty when the conversion failed
// for no particular character.
std::string UnsavableTitleLine(const Cp932Conversion& conversion);

// Limits settings.tempo to 40-200 (the editor shows the limited value), then
// replaces the file as a whole. On failure shows "保存に失敗しました" and
// leaves any previous file as it was; a title with a character that has no
// code page 932 form is refused rather than saved altered, and the message
// names the character.
bool WriteMelodyFile(const std::string& path, MelodySettings& settings,
                     const CMelodyDataManager& melody, INotifier& notifier);

// The file's bytes into the list; nothing, with the list left empty, for a
// file that lacks one of its first three lines or holds more than
// kMaxMelodyFileEntries entries. The title is kept whole, however long.
std::optional<MelodySettings> ParseMelodyFile(std::string_view bytes, CMelodyDataManager& melody);

// On success the list holds the file's entries and the settings are returned.
// Otherwise "読み込みに失敗しました" is shown; a file that could be opened but
// lacks one of its first three lines, or holds more than kMaxMelodyFileEntries
// entries, leaves the list empty.
std::optional<MelodySettings> ReadMelodyFile(const std::string& path, CMelodyDataManager& melody,
                                             INotifier& notifier);
