// The XML files' reading checks: nesting depth as the parser descends, line
// ends as TinyXML reads them, the size limit.
#include "testsupport.h"
#include "xmlfile.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <unistd.h>

#include <string>

namespace {

std::string Repeat(const std::string& text, int count)
{
    std::string all;
    for (int i = 0; i < count; ++i)
        all += text;
    return all;
}

std::string Nested(int depth, const std::string& open = "<n>")
{
    return Repeat(open, depth) + Repeat("</n>", depth);
}

struct XmlCase {
    const char* name;
    std::string text;
    bool ok;
    const char* why;  // expected in the reason when refused
};

void PrintTo(const XmlCase& c, std::ostream* os)
{
    *os << c.name;
}

class XmlTextTest : public ::testing::TestWithParam<XmlCase> {};

TEST_P(XmlTextTest, ParsesOrRefusesWithAReason)
{
    TiXmlDocument document;
    std::string why;
    EXPECT_EQ(ParseXmlText(GetParam().text, document, &why), GetParam().ok) << why;
    if (!GetParam().ok) {
        EXPECT_NE(why.find(GetParam().why), std::string::npos) << why;
    }
}

const char* const kTooDeep = "nested more than 256 levels deep";

INSTANTIATE_TEST_SUITE_P(
    Texts, XmlTextTest,
    ::testing::Values(XmlCase{"depth256", Nested(256), true, ""}, XmlCase{"depth257", Nested(257), false, kTooDeep},
                      XmlCase{"depth40000", Nested(40000), false, kTooDeep},
                      XmlCase{"unclosedDepth40000", Repeat("<n>", 40000), false, kTooDeep},
                      XmlCase{"siblingsAreNotNested", "<r>" + Repeat("<n/><m a='1' />", 2000) + "</r>", true, ""},
                      XmlCase{"quotedSlashDoesNotClose", Nested(300, "<n a=\"/>\">"), false, kTooDeep},
                      XmlCase{"commentsHoldNoElements", "<r><!--" + Repeat("<n>", 1000) + "--></r>", true, ""},
                      XmlCase{"cdataHoldsNoElements", "<r><![CDATA[" + Repeat("<n>", 1000) + "]]></r>", true, ""},
                      XmlCase{"cutUtf8LeadByte", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><n>\xC7", false, ""},
                      XmlCase{"empty", "", false, "empty"}),
    CaseName());

TEST(XmlFile, LineEndsReadAsTinyXmlReadsThem)
{
    TiXmlDocument document;
    std::string why;
    ASSERT_TRUE(ParseXmlText("<r>\r\n<a/>\r<b>x\r\n</b>\n<c/></r>", document, &why)) << why;
    const TiXmlElement* root = document.RootElement();
    EXPECT_EQ(root->FirstChildElement("a")->Row(), 2);
    EXPECT_EQ(root->FirstChildElement("b")->Row(), 3);
    EXPECT_EQ(root->FirstChildElement("c")->Row(), 5);
}

TEST(XmlFile, FileLargerThanTheLimitIsRefused)
{
    TempFolder folder;
    folder.Write("big.xml", "<r/>");
    ASSERT_EQ(::truncate(folder.File("big.xml").c_str(), static_cast<off_t>(kMaxXmlFileSize + 1)), 0);
    TiXmlDocument document;
    std::string why;
    EXPECT_FALSE(LoadXmlFile(folder.File("big.xml"), document, &why));
    EXPECT_EQ(why, "the file is larger than 64 MB");
}

}  // namespace
