// DebugLog: printf formatting, one message per call, nothing added, and
// the cut at 1023 characters.
#include "debuglog.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <string>

TEST(DebugLog, FormatsLikePrintfAndAddsNothing)
{
    LogCapture log;
    DebugLog("Could not load startup file \"%s\"\n", "Bios.txt");
    DebugLog("%d x %d, %.2f", 1024, 768, 0.5);
    ASSERT_EQ(log.Lines().size(), 2u);
    EXPECT_EQ(log.Lines()[0], "Could not load startup file \"Bios.txt\"\n");
    EXPECT_EQ(log.Lines()[1], "1024 x 768, 0.50");
}

TEST(DebugLog, LongMessageIsCutTo1023Characters)
{
    LogCapture log;
    std::string text(1500, 'x');
    DebugLog("%s\n", text.c_str());
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0], std::string(1023, 'x'));
}
