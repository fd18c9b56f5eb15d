#include <string>

#include "atomic_file.h"
#include "cp932_text.h"
#include "melody_file.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

int Flag(std::int32_t value) { return value != 0 ? 1 : 0; }

}  // namespace

std::string UnsavableTitleLine(const Cp932Conversion& conversion) {
    if (conversion.unmappable.empty()) return {};
    return "\n曲名の" + DescribeCharacter(conversion.unmappable, conversion.codePoint) +
           "は保存できない文字です。";
}

std::string MelodyFileText(const MelodySettings& settings, const CMelodyDataManager& melody) {
    std::string title = settings.title;
    for (char& c : title)
        if (c == '\r' || c == '\n') c = ' ';
    std::string text = title;
    text += kLineEnd;
    text += std::to_string(LimitTempo(settings.tempo));
    text += kLineEnd;
    text += settings.repeat ? "1" : "0";
    text += kLineEnd;
    for (const MelodyNote& entry : melody.Notes()) {
        if (entry.type == TypeOf(MelodySymbol::Clef)) continue;
        text += std::to_string(entry.type) + ',' + std::to_string(entry.y) + ',' +
                std::to_string(Flag(entry.dotted)) + ',' + std::to_string(Flag(entry.flat)) + ',' +
                std::to_string(Flag(entry.sharp));
        text += kLineEnd;
    }
    return text;
}

bool WriteMelodyFile(const std::string& path, MelodySettings& settings,
                     const CMelodyDataManager& melody, INotifier& notifier) {
    settings.tempo = LimitTempo(settings.tempo);
    const Cp932Conversion bytes = Utf8ToCp932(MelodyFileText(settings, melody));
    if (!bytes.bytes) {
        // Only the title is free text; every other line is digits and commas.
        notifier.ShowMessage(std::string(kMelodySaveFailed) + UnsavableTitleLine(bytes));
        return false;
    }
    if (ReplaceFileContents(path, *bytes.bytes)) {
        notifier.ShowMessage(kMelodySaveFailed);
        return false;
    }
    return true;
}
