#include "util/safe_file.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

// POSIX file calls: the standard library cannot flush a file or a folder to the disk.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace qzx {
namespace fs = std::filesystem;

std::optional<Bytes> readWholeFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return data;
    } catch (const std::exception&) {
        // The stream library reports some read faults by throwing; to callers they are
        // simply an unreadable file.
        return std::nullopt;
    }
}

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

namespace {

/// A temporary name beside `path` that no other save uses, in this process or another one
/// saving the same file at the same time.
fs::path temporaryBeside(const fs::path& path) {
    static std::atomic<unsigned> counter{0};
    std::string suffix = ".";
    suffix += std::to_string(::getpid());
    suffix += '-';
    suffix += std::to_string(counter++);
    suffix += ".tmp~";
    fs::path temporary = path;
    temporary += suffix;
    return temporary;
}

/// The process number in a temporary name made by temporaryBeside() for `path`, or 0 when
/// `name` is not one.
long temporaryOwner(const std::string& name, const std::string& target) {
    const std::string tail = ".tmp~";
    if (name.size() <= target.size() + 1 + tail.size() ||
        name.compare(0, target.size(), target) != 0 || name[target.size()] != '.' ||
        name.compare(name.size() - tail.size(), tail.size(), tail) != 0)
        return 0;
    const std::string middle =
        name.substr(target.size() + 1, name.size() - target.size() - 1 - tail.size());
    const std::size_t dash = middle.find('-');
    if (dash == 0 || dash == std::string::npos || dash > 9) return 0;
    long pid = 0;
    for (std::size_t i = 0; i < middle.size(); ++i) {
        if (i == dash) continue;
        if (!std::isdigit(static_cast<unsigned char>(middle[i]))) return 0;
        if (i < dash) pid = pid * 10 + (middle[i] - '0');
    }
    return pid;
}

/// Removes the temporaries of saves of `path` that were killed before they finished: those
/// whose process no longer runs. A save still running in another program keeps its own.
void removeAbandonedTemporaries(const fs::path& path) {
    const std::string target = path.filename().string();
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    // Listed first and removed after: removing while reading a folder may hide entries.
    std::vector<fs::path> abandoned;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const long pid = temporaryOwner(it->path().filename().string(), target);
        if (pid <= 0 || pid == ::getpid()) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        abandoned.push_back(it->path());
    }
    for (const fs::path& file : abandoned) {
        std::error_code ignored;
        fs::remove(file, ignored);
    }
}

std::string writeBytes(const fs::path& path, const char* data, std::size_t size) {
    const fs::path temporary = temporaryBeside(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return "Cannot create " + temporary.string();
    bool written = true;
    for (std::size_t done = 0; written && done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        written = n > 0;
        if (written) done += static_cast<std::size_t>(n);
    }
    // The data is on the disk before the new name replaces the old file.
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    std::error_code ignored;
    if (!written) {
        fs::remove(temporary, ignored);
        return "Cannot write " + path.string();
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, ignored);
        return "Cannot replace " + path.string() + ": " + error.message();
    }
    syncFolder(path.parent_path());
    removeAbandonedTemporaries(path);
    return {};
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

std::string writeFileSafely(const fs::path& path, const std::string& data) {
    return writeBytes(path, data.data(), data.size());
}

std::string writeFileSafely(const fs::path& path, const Bytes& data) {
    return writeBytes(path, reinterpret_cast<const char*>(data.data()), data.size());
}

fs::path findFileIgnoringCase(const fs::path& folder, const std::string& name) {
    std::error_code error;
    const fs::path exact = folder / name;
    if (fs::exists(exact, error)) return exact;
    const std::string wanted = lowerCase(name);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (lowerCase(it->path().filename().string()) == wanted) return it->path();
    return exact;
}

} // namespace qzx
