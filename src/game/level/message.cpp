// Message parameters.
#include "message.h"

int32_t Message::GetParameter(int index, int32_t fallback) const
{
    int i = 0;
    for (int32_t value : parameters_) {
        if (i == index) {
            return value;
        }
        ++i;
    }
    return fallback;
}
