// The dialogs the document commands ask the user through; the user
// interface supplies the real ones, tests script them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct FileDialogRequest {
    std::string_view defaultExtension;  // without the dot
    std::string_view initialName;       // empty: none
    std::string_view filter;            // "description|pattern||"
    bool promptOverwrite = false;       // ask before an existing file is replaced
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<std::string> ChooseOpenPath(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ChooseSavePath(const FileDialogRequest& request) = 0;
    // A Yes / No question with a warning icon; true for Yes.
    virtual bool AskYesNo(std::string_view question) = 0;
};
