// The flowchart files last opened or saved, newest first, kept in a file of
// the editor's own in the user's configuration folder (never in Qen.inf).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

class RecentFiles {
public:
    static constexpr std::size_t kLimit = 8;
    // The file's name in the user's configuration folder.
    static constexpr const char* kFileName = "recent-files";

    // Kept in store; an empty path keeps the list for this run only.
    explicit RecentFiles(std::filesystem::path store = {});

    // Reads the kept list: one path per line, blank lines and repeats
    // skipped, at most kLimit. A missing or unreadable file gives an empty list.
    void Load();
    // Puts path first, moving it up when it is listed already and dropping
    // the oldest beyond kLimit, and keeps the list; false when it could not
    // be written (the list in memory changes all the same).
    bool Add(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    bool Save() const;

    std::filesystem::path store_;
    std::vector<std::string> paths_;
};
