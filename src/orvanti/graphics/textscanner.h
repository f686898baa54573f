// TextScanner: reads a text held in memory the way the C stream functions
// read a file in the "C" locale: "%f", "%d" and "%s" conversions, literal
// characters and fgets-sized line skips consume exactly what fscanf and
// fgets would, and numbers get the same values (rounded as strtof rounds).
// The OBJ reader parses whole files with it.
#pragma once

#include <cstddef>
#include <string>

class TextScanner {
public:
    TextScanner(const char* begin, const char* end)
        : pos_(begin),
          end_(end)
    {}

    bool AtEnd() const { return pos_ == end_; }
    // The next character (0 to 255) and past it, or -1 at the end.
    int Get() { return pos_ == end_ ? -1 : static_cast<unsigned char>(*pos_++); }

    // "%f": false when nothing converts, value then untouched.
    bool ScanFloat(float& value);
    // "%d": the value strtol gives, narrowed to int as fscanf narrows it.
    bool ScanInt(int& value);
    // A literal character of a format: consumed only when it matches.
    bool Match(char c);
    // "%s": false (word untouched) when only blanks remain.
    bool ScanWord(std::string& word);
    // fgets with a buffer of bufferSize: up to and including the newline,
    // at most bufferSize - 1 characters.
    void SkipLine(size_t bufferSize);

private:
    void SkipSpace();
    // One more character of "nan" or "infinity": a mismatch is consumed too.
    bool Expect(char lower);

    const char* pos_;
    const char* end_;
};
