// MorvoLJFunc: pair forces, the exchange rules and the cell traversal.
#include "morvoljfunc.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "rainsystem.h"
#include "random15.h"
#include "uniformgrid.h"

namespace {
constexpr float kShareRate = 0.8f;       // power per second per unit of difference
constexpr float kConversionEdge = 1.2f;  // a neutral up to this times a pure one's power converts
constexpr float kLightningPower = 4.0f;  // both above it: lightning (20 x 0.2)
constexpr float kDrainRate = 0.5f;       // power per second lost in dark contact
constexpr float kBigConversion = 5.0f;   // converted power that scores 10
constexpr int32_t kSmallScore = 1;
constexpr int32_t kBigScore = 10;
constexpr int32_t kLastLightningFrame = 24;
constexpr int32_t kLightningModels = 3;
}  // namespace

MorvoLJFunc::MorvoLJFunc(float r, float cutoff, float k, float fmax)
{
    SetRadius(r);
    SetCutoff(cutoff);
    k_ = k;
    SetMaxForce(fmax);
}

void MorvoLJFunc::SetRainTargets(const UniformGrid* grid, std::list<Vec2>* rainHits, RainSystem* rain)
{
    rainGrid_ = grid;
    rainHits_ = rainHits;
    rain_ = rain;
}

void MorvoLJFunc::SetRadius(float r)
{
    r_ = r;
    r2_ = r * r;
}

void MorvoLJFunc::SetCutoff(float cutoff)
{
    cutoff_ = cutoff;
    cutoff2_ = cutoff * cutoff;
}

void MorvoLJFunc::SetMaxForce(float fmax)
{
    fmax_ = fmax;
    fmax2_ = fmax * fmax;
}

bool MorvoLJFunc::Pair(MorvoRecord& a, MorvoRecord& b)
{
    float dx = b.position.x - a.position.x;
    float dy = b.position.y - a.position.y;
    float d2 = dx * dx + dy * dy;
    if (!(d2 <= cutoff2_)) {
        return false;
    }
    if (d2 <= 0.0f) {
        a.force.x += fmax_;
        b.force.x -= fmax_;
        return true;
    }
    float d = std::sqrt(d2);
    float spring = -k_ * (r2_ / d2 - r_ / d) / d;
    float fx = spring * dx;
    float fy = spring * dy;
    float f2 = fx * fx + fy * fy;
    if (!(f2 <= fmax2_)) {
        float length = std::sqrt(f2);
        fx = fx * fmax_ / length;
        fy = fy * fmax_ / length;
    }
    a.force.x += fx;
    a.force.y += fy;
    b.force.x -= fx;
    b.force.y -= fy;

    float w;
    if (d < r_) {
        w = 1.0f - d2 / (2.0f * r2_);
    } else if (d < 2.0f * r_) {
        float e = d - r_;
        w = e * e / (2.0f * r2_) - e / r_ + 0.5f;
    } else {
        return true;
    }
    float vx = b.velocity.x - a.velocity.x;
    float vy = b.velocity.y - a.velocity.y;
    float scale = std::sqrt(vx * vx + vy * vy) * w;
    vx = scale * vx;
    vy = scale * vy;
    a.force.x += vx;
    a.force.y += vy;
    b.force.x -= vx;
    b.force.y -= vy;
    return true;
}

