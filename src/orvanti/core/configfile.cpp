// Reading key: value files. Keys and values lose leading blanks, tabs and
// colons and end at the next colon; "#" starts a comment only in column 1.
#include "configfile.h"

#include "debugbreak.h"
#include "debuglog.h"
#include "filepath.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr const char* kTrueValues[] = {"T", "t", "True", "true", "1"};

// Characters of a text file with CR LF and a lone CR read as one LF, and
// one character of look-ahead.
class TextReader {
public:
    explicit TextReader(FILE* file)
        : file_(file)
    {}

    int Next()
    {
        int c = Peek();
        peeked_ = kNothing;
        return c;
    }

    int Peek()
    {
        if (peeked_ == kNothing)
            peeked_ = Read();
        return peeked_;
    }

private:
    static constexpr int kNothing = -2;

    int Read()
    {
        int c = pendingAfterCr_;
        pendingAfterCr_ = kNothing;
        if (c == kNothing)
            c = std::getc(file_);
        if (c == '\r') {
            int following = std::getc(file_);
            if (following != '\n')
                pendingAfterCr_ = following;
            return '\n';
        }
        return c;
    }

    FILE* file_;
    int peeked_ = kNothing;
    int pendingAfterCr_ = kNothing;
};

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ':';
}

// From text[pos]: skips blanks, tabs and colons, then takes characters up
// to the next colon or the end. Returns the position after the field.
std::size_t TakeField(const std::string& text, std::size_t pos, std::string& field)
{
    while (pos < text.size() && IsSeparator(text[pos]))
        ++pos;
    std::size_t end = pos;
    while (end < text.size() && text[end] != ':' && end - pos < static_cast<std::size_t>(ConfigFile::kMaxLineLength))
        ++end;
    field.assign(text, pos, end - pos);
    return end;
}
}  // namespace

bool ConfigFile::Load(const std::string& fileName)
{
    FILE* file = OpenFile(fileName, "r");
    if (file == nullptr) {
        // A missing file is an ordinary case for optional settings.
        if (errno != ENOENT)
            DebugLog("Unable to read the config file %s: %s\n", fileName.c_str(), std::strerror(errno));
        return false;
    }

    TextReader reader(file);
    std::string line;
    for (;;) {
        // Comment and empty lines.
        int c = reader.Peek();
        while (c == '#' || c == '\n') {
            do {
                c = reader.Next();
            } while (c != '\n' && c != EOF);
            if (c == '\n')
                ++lineCount_;
            c = reader.Peek();
        }
        if (c == EOF)
            break;

        // The line without its leading blanks, at most kMaxLineLength characters.
        while (c == ' ' || c == '\t') {
            reader.Next();
            c = reader.Peek();
        }
        line.clear();
        for (c = reader.Next(); c != '\n' && c != EOF; c = reader.Next()) {
            if (static_cast<int>(line.size()) < kMaxLineLength)
                line.push_back(static_cast<char>(c));
        }
        if (c == '\n')
            ++lineCount_;

        std::string key;
        std::string value;
        std::size_t after = TakeField(line, 0, key);
        if (after < line.size())
            TakeField(line, after + 1, value);
        table_.emplace(key, value);
        if (c == EOF)
            break;
    }
    std::fclose(file);
    return true;
}

std::string ConfigFile::GetString(const std::string& key) const
{
    auto found = table_.find(key);
    return found == table_.end() ? std::string() : found->second;
}

void ConfigFile::GetString(const std::string& key, char* buffer, std::size_t size) const
{
    if (buffer == nullptr || size == 0)
        return;
    std::string value = GetString(key);
    std::size_t length = value.size() < size - 1 ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
}

float ConfigFile::GetFloat(const std::string& key) const
{
    auto found = table_.find(key);
    if (found == table_.end())
        return 0.0f;
    const double value = std::strtod(found->second.c_str(), nullptr);
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) {
        DebugLog("Warning: config value %s: %s is out of range; 0 is used.\n", key.c_str(), found->second.c_str());
        return 0.0f;
    }
    return static_cast<float>(value);
}

int ConfigFile::GetInt(const std::string& key) const
{
    auto found = table_.find(key);
    if (found == table_.end())
        return 0;
    errno = 0;
    const long long value = std::strtoll(found->second.c_str(), nullptr, 10);
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        DebugLog("Warning: config value %s: %s is out of range; 0 is used.\n", key.c_str(), found->second.c_str());
        return 0;
    }
    return static_cast<int>(value);
}

bool ConfigFile::GetBool(const std::string& key) const
{
    auto found = table_.find(key);
    if (found == table_.end())
        return false;
    for (const char* word : kTrueValues) {
        if (found->second == word)
            return true;
    }
    return false;
}

void ConfigFile::Set(const char* key, const char* value)
{
    if (key == nullptr)
        return;
    if (value == nullptr) {
        DEBUG_BREAK("ConfigFile::Set with a null value");
        return;
    }
    table_[key] = value;
}
