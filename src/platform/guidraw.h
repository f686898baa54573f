// Owner drawing for the toolkit's plot control: lines on the device context
// a WM_DRAWITEM handler receives (device pixels, origin top-left), a redraw
// request any thread may post, and rendering a window into pixels for tests.
#pragma once

#include "guiwindow.h"  // HDC, HWND, COLORREF

#include <cstdint>
#include <vector>

// A polyline through count points (x, y pairs) with a solid pen; GUI thread, inside WM_DRAWITEM.
void GuiDrawPolyline(HDC context, const int* xy, int count, COLORREF colour, int width);
// The window repaints soon (its WM_DRAWITEM comes on the GUI thread); returns at once.
void GuiPostRedraw(HWND window);
// The window as it paints now over white: width x height pixels 0x00RRGGBB, row
// by row. False when it is not shown.
bool GuiRenderWindow(HWND window, std::vector<std::uint32_t>* pixels, int* width, int* height);
