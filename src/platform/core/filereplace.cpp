#include "filereplace.h"

#include "filepath.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Fail(const std::string& step, const std::string& file, int error, std::string* why)
{
    if (why != nullptr)
        *why = step + " " + file + ": " + std::strerror(error);
    return false;
}

// Flushes the folder holding path, so the rename itself is on the disk.
bool SyncFolder(const std::string& path, int* error)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        *error = errno;
        return false;
    }
    // Some file systems cannot flush a folder (EINVAL): nothing more to do there.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    *error = errno;
    ::close(fd);
    return synced;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::string& data, std::string* why)
{
    const std::string target = NormalizePath(path);
    const std::string temporary = target + ".saving";
    if (::unlink(temporary.c_str()) != 0 && errno != ENOENT) {
        // Only a stale file that is there failed to go; otherwise (a folder
        // that cannot be searched or written) creating it says what is wrong.
        const int error = errno;
        struct stat info;
        if (::lstat(temporary.c_str(), &info) == 0)
            return Fail("could not remove the stale", temporary, error, why);
    }
    FILE* file = std::fopen(temporary.c_str(), "wbx");
    if (file == nullptr)
        return Fail("could not create", temporary, errno, why);
    const char* step = nullptr;
    int error = 0;
    auto check = [&](bool done, const char* what) {
        if (!done && step == nullptr) {
            step = what;
            error = errno;
        }
    };
    check(data.empty() || std::fwrite(data.data(), 1, data.size(), file) == data.size(), "could not write");
    check(std::fflush(file) == 0, "could not write");
    check(step != nullptr || ::fsync(::fileno(file)) == 0, "could not flush");
    check(std::fclose(file) == 0, "could not close");
    if (step != nullptr) {
        ::unlink(temporary.c_str());
        return Fail(step, temporary, error, why);
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return Fail("could not replace", target, error, why);
    }
    if (!SyncFolder(target, &error))
        return Fail("could not flush the folder of", target, error, why);
    return true;
}
