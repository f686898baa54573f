// The toolkit suite runs without a display, whatever display the runner
// hands it: its GUI thread then starts without GTK and every box prints.
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class NoDisplay : public ::testing::Environment {
public:
    void SetUp() override
    {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
};

::testing::Environment* const gNoDisplay = ::testing::AddGlobalTestEnvironment(new NoDisplay);

}  // namespace
