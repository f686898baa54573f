// MorvoLJFunc: pair forces, the exchange rules and the cell traversal.
#include "morvoljfunc.h"

#include <algorithm>

#include "compilerhints.h"
#include "floatw.h"
#include "rainhitcells.h"
#include "rainsystem.h"
#include "random15.h"
#include "uniformgrid.h"

namespace {
// For each 4-bit lane mask, the lanes that are set, in order (spare entries
// 0), and how many there are.
struct LaneTable {
    int32_t lanes[16][kFloatWLanes];
    int32_t counts[16];
};

constexpr LaneTable MakeLaneTable()
{
    LaneTable table{};
    for (int mask = 0; mask < 16; ++mask) {
        int n = 0;
        for (int lane = 0; lane < kFloatWLanes; ++lane) {
            if ((mask >> lane) & 1) {
                table.lanes[mask][n++] = lane;
            }
        }
        table.counts[mask] = n;
    }
    return table;
}

constexpr LaneTable kLaneTable = MakeLaneTable();

constexpr float kShareRatio = 2.0f;      // powers within this factor of each other share nothing
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

MorvoLJFunc::ForceConstantsW MorvoLJFunc::ConstantsW() const
{
    return ForceConstantsW{SplatW(-k_),   SplatW(r_),     SplatW(r2_),  SplatW(2.0f * r_), SplatW(2.0f * r2_),
                           SplatW(fmax_), SplatW(fmax2_), SplatW(0.0f), SplatW(1.0f),      SplatW(0.5f)};
}

// Every lane computes each case of the force and keeps the one that applies.
ALWAYS_INLINE MorvoLJFunc::PairForceW MorvoLJFunc::ComputeForce(const ForceConstantsW& c, FloatW dx, FloatW dy,
                                                                FloatW dvx, FloatW dvy)
{
    const FloatW d2 = dx * dx + dy * dy;
    const FloatW d = SqrtW(d2);
    const FloatW spring = c.negK * (c.r2 / d2 - c.r / d);
    FloatW fx = spring * dx / d;
    FloatW fy = spring * dy / d;
    const FloatW f2 = fx * fx + fy * fy;
    const FloatW uncapped = LessEqualW(f2, c.fmax2);
    const FloatW length = SqrtW(f2);
    fx = SelectW(uncapped, fx, fx * c.fmax / length);
    fy = SelectW(uncapped, fy, fy * c.fmax / length);
    const FloatW e = d - c.r;
    const FloatW w = SelectW(LessThanW(d, c.r), c.one - d2 / c.twoR2, e * e / c.twoR2 - e / c.r + c.half);
    const FloatW scale = SqrtW(dvx * dvx + dvy * dvy) * w;
    return PairForceW{
        fx, fy, scale * dvx, scale * dvy, MaskBitsW(LessEqualW(d2, c.zero)), MaskBitsW(LessThanW(d, c.twoR))};
}

ALWAYS_INLINE void MorvoLJFunc::StoreForces(const PairForceW& f, int32_t lanes, PairForce* out)
{
    float fx[kFloatWLanes];
    float fy[kFloatWLanes];
    float vx[kFloatWLanes];
    float vy[kFloatWLanes];
    StoreW(fx, f.fx);
    StoreW(fy, f.fy);
    StoreW(vx, f.vx);
    StoreW(vy, f.vy);
    for (int32_t lane = 0; lane < lanes; ++lane) {
        const int32_t kind =
            (f.coincide >> lane) & 1 ? kCoincide : ((f.viscous >> lane) & 1 ? kSpringViscous : kSpring);
        out[lane] = PairForce{fx[lane], fy[lane], vx[lane], vy[lane], kind};
    }
}

bool MorvoLJFunc::Pair(MorvoRecord& a, MorvoRecord& b)
{
    float dx = b.position.x - a.position.x;
    float dy = b.position.y - a.position.y;
    float d2 = dx * dx + dy * dy;
    if (!(d2 <= cutoff2_)) {
        return false;
    }
    PairForce f;
    StoreForces(ComputeForce(ConstantsW(), SplatW(dx), SplatW(dy), SplatW(b.velocity.x - a.velocity.x),
                             SplatW(b.velocity.y - a.velocity.y)),
                1, &f);
    AddForce(a.force, b.force, f, fmax_);
    return true;
}

ALWAYS_INLINE void MorvoLJFunc::ExchangeInline(MorvoRecord& a, MorvoRecord& b, float dt)
{
    const int32_t ca = a.color;
    const int32_t cb = b.color;
    const float pa = a.power;
    const float pb = b.power;
    const float ha = pa * 0.5f * GetBodyRadius();
    const float hb = pb * 0.5f * GetBodyRadius();

    if (ca == cb) {
        if (kShareRatio * pa < pb) {
            b.AddPower(-(pb - pa) * kShareRate * dt);
            a.AddPower((pb - pa) * kShareRate * dt);
        } else if (kShareRatio * pb < pa) {
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
            } else if (a.lightning >= 0 && a.lightning < kLightningModels) {
                if (a.AddLightningTime(dt) > kLastLightningFrame) {
                    a.SetLightning(-1);
                    a.ResetLightningTime();
                    ++lightningCount;
                }
            }
            if (b.lightning == -1) {
                b.SetLightning(Rand15() % kLightningModels - 1);
                b.AddLightningTime(dt);
            } else if (b.lightning >= 0 && b.lightning < kLightningModels) {
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
                    PrefetchForRead(&later.front());
                }
            }
            if (x + 1 < x1) {
                const UniformGrid::CellList& next = grid.GetCell(x + 1, y);
                if (!next.empty() && static_cast<uint32_t>(next.front()) < static_cast<uint32_t>(state.GetSize())) {
                    PrefetchForRead(state.Records() + next.front());
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
    const float xi = xs_[static_cast<size_t>(i)];
    const float yi = ys_[static_cast<size_t>(i)];
    const float* xs = xs_.data();
    const float* ys = ys_.data();
    int32_t* out = touching_.data();
    int32_t n = 0;
    int32_t j = begin;
    const FloatW xiW = SplatW(xi);
    const FloatW yiW = SplatW(yi);
    const FloatW cutoff2W = SplatW(cutoff2_);
    for (; j + kFloatWLanes <= end; j += kFloatWLanes) {
        const FloatW dx = LoadW(xs + j) - xiW;
        const FloatW dy = LoadW(ys + j) - yiW;
        const int mask = MaskBitsW(LessEqualW(dx * dx + dy * dy, cutoff2W));
        // Writes four entries, of which the first count are the touching ones.
        for (int lane = 0; lane < kFloatWLanes; ++lane) {
            out[n + lane] = j + kLaneTable.lanes[mask][lane];
        }
        n += kLaneTable.counts[mask];
    }
    for (; j < end; ++j) {
        const float dx = xs[j] - xi;
        const float dy = ys[j] - yi;
        out[n] = j;
        n += dx * dx + dy * dy <= cutoff2_ ? 1 : 0;
    }
    return n;
}

void MorvoLJFunc::ComputeTouchingForces(int32_t i, int32_t n)
{
    const ForceConstantsW constants = ConstantsW();
    const size_t a = static_cast<size_t>(i);
    const FloatW xi = SplatW(xs_[a]);
    const FloatW yi = SplatW(ys_[a]);
    const FloatW vxi = SplatW(vxs_[a]);
    const FloatW vyi = SplatW(vys_[a]);
    for (int32_t k = 0; k < n; k += kFloatWLanes) {
        // A short last group repeats its last pair in the spare lanes.
        const int32_t* t = touching_.data() + k;
        const int32_t last = n - k - 1;
        const size_t j[4] = {static_cast<size_t>(t[0]), static_cast<size_t>(t[std::min(last, 1)]),
                             static_cast<size_t>(t[std::min(last, 2)]), static_cast<size_t>(t[std::min(last, 3)])};
        const FloatW dx = SetW(xs_[j[0]], xs_[j[1]], xs_[j[2]], xs_[j[3]]) - xi;
        const FloatW dy = SetW(ys_[j[0]], ys_[j[1]], ys_[j[2]], ys_[j[3]]) - yi;
        const FloatW dvx = SetW(vxs_[j[0]], vxs_[j[1]], vxs_[j[2]], vxs_[j[3]]) - vxi;
        const FloatW dvy = SetW(vys_[j[0]], vys_[j[1]], vys_[j[2]], vys_[j[3]]) - vyi;
        StoreForces(ComputeForce(constants, dx, dy, dvx, dvy), std::min(n - k, kFloatWLanes), forces_.data() + k);
    }
}

bool MorvoLJFunc::PairTouching(MorvoState& state, int32_t i, int32_t n, float dt)
{
    if (n == 0) {
        return false;
    }
    ComputeTouchingForces(i, n);
    if (useCopies_) {
        // Every entry is its own copy, so a is none of the b's: its force is
        // summed in a register, in the same order as through memory.
        MorvoRecord& a = copies_[static_cast<size_t>(i)];
        Vec2 forceA = a.force;
        for (int32_t k = 0; k < n; ++k) {
            MorvoRecord& b = copies_[static_cast<size_t>(touching_[static_cast<size_t>(k)])];
            AddForce(forceA, b.force, forces_[static_cast<size_t>(k)], fmax_);
            ExchangeInline(a, b, dt);
        }
        a.force = forceA;
        return true;
    }
    for (int32_t k = 0; k < n; ++k) {
        MorvoRecord& a = Entry(state, i);
        MorvoRecord& b = Entry(state, touching_[static_cast<size_t>(k)]);
        AddForce(a.force, b.force, forces_[static_cast<size_t>(k)], fmax_);
        ExchangeInline(a, b, dt);
    }
    return true;
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
