#include "filepath.h"

#include <sys/stat.h>

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
    return std::fopen(NormalizePath(path).c_str(), mode);
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
    contents.clear();
    FILE* file = IsRegularFile(path) ? std::fopen(path.c_str(), "rb") : nullptr;
    if (!file)
        return false;
    struct stat info;
    if (::fstat(fileno(file), &info) == 0 && info.st_size > 0)
        contents.resize(static_cast<size_t>(info.st_size));
    size_t size = std::fread(&contents[0], 1, contents.size(), file);
    // A file that grew since the size was taken is read to its end.
    char chunk[4096];
    size_t more;
    while (size == contents.size() && (more = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        contents.append(chunk, more);
        size = contents.size();
    }
    contents.resize(size);
    const bool read = !std::ferror(file);
    std::fclose(file);
    if (!read)
        contents.clear();
    return read;
}
