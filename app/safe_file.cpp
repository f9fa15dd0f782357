#include "safe_file.h"

#include "local_time.h"
#include "log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The kernel may take a long text in several parts.
bool write_all(int fd, const std::string& text)
{
    const char* next = text.data();
    size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        next += written;
        left -= size_t(written);
    }
    return true;
}

// The rename itself only survives a power cut once the folder is on disk too;
// a file system that cannot sync folders still has the whole old or new file.
void sync_folder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}

std::string safe_file::write(const fs::path& path, const std::string& text, unsigned mode)
{
    const std::string failed = "Could not write " + path.string() + " (";
    const fs::path folder = path.parent_path();
    std::error_code error;
    if (!folder.empty())
        fs::create_directories(folder, error);
    if (error)
        return failed + error.message() + ")";
    // The process id keeps two games from writing into one new file.
    const fs::path temporary = fs::path(path) += ".new-" + std::to_string(getpid());
    // A new file left by a crashed run would keep its old mode: it goes first.
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return failed + std::strerror(errno) + ")";
    int problem = 0;
    if (!write_all(fd, text) || ::fsync(fd) != 0)
        problem = errno;
    if (::close(fd) != 0 && problem == 0)
        problem = errno;
    if (problem == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        problem = errno;
    if (problem != 0) {
        ::unlink(temporary.c_str());
        return failed + std::strerror(problem) + ")";
    }
    sync_folder(folder);
    return "";
}

fs::path safe_file::set_aside(const fs::path& path, const std::string& why)
{
    const std::string stamped = path.string() + ".broken-" + local_time("%Y%m%d-%H%M%S");
    fs::path aside = stamped;
    std::error_code error;
    for (int n = 2; fs::exists(fs::symlink_status(aside, error)); ++n)
        aside = stamped + "-" + std::to_string(n);
    const std::string cannot_read = "Could not read " + path.string() + " (" + why + "); ";
    if (::rename(path.c_str(), aside.c_str()) != 0) {
        const int problem = errno;
        log_line(cannot_read + "could not set it aside as " + aside.string() + " either (" +
                 std::strerror(problem) + ")");
        return {};
    }
    log_line(cannot_read + "set it aside as " + aside.string());
    return aside;
}
