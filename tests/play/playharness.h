// End-to-end runs of the whole game: each run forks a process that starts
// the game exactly as the program does, in a run folder of its own, with
// its output (debug log, boxes, sound lines) going to a file. A driver is
// called at the start of every frame (through the engine's event
// scheduler); it reads the game and pushes SDL events into SDL's queue, so
// the platform's own translation handles them. Time is a fake clock that
// moves 17 ms a frame, so every in-game frame takes one world step.
#pragma once

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class AppState;

// Seconds one frame takes on the fake clock.
constexpr double kPlayFrameSeconds = 0.017;
// A run that has not ended after this many seconds is killed.
constexpr unsigned kPlayAlarmSeconds = 240;
// Frames that cover a state's 0.5 s fade-in.
constexpr int kFadeFrames = 36;

struct GameRun {
    int exitCode = -1;  // -1 when the process did not exit by itself
    int signal = 0;
    std::string output;
    std::vector<std::string> Lines() const;
    // The lines appear in this order (others may lie between them).
    ::testing::AssertionResult HasInOrder(const std::vector<std::string>& lines) const;
};

// The run ended by itself with this code, its log holding these lines in order.
void ExpectExitAndLines(const GameRun& run, int exitCode, const std::vector<std::string>& lines);

// What the driver sees and does in one frame (in the game's process).
class PlayDriver {
public:
    virtual ~PlayDriver() = default;
    // Called at the start of each frame, before the current state's update.
    virtual void Frame() = 0;

    int FrameNumber() const { return frame_; }
    int CurrentState() const { return state_; }
    int FramesInState() const { return framesInState_; }
    AppState* State() const;

    // Events for the platform's translation; a key or button press goes
    // down now and up on the next frame.
    static void Push(const SDL_Event& event);
    void Tap(SDL_Scancode key);
    void Click(uint8_t button);
    // Down and up both before this frame's poll: a click shorter than a frame.
    static void QuickClick(uint8_t button);
    // A press with no release, and the release of a held button.
    static void Hold(uint8_t button);
    static void Release(uint8_t button);
    static void Move(int dx, int dy);
    static void Focus();
    // Ends the run after this frame (the main loop's own quit).
    static void Stop();

private:
    friend void RunFrameHook();
    void Advance();

    int frame_ = 0;
    int state_ = -2;
    int framesInState_ = 0;
    std::vector<SDL_Event> releases_;
};

// A folder tree for one run: run/ with its start-up file, game/ and assets/ beside it.
class PlayFolder {
public:
    PlayFolder();
    ~PlayFolder();
    const std::string& Root() const { return root_; }
    std::string RunFolder() const { return root_ + "/run"; }
    // Run folder's start-up file; the demo's when text is empty.
    void WriteStartup(const std::string& text) const;
    // game/ as the demo's game folder with its plan edited, and assets/ beside it.
    void UseDemoGame(const std::function<std::string(std::string)>& editPlan = nullptr) const;
    void WriteGameFile(const std::string& name, const std::string& text) const;
    // The start-up text for the demo game at the given window size.
    static std::string StartupText(int width, int height);

private:
    std::string root_;
};

// Runs the game in a child process; gives up after maxFrames frames. The
// output ends with "harness window: yes" or "no": whether a window was made.
GameRun RunGame(const PlayFolder& folder, PlayDriver* driver, int maxFrames);

// Writes the frame last presented as a 32-bit TGA (in the game's process).
bool SaveLastFrame(const std::string& path);

// The share (0..1) of the last presented frame's pixels whose red, green
// and blue are all at least `level` (in the game's process).
double LastFrameShareAtLeast(int level);

// The build tree's folder for the pictures of the runs.
std::string PlayPicturesFolder();
