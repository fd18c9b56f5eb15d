// Finds and reads the version block that the build embeds in the program file.
#include "version_info.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

bool ParseHex16(std::string_view text, std::uint16_t& value) {
    if (text.size() != 4) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + 4, value, 16);
    return error == std::errc{} && end == text.data() + 4;
}

std::string KeyOf(std::uint16_t language, std::uint16_t codePage, std::string_view name) {
    char prefix[9];
    std::snprintf(prefix, sizeof prefix, "%04x%04x", language, codePage);
    return std::string(prefix) + "\\" + std::string(name);
}

}  // namespace

bool VersionInfo::Load(const std::filesystem::path& program) {
    loaded_ = false;
    translations_.clear();
    strings_.clear();
    chosen_ = 0;
    std::ifstream in(program, std::ios::binary);
    if (!in) return false;
    const std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // The marker also occurs where the program searches for it; only a
    // candidate that parses as a block counts.
    for (auto at = data.find(kVersionBlockMarker); at != std::string::npos;
         at = data.find(kVersionBlockMarker, at + 1)) {
        std::string_view block(data);
        block.remove_prefix(at + kVersionBlockMarker.size());
        block = block.substr(0, block.find('\0'));
        if (Parse(block)) {
            loaded_ = true;
            return true;
        }
    }
    return false;
}

bool VersionInfo::Parse(std::string_view block) {
    constexpr std::string_view kTranslation = "\nTranslation=";
    if (block.substr(0, kTranslation.size()) != kTranslation) return false;
    block.remove_prefix(kTranslation.size());
    const auto lineEnd = block.find('\n');
    std::string_view table = block.substr(0, lineEnd);
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;
    while (!table.empty()) {
        const auto comma = table.find(',');
        const std::string_view entry = table.substr(0, comma);
        std::uint16_t language = 0;
        std::uint16_t codePage = 0;
        if (entry.size() != 9 || entry[4] != ':' || !ParseHex16(entry.substr(0, 4), language) ||
            !ParseHex16(entry.substr(5, 4), codePage))
            return false;
        translations.emplace_back(language, codePage);
        table = comma == std::string_view::npos ? std::string_view{} : table.substr(comma + 1);
    }
    if (translations.empty()) return false;

    std::map<std::string, std::string, std::less<>> strings;
    std::string_view rest = lineEnd == std::string_view::npos ? std::string_view{}
                                                              : block.substr(lineEnd + 1);
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const auto colon = line.find(':');
        const auto eq = line.find('=');
        std::uint16_t language = 0;
        std::uint16_t codePage = 0;
        if (colon != 8 || eq == std::string_view::npos || eq < colon ||
            !ParseHex16(line.substr(0, 4), language) || !ParseHex16(line.substr(4, 4), codePage))
            continue;
        strings[KeyOf(language, codePage, line.substr(colon + 1, eq - colon - 1))] =
            std::string(line.substr(eq + 1));
    }

    translations_ = std::move(translations);
    strings_ = std::move(strings);
    chosen_ = 0;
    for (std::size_t i = 0; i < translations_.size(); ++i)
        if (translations_[i].first == userLanguage_) chosen_ = static_cast<int>(i);
    return true;
}

bool VersionInfo::Lookup(std::size_t index, std::string_view name, std::string& value) const {
    const auto& [language, codePage] = translations_[index];
    const auto found = strings_.find(KeyOf(language, codePage, name));
    if (found == strings_.end()) return false;
    value = found->second;
    return true;
}

bool VersionInfo::Query(std::string_view name, std::string& value) const {
    value.clear();
    if (!loaded_ || translations_.empty()) return false;
    if (chosen_ != 0 && Lookup(static_cast<std::size_t>(chosen_), name, value)) return true;
    for (std::size_t i = 0; i < translations_.size(); ++i)
        if (Lookup(i, name, value)) return true;
    return false;
}

std::uint16_t LanguageIdForLocale(std::string_view localeName) {
    if (localeName.substr(0, 2) == "ja") return 0x0411;
    return 0x0409;
}
