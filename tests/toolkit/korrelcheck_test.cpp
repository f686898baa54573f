// The toolkit's error check reports on standard error and stops the program.
#include <gtest/gtest.h>

#include "korrel/korrelcheck.h"
#include "testsupport.h"

#include <cstdint>
#include <string>

namespace {

TEST(KorrelCheck, PassingCheckSaysNothing)
{
    testing::internal::CaptureStderr();
    KorrelCheck(true, "never shown");
    KorrelCheck(true, "never shown", nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_STREQ(KorrelVersion(), "V0.9.4");
}

struct CheckCase {
    std::string name;
    const char* message;
    bool withHandle;
    std::uintptr_t handle;
    const char* printed;  // a regular expression
};

class FailedCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(FailedCheck, ReportsAndStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const CheckCase& c = GetParam();
    if (c.withHandle) {
        EXPECT_DEATH(KorrelCheck(false, c.message, reinterpret_cast<const void*>(c.handle)), c.printed);
    } else {
        EXPECT_DEATH(KorrelCheck(false, c.message), c.printed);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FailedCheck,
    ::testing::Values(CheckCase{"Plain", "Invalid color", false, 0, "Korrel ERROR: Invalid color\n"},
                      CheckCase{"Accelerators", "RegisterHotKeyTable() could not load the key accelerator table", false,
                                0,
                                "Korrel ERROR: RegisterHotKeyTable\\(\\) could not load the key accelerator table\n"},
                      CheckCase{"WithHandle",
                                "WThread::Start() Unknown or terminated thread cannot be started  hTread=", true,
                                0x1A2B, "Korrel ERROR: WThread::Start\\(\\) Unknown .* hTread= 1A2BH\n"},
                      CheckCase{"ThenBreaks", "Could not load the dialog box", false, 0, "DEBUG BREAK .*: test"}),
    CaseName());

}  // namespace
