#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

namespace {

FileError ErrorOf(int code) { return {code, std::system_category().message(code)}; }

// Closes the descriptor and removes the temporary file unless released.
class TemporaryFile {
public:
    TemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }

    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }
    // Closes the descriptor; the system's error number, or 0.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }
    void Keep() { path_.clear(); }

private:
    int fd_;
    std::string path_;
};

// Creates a new file with a fresh name in folder; the mode follows the umask.
std::optional<TemporaryFile> CreateBeside(const std::filesystem::path& target, int& error) {
    std::random_device seed;
    std::mt19937 random(seed());
    const std::filesystem::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".";
        name += target.filename().string();
        name += ".tmp";
        name += std::to_string(random() % 1000000);
        std::string path = (folder / name).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return std::optional<TemporaryFile>(std::in_place, fd, std::move(path));
        if (errno != EEXIST) {
            error = errno;
            return std::nullopt;
        }
    }
    error = EEXIST;
    return std::nullopt;
}

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace

std::optional<FileError> ReplaceFileContents(const std::string& path, std::string_view bytes) {
    const std::filesystem::path target(path);
    int error = 0;
    std::optional<TemporaryFile> temporary = CreateBeside(target, error);
    if (!temporary) return ErrorOf(error);

    // A file that already exists keeps its permissions.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) ::fchmod(temporary->Fd(), existing.st_mode & 07777);

    if ((error = WriteAll(temporary->Fd(), bytes)) != 0) return ErrorOf(error);
    if (::fsync(temporary->Fd()) != 0) return ErrorOf(errno);
    if ((error = temporary->Close()) != 0) return ErrorOf(error);
    if (::rename(temporary->Path().c_str(), path.c_str()) != 0) return ErrorOf(errno);
    temporary->Keep();
    return std::nullopt;
}
