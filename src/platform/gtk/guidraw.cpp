// Owner drawing with cairo, redraw requests and window rendering.
#include "guidraw.h"

#include "guithread.h"
#include "guiwindowtable.h"

#include <algorithm>

namespace {

constexpr double kByte = 255.0;

void SetColour(cairo_t* cairo, COLORREF colour)
{
    cairo_set_source_rgb(cairo, (colour & 0xFF) / kByte, ((colour >> 8) & 0xFF) / kByte,
                         ((colour >> 16) & 0xFF) / kByte);
}

}  // namespace

void GuiDrawPolyline(HDC context, const int* xy, int count, COLORREF colour, int width)
{
    if (!context || !context->cairo || !xy || count < 1) {
        return;
    }
    cairo_t* cairo = context->cairo;
    cairo_save(cairo);
    SetColour(cairo, colour);
    cairo_set_line_width(cairo, std::max(width, 1));
    cairo_set_line_cap(cairo, CAIRO_LINE_CAP_SQUARE);
    // Pixel centres, so a one-pixel line covers whole pixels.
    cairo_move_to(cairo, xy[0] + 0.5, xy[1] + 0.5);
    for (int i = 1; i < count; ++i) {
        cairo_line_to(cairo, xy[2 * i] + 0.5, xy[2 * i + 1] + 0.5);
    }
    cairo_stroke(cairo);
    cairo_restore(cairo);
}

void GuiPostRedraw(HWND window)
{
    const UINT handle = GuiHandleValue(window);
    PostGuiWork([handle] {
        if (GuiWindowRecord* record = FindGuiWindow(handle)) {
            gtk_widget_queue_draw(record->outer);
        }
    });
}

bool GuiRenderWindow(HWND window, std::vector<std::uint32_t>* pixels, int* width, int* height)
{
    bool done = false;
    CallOnGuiThread([&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        if (!record || !gtk_widget_is_drawable(record->outer)) {
            return;
        }
        *width = gtk_widget_get_allocated_width(record->outer);
        *height = gtk_widget_get_allocated_height(record->outer);
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, *width, *height);
        cairo_t* cairo = cairo_create(surface);
        cairo_set_source_rgb(cairo, 1.0, 1.0, 1.0);  // what shows through is white
        cairo_paint(cairo);
        gtk_widget_draw(record->outer, cairo);
        cairo_destroy(cairo);
        cairo_surface_flush(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        pixels->assign(static_cast<size_t>(*width) * *height, 0);
        for (int y = 0; y < *height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
            for (int x = 0; x < *width; ++x) {
                (*pixels)[static_cast<size_t>(y) * *width + x] = row[x] & 0xFFFFFF;
            }
        }
        cairo_surface_destroy(surface);
        done = true;
    });
    return done;
}
