// PowerTank: absorbs pure morvos up to its capacity and releases the stored
// power through its embedded spawn tool, one emission per application.
#include "powertank.h"

#include "circlequery.h"
#include "debugbreak.h"
#include "debuglog.h"
#include "morvoworld.h"

#include <list>

namespace {

constexpr float kEmitterRadius = 0.025f;
constexpr float kEmitterAmount = 1.5f;
// Less than this stored cannot be released, and counts as an empty tank.
constexpr float kMinReleasePower = 1.0f;

}  // namespace

PowerTank::PowerTank(float capacity)
    : capacity_(capacity)
{
    emitter_.SetRadius(kEmitterRadius);
    emitter_.SetColor(kMorvoPure);
    emitter_.SetAmount(kEmitterAmount);
    emitter_.SetMode(SpawnTool::kModeNewOrGrow);
}

void PowerTank::SetRadius(float radius)
{
    Tool::SetRadius(radius);
}

void PowerTank::Apply(MorvoWorld* world, int32_t /*selector*/, Vec2 position)
{
    if (world == nullptr) {
        DEBUG_BREAK("PowerTank::Apply: null world");
        return;
    }
    if (world->GetGrid() == nullptr || world->GetStore() == nullptr) {
        return;
    }
    if (mode_ == kModeAbsorb) {
        std::list<int32_t> ids;
        MorvoState& state = *world->GetStore()->GetCurrentState();
        CollectMorvosInCircle(*world->GetGrid(), state, position, GetRadius(), ids);
        float absorbed = 0.0f;
        for (int32_t id : ids) {
            const MorvoRecord& morvo = state.Get(id);
            if (morvo.color != kMorvoPure) {
                continue;
            }
            const float power = morvo.power;
            if (storedPower_ + power > capacity_) {
                break;  // full: the rest of the list waits for another frame
            }
            storedPower_ += power;
            absorbed += power;
            world->RemoveMorvo(id);
            ++absorbedCount_;
        }
        if (absorbed > 0.0f) {
            DebugLog("Consumed %f power (current total: %f)\n", absorbed, storedPower_);
        }
    } else if (mode_ == kModeRelease) {
        if (storedPower_ >= kMinReleasePower) {
            const float released = emitter_.Emit(world, position);
            storedPower_ -= released;
            if (released > kMinReleasePower) {
                DebugLog("Released %f power (current total: %f)\n", released, storedPower_);
                ++releaseCount_;
            }
        }
    }
}
