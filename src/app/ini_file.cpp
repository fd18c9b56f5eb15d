// Classic section/key settings file, read and written as whole text lines.
#include "ini_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

namespace Utility {

void IIniFile::Close() {
    open_ = 0;
    path_.clear();
}

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    if (!lines.empty() && lines.front().rfind("\xEF\xBB\xBF", 0) == 0) lines.front().erase(0, 3);
    return lines;
}

// "[name]" gives name; any other line gives nothing.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return false;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

// "key = value" gives both parts; comments and lines without '=' give nothing.
bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') return false;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return true;
}

}  // namespace

bool CAppIniFile::Open(const std::string& fileName, bool mustExist) {
    if (open_ || fileName.empty()) return false;
    std::error_code error;
    const auto directory = std::filesystem::current_path(error);
    if (error) return false;
    const auto path = directory / fileName;
    if (std::filesystem::is_regular_file(path, error)) {
        path_ = path.string();
        open_ = 1;
        return true;
    }
    if (!mustExist) {
        path_ = path.string();
        open_ = 1;
    }
    return false;
}

std::string CAppIniFile::GetString(std::string_view section, std::string_view key) {
    if (!open_) return {};
    bool inSection = false;
    for (const auto& line : ReadLines(path_)) {
        std::string_view name, k, v;
        if (SectionName(line, name))
            inSection = SameName(name, section);
        else if (inSection && KeyValue(line, k, v) && SameName(k, key))
            return std::string(v);
    }
    return {};
}

bool CAppIniFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    if (!open_) return false;
    auto lines = ReadLines(path_);
    const std::string entry = std::string(key) + "=" + std::string(value);
    std::optional<std::size_t> sectionEnd;  // set once the section is found
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name, k, v;
        if (SectionName(lines[i], name)) {
            if (sectionEnd) break;
            if (SameName(name, section)) sectionEnd = i + 1;
        } else if (sectionEnd) {
            if (KeyValue(lines[i], k, v) && SameName(k, key)) {
                lines[i] = entry;
                return WriteLines(lines);
            }
            if (!Trim(lines[i]).empty()) sectionEnd = i + 1;
        }
    }
    if (sectionEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    }
    return WriteLines(lines);
}

bool CAppIniFile::WriteLines(const std::vector<std::string>& lines) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    for (const auto& line : lines) out << line << '\n';
    return static_cast<bool>(out.flush());
}

}  // namespace Utility

namespace {

// One "%d" conversion: leading blanks, an optional sign, digits.
bool ParseInt(std::string_view& text, int& value) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{}) return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
}

}  // namespace

WindowSettings ReadWindowSettings(Utility::IIniFile& ini, const std::string& fileName) {
    WindowSettings settings;
    if (!ini.Open(fileName, true)) return settings;
    const std::string text = ini.GetString("System", "WindowSize");
    ini.Close();
    if (text.empty()) return settings;
    int width = 0;
    int height = 0;
    std::string_view rest = text;
    if (ParseInt(rest, width) && !rest.empty() && rest.front() == ',') {
        rest.remove_prefix(1);
        if (!ParseInt(rest, height)) height = 0;
    }
    settings.fixedSize = 1;
    settings.width = std::max(width, kMinWindowWidth);
    settings.height = std::max(height, kMinWindowHeight);
    return settings;
}