void MorvoLJFunc::Exchange(MorvoRecord& a, MorvoRecord& b, float dt)
{
    const int32_t ca = a.color;
    const int32_t cb = b.color;
    const float pa = a.power;
    const float pb = b.power;
    const float ha = pa * 0.5f * GetBodyRadius();
    const float hb = pb * 0.5f * GetBodyRadius();

    if (ca == cb) {
        if (2.0f * pa < pb) {
            b.AddPower(-(pb - pa) * kShareRate * dt);
            a.AddPower((pb - pa) * kShareRate * dt);
        } else if (2.0f * pb < pa) {
            b.AddPower((pa - pb) * kShareRate * dt);
            a.AddPower(-(pa - pb) * kShareRate * dt);
        }
        a.SetLightning(-1);
        b.SetLightning(-1);
    } else if (ca >= 0 && cb >= 0) {
        if (ca > 0) {
            if (pb < kConversionEdge * pa) {
                b.conversionTimer -= dt;
                if (b.conversionTimer < 0.0f) {
                    b.color = ca;
                    b.ResetConversion();
                }
            }
        } else if (cb > 0) {
            if (pa < kConversionEdge * pb) {
                a.conversionTimer -= dt;
                if (a.conversionTimer < 0.0f) {
                    a.color = cb;
                    a.ResetConversion();
                }
            }
        }
    } else {
        if (a.power > kLightningPower && b.power > kLightningPower) {
            if (a.lightning == -1) {
                a.SetLightning(Rand15() % kLightningModels - 1);
                a.AddLightningTime(dt);
            } else if (a.lightning >= 0 && a.lightning <= 2) {
                if (a.AddLightningTime(dt) > kLastLightningFrame) {
                    a.SetLightning(-1);
                    a.ResetLightningTime();
                    ++lightningCount;
                }
            }
            if (b.lightning == -1) {
                b.SetLightning(Rand15() % kLightningModels - 1);
                b.AddLightningTime(dt);
            } else if (b.lightning >= 0 && b.lightning <= 2) {
                if (b.AddLightningTime(dt) >= kLastLightningFrame) {
                    b.SetLightning(-1);
                    b.ResetLightningTime();
                }
            }
        } else {
            a.SetLightning(-1);
            b.SetLightning(-1);
        }
        if (a.power > kMinMorvoPower && b.power > kMinMorvoPower) {
            a.AddPower(-kDrainRate * dt);
            b.AddPower(-kDrainRate * dt);
            float mx = (a.position.x + b.position.x) * 0.5f;
            float my = (a.position.y + b.position.y) * 0.5f;
            if (rainHits_ != nullptr && rainGrid_ != nullptr) {
                rainHits_->push_back(
                    Vec2(static_cast<float>(rainGrid_->ToCellX(mx)), static_cast<float>(rainGrid_->ToCellY(my))));
            }
            if (rain_ != nullptr) {
                rain_->Emit(mx, my, 0.0f, (ha + hb) * 0.5f);
            }
            ++rainCount;
        }
        if (a.power <= kMinMorvoPower) {
            a.active = 0;
        }
        if (b.power <= kMinMorvoPower) {
            b.active = 0;
        }
    }

    if (ca == kMorvoNeutral && a.color > 0) {
        conversionScore += pa >= kBigConversion ? kBigScore : kSmallScore;
    }
    if (cb == kMorvoNeutral && b.color > 0) {
        conversionScore += pb >= kBigConversion ? kBigScore : kSmallScore;
    }
}

void MorvoLJFunc::Apply(MorvoState& state, float /*dt*/)
{
    int32_t n = state.GetSize();
    for (int32_t i = 0; i < n; ++i) {
        if (state.Get(i).active == 0) {
            continue;
        }
        for (int32_t j = i + 1; j < n; ++j) {
            if (state.Get(j).active != 0) {
                Pair(state.Get(i), state.Get(j));
            }
        }
    }
}

void MorvoLJFunc::GatherCells(const MorvoState& state, const UniformGrid& grid, int32_t x0, int32_t x1, int32_t y0,
                              int32_t y1)
{
    spans_.clear();
    ids_.clear();
    xs_.clear();
    ys_.clear();
    copies_.clear();
    if (seen_.size() != static_cast<size_t>(state.GetSize())) {
        seen_.assign(static_cast<size_t>(state.GetSize()), 0);
        visit_ = 0;
    }
    if (++visit_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        visit_ = 1;
    }
    useCopies_ = true;
    int32_t longest = 0;
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) {
            CellSpan span{static_cast<int32_t>(ids_.size()), 0, 0.0f, 0.0f, 0.0f, 0.0f};
            for (int32_t i : grid.GetCell(x, y)) {
                const MorvoRecord& record = state.Get(i);
                uint32_t& seen = seen_[static_cast<size_t>(i)];
                useCopies_ = useCopies_ && seen != visit_;
                seen = visit_;
                float px = record.position.x;
                float py = record.position.y;
                if (span.count == 0) {
                    span.x0 = span.x1 = px;
                    span.y0 = span.y1 = py;
                } else {
                    span.x0 = px < span.x0 ? px : span.x0;
                    span.x1 = px > span.x1 ? px : span.x1;
                    span.y0 = py < span.y0 ? py : span.y0;
                    span.y1 = py > span.y1 ? py : span.y1;
                }
                ids_.push_back(i);
                xs_.push_back(px);
                ys_.push_back(py);
                copies_.push_back(record);
                ++span.count;
            }
            longest = span.count > longest ? span.count : longest;
            spans_.push_back(span);
        }
    }
    if (touching_.size() < static_cast<size_t>(longest)) {
        touching_.resize(static_cast<size_t>(longest));
    }
}

void MorvoLJFunc::ScatterCells(MorvoState& state)
{
    if (!useCopies_) {
        return;
    }
    for (size_t k = 0; k < ids_.size(); ++k) {
        state.Get(ids_[k]) = copies_[k];
    }
}

