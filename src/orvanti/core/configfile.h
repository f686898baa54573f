// ConfigFile: a text file of "key: value" lines held as a string-to-string
// table with typed getters. The start-up file is read with it, and the game
// plan fills one through Set from its environment settings.
#pragma once

#include <cstddef>
#include <map>
#include <string>

class ConfigFile {
public:
    static constexpr int kMaxLineLength = 1023;

    ConfigFile() = default;

    // Adds the file's entries; a key already present keeps its value (the
    // first definition wins). Lines end with LF, CR LF or CR. False only when
    // the file cannot be opened (or is not a regular file: logged).
    bool Load(const std::string& fileName);

    // The value, or "" when the key is absent.
    std::string GetString(const std::string& key) const;
    // Copies at most size - 1 characters and terminates; nothing when size is 0.
    void GetString(const std::string& key, char* buffer, std::size_t size) const;
    // atof of the value; 0 when absent, and 0 with a log line when out of
    // the float range or not a number.
    float GetFloat(const std::string& key) const;
    // atoi of the value; 0 when absent, and 0 with a log line when out of
    // the int range.
    int GetInt(const std::string& key) const;
    // True for exactly "T", "t", "True", "true" or "1".
    bool GetBool(const std::string& key) const;

    // Replaces the value; nothing for a null key.
    void Set(const char* key, const char* value);

    int LineCount() const { return lineCount_; }
    const std::map<std::string, std::string>& Table() const { return table_; }

private:
    std::map<std::string, std::string> table_;
    int lineCount_ = 0;
};
