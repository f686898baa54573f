// TriggerSet::Check: the per-frame test of the level's triggers. A trigger
// whose condition holds loses a hit point or, with none left, fires: its
// effect goes to the in-game state as a message and it is never tested again.
#include "triggerset.h"

#include "gridset.h"
#include "gridsetdatabase.h"
#include "mathutil.h"
#include "message.h"
#include "messagemanager.h"
#include "morvostore.h"
#include "morvoworld.h"
#include "rainhitcells.h"
#include "uniformgrid.h"

#include <algorithm>

namespace {

// Receiver of every trigger effect: the in-game state.
constexpr int32_t kInGameClient = 1;
// A cell is filled when it holds more than this many pure morvos.
constexpr int kFilledPureCount = 1;

void Fire(Trigger& trigger)
{
    MessageHandle message(new Message(trigger.effect));
    if (trigger.effect == EFFECT_PLAY_ANIM) {
        message->AddParameter(trigger.animation);
    }
    MessageManager::GetInstance()->Send(kInGameClient, message);
    trigger.fired = true;
}

void Hit(Trigger& trigger)
{
    if (trigger.remainingHits > 0) {
        --trigger.remainingHits;
    } else {
        Fire(trigger);
    }
}

}  // namespace

bool IsCellFilledWhite(const UniformGrid& grid, const MorvoState& state, const Vec2& cell)
{
    int32_t column = 0;
    int32_t row = 0;
    if (!ToInt32(cell.x, &column) || !ToInt32(cell.y, &row) || column < 0 || column >= grid.GetWidth() || row < 0 ||
        row >= grid.GetHeight()) {
        return false;
    }
    int pure = 0;
    for (int32_t index : grid.GetCell(column, row)) {
        if (index >= 0 && index < state.GetSize() && state.Get(index).color > 0) {
            if (++pure > kFilledPureCount) {
                return true;
            }
        }
    }
    return false;
}

void TriggerSet::Check()
{
    MorvoWorld& world = GetMorvoWorld();
    const UniformGrid* grid = world.GetGrid();
    if (grid == nullptr || world.GetStore() == nullptr) {
        return;
    }
    const MorvoState& state = *world.GetStore()->GetCurrentState();
    GridSetDatabase* sets = GridSetDatabase::GetInstance();
    for (Trigger& trigger : triggers_) {
        if (trigger.fired) {
            continue;
        }
        // A trigger without a grid set (-1, or 9999 for an unknown name) is never met.
        const GridSet* set = trigger.gridSet >= 0 ? sets->Get(static_cast<unsigned int>(trigger.gridSet)) : nullptr;
        if (set == nullptr) {
            continue;
        }
        const std::vector<Vec2>& cells = set->GetCells();
        if (trigger.condition == BOY_ENTERS) {
            const Vec2 boy = world.GetBoySimPosition();
            const Vec2 boyCell(static_cast<float>(grid->ToCellX(boy.x)), static_cast<float>(grid->ToCellY(boy.y)));
            for (const Vec2& cell : cells) {
                if (trigger.fired) {
                    break;
                }
                if (cell == boyCell) {
                    Hit(trigger);
                }
            }
        } else if (trigger.condition == RAIN_WITHIN) {
            const RainHitCells& rain = world.GetRainHits();
            const bool rained =
                std::any_of(cells.begin(), cells.end(), [&rain](const Vec2& cell) { return rain.Contains(cell); });
            if (rained) {
                Hit(trigger);
            }
        } else if (trigger.condition == FILLED_WHITE) {
            const size_t filled = static_cast<size_t>(std::count_if(
                cells.begin(), cells.end(), [&](const Vec2& cell) { return IsCellFilledWhite(*grid, state, cell); }));
            if (filled == cells.size()) {
                Hit(trigger);
            }
        }
    }
}
