// MorvoLJFunc: pair forces, the exchange rules and the cell traversal.
#include "morvoljfunc.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "rainhitcells.h"
#include "rainsystem.h"
#include "random15.h"
#include "uniformgrid.h"

namespace {
#if defined(__SSE2__)
// For each 4-bit mask, the lanes that are set, in order (spare entries 0).
struct LaneTable {
    LaneTable()
    {
        for (int mask = 0; mask < 16; ++mask) {
            int n = 0;
            int32_t lanes[4] = {0, 0, 0, 0};
            for (int lane = 0; lane < 4; ++lane) {
                if ((mask >> lane) & 1) {
                    lanes[n++] = lane;
                }
            }
            offsets[mask] = _mm_setr_epi32(lanes[0], lanes[1], lanes[2], lanes[3]);
            counts[mask] = n;
        }
    }
    __m128i offsets[16];
    int32_t counts[16];
};

const LaneTable& Lanes()
{
    static const LaneTable table;
    return table;
}
#endif

constexpr float kShareRate = 0.8f;       // power per second per unit of difference
constexpr float kConversionEdge = 1.2f;  // a neutral up to this times a pure one's power converts
constexpr float kLightningPower = 4.0f;  // both above it: lightning (20 x 0.2)
constexpr float kDrainRate = 0.5f;       // power per second lost in dark contact
constexpr float kBigConversion = 5.0f;   // converted power that scores 10
constexpr int32_t kSmallScore = 1;
constexpr int32_t kBigScore = 10;
constexpr int32_t kLastLightningFrame = 24;
constexpr int32_t kLightningModels = 3;
constexpr int32_t kGatherAhead = 4;  // cells
}  // namespace

MorvoLJFunc::MorvoLJFunc(float r, float cutoff, float k, float fmax)
{
    SetRadius(r);
    SetCutoff(cutoff);
    k_ = k;
    SetMaxForce(fmax);
}

void MorvoLJFunc::SetRainTargets(const UniformGrid* grid, RainHitCells* rainHits, RainSystem* rain)
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

MorvoLJFunc::PairForce MorvoLJFunc::ComputeForce(float dx, float dy, float d2, float dvx, float dvy) const
{
    PairForce f{0.0f, 0.0f, 0.0f, 0.0f, kCoincide};
    if (d2 <= 0.0f) {
        return f;
    }
    float d = std::sqrt(d2);
    float spring = -k_ * (r2_ / d2 - r_ / d) / d;
    f.fx = spring * dx;
    f.fy = spring * dy;
    float f2 = f.fx * f.fx + f.fy * f.fy;
    if (!(f2 <= fmax2_)) {
        float length = std::sqrt(f2);
        f.fx = f.fx * fmax_ / length;
        f.fy = f.fy * fmax_ / length;
    }
    float w;
    if (d < r_) {
        w = 1.0f - d2 / (2.0f * r2_);
    } else if (d < 2.0f * r_) {
        float e = d - r_;
        w = e * e / (2.0f * r2_) - e / r_ + 0.5f;
    } else {
        f.kind = kSpring;
        return f;
    }
    float scale = std::sqrt(dvx * dvx + dvy * dvy) * w;
    f.vx = scale * dvx;
    f.vy = scale * dvy;
    f.kind = kSpringViscous;
    return f;
}

bool MorvoLJFunc::Pair(MorvoRecord& a, MorvoRecord& b)
{
    float dx = b.position.x - a.position.x;
    float dy = b.position.y - a.position.y;
    float d2 = dx * dx + dy * dy;
    if (!(d2 <= cutoff2_)) {
        return false;
    }
    PairForce f = ComputeForce(dx, dy, d2, b.velocity.x - a.velocity.x, b.velocity.y - a.velocity.y);
    AddForce(a, b, f, fmax_);
    return true;
}

