// The queue of files to open and its retries.
#include "file_requests.h"

FileKind KindOfFile(const QString& path) {
    return path.endsWith(QLatin1String(".mel"), Qt::CaseInsensitive) ? FileKind::Melody
                                                                     : FileKind::Flowchart;
}

FileRequests::FileRequests(IFileOpenTarget& target, int retryMs)
    : target_(target), retryMs_(retryMs) {
    next_.setSingleShot(true);
    connect(&next_, &QTimer::timeout, this, &FileRequests::OpenWhatCan);
}

void FileRequests::Request(const QString& path) {
    pending_.push_back(path);
    target_.BringToFront();
    if (!opening_) next_.start(0);
}

// Opening asks questions in dialogs of their own, whose event loops may
// deliver further requests: those wait in the queue for this loop.
void FileRequests::OpenWhatCan() {
    opening_ = true;
    while (!pending_.empty()) {
        const FileKind kind = KindOfFile(pending_.front());
        if (!target_.CanOpen(kind)) {
            next_.start(retryMs_);
            break;
        }
        const QString path = pending_.front();
        pending_.pop_front();
        target_.Open(kind, path);
    }
    opening_ = false;
}
