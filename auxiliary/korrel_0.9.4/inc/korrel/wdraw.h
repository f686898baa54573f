// A line plot of up to 16 point series with an optional grid, painted into
// an owner-drawn control of a toolkit dialog on its WM_DRAWITEM (through the
// handler registry). Logical (0, 0) is the control's bottom-left corner and
// (x maximum, y maximum) its top-right one. Not a WObject: it attaches to the
// dialog it is given. DrawArray may be called from any thread.
#pragma once

#include "wcontrols.h"

#include <cstdint>
#include <mutex>
#include <vector>

struct WDrawPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

class WDraw {
public:
    static constexpr int kMaxSeries = 16;

    WDraw(WControls* dialog, unsigned id, int xMin, int xMax, int yMin, int yMax, int seriesCount);
    ~WDraw();
    WDraw(const WDraw&) = delete;
    WDraw& operator=(const WDraw&) = delete;

    // Grid lines across and along, with tick marks across the middle (factor per line).
    void SetGrid(int horizontalLines, int verticalLines, int horizontalTickFactor, int verticalTickFactor);
    // Series m (0 <= m < the series count) becomes the n points, drawn with the
    // colour-table colour and pen width; the control repaints soon.
    void DrawArray(const WDrawPoint* points, int n, int colour, int penWidth, int m);

    static void OnDrawItem(WEvent event);

private:
    void Paint(HDC context, int width, int height) const;

    int xMin_;
    int xMax_;
    int yMin_;
    int yMax_;
    int seriesCount_;
    std::vector<WDrawPoint> series_[kMaxSeries];  // empty: nothing to draw
    int colours_[kMaxSeries] = {};
    int widths_[kMaxSeries] = {};
    bool grid_ = false;
    int horizontalLines_ = 0;
    int verticalLines_ = 0;
    int horizontalTickFactor_ = 0;
    int verticalTickFactor_ = 0;
    WControls* dialog_;
    unsigned id_;
    HWND control_ = nullptr;
    unsigned word_ = 0;         // our user word in the handler registry
    mutable std::mutex mutex_;  // the series and grid, between DrawArray and painting
};
