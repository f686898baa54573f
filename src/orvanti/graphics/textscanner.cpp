// Reading numbers and words from text in memory; see textscanner.h.
#include "textscanner.h"

#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace {

bool IsSpace(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(int c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(int c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int Lower(int c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// strtof on the characters of one number; false when no prefix converts.
bool ConvertWithStrtof(const char* begin, const char* end, float& value)
{
    const std::string text(begin, end);
    char* stop = nullptr;
    const float converted = std::strtof(text.c_str(), &stop);
    if (stop == text.c_str())
        return false;
    value = converted;
    return true;
}

}  // namespace

void TextScanner::SkipSpace()
{
    while (pos_ != end_ && IsSpace(static_cast<unsigned char>(*pos_)))
        ++pos_;
}

bool TextScanner::Expect(char lower)
{
    if (pos_ == end_)
        return false;
    return Lower(static_cast<unsigned char>(*pos_++)) == lower;
}

bool TextScanner::ScanFloat(float& value)
{
    SkipSpace();
    if (pos_ == end_)
        return false;
    // Take the characters fscanf takes as a number, then convert them.
    const char* start = pos_;
    bool plainDecimal = true;
    const bool hasSign = *pos_ == '-' || *pos_ == '+';
    if (hasSign) {
        plainDecimal = *pos_ == '-';
        if (++pos_ == end_)
            return false;
    }
    const int first = Lower(static_cast<unsigned char>(*pos_));
    if (first == 'n') {
        ++pos_;
        if (!Expect('a') || !Expect('n'))
            return false;
        plainDecimal = false;
    } else if (first == 'i') {
        ++pos_;
        if (!Expect('n') || !Expect('f'))
            return false;
        if (pos_ != end_ && Lower(static_cast<unsigned char>(*pos_)) == 'i') {
            ++pos_;
            for (char c : {'n', 'i', 't', 'y'})
                if (!Expect(c))
                    return false;
        }
        plainDecimal = false;
    } else {
        bool hex = false;
        bool gotDigit = false;
        bool gotDot = false;
        bool gotExponent = false;
        int exponentChar = 'e';
        if (*pos_ == '0') {
            ++pos_;
            if (pos_ != end_ && Lower(static_cast<unsigned char>(*pos_)) == 'x') {
                ++pos_;
                hex = true;
                exponentChar = 'p';
                plainDecimal = false;
            } else {
                gotDigit = true;
            }
        }
        for (; pos_ != end_; ++pos_) {
            const int c = static_cast<unsigned char>(*pos_);
            if (IsDigit(c) || (hex && !gotExponent && IsHexDigit(c))) {
                gotDigit = true;
            } else if (gotExponent && Lower(static_cast<unsigned char>(pos_[-1])) == exponentChar &&
                       (c == '-' || c == '+')) {
            } else if (gotDigit && !gotExponent && Lower(c) == exponentChar) {
                gotExponent = true;
                gotDot = true;
            } else if (!gotDot && c == '.') {
                gotDot = true;
            } else {
                break;
            }
        }
        // A bare "0x" prefix converts nothing.
        if (hex && pos_ - start == (hasSign ? 3 : 2))
            return false;
    }
    if (plainDecimal) {
        float converted = 0.0f;
        const std::from_chars_result result = std::from_chars(start, pos_, converted, std::chars_format::general);
        if (result.ec == std::errc()) {
            value = converted;
            return true;
        }
        if (result.ec == std::errc::invalid_argument)
            return false;
        // Out of range: strtof gives the infinity or zero.
    }
    return ConvertWithStrtof(start, pos_, value);
}

bool TextScanner::ScanInt(int& value)
{
    SkipSpace();
    if (pos_ == end_)
        return false;
    bool negative = false;
    if (*pos_ == '-' || *pos_ == '+') {
        negative = *pos_ == '-';
        ++pos_;
    }
    // Up to 18 digits stay within long; strtol saturates at its limits, and
    // fscanf then keeps the low bits.
    const char* digits = pos_;
    const char* quick = end_ - pos_ > 18 ? pos_ + 18 : end_;
    unsigned long long magnitude = 0;
    for (; pos_ != quick && IsDigit(static_cast<unsigned char>(*pos_)); ++pos_)
        magnitude = magnitude * 10 + static_cast<unsigned>(*pos_ - '0');
    const unsigned long long limit =
        negative ? static_cast<unsigned long long>(LONG_MAX) + 1 : static_cast<unsigned long long>(LONG_MAX);
    for (; pos_ != end_ && IsDigit(static_cast<unsigned char>(*pos_)); ++pos_) {
        const unsigned digit = static_cast<unsigned>(*pos_ - '0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    if (pos_ == digits)
        return false;
    const unsigned long long bits = negative ? 0 - magnitude : magnitude;
    value = static_cast<int>(static_cast<unsigned int>(bits));
    return true;
}

bool TextScanner::Match(char c)
{
    if (pos_ == end_ || *pos_ != c)
        return false;
    ++pos_;
    return true;
}

bool TextScanner::ScanWord(std::string& word)
{
    SkipSpace();
    const char* start = pos_;
    while (pos_ != end_ && !IsSpace(static_cast<unsigned char>(*pos_)))
        ++pos_;
    if (pos_ == start)
        return false;
    word.assign(start, pos_);
    return true;
}

void TextScanner::SkipLine(size_t bufferSize)
{
    if (bufferSize < 2)
        return;
    const size_t available = static_cast<size_t>(end_ - pos_);
    const size_t most = available < bufferSize - 1 ? available : bufferSize - 1;
    const void* newline = std::memchr(pos_, '\n', most);
    pos_ = newline ? static_cast<const char*>(newline) + 1 : pos_ + most;
}
