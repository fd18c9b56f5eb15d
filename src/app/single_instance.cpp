// The single-instance lock over flock(2): the kernel drops it with the last
// descriptor, so a crashed editor never blocks the next start.
#include "single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

SingleInstanceLock::~SingleInstanceLock() { Release(); }

bool SingleInstanceLock::Acquire(const std::filesystem::path& directory, const std::string& name) {
    heldElsewhere_ = false;
    if (fd_ >= 0 || name.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    const auto path = directory / (name + ".lock");
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        heldElsewhere_ = errno == EWOULDBLOCK;
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void SingleInstanceLock::Release() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}
