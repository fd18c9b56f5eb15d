// The program file's version block: translations and their named strings
// ("ProductName", "FileVersion", "CompanyName"), shown in the about box.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The text the block starts with inside the program file. It is followed by
// "\nTranslation=LLLL:CCCC[,LLLL:CCCC...]\n", then lines "llllcccc:Name=Value",
// and ends at the first NUL byte.
inline constexpr std::string_view kVersionBlockMarker = "QEN-VERSION-RESOURCE:";

class VersionInfo {
public:
    // userLanguage: the language id of the user's locale (0x0411 Japanese).
    explicit VersionInfo(std::uint16_t userLanguage) : userLanguage_(userLanguage) {}

    // Reads the version block of the program file at path, dropping any earlier
    // one; false when the file cannot be read or holds no valid block.
    bool Load(const std::filesystem::path& program);
    // Empties value, then finds name in the chosen translation and, failing
    // that, in every translation from the first; false when none has it.
    bool Query(std::string_view name, std::string& value) const;

    int ChosenTranslation() const { return chosen_; }

private:
    bool Parse(std::string_view block);
    bool Lookup(std::size_t index, std::string_view name, std::string& value) const;

    std::uint16_t userLanguage_;
    bool loaded_ = false;
    // (language, code page) pairs in block order.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations_;
    int chosen_ = 0;
    std::map<std::string, std::string, std::less<>> strings_;  // "llllcccc\\Name" -> value
};

// The language id the about box prefers for a locale name such as "ja_JP".
std::uint16_t LanguageIdForLocale(std::string_view localeName);
