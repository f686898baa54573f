#include "testsupport.h"

#include "debugbreak.h"
#include "debugoutput.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

std::string TestNameOf(const std::string& name)
{
    std::string out;
    bool capitalise = false;
    for (char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            out += capitalise ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            capitalise = false;
        } else {
            capitalise = !out.empty();
        }
    }
    return out;
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string TextWrittenBy(const std::function<void(FILE*)>& write)
{
    TempFolder folder;
    const std::string path = folder.File("written");
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return {};
    write(file);
    std::fclose(file);
    return ReadFileText(path);
}

namespace {
// The X display CTest handed this test from the runner's pool, as
// "id:<display number>,slots:1"; empty outside such a run.
std::string PooledDisplay()
{
    const char* group = std::getenv("CTEST_RESOURCE_GROUP_0_DISPLAY");
    const std::string prefix = "id:";
    if (!group || std::string(group).compare(0, prefix.size(), prefix) != 0)
        return {};
    const std::string rest = group + prefix.size();
    return ":" + rest.substr(0, rest.find(','));
}

// Every test process runs headless and silent, however it is started
// (ctest, by hand, under a debugger); the runner's own settings win.
struct TestEnvironment {
    TestEnvironment()
    {
        const std::string display = PooledDisplay();
        if (!display.empty())
            ::setenv("DISPLAY", display.c_str(), 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 0);
        ::setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
        ::setenv("MORVO_TEST", "1", 0);
        ::setenv("MORVO_BUILD_DIR", MORVO_DEFAULT_BUILD_DIR, 0);
        ::setenv("MORVO_SOURCE_DIR", MORVO_DEFAULT_SOURCE_DIR, 0);
    }
};
const TestEnvironment g_testEnvironment;
}  // namespace

std::string BuildDir()
{
    const char* dir = std::getenv("MORVO_BUILD_DIR");
    return dir ? dir : ".";
}

namespace {

constexpr size_t kTgaHeaderSize = 18;
constexpr char kTgaUncompressedTrueColour = 2;

std::string SolidTgaOf(const std::string& pixel, int width, int height, char alphaBits)
{
    std::string data(kTgaHeaderSize, '\0');
    data[2] = kTgaUncompressedTrueColour;
    data[12] = static_cast<char>(width);
    data[14] = static_cast<char>(height);
    data[16] = static_cast<char>(pixel.size() * 8);
    data[17] = alphaBits;
    for (int i = 0; i < width * height; ++i)
        data += pixel;
    return data;
}

}  // namespace

std::string SolidTga(unsigned char r, unsigned char g, unsigned char b, int width, int height)
{
    const char pixel[] = {static_cast<char>(b), static_cast<char>(g), static_cast<char>(r)};
    return SolidTgaOf(std::string(pixel, sizeof pixel), width, height, 0);
}

std::string SolidTgaWithAlpha(unsigned char r, unsigned char g, unsigned char b, unsigned char a, int width, int height)
{
    const char pixel[] = {static_cast<char>(b), static_cast<char>(g), static_cast<char>(r), static_cast<char>(a)};
    return SolidTgaOf(std::string(pixel, sizeof pixel), width, height, 8);
}

int RunInChild(const std::function<int()>& body)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void LimitAddressSpace(std::size_t extra)
{
    std::size_t pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%zu", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    const rlim_t limit = pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + extra;
    const struct rlimit cap = {limit, limit};
    ::setrlimit(RLIMIT_AS, &cap);
}
