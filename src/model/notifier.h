// Messages that need the user's attention (a modal box with OK in the editor).
#pragma once

#include <string_view>

// How the box presents a message: the warning icon for refusals, the error
// icon for a file that cannot be read or written, no icon for a plain notice.
enum class MessageSeverity { Warning, Error, Plain };

class INotifier {
public:
    virtual ~INotifier() = default;
    virtual void Notify(std::string_view text, MessageSeverity severity) = 0;

    void ShowMessage(std::string_view text) { Notify(text, MessageSeverity::Warning); }
    void ShowError(std::string_view text) { Notify(text, MessageSeverity::Error); }
    void ShowNotice(std::string_view text) { Notify(text, MessageSeverity::Plain); }
};
