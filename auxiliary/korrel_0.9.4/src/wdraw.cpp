// The plot control: series, grid and painting.
#include "korrel/wdraw.h"

#include "guidraw.h"
#include "korrel/korrelcheck.h"
#include "korrel/wobjectwords.h"

#include <algorithm>

namespace {

constexpr int kGridColour = kKorrelBlack;
constexpr int kGridPenWidth = 1;

WObjectWords<WDraw>& Plots()
{
    static WObjectWords<WDraw> plots;
    return plots;
}

// Logical plot units to device pixels: x scaled by width / x maximum, y
// scaled by height / y maximum and turned upwards from the bottom edge.
struct PlotMapping {
    std::int64_t xMax;
    std::int64_t yMax;
    std::int64_t width;
    std::int64_t height;

    int X(std::int64_t x) const { return static_cast<int>(x * width / xMax); }
    int Y(std::int64_t y) const { return static_cast<int>(height - y * height / yMax); }
};

void Line(HDC context, const PlotMapping& map, int x0, int y0, int x1, int y1)
{
    const int xy[4] = {map.X(x0), map.Y(y0), map.X(x1), map.Y(y1)};
    GuiDrawPolyline(context, xy, 2, KorrelColor(kGridColour), kGridPenWidth);
}

}  // namespace

WDraw::WDraw(WControls* dialog, unsigned id, int xMin, int xMax, int yMin, int yMax, int seriesCount)
    : xMin_(xMin),
      xMax_(xMax),
      yMin_(yMin),
      yMax_(yMax),
      seriesCount_(seriesCount),
      dialog_(dialog),
      id_(id)
{
    KorrelCheck(seriesCount <= kMaxSeries, "WDraw::WDraw(): MMAX must be <= LMAX=16");
    seriesCount_ = std::clamp(seriesCount, 0, kMaxSeries);
    control_ = dialog ? GuiGetDlgItem(dialog->GetHwnd(), static_cast<int>(id)) : nullptr;
    KorrelCheck(control_ != nullptr, "WDraw(): Could not attach to the drawing window");
    word_ = Plots().Add(this);
    if (dialog) {
        dialog->RegisterMessageHandler(id, OnDrawItem, WM_DRAWITEM, word_);
    }
}

WDraw::~WDraw()
{
    if (dialog_) {
        dialog_->UnregisterMessageHandler(id_, WM_DRAWITEM);
    }
    Plots().Remove(word_);
}

void WDraw::SetGrid(int horizontalLines, int verticalLines, int horizontalTickFactor, int verticalTickFactor)
{
    std::lock_guard<std::mutex> lock(mutex_);
    horizontalLines_ = horizontalLines;
    verticalLines_ = verticalLines;
    horizontalTickFactor_ = horizontalTickFactor;
    verticalTickFactor_ = verticalTickFactor;
    grid_ = true;
}

void WDraw::DrawArray(const WDrawPoint* points, int n, int colour, int penWidth, int m)
{
    const bool inRange = m >= 0 && m < seriesCount_;
    KorrelCheck(inRange, "WDraw::DrawArray(): Parameter M must be <= MMAX");
    if (!inRange) {
        return;
    }
    n = points ? std::max(n, 0) : 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        series_[m].assign(points, points + n);
        colours_[m] = colour;
        widths_[m] = penWidth;
    }
    // Not under the lock: the GUI thread takes it to paint.
    GuiPostRedraw(control_);
}

void WDraw::OnDrawItem(WEvent event)
{
    const WDraw* plot = Plots().Find(event.userWord);
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(event.lParam);
    if (!plot || !item) {
        return;
    }
    plot->Paint(item->hDC, item->rcItem.right - item->rcItem.left, item->rcItem.bottom - item->rcItem.top);
}

void WDraw::Paint(HDC context, int width, int height) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (xMax_ == 0 || yMax_ == 0) {
        return;  // no mapping: the range is empty
    }
    const PlotMapping map{xMax_, yMax_, width, height};
    if (grid_) {
        const std::int64_t xRange = xMax_ - xMin_;
        const std::int64_t yRange = yMax_ - yMin_;
        for (int i = 0; i < horizontalLines_; ++i) {
            const int y = static_cast<int>(yRange * i / horizontalLines_ + yMin_);
            Line(context, map, xMin_, y, xMax_, y);
        }
        for (int i = 0; i < verticalLines_; ++i) {
            const int x = static_cast<int>(xRange * i / verticalLines_ + xMin_);
            Line(context, map, x, yMin_, x, yMax_);
        }
        const int across = horizontalLines_ * horizontalTickFactor_;
        for (int i = 0; i < across; ++i) {
            const int x = static_cast<int>(xRange * i / across + xMin_);
            Line(context, map, x, yMax_ / 2 - yMax_ / 100, x, yMax_ / 2 + yMax_ / 100);
        }
        const int along = verticalLines_ * verticalTickFactor_;
        for (int i = 0; i < along; ++i) {
            const int y = static_cast<int>(yRange * i / along + yMin_);
            Line(context, map, xMax_ / 2 - xMax_ / 100, y, xMax_ / 2 + xMax_ / 100, y);
        }
    }
    std::vector<int> xy;
    for (int m = 0; m < seriesCount_; ++m) {
        if (series_[m].empty()) {
            continue;
        }
        xy.clear();
        for (const WDrawPoint& point : series_[m]) {
            xy.push_back(map.X(point.x));
            xy.push_back(map.Y(point.y));
        }
        GuiDrawPolyline(context, xy.data(), static_cast<int>(series_[m].size()), KorrelColor(colours_[m]), widths_[m]);
    }
}
