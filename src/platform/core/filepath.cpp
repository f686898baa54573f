#include "filepath.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens with O_NONBLOCK so a pipe without a writer does not block, refuses
// anything but a regular file, then clears O_NONBLOCK again.
int OpenRegular(const std::string& path, int access)
{
    const int fd = ::open(NormalizePath(path).c_str(), access | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : ENODEV;
        ::close(fd);
        errno = error;
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

}  // namespace

std::string NormalizePath(const std::string& path)
{
    std::string result = path;
    for (char& c : result)
        if (c == '\\')
            c = '/';
    return result;
}

std::string JoinPath(const std::string& first, const std::string& second)
{
    std::string a = NormalizePath(first);
    std::string b = NormalizePath(second);
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    while (!a.empty() && a.back() == '/' && a.size() > 1)
        a.pop_back();
    size_t start = 0;
    while (start < b.size() && b[start] == '/')
        ++start;
    if (a == "/")
        return a + b.substr(start);
    return a + "/" + b.substr(start);
}

FILE* OpenFile(const std::string& path, const char* mode)
{
    if (mode == nullptr || mode[0] != 'r')
        return std::fopen(NormalizePath(path).c_str(), mode);
    const int fd = OpenRegular(path, std::strchr(mode, '+') != nullptr ? O_RDWR : O_RDONLY);
    if (fd < 0)
        return nullptr;
    FILE* file = ::fdopen(fd, mode);
    if (file == nullptr) {
        const int error = errno;
        ::close(fd);
        errno = error;
    }
    return file;
}

int OpenFileDescriptor(const std::string& path)
{
    return OpenRegular(path, O_RDONLY);
}

bool ReadFileContents(const std::string& path, std::size_t limit, std::string& contents)
{
    contents.clear();
    const int fd = OpenRegular(path, O_RDONLY);
    if (fd < 0)
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || static_cast<unsigned long long>(info.st_size) > limit) {
        ::close(fd);
        errno = EFBIG;
        return false;
    }
    // The size is a hint: the file may change while it is read.
    contents.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    for (;;) {
        if (got == contents.size()) {
            if (contents.size() >= limit + 1)
                break;
            contents.resize(std::min(limit + 1, contents.size() + 4096));
        }
        const ssize_t n = ::read(fd, &contents[got], contents.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            contents.clear();
            errno = error;
            return false;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    contents.resize(got);
    if (got > limit) {
        contents.clear();
        errno = EFBIG;
        return false;
    }
    return true;
}

bool FileExists(const std::string& path)
{
    return IsRegularFile(NormalizePath(path));
}

bool IsRegularFile(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ReadRegularFile(const std::string& path, std::string& contents)
{
    return ReadFileContents(path, kNoSizeLimit, contents);
}
