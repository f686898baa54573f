// Path helpers and the one way files are opened: data and code may write
// "\\" as a separator; on this system every path is opened with "/" only,
// and a file read is opened only when it is a regular file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// The path with every "\\" turned into "/".
std::string NormalizePath(const std::string& path);

// Joins two parts with exactly one "/" between them; an empty part adds nothing.
std::string JoinPath(const std::string& first, const std::string& second);

// fopen after NormalizePath; null when the file cannot be opened. A mode
// that reads ("r", "rb", "r+", ...) opens regular files only: a folder gives
// null with errno EISDIR, a pipe or device null with errno ENODEV, and
// neither blocks.
FILE* OpenFile(const std::string& path, const char* mode);

// The same for a read-only file descriptor (to hand to a decoder library);
// -1 with errno set on failure.
int OpenFileDescriptor(const std::string& path);

// Reads the whole regular file into contents. False with errno set (and
// contents empty) when it cannot be opened or read, or EFBIG when it holds
// more than limit bytes.
bool ReadFileContents(const std::string& path, std::size_t limit, std::string& contents);
constexpr std::size_t kNoSizeLimit = static_cast<std::size_t>(-1) - 1;

// True when a regular file exists at the (normalised) path.
bool FileExists(const std::string& path);

// True when the path, taken as it is, names a regular file.
bool IsRegularFile(const std::string& path);

// ReadFileContents without a size limit.
bool ReadRegularFile(const std::string& path, std::string& contents);
