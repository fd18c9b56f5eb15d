// Where progress and outcome lines go: the message area along the bottom of the main window.
#pragma once

#include <string_view>

class IMessageArea {
public:
    virtual ~IMessageArea() = default;
    virtual void AddMessage(std::string_view line) = 0;
};
