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