int32_t MorvoLJFunc::CollectTouching(int32_t i, int32_t begin, int32_t end)
{
    const float xi = xs_[i];
    const float yi = ys_[i];
    const float* xs = xs_.data();
    const float* ys = ys_.data();
    int32_t* out = touching_.data();
    int32_t n = 0;
    int32_t j = begin;
#if defined(__SSE2__)
    // Four at a time with the same single-precision operations as below.
    const __m128 xi4 = _mm_set1_ps(xi);
    const __m128 yi4 = _mm_set1_ps(yi);
    const __m128 limit = _mm_set1_ps(cutoff2_);
    for (; j + 4 <= end; j += 4) {
        __m128 dx = _mm_sub_ps(_mm_loadu_ps(xs + j), xi4);
        __m128 dy = _mm_sub_ps(_mm_loadu_ps(ys + j), yi4);
        __m128 d2 = _mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy));
        int mask = _mm_movemask_ps(_mm_cmple_ps(d2, limit));
        while (mask != 0) {
            out[n++] = j + __builtin_ctz(static_cast<unsigned>(mask));
            mask &= mask - 1;
        }
    }
#endif
    for (; j < end; ++j) {
        float dx = xs[j] - xi;
        float dy = ys[j] - yi;
        float d2 = dx * dx + dy * dy;
        out[n] = j;
        n += d2 <= cutoff2_ ? 1 : 0;
    }
    return n;
}

void MorvoLJFunc::PairWithin(MorvoState& state, const CellSpan& cell, float dt)
{
    const int32_t end = cell.start + cell.count;
    for (int32_t i = cell.start; i < end; ++i) {
        bool touched = false;
        int32_t n = CollectTouching(i, i + 1, end);
        for (int32_t k = 0; k < n; ++k) {
            MorvoRecord& a = Entry(state, i);
            MorvoRecord& b = Entry(state, touching_[static_cast<size_t>(k)]);
            if (Pair(a, b)) {
                Exchange(a, b, dt);
                touched = true;
            }
        }
        if (!touched) {
            Entry(state, i).SetLightning(-1);
        }
    }
}

void MorvoLJFunc::PairAcross(MorvoState& state, const CellSpan& a, const CellSpan& b, float dt)
{
    if (b.count == 0) {
        return;
    }
    const int32_t endA = a.start + a.count;
    const int32_t endB = b.start + b.count;
    for (int32_t i = a.start; i < endA; ++i) {
        // Nothing in b can touch an entry farther than the cutoff from b's
        // box (rounding keeps the order, so this never skips a touching pair).
        const float xi = xs_[static_cast<size_t>(i)];
        const float yi = ys_[static_cast<size_t>(i)];
        float dx = xi < b.x0 ? b.x0 - xi : (xi > b.x1 ? xi - b.x1 : 0.0f);
        float dy = yi < b.y0 ? b.y0 - yi : (yi > b.y1 ? yi - b.y1 : 0.0f);
        if (dx * dx + dy * dy > cutoff2_) {
            continue;
        }
        int32_t n = CollectTouching(i, b.start, endB);
        for (int32_t k = 0; k < n; ++k) {
            MorvoRecord& ra = Entry(state, i);
            MorvoRecord& rb = Entry(state, touching_[static_cast<size_t>(k)]);
            if (Pair(ra, rb)) {
                Exchange(ra, rb, dt);
            }
        }
    }
}

void MorvoLJFunc::Apply(MorvoState& state, UniformGrid& grid, float dt, int32_t x0, int32_t x1, int32_t y0,
                        int32_t y1)
{
    grid.ClampCellRect(x0, x1, y0, y1);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    // The stencil reaches one column and one row beyond the rectangle
    // (clamped), where it meets the last column or row itself.
    const int32_t gx1 = x1 < grid.GetWidth() ? x1 + 1 : x1;
    const int32_t gy1 = y1 < grid.GetHeight() ? y1 + 1 : y1;
    const int32_t stride = gx1 - x0;
    GatherCells(state, grid, x0, gx1, y0, gy1);

    auto spanAt = [&](int32_t x, int32_t y) -> int32_t {
        int32_t cx = x < grid.GetWidth() ? x : grid.GetWidth() - 1;
        int32_t cy = y < grid.GetHeight() ? y : grid.GetHeight() - 1;
        return (cy - y0) * stride + (cx - x0);
    };
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) {
            const int32_t c = spanAt(x, y);
            const int32_t right = spanAt(x + 1, y);
            const int32_t up = spanAt(x, y + 1);
            const int32_t upRight = spanAt(x + 1, y + 1);
            PairWithin(state, spans_[c], dt);
            if (c != right) {
                PairAcross(state, spans_[c], spans_[right], dt);
            }
            if (c != up) {
                PairAcross(state, spans_[c], spans_[up], dt);
            }
            if (c != upRight) {
                PairAcross(state, spans_[c], spans_[upRight], dt);
            }
            if (right != up) {
                PairAcross(state, spans_[right], spans_[up], dt);
            }
        }
    }
    ScatterCells(state);
}
