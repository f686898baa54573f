// No window, no events; see eventpump.h.
#include "eventpump.h"

void PumpWindowEvents()
{}
