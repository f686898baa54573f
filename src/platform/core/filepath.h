// Path helpers: data and code may write "\\" as a separator; on this
// system every path is opened with "/" only.
#pragma once

#include <cstdio>
#include <string>

// The path with every "\\" turned into "/".
std::string NormalizePath(const std::string& path);

// Joins two parts with exactly one "/" between them; an empty part adds nothing.
std::string JoinPath(const std::string& first, const std::string& second);

// fopen after NormalizePath; null when the file cannot be opened.
FILE* OpenFile(const std::string& path, const char* mode);

// True when a regular file exists at the (normalised) path.
bool FileExists(const std::string& path);

// True when the path, taken as it is, names a regular file: readers check
// this first, as a pipe or device could block them or never end.
bool IsRegularFile(const std::string& path);

// The whole content of the file when the path, taken as it is, names a
// regular file that can be read; false (contents emptied) otherwise.
bool ReadRegularFile(const std::string& path, std::string& contents);
