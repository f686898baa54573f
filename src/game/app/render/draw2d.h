// Free 2D drawing routines on the graphics component's 2D mode (window
// pixels, origin bottom left): the whole-window fill used for dimming and
// fades, the frame that marks editing, and a few debugging shapes. The
// scene renderer and the screens draw through them.
#pragma once

#include "rect.h"
#include "vec2.h"

// (x0 + d, x1 - d, y0 + d, y1 - d).
Rect ShrinkRect(const Rect& rect, float d);
// The larger of a and b (b when a < b, otherwise a).
const float& MaxFloat(const float& a, const float& b);

// Depth test, lighting and 2D texturing off.
void Setup2DState();
void FillScreen2D(float r, float g, float b, float a);
// A frame of the given width inside the window's edges; the inside is untouched.
void DrawScreenBorder2D(float r, float g, float b, float a, float width);
void DrawQuad2D(const Vec2& p0, const Vec2& p1, const Vec2& p2, const Vec2& p3, float r, float g, float b, float a);
// A circle of max(segments, 3) line segments.
void DrawCircle2D(float x, float y, float radius, float r, float g, float b, int segments, float lineWidth);
// White lines in the plane y = 0, centred on the origin.
void DrawXZGrid(float cellSize, int countX, int countZ);
// Red X, green Y, blue Z axes of length 10 from the origin of the identity frame.
void DrawAxes();
void DrawAxesOfLength(float length);
