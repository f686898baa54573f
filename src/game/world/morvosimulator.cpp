// MorvoSimulator: force evaluation, the three integration kernels and the step.
#include "morvosimulator.h"

#include "debugbreak.h"
#include "mathutil.h"

namespace {
struct BufferCounts {
    int32_t states;
    int32_t derivatives;
};
// Buffers each integrator kind needs, by kind.
constexpr BufferCounts kBuffersPerKind[] = {
    {1, 0},  // 0 Euler
    {3, 0},  // 1 three-buffer history
    {2, 1},  // 2 midpoint
    {2, 3},  // 3 reserved
};

void EulerKernel(MorvoRecord& r, float h, float c)
{
    r.velocity.x = (r.velocity.x + r.force.x * h) * c;
    r.velocity.y = (r.velocity.y + r.force.y * h) * c;
    r.position.x = r.position.x + r.velocity.x * h;
    r.position.y = r.position.y + r.velocity.y * h;
    r.force = Vec2(0.0f, 0.0f);
}

// Source and destination may be one record: the position then uses the new velocity.
void MidpointKernel(const MorvoRecord& base, const MorvoRecord& source, MorvoRecord& destination, float h, float c)
{
    destination.velocity.x = (base.velocity.x + source.force.x * h) * c;
    destination.velocity.y = (base.velocity.y + source.force.y * h) * c;
    destination.position.x = base.position.x + source.velocity.x * h;
    destination.position.y = base.position.y + source.velocity.y * h;
    destination.force = Vec2(0.0f, 0.0f);
}

void HistoryKernel(const MorvoRecord& p0, const MorvoRecord& p1, MorvoRecord& out, float h, float c)
{
    out.position.x = (1.0f + c) * p1.position.x - c * p0.position.x + p1.force.x * h * h;
    out.position.y = (1.0f + c) * p1.position.y - c * p0.position.y + p1.force.y * h * h;
    out.velocity.x = p1.position.x - p0.position.x;
    out.velocity.y = p1.position.y - p0.position.y;
    out.force = Vec2(0.0f, 0.0f);
}
}  // namespace

MorvoSimulator::MorvoSimulator(MorvoStore* store, int32_t kind, float damping)
    : store_(store)
{
    SetIntegrator(kind);
    constantForce_ = std::make_unique<ConstantForce>(Vec2(0.0f, 0.0f));
    SetDamping(damping);
}

MorvoSimulator::~MorvoSimulator() = default;

void MorvoSimulator::SetIntegrator(int32_t kind)
{
    kind_ = kind;
    if (kind < 0 || kind > kIntegratorReserved || store_ == nullptr) {
        return;
    }
    store_->SetStateBufferCount(kBuffersPerKind[kind].states);
    store_->SetDerivativeBufferCount(kBuffersPerKind[kind].derivatives);
}

void MorvoSimulator::SetDamping(float c)
{
    damping_ = ClampFloat(c, 0.0f, 1.0f);
}

void MorvoSimulator::SetGridForce(const std::string& name, GridForce* force)
{
    if (force == nullptr) {
        gridForces_.erase(name);
    } else {
        gridForces_[name] = force;
    }
}

GridForce* MorvoSimulator::FindGridForce(const std::string& name) const
{
    auto it = gridForces_.find(name);
    return it == gridForces_.end() ? nullptr : it->second;
}

GridForce* MorvoSimulator::RemoveGridForce(const std::string& name)
{
    auto it = gridForces_.find(name);
    if (it == gridForces_.end()) {
        return nullptr;
    }
    GridForce* force = it->second;
    gridForces_.erase(it);
    return force;
}

void MorvoSimulator::SetUnaryForce(const std::string& name, UnaryForce* force)
{
    if (force == nullptr) {
        unaryForces_.erase(name);
    } else {
        unaryForces_[name] = force;
    }
}

UnaryForce* MorvoSimulator::FindUnaryForce(const std::string& name) const
{
    auto it = unaryForces_.find(name);
    return it == unaryForces_.end() ? nullptr : it->second;
}

UnaryForce* MorvoSimulator::RemoveUnaryForce(const std::string& name)
{
    auto it = unaryForces_.find(name);
    if (it == unaryForces_.end()) {
        return nullptr;
    }
    UnaryForce* force = it->second;
    unaryForces_.erase(it);
    return force;
}

void MorvoSimulator::EvaluateForces(MorvoState& state, float h, const CellRect& gridRect)
{
    for (auto& entry : unaryForces_) {
        entry.second->Apply(state, h);
    }
    if (grid_ != nullptr) {
        for (auto& entry : gridForces_) {
            entry.second->Apply(state, *grid_, h, gridRect.x0, gridRect.x1, gridRect.y0, gridRect.y1);
        }
    }
    if (constantForceEnabled_ && constantForce_ != nullptr) {
        constantForce_->Apply(state, h);
    }
}

