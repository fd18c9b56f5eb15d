// A notifier that keeps the messages it was asked to show, for tests that check them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "notifier.h"

class RecordingNotifier : public INotifier {
public:
    void Notify(std::string_view text, MessageSeverity severity) override {
        messages.emplace_back(text);
        severities.push_back(severity);
    }
    std::vector<std::string> messages;
    std::vector<MessageSeverity> severities;  // one per message
};
