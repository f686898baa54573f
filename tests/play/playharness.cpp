// The end-to-end harness; see playharness.h.
#include "playharness.h"

#include "application.h"
#include "gfxcomponent.h"
#include "morvostartup.h"
#include "platformclock.h"
#include "scheduledevent.h"
#include "testsupport.h"

#include <GL/gl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

PlayDriver* gDriver = nullptr;
int gMaxFrames = 0;
std::int64_t gClock = 0;
bool gWindowSeen = false;

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

}  // namespace

void RunFrameHook()
{
    gClock += static_cast<std::int64_t>(PlatformClockFrequency() * kPlayFrameSeconds);
    gDriver->Advance();
    const GfxComponent* graphics = GfxComponent::FindInstance();
    gWindowSeen = gWindowSeen || (graphics != nullptr && graphics->GetWindowHandle() != nullptr);
    if (gDriver->FrameNumber() > gMaxFrames) {
        std::fprintf(stderr, "harness: no end after %d frames\n", gMaxFrames);
        PlayDriver::Stop();
        return;
    }
    gDriver->Frame();
}

std::vector<std::string> GameRun::Lines() const
{
    std::vector<std::string> lines;
    std::stringstream in(output);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

::testing::AssertionResult GameRun::HasInOrder(const std::vector<std::string>& wanted) const
{
    size_t at = 0;
    for (const std::string& line : wanted) {
        size_t found = output.find(line, at);
        if (found == std::string::npos) {
            return ::testing::AssertionFailure() << "\"" << line << "\" missing after offset " << at;
        }
        at = found + line.size();
    }
    return ::testing::AssertionSuccess();
}

AppState* PlayDriver::State() const
{
    return Application::GetInstance()->GetCurrentState();
}

void PlayDriver::Advance()
{
    ++frame_;
    for (const SDL_Event& release : releases_) {
        Push(release);
    }
    releases_.clear();
    const int state = Application::GetInstance()->GetCurrentIndex();
    if (state != state_) {
        state_ = state;
        framesInState_ = 0;
    }
    ++framesInState_;
}

void PlayDriver::Push(const SDL_Event& event)
{
    SDL_Event copy = event;
    SDL_PushEvent(&copy);
}

void PlayDriver::Tap(SDL_Scancode key)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.scancode = key;
    event.key.keysym.sym = SDL_GetKeyFromScancode(key);
    Push(event);
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    releases_.push_back(event);
}

namespace {

SDL_Event ButtonEvent(uint8_t button, bool down)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

}  // namespace

void PlayDriver::Click(uint8_t button)
{
    Hold(button);
    releases_.push_back(ButtonEvent(button, false));
}

void PlayDriver::QuickClick(uint8_t button)
{
    Push(ButtonEvent(button, true));
    Push(ButtonEvent(button, false));
}

void PlayDriver::Hold(uint8_t button)
{
    Push(ButtonEvent(button, true));
}

void PlayDriver::Release(uint8_t button)
{
    Push(ButtonEvent(button, false));
}

void PlayDriver::Move(int dx, int dy)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    Push(event);
}

void PlayDriver::Focus()
{
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    Push(event);
}

void PlayDriver::Stop()
{
    Application::GetInstance()->Quit();
}

PlayFolder::PlayFolder()
{
    char pattern[] = "/tmp/morvo-play-XXXXXX";
    const char* made = mkdtemp(pattern);
    root_ = made != nullptr ? made : "/tmp";
    fs::create_directories(RunFolder());
}

