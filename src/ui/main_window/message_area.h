// CMessageArea: the read-only box along the bottom of the main window that
// keeps the newest report lines, one line per event.
#pragma once

#include <QPointer>
#include <string_view>

class QPlainTextEdit;

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
    int LineCount() const;

private:
    QPointer<QPlainTextEdit> box_;
    bool enabled_ = false;
    int lineLimit_ = kDefaultLineLimit;
};
