// Helpers shared by the test suites: capture the debug log, count debug
// breaks instead of aborting, make scratch folders and small TGA files.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Captures every debug-log message while alive.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    const std::vector<std::string>& Lines() const { return lines_; }
    std::string All() const;
    bool Contains(const std::string& text) const;
    void Clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

// Counts debug breaks (and keeps running) while alive.
class BreakCounter {
public:
    BreakCounter();
    ~BreakCounter();
    int Count() const { return count_; }
    const std::string& LastWhat() const { return lastWhat_; }

private:
    int count_ = 0;
    std::string lastWhat_;
};

// A fresh folder under the system temp folder, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    void Write(const std::string& name, const std::string& content) const;

private:
    std::string path_;
};

// Every byte of the file at path; empty when it cannot be read.
std::string ReadFileText(const std::string& path);

// Names of the entries in folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder);

// What write puts into a fresh file, read back whole.
std::string TextWrittenBy(const std::function<void(FILE*)>& write);

// Folder of the build tree (from MORVO_BUILD_DIR), "." when unset.
std::string BuildDir();

// A one-colour uncompressed true-colour TGA of width x height (at most 255
// each): 24 bits a pixel.
std::string SolidTga(unsigned char r, unsigned char g, unsigned char b, int width = 1, int height = 1);

// The same with an alpha channel: 32 bits a pixel, 8 of them alpha.
std::string SolidTgaWithAlpha(unsigned char r, unsigned char g, unsigned char b, unsigned char a, int width = 1,
                              int height = 1);

// A case's name as a test name: letters and digits kept, every other run of
// characters dropped and the letter after it capitalised ("left Ctrl" ->
// "leftCtrl", "Ctrl+A" -> "CtrlA").
std::string TestNameOf(const std::string& name);

// Runs body in a forked child process and returns its exit code, or 128 +
// the signal number when a signal ended it. For tests that lower resource
// limits (address space, file size) or that must not hang the suite.
int RunInChild(const std::function<int()>& body);

// Caps the calling process's address space at its current size plus extra
// bytes (call it in a child).
void LimitAddressSpace(std::size_t extra);

// Names each case of a table-driven test after the case's `name` field:
// INSTANTIATE_TEST_SUITE_P(Group, Suite, ::testing::Values(...), CaseName()).
// Every table case carries a name; the name is the one way a case shows in
// test lists and failures (no PrintTo for cases).
struct CaseName {
    template <typename ParamInfo> std::string operator()(const ParamInfo& info) const
    {
        return TestNameOf(info.param.name);
    }
};
