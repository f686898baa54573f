#include "testsupport.h"

#include "debugbreak.h"
#include "debugoutput.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

LogCapture::LogCapture()
{
    SetDebugOutputHook([this](const char* text) { lines_.emplace_back(text); });
}

LogCapture::~LogCapture()
{
    SetDebugOutputHook({});
}

std::string LogCapture::All() const
{
    std::string all;
    for (const std::string& line : lines_)
        all += line;
    return all;
}

bool LogCapture::Contains(const std::string& text) const
{
    return All().find(text) != std::string::npos;
}

BreakCounter::BreakCounter()
{
    SetDebugBreakHandler([this](const char*, int, const char* what) {
        ++count_;
        lastWhat_ = what ? what : "";
    });
}

BreakCounter::~BreakCounter()
{
    SetDebugBreakHandler({});
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "morvo-test-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    path_ = made ? made : "/tmp";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    if (path_ != "/tmp")
        std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, const std::string& content) const
{
    std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
    FILE* file = std::fopen(File(name).c_str(), "wb");
    if (!file)
        return;
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
}

std::string BuildDir()
{
    const char* dir = std::getenv("MORVO_BUILD_DIR");
    return dir ? dir : ".";
}
