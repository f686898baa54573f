// Start of the window system: the display connection made safe for threads
// first (the toolkit's thread comes later), then the backend's video and
// events. Called by the window code and the message boxes; both are idempotent.
#pragma once

// Thread support of the display connection, once per process, before any
// other window-system call. A program that links the backend also runs it
// when it loads.
void PrepareWindowSystemThreads();

// Video subsystem up (events included); false with one debug-log line, which
// is "no display: set DISPLAY, or run under a desktop" when there is no display
// to show a window on (unless a video driver was chosen by name).
bool StartWindowSystem();

// Stops the video subsystem and starts it again; only while no window exists.
bool RestartWindowSystem();

// True once StartWindowSystem has succeeded.
bool WindowSystemStarted();

// True on the thread that started the window system (its events are read there only).
bool OnWindowSystemThread();
