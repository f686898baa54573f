// With no display, boxes print and give their default button, and the file
// and colour dialogs give their cancel result at once.
#include <gtest/gtest.h>

#include "korrel/wcommondialogs.h"
#include "testsupport.h"

#include <functional>
#include <string>

namespace {

struct BoxCase {
    std::string name;
    std::function<int()> show;
    int result;
};

class HeadlessBoxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(HeadlessBoxes, PrintAndGiveTheDefaultButton)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(GetParam().show(), GetParam().result);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Korrel: Error loading \"x.xml\"\n");
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, HeadlessBoxes,
    ::testing::Values(
        BoxCase{"Message", [] { return ShowMessageBox("Error loading \"x.xml\"", "Korrel"); }, IDOK},
        BoxCase{"Info", [] { return ShowInfoBox("Error loading \"x.xml\"", "Korrel"); }, IDOK},
        BoxCase{"Warning", [] { return ShowWarningBox("Error loading \"x.xml\"", "Korrel"); }, IDOK},
        BoxCase{"Error", [] { return ShowErrorBox("Error loading \"x.xml\"", "Korrel"); }, IDOK},
        BoxCase{"Question", [] { return AskQuestionBox("Error loading \"x.xml\"", false, "Korrel"); }, IDYES},
        BoxCase{"QuestionWithCancel", [] { return AskQuestionBox("Error loading \"x.xml\"", true, "Korrel"); }, IDYES}),
    CaseName());

TEST(HeadlessDialogs, GiveNothingChosen)
{
    EXPECT_EQ(OpenFileDialog(".", "level.xml"), "");
    EXPECT_EQ(SaveFileDialog(".", ""), "");
    EXPECT_EQ(ChooseColorDialog(), 0xFFFFFFFFu);
}

}  // namespace