void MorvoSimulator::ListIds(const CellRect& rect, const CellRect& reach)
{
    windowIds_.clear();
    edgeIds_.clear();
    const int32_t count = store_->GetCount();
    for (int32_t y = reach.y0; y < reach.y1; ++y) {
        for (int32_t x = reach.x0; x < reach.x1; ++x) {
            std::vector<int32_t>& ids = x < rect.x1 && y < rect.y1 ? windowIds_ : edgeIds_;
            for (int32_t i : grid_->GetCell(x, y)) {
                if (i >= 0 && i < count) {  // a grid left over from a larger store
                    ids.push_back(i);
                }
            }
        }
    }
}

void MorvoSimulator::ShiftHistory()
{
    const int32_t count = store_->GetStateCount();
    if (count < 2) {
        return;
    }
    for (const std::vector<int32_t>* ids : {&windowIds_, &edgeIds_}) {
        for (int32_t k = count - 1; k >= 1; --k) {
            MorvoState& to = *store_->GetState(k);
            const MorvoState& from = *store_->GetState(k - 1);
            for (int32_t i : *ids) {
                to.Get(i) = from.Get(i);
            }
        }
    }
}

void MorvoSimulator::EulerPass(MorvoState& state, float h)
{
    for (int32_t i : windowIds_) {
        EulerKernel(state.Get(i), h, damping_);
    }
}

void MorvoSimulator::MidpointPass(MorvoState& base, MorvoState& source, MorvoState& destination, float h)
{
    for (int32_t i : windowIds_) {
        MorvoRecord& d = destination.Get(i);
        MidpointKernel(base.Get(i), source.Get(i), d, h, damping_);
    }
}

void MorvoSimulator::HistoryPass(MorvoState& oldest, MorvoState& previous, MorvoState& out, float h)
{
    for (int32_t i : windowIds_) {
        const MorvoRecord& p1 = previous.Get(i);
        if (p1.active != 0) {
            HistoryKernel(oldest.Get(i), p1, out.Get(i), h, damping_);
        }
    }
}

void MorvoSimulator::Step(float dt, int32_t x0, int32_t x1, int32_t y0, int32_t y1)
{
    if (grid_ == nullptr || store_ == nullptr) {
        return;
    }
    if (kind_ == kIntegratorReserved) {
        DEBUG_BREAK("MorvoSimulator::Step: integrator 3 is not implemented");
        return;
    }
    CellRect rect{x0, x1, y0, y1};
    grid_->ClampCellRect(rect);
    // The pair stencil also reaches the column and row just past the
    // rectangle: keep their history current and their forces cleared.
    CellRect reach = rect;
    if (reach.x0 < reach.x1 && reach.y0 < reach.y1) {
        reach.x1 = ClampInt(rect.x1 + 1, 0, grid_->GetWidth());
        reach.y1 = ClampInt(rect.y1 + 1, 0, grid_->GetHeight());
    }
    MorvoState* s0 = store_->GetState(0);
    MorvoState* s1 = store_->GetState(1);
    MorvoState* s2 = store_->GetState(2);

    // The step changes no cell list before the re-binning.
    ListIds(rect, reach);

    switch (kind_) {
        case kIntegratorEuler:
            EvaluateForces(*s0, dt, rect);
            EulerPass(*s0, dt);
            break;
        case kIntegratorHistory:
            if (s1 == nullptr || s2 == nullptr) {
                DEBUG_BREAK("MorvoSimulator::Step: the history integrator needs three buffers");
                return;
            }
            ShiftHistory();
            EvaluateForces(*s1, dt, grid_->GetWholeRect());
            HistoryPass(*s2, *s1, *s0, dt);
            break;
        case kIntegratorMidpoint:
            if (s1 == nullptr) {
                DEBUG_BREAK("MorvoSimulator::Step: the midpoint integrator needs two buffers");
                return;
            }
            ShiftHistory();
            EvaluateForces(*s1, dt, rect);
            MidpointPass(*s1, *s1, *s0, dt * 0.5f);
            EvaluateForces(*s0, dt * 0.5f, rect);
            MidpointPass(*s1, *s0, *s0, dt);
            break;
        default:
            break;
    }
    for (int32_t i : edgeIds_) {
        s0->Get(i).force = Vec2(0.0f, 0.0f);
    }
    if (grid_->GetStore() != nullptr) {
        grid_->Rebin(rect.x0, rect.x1, rect.y0, rect.y1);
    }
}
