// ConstantForce::Apply.
#include "constantforce.h"

void ConstantForce::Apply(MorvoState& state, float /*dt*/)
{
    int32_t n = state.GetSize();
    for (int32_t i = 0; i < n; ++i) {
        state.Get(i).force += vector_;
    }
}
