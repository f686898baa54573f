// Takes the window system's pending events on the main thread and hands each
// to the translation (message queue plus input state); keeps the mouse in
// relative mode while the input state wants it. Called by buffer swaps, input
// polls and the message queue's peek.
#pragma once

// Translates every pending event; does nothing before the window system
// started or on any thread but the one that started it.
void PumpWindowEvents();
