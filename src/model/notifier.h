// Messages that need the user's attention (a modal box with OK in the editor).
#pragma once

#include <string_view>

class INotifier {
public:
    virtual ~INotifier() = default;
    virtual void ShowMessage(std::string_view text) = 0;
};
