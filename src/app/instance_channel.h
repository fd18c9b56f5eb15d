// The hand-over between two starts of the editor: the running copy listens on
// a local socket beside its single-instance lock, and a later start given a
// file sends the file's path there and ends.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

class InstanceListener : public QObject {
    Q_OBJECT

public:
    explicit InstanceListener(QObject* parent = nullptr);

    // Listens on socketPath, for this user only. A socket left there by a copy
    // that crashed is replaced: the caller holds the single-instance lock, so
    // no running copy can be using it.
    bool Listen(const QString& socketPath);

signals:
    // A later start asks for this file (an absolute path) to be opened.
    void fileRequested(const QString& path);

private:
    void Receive(QLocalSocket* socket);

    QLocalServer server_;
};

// The socket's path beside the single-instance lock in folder.
QString InstanceSocketPath(const QString& folder);

// Sends filePath to the copy listening on socketPath and waits for it to take
// the path. The running copy may still be starting, so connecting is retried
// until timeoutMs has passed; false when no copy took the path by then.
bool HandOverFile(const QString& socketPath, const QString& filePath, int timeoutMs);
