// Replacing a file so that a failed write never destroys the previous one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct FileError {
    int code = 0;  // the system's error number
    std::string description;
};

// Writes bytes to a new file beside path, flushes it to disk and renames it
// over path. On failure path is untouched and the temporary file removed.
std::optional<FileError> ReplaceFileContents(const std::string& path, std::string_view bytes);
