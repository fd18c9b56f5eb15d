// Files the editor is asked to open, from its command line or handed over by
// a later start: each opens in the window for its kind, in the order asked,
// as soon as that window can take it.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>

enum class FileKind { Flowchart, Melody };

// A ".mel" file (in any letter case) is a melody; anything else is taken
// for a flowchart, whose loader says so when it is not one.
FileKind KindOfFile(const QString& path);

// The editor's windows as the requests need them.
class IFileOpenTarget {
public:
    virtual ~IFileOpenTarget() = default;
    // False while something keeps the window for kind from opening a file
    // now: a dialog, a board step, the melody editor over the main window.
    virtual bool CanOpen(FileKind kind) const = 0;
    // Opens path as the window's open command does, asking first about
    // unsaved changes; the window comes to the front.
    virtual void Open(FileKind kind, const QString& path) = 0;
    // Raises the editor's foremost window, so the user sees the request.
    virtual void BringToFront() = 0;
};

class FileRequests : public QObject {
public:
    // While the target cannot take the next file, it is tried again every retryMs.
    explicit FileRequests(IFileOpenTarget& target, int retryMs = 200);

    // Queues path; it opens from the event loop, once its window can take it.
    void Request(const QString& path);
    std::size_t Pending() const { return pending_.size(); }

private:
    void OpenWhatCan();

    IFileOpenTarget& target_;
    std::deque<QString> pending_;
    QTimer next_;
    const int retryMs_;
    bool opening_ = false;
};
