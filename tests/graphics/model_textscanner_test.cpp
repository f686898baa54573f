// TextScanner against the C library itself: each conversion on each input
// must give what fscanf gives on a stream of the same text (success, the
// value's bits) and leave the same characters unread.
#include "testsupport.h"
#include "textscanner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct ScanCase {
    std::string name;
    std::string text;
};

struct Outcome {
    bool converted = false;
    unsigned int bits = 0xdeadbeef;  // the value's bits; untouched when nothing converts
    std::string rest;

    bool operator==(const Outcome& o) const { return converted == o.converted && bits == o.bits && rest == o.rest; }
};

std::ostream& operator<<(std::ostream& os, const Outcome& o)
{
    return os << "converted " << o.converted << ", bits " << std::hex << o.bits << std::dec << ", rest \"" << o.rest
              << "\"";
}

// The same bits for ints and floats, so one comparison serves both.
template <typename T> unsigned int Bits(T value)
{
    unsigned int bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

template <typename T> Outcome WithFscanf(const std::string& text, const char* format)
{
    std::string copy = text;
    FILE* stream = fmemopen(copy.data(), copy.size(), "r");
    Outcome out;
    T value;
    std::memcpy(&value, &out.bits, sizeof value);
    out.converted = std::fscanf(stream, format, &value) == 1;
    out.bits = Bits(value);
    for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream))
        out.rest.push_back(static_cast<char>(c));
    std::fclose(stream);
    return out;
}

template <typename T, typename Scan> Outcome WithScanner(const std::string& text, Scan scan)
{
    TextScanner scanner(text.data(), text.data() + text.size());
    Outcome out;
    T value;
    std::memcpy(&value, &out.bits, sizeof value);
    out.converted = scan(scanner, value);
    out.bits = Bits(value);
    for (int c = scanner.Get(); c != -1; c = scanner.Get())
        out.rest.push_back(static_cast<char>(c));
    return out;
}

class TextScannerAgainstFscanf : public ::testing::TestWithParam<ScanCase> {};

TEST_P(TextScannerAgainstFscanf, FloatIntAndLiteralMatchTheCLibrary)
{
    const std::string& text = GetParam().text;
    EXPECT_EQ((WithScanner<float>(text, [](TextScanner& s, float& v) { return s.ScanFloat(v); })),
              WithFscanf<float>(text, "%f"))
        << "%f";
    EXPECT_EQ((WithScanner<int>(text, [](TextScanner& s, int& v) { return s.ScanInt(v); })),
              WithFscanf<int>(text, "%d"))
        << "%d";
    // A literal, then a number: "/" matched without skipping blanks.
    EXPECT_EQ((WithScanner<int>(text, [](TextScanner& s, int& v) { return s.Match('/') && s.ScanInt(v); })),
              WithFscanf<int>(text, "/%d"))
        << "/%d";
}

INSTANTIATE_TEST_SUITE_P(
    TextScanner, TextScannerAgainstFscanf,
    ::testing::Values(
        ScanCase{"plain", "12.5 rest"}, ScanCase{"negativeFraction", "-.25x"}, ScanCase{"plusSign", "+7"},
        ScanCase{"exponent", "1.5e3/"}, ScanCase{"capitalExponent", "2E-2"}, ScanCase{"exponentWithoutDigits", "1e+x"},
        ScanCase{"exponentThenDot", "1e2.5"}, ScanCase{"twoDots", "1.2.3"}, ScanCase{"signAlone", "- 4"},
        ScanCase{"signTwice", "-+1"}, ScanCase{"dotAlone", ". 1"}, ScanCase{"hexFloat", "0x1.8p1 "},
        ScanCase{"hexPrefixOnly", "0xg"}, ScanCase{"signedHexPrefix", "-0x+9"}, ScanCase{"hexWithDot", "0x."},
        ScanCase{"nan", "nan "}, ScanCase{"minusNan", "-NaN"}, ScanCase{"nanCutShort", "nax1"}, ScanCase{"inf", "inf5"},
        ScanCase{"infinity", "-Infinity!"}, ScanCase{"infinityCutShort", "infinit 2"}, ScanCase{"overflow", "1e39 "},
        ScanCase{"largestFloat", "3.4028235e38"}, ScanCase{"underflowToZero", "-1e-46"},
        ScanCase{"smallestDenormal", "8e-46"}, ScanCase{"halfwayRoundsToEven", "16777217"},
        ScanCase{"longMantissa", "0.1000000000000000055511151231257827021181583404541015625"},
        ScanCase{"blanksAndNewlinesFirst", " \t\r\n\v\f 3\n"}, ScanCase{"onlyBlanks", " \n "}, ScanCase{"empty", ""},
        ScanCase{"slashNumber", "/12/3"}, ScanCase{"slashBlank", "/ 5"}, ScanCase{"intBeyondInt", "4294967297"},
        ScanCase{"intBeyondLong", "99999999999999999999"}, ScanCase{"negativeBeyondLong", "-9223372036854775809"},
        ScanCase{"leadingZeros", "007x"}, ScanCase{"letter", "x1"},
        ScanCase{"nulByte", std::string("\0"
                                        "1",
                                        2)},
        ScanCase{"highByte", "\xff"
                             "1"}),
    CaseName());

TEST(TextScanner, WordsAndLineSkipsReadAsScanfAndFgets)
{
    const std::string text = "  first\tsecond\n" + std::string(120, 'x') + "\nlast";
    TextScanner scanner(text.data(), text.data() + text.size());
    std::string word = "kept";
    ASSERT_TRUE(scanner.ScanWord(word));
    EXPECT_EQ(word, "first");
    scanner.SkipLine(100);  // the rest of the line with its newline
    scanner.SkipLine(100);  // 99 of the 120 characters
    EXPECT_EQ(scanner.Get(), 'x');
    scanner.SkipLine(100);
    ASSERT_TRUE(scanner.ScanWord(word));
    EXPECT_EQ(word, "last");
    EXPECT_FALSE(scanner.ScanWord(word));
    EXPECT_EQ(word, "last");
    EXPECT_TRUE(scanner.AtEnd());
}

}  // namespace
