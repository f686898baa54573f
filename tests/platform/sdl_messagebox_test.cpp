// Message boxes never block under tests: they print and give the default button.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "messagebox.h"
#include "testsupport.h"

namespace {

class MessageBoxes : public ::testing::Test {
protected:
    void SetUp() override { setenv("MORVO_TEST", "1", 1); }
};

TEST_F(MessageBoxes, PrintCaptionAndTextToStandardError)
{
    testing::internal::CaptureStderr();
    const int result = ShowMessageBox("Window Creation Error.", "ERROR", MB_OK | MB_ICONEXCLAMATION);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(printed, "ERROR: Window Creation Error.\n");
}

struct DefaultCase {
    const char* name;
    unsigned style;
    int result;
};

class DefaultButtons : public MessageBoxes, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(DefaultButtons, AreTheFirstButtonOfTheSet)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(ShowMessageBox("text", "caption", GetParam().style), GetParam().result);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(DefaultMessageBoxResult(GetParam().style), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(MessageBoxes, DefaultButtons,
                         ::testing::Values(DefaultCase{"Ok", MB_OK, IDOK}, DefaultCase{"OkCancel", MB_OKCANCEL, IDOK},
                                           DefaultCase{"YesNoWithIcon", MB_YESNO | MB_ICONEXCLAMATION, IDYES},
                                           DefaultCase{"YesNoCancel", MB_YESNOCANCEL, IDYES},
                                           DefaultCase{"IconOnly", MB_ICONHAND | MB_SETFOREGROUND, IDOK}),
                         CaseName());

TEST_F(MessageBoxes, TestSwitchMeansPrintOnly)
{
    EXPECT_TRUE(MessageBoxesPrintOnly());
}

}  // namespace