__attribute__((always_inline)) inline void MorvoLJFunc::ExchangeInline(MorvoRecord& a, MorvoRecord& b, float dt)
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
                rainHits_->AddCell(rainGrid_->ToCellX(mx), rainGrid_->ToCellY(my));
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

void MorvoLJFunc::Exchange(MorvoRecord& a, MorvoRecord& b, float dt)
{
    ExchangeInline(a, b, dt);
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
    vxs_.clear();
    vys_.clear();
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
            // List nodes and records lie scattered: ask early for those of a later cell.
            if (x + kGatherAhead < x1) {
                const UniformGrid::CellList& later = grid.GetCell(x + kGatherAhead, y);
                if (!later.empty()) {
                    __builtin_prefetch(&later.front());
                }
            }
            if (x + 1 < x1) {
                const UniformGrid::CellList& next = grid.GetCell(x + 1, y);
                if (!next.empty() && static_cast<uint32_t>(next.front()) < static_cast<uint32_t>(state.GetSize())) {
                    __builtin_prefetch(state.Records() + next.front());
                }
            }
            spans_.push_back(CellSpan{static_cast<int32_t>(ids_.size()), 0, 0.0f, 0.0f, 0.0f, 0.0f});
            CellSpan& span = spans_.back();
            for (int32_t i : grid.GetCell(x, y)) {
                if (i < 0 || i >= state.GetSize()) {
                    continue;  // a grid left over from a larger store
                }
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
                vxs_.push_back(record.velocity.x);
                vys_.push_back(record.velocity.y);
                copies_.push_back(record);
                ++span.count;
            }
            longest = span.count > longest ? span.count : longest;
        }
    }
    // Room for a group of four written past the last touching entry.
    if (touching_.size() < static_cast<size_t>(longest) + 4) {
        touching_.resize(static_cast<size_t>(longest) + 4);
        forces_.resize(static_cast<size_t>(longest) + 4);
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
    const LaneTable& lanes = Lanes();
    for (; j + 4 <= end; j += 4) {
        __m128 dx = _mm_sub_ps(_mm_loadu_ps(xs + j), xi4);
        __m128 dy = _mm_sub_ps(_mm_loadu_ps(ys + j), yi4);
        __m128 d2 = _mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy));
        int mask = _mm_movemask_ps(_mm_cmple_ps(d2, limit));
        // Writes four entries, of which the first count are the touching ones.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n), _mm_add_epi32(_mm_set1_epi32(j), lanes.offsets[mask]));
        n += lanes.counts[mask];
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

