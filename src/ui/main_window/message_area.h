// CMessageArea: the read-only box along the bottom of the main window that
// keeps the newest report lines, one line per event.
#pragma once

#include <QPoint>
#include <QPointer>
#include <optional>
#include <string_view>

class QPlainTextEdit;

// What a line of the message area is about in the charts: a chart and, for
// a symbol, its uid (0 for the chart as a whole).
struct MessagePlace {
    int chart = 0;
    int uid = 0;

    bool operator==(const MessagePlace&) const = default;
};

class CMessageArea {
public:
    static constexpr int kDefaultLineLimit = 128;

    // Attaches the box (read-only from now on) and sets the line limit.
    void Init(QPlainTextEdit* box, int lineLimit);
    void Enable(bool enabled) { enabled_ = enabled; }
    int LineLimit() const { return lineLimit_; }

    // Replaces the whole text (the first line at start-up).
    void SetText(std::string_view text);
    // While the box holds more lines than the limit, drops its first line;
    // then appends message on a new line and scrolls to it. Nothing happens
    // while the area is disabled or has no box.
    void AddMessage(std::string_view message);
    // The same for a line about a place in the charts, which the line keeps.
    void AddMessage(std::string_view message, MessagePlace place);
    // The place of the line at a point of the box's viewport, when it has one.
    std::optional<MessagePlace> PlaceAt(QPoint viewportPoint) const;
    int LineCount() const;

private:
    QPointer<QPlainTextEdit> box_;
    bool enabled_ = false;
    int lineLimit_ = kDefaultLineLimit;
};
