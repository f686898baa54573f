// The Korrel toolkit: dialogs, controls, message boxes and file dialogs on
// a GUI thread of their own.
#pragma once

#include "korrelcheck.h"
#include "wcommondialogs.h"
#include "wcontrols.h"
#include "wdialog.h"
#include "whandlerregistry.h"
#include "whotkeytable.h"
#include "wobject.h"
