// Start of the window system for the SDL layer: Xlib thread support first
// (the toolkit's GTK thread comes later), then SDL's video subsystem.
// Called by the window code and the message boxes; both are idempotent.
#pragma once

// XInitThreads, once per process, before any other X or SDL call. A program
// that links the window code also runs it when it loads.
void PrepareWindowSystemThreads();

// Video subsystem up (events included); false with one debug-log line.
bool StartWindowSystem();

// True once StartWindowSystem has succeeded.
bool WindowSystemStarted();

// True on the thread that started the window system (SDL's events are read there only).
bool OnWindowSystemThread();
