#include "nuvo_melody_manager.h"

#include <algorithm>
#include <string>

#include "utf8_text.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one UTF-8 character from text; a malformed sequence gives U+FFFD for one byte.
char32_t TakeCodePoint(std::string_view& text) {
    const Utf8Character character = DecodeUtf8(text);
    if (character.length == 0) {
        text.remove_prefix(1);
        return kReplacementCharacter;
    }
    text.remove_prefix(character.length);
    return character.codePoint;
}

std::u16string ToUtf16(std::string_view text) {
    std::u16string units;
    while (!text.empty()) {
        const char32_t c = TakeCodePoint(text);
        if (c < 0x10000) {
            units.push_back(static_cast<char16_t>(c));
        } else {
            const char32_t offset = c - 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
        }
    }
    return units;
}

}  // namespace

void NuvoMelodyManager::Reset() {
    std::fill(image_.begin(), image_.begin() + kMelodyTitleBytes, 0x00);
    std::fill(image_.begin() + kMelodyTitleBytes, image_.end(), 0xFF);
    writeOffset_ = kMelodyTitleBytes;
}

void NuvoMelodyManager::SetTitle(std::string_view utf8Title) {
    std::u16string units = ToUtf16(utf8Title);
    if (units.size() > kMelodyTitleUnits) {
        units.resize(kMelodyTitleUnits);
        // A high surrogate whose partner was cut off would be a broken character.
        if (units.back() >= 0xD800 && units.back() <= 0xDBFF) units.pop_back();
    }
    std::fill(image_.begin(), image_.begin() + kMelodyTitleBytes, 0x00);
    for (std::size_t i = 0; i < units.size(); ++i) {
        image_[2 * i] = static_cast<std::uint8_t>(units[i] >> 8);
        image_[2 * i + 1] = static_cast<std::uint8_t>(units[i] & 0xFF);
    }
}

bool NuvoMelodyManager::AppendEntry(const MelodyEntry& entry) {
    const auto size = static_cast<int>(entry.size());
    if (writeOffset_ + size > static_cast<int>(image_.size())) return false;
    std::copy(entry.begin(), entry.end(), image_.begin() + writeOffset_);
    writeOffset_ += size;
    return true;
}
