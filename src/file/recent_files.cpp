// The recent-files list and its file: UTF-8 text, one path per line.
#include "recent_files.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "atomic_file.h"

RecentFiles::RecentFiles(std::filesystem::path store) : store_(std::move(store)) {}

void RecentFiles::Load() {
    paths_.clear();
    if (store_.empty()) return;
    std::ifstream in(store_, std::ios::binary);
    std::string line;
    while (paths_.size() < kLimit && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || std::find(paths_.begin(), paths_.end(), line) != paths_.end()) continue;
        paths_.push_back(line);
    }
}

bool RecentFiles::Add(const std::string& path) {
    // A name with a line break would not read back as one line: it is not listed.
    if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return true;
    std::erase(paths_, path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kLimit) paths_.resize(kLimit);
    return Save();
}

bool RecentFiles::Save() const {
    if (store_.empty()) return true;
    std::error_code error;
    std::filesystem::create_directories(store_.parent_path(), error);
    std::string text;
    for (const std::string& path : paths_) text.append(path).append("\n");
    return !ReplaceFileContents(store_.string(), text).has_value();
}
