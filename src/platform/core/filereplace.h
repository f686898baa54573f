// Replacing a file's contents so that a failed write never leaves it half
// written: the data goes to "<path>.saving" with every call checked and is
// flushed to the disk before it is renamed over the path.
#pragma once

#include <string>

// Writes data as the file at path ("\\" separators allowed). A stale
// "<path>.saving" left by an interrupted save is removed first. On failure
// the temporary file is removed, the old file is kept, why names the step
// that failed, and the result is false.
bool ReplaceFileContents(const std::string& path, const std::string& data, std::string* why);