PlayFolder::~PlayFolder()
{
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string PlayFolder::StartupText(int width, int height)
{
    return "Game: ../game\nScreenWidth: " + std::to_string(width) + "\nScreenHeight: " + std::to_string(height) +
           "\nFullScreen: 0\nMouseInvert: 0\n";
}

void PlayFolder::WriteStartup(const std::string& text) const
{
    WriteFile(RunFolder() + "/Bios_debug.txt", text);
}

void PlayFolder::UseDemoGame(const std::function<std::string(std::string)>& editPlan) const
{
    const fs::path demo = fs::path(BuildDir()) / "game";
    const fs::path game = fs::path(root_) / "game";
    fs::create_directories(game);
    // The sky and the cursor are looked for beside the run folder.
    fs::create_directory_symlink(fs::absolute(fs::path(BuildDir()) / "assets"), fs::path(root_) / "assets");
    for (const fs::directory_entry& entry : fs::directory_iterator(demo)) {
        if (entry.path().filename() != "GamePlan.xml") {
            fs::create_directory_symlink(fs::absolute(entry.path()), game / entry.path().filename());
        }
    }
    std::string plan = ReadFileText((demo / "GamePlan.xml").string());
    WriteFile((game / "GamePlan.xml").string(), editPlan ? editPlan(plan) : plan);
}

void PlayFolder::WriteGameFile(const std::string& name, const std::string& text) const
{
    WriteFile(root_ + "/game/" + name, text);
}

GameRun RunGame(const PlayFolder& folder, PlayDriver* driver, int maxFrames)
{
    const std::string logPath = folder.Root() + "/output.txt";
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child == 0) {
        const int fd = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        if (chdir(folder.RunFolder().c_str()) != 0) {
            _exit(100);
        }
        gDriver = driver;
        gMaxFrames = maxFrames;
        SetPlatformClockSource([] { return gClock; });
        Application* application = Application::GetInstance();
        // The first frame's delta comes from here; every later one from the hook.
        gClock += static_cast<std::int64_t>(PlatformClockFrequency() * kPlayFrameSeconds);
        alarm(kPlayAlarmSeconds);
        application->GetScheduler()->Schedule(
            0.0f, new RepeatingCallbackEvent(&RunFrameHook, 0.0f, application->GetScheduler()));
        const int result = RunMorvo();
        // The window is released at the end: whether one existed is seen in the frames.
        const GfxComponent* graphics = GfxComponent::FindInstance();
        const bool windowMade = gWindowSeen || (graphics != nullptr && graphics->GetWindowHandle() != nullptr);
        std::fprintf(stderr, "harness window: %s\n", windowMade ? "yes" : "no");
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(result);
    }
    GameRun run;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child) {
        if (WIFEXITED(status)) {
            run.exitCode = WEXITSTATUS(status);
        } else if (WIFSIGNALED(status)) {
            run.signal = WTERMSIG(status);
        }
    }
    run.output = ReadFileText(logPath);
    return run;
}

bool SaveLastFrame(const std::string& path)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2];
    const int height = viewport[3];
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) {
        return false;
    }
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    // The swap copies the back buffer, so it still holds the last frame.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    const unsigned char header[18] = {0,
                                      0,
                                      2,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      static_cast<unsigned char>(width & 0xFF),
                                      static_cast<unsigned char>(width >> 8),
                                      static_cast<unsigned char>(height & 0xFF),
                                      static_cast<unsigned char>(height >> 8),
                                      32,
                                      8};
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(header, 1, sizeof(header), file) == sizeof(header) &&
                   std::fwrite(pixels.data(), 1, pixels.size(), file) == pixels.size();
    return std::fclose(file) == 0 && written;
}

double LastFrameShareAtLeast(int level)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const size_t count = static_cast<size_t>(std::max(viewport[2], 0)) * std::max(viewport[3], 0);
    if (count == 0) {
        return 0.0;
    }
    std::vector<unsigned char> pixels(count * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, viewport[2], viewport[3], GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    size_t bright = 0;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* p = &pixels[i * 4];
        bright += p[0] >= level && p[1] >= level && p[2] >= level ? 1 : 0;
    }
    return static_cast<double>(bright) / static_cast<double>(count);
}

std::string PlayPicturesFolder()
{
    const std::string folder = BuildDir() + "/play-frames";
    fs::create_directories(folder);
    return folder;
}

void ExpectExitAndLines(const GameRun& run, int exitCode, const std::vector<std::string>& lines)
{
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, exitCode) << run.output;
    EXPECT_TRUE(run.HasInOrder(lines)) << run.output;
}
