// A notifier that keeps the messages it was asked to show, for tests that check them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "notifier.h"

class RecordingNotifier : public INotifier {
public:
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};
