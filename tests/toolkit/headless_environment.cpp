// The toolkit suite runs without a display, whatever the environment has:
// its GUI thread then starts without GTK and every box prints.
#include <cstdlib>

namespace {
const bool gNoDisplay = [] {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    return true;
}();
}  // namespace
