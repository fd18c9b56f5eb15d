// One running editor per user: an exclusive lock on a file in the user's
// runtime folder, released by the system when the process ends in any way.
#pragma once

#include <filesystem>
#include <string>

class SingleInstanceLock {
public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Takes the lock "<directory>/<name>.lock". False when another holder has
    // it, when the file cannot be made, or when this object already holds one.
    bool Acquire(const std::filesystem::path& directory, const std::string& name);
    void Release();
    bool Held() const { return fd_ >= 0; }
    // True when the last Acquire failed because another holder has the lock.
    bool HeldElsewhere() const { return heldElsewhere_; }

private:
    int fd_ = -1;
    bool heldElsewhere_ = false;
};

// The lock's name, the same for every copy of the editor.
inline constexpr const char* kSingleInstanceName = "QenTerunoEditor.exe";