bool MorvoLJFunc::PairTouching(MorvoState& state, int32_t i, int32_t n, float dt)
{
    if (n == 0) {
        return false;
    }
    const float xi = xs_[static_cast<size_t>(i)];
    const float yi = ys_[static_cast<size_t>(i)];
    const float vxi = vxs_[static_cast<size_t>(i)];
    const float vyi = vys_[static_cast<size_t>(i)];
    int32_t k = 0;
#if defined(__SSE2__)
    // Four pairs at a time, lane by lane the operations of ComputeForce.
    const __m128 zero = _mm_setzero_ps();
    const __m128 negK = _mm_set1_ps(-k_);
    const __m128 r = _mm_set1_ps(r_);
    const __m128 r2 = _mm_set1_ps(r2_);
    const __m128 twoR = _mm_set1_ps(2.0f * r_);
    const __m128 twoR2 = _mm_set1_ps(2.0f * r2_);
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128 fmax = _mm_set1_ps(fmax_);
    const __m128 fmax2 = _mm_set1_ps(fmax2_);
    for (; k < n; k += 4) {
        // A short last group repeats its last pair in the spare lanes.
        const int32_t* t = touching_.data() + k;
        const int32_t last = n - k - 1;
        const int32_t j[4] = {t[0], t[last < 1 ? last : 1], t[last < 2 ? last : 2], t[last < 3 ? last : 3]};
        __m128 dx = _mm_sub_ps(_mm_setr_ps(xs_[j[0]], xs_[j[1]], xs_[j[2]], xs_[j[3]]), _mm_set1_ps(xi));
        __m128 dy = _mm_sub_ps(_mm_setr_ps(ys_[j[0]], ys_[j[1]], ys_[j[2]], ys_[j[3]]), _mm_set1_ps(yi));
        __m128 dvx = _mm_sub_ps(_mm_setr_ps(vxs_[j[0]], vxs_[j[1]], vxs_[j[2]], vxs_[j[3]]), _mm_set1_ps(vxi));
        __m128 dvy = _mm_sub_ps(_mm_setr_ps(vys_[j[0]], vys_[j[1]], vys_[j[2]], vys_[j[3]]), _mm_set1_ps(vyi));
        __m128 d2 = _mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy));
        __m128 d = _mm_sqrt_ps(d2);
        __m128 spring = _mm_div_ps(_mm_mul_ps(negK, _mm_sub_ps(_mm_div_ps(r2, d2), _mm_div_ps(r, d))), d);
        __m128 fx = _mm_mul_ps(spring, dx);
        __m128 fy = _mm_mul_ps(spring, dy);
        __m128 f2 = _mm_add_ps(_mm_mul_ps(fx, fx), _mm_mul_ps(fy, fy));
        __m128 capped = _mm_cmpnle_ps(f2, fmax2);
        __m128 length = _mm_sqrt_ps(f2);
        fx = _mm_or_ps(_mm_andnot_ps(capped, fx), _mm_and_ps(capped, _mm_div_ps(_mm_mul_ps(fx, fmax), length)));
        fy = _mm_or_ps(_mm_andnot_ps(capped, fy), _mm_and_ps(capped, _mm_div_ps(_mm_mul_ps(fy, fmax), length)));
        __m128 inner = _mm_cmplt_ps(d, r);
        __m128 wInner = _mm_sub_ps(one, _mm_div_ps(d2, twoR2));
        __m128 e = _mm_sub_ps(d, r);
        __m128 wOuter = _mm_add_ps(_mm_sub_ps(_mm_div_ps(_mm_mul_ps(e, e), twoR2), _mm_div_ps(e, r)), half);
        __m128 w = _mm_or_ps(_mm_and_ps(inner, wInner), _mm_andnot_ps(inner, wOuter));
        __m128 scale = _mm_mul_ps(_mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(dvx, dvx), _mm_mul_ps(dvy, dvy))), w);
        __m128 vx = _mm_mul_ps(scale, dvx);
        __m128 vy = _mm_mul_ps(scale, dvy);
        int coincide = _mm_movemask_ps(_mm_cmple_ps(d2, zero));
        int viscous = _mm_movemask_ps(_mm_cmplt_ps(d, twoR));
        alignas(16) float out[4][4];
        _mm_store_ps(out[0], fx);
        _mm_store_ps(out[1], fy);
        _mm_store_ps(out[2], vx);
        _mm_store_ps(out[3], vy);
        for (int lane = 0; lane < 4 && k + lane < n; ++lane) {
            PairForce& f = forces_[static_cast<size_t>(k + lane)];
            f.fx = out[0][lane];
            f.fy = out[1][lane];
            f.vx = out[2][lane];
            f.vy = out[3][lane];
            f.kind = (coincide >> lane) & 1 ? kCoincide : ((viscous >> lane) & 1 ? kSpringViscous : kSpring);
        }
    }
#endif
    for (; k < n; ++k) {
        const size_t j = static_cast<size_t>(touching_[static_cast<size_t>(k)]);
        float dx = xs_[j] - xi;
        float dy = ys_[j] - yi;
        forces_[static_cast<size_t>(k)] = ComputeForce(dx, dy, dx * dx + dy * dy, vxs_[j] - vxi, vys_[j] - vyi);
    }
    if (useCopies_) {
        // Every entry is its own copy, so a is none of the b's: its force is
        // summed in a register, in the same order as through memory.
        MorvoRecord& a = copies_[static_cast<size_t>(i)];
        Vec2 forceA = a.force;
        for (k = 0; k < n; ++k) {
            MorvoRecord& b = copies_[static_cast<size_t>(touching_[static_cast<size_t>(k)])];
            const PairForce& f = forces_[static_cast<size_t>(k)];
            if (f.kind == kCoincide) {
                forceA.x += fmax_;
                b.force.x -= fmax_;
            } else {
                forceA.x += f.fx;
                forceA.y += f.fy;
                b.force.x -= f.fx;
                b.force.y -= f.fy;
                if (f.kind == kSpringViscous) {
                    forceA.x += f.vx;
                    forceA.y += f.vy;
                    b.force.x -= f.vx;
                    b.force.y -= f.vy;
                }
            }
            ExchangeInline(a, b, dt);
        }
        a.force = forceA;
        return true;
    }
    for (k = 0; k < n; ++k) {
        MorvoRecord& a = Entry(state, i);
        MorvoRecord& b = Entry(state, touching_[static_cast<size_t>(k)]);
        AddForce(a, b, forces_[static_cast<size_t>(k)], fmax_);
        ExchangeInline(a, b, dt);
    }
    return n > 0;
}

void MorvoLJFunc::PairWithin(MorvoState& state, const CellSpan& cell, float dt)
{
    const int32_t end = cell.start + cell.count;
    for (int32_t i = cell.start; i < end; ++i) {
        int32_t n = CollectTouching(i, i + 1, end);
        if (!PairTouching(state, i, n, dt)) {
            Entry(state, i).SetLightning(-1);
        }
    }
}

void MorvoLJFunc::PairAcross(MorvoState& state, const CellSpan& a, const CellSpan& b, float dt)
{
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
        PairTouching(state, i, CollectTouching(i, b.start, endB), dt);
    }
}

void MorvoLJFunc::Apply(MorvoState& state, UniformGrid& grid, float dt, int32_t x0, int32_t x1, int32_t y0, int32_t y1)
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
    if (rainHits_ != nullptr && rainGrid_ != nullptr) {
        rainHits_->SetGridSize(rainGrid_->GetWidth(), rainGrid_->GetHeight());
    }
    GatherCells(state, grid, x0, gx1, y0, gy1);

    const int32_t lastColumn = grid.GetWidth() - 1;
    const int32_t lastRow = grid.GetHeight() - 1;
    for (int32_t y = y0; y < y1; ++y) {
        const int32_t row = (y - y0) * stride;
        const int32_t rowUp = ((y < lastRow ? y + 1 : lastRow) - y0) * stride;
        for (int32_t x = x0; x < x1; ++x) {
            const int32_t column = x - x0;
            const int32_t columnRight = (x < lastColumn ? x + 1 : lastColumn) - x0;
            const int32_t c = row + column;
            const int32_t right = row + columnRight;
            const int32_t up = rowUp + column;
            const int32_t upRight = rowUp + columnRight;
            const CellSpan& cell = spans_[static_cast<size_t>(c)];
            const CellSpan& rightCell = spans_[static_cast<size_t>(right)];
            const CellSpan& upCell = spans_[static_cast<size_t>(up)];
            if (cell.count > 0) {
                PairWithin(state, cell, dt);
                if (c != right) {
                    PairAcrossIfNear(state, cell, rightCell, dt);
                }
                if (c != up) {
                    PairAcrossIfNear(state, cell, upCell, dt);
                }
                if (c != upRight) {
                    PairAcrossIfNear(state, cell, spans_[static_cast<size_t>(upRight)], dt);
                }
            }
            if (right != up) {
                PairAcrossIfNear(state, rightCell, upCell, dt);
            }
        }
    }
    ScatterCells(state);
}
