// MTL reader: records in file order, values, texture paths with and without
// a directory, keywords found anywhere, and a missing library.
#include "mtlfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<MtlRecord> ReadLibrary(const TempFolder& folder, const std::string& text)
{
    folder.Write("lib.mtl", text);
    std::vector<MtlRecord> records;
    MtlReader reader;
    EXPECT_TRUE(reader.ReadFile(folder.File("lib.mtl").c_str(), records));
    return records;
}

void ExpectColor(const Color& c, float r, float g, float b, float a)
{
    EXPECT_FLOAT_EQ(c.r, r);
    EXPECT_FLOAT_EQ(c.g, g);
    EXPECT_FLOAT_EQ(c.b, b);
    EXPECT_FLOAT_EQ(c.a, a);
}

TEST(MtlReader, TwoEntriesInFileOrderSecondStartsFromDefaults)
{
    TempFolder folder;
    auto records = ReadLibrary(folder, "newmtl stone\nKd 0.5 0.5 0.5\nKa 0.1 0.2 0.3\nKs 1 1 1\nTf 0.5 0.5 0.5\n"
                                       "Ns 12.5\nNi 1.5\nTr 0.25\nillum 2\nd 1.0\n"
                                       "newmtl water\nKa 0.4 0.4 0.4\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].name, "stone");
    ExpectColor(records[0].Kd, 0.5f, 0.5f, 0.5f, 0.0f);
    ExpectColor(records[0].Ka, 0.1f, 0.2f, 0.3f, 0.0f);
    ExpectColor(records[0].Ks, 1.0f, 1.0f, 1.0f, 0.0f);
    ExpectColor(records[0].Tf, 0.5f, 0.5f, 0.5f, 0.0f);
    EXPECT_FLOAT_EQ(records[0].Ns, 12.5f);
    EXPECT_FLOAT_EQ(records[0].Ni, 1.5f);
    EXPECT_FLOAT_EQ(records[0].Tr, 0.25f);
    EXPECT_EQ(records[1].name, "water");
    ExpectColor(records[1].Kd, 0.0f, 0.0f, 0.0f, 0.0f);
    ExpectColor(records[1].Ka, 0.4f, 0.4f, 0.4f, 0.0f);
    EXPECT_TRUE(records[1].texturePath.empty());
}

TEST(MtlReader, MapKdGetsTheLibrarysDirectory)
{
    TempFolder folder;
    auto records = ReadLibrary(folder, "newmtl a\nmap_Kd rock.tga\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].texturePath, folder.Path() + "/rock.tga");
}

TEST(MtlReader, MapKdWithoutDirectoryIsTheBareName)
{
    TempFolder folder;
    folder.Write("lib.mtl", "newmtl a\nmap_Kd rock.tga\n");
    // Read by bare name from inside the folder: no directory part.
    std::string previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    std::vector<MtlRecord> records;
    MtlReader reader;
    bool ok = reader.ReadFile("lib.mtl", records);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(ok);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].texturePath, "rock.tga");
}

TEST(MtlReader, KeywordInsideACommentIsActedOn)
{
    TempFolder folder;
    auto records = ReadLibrary(folder, "newmtl a\n# a comment Kd 0.25 0.5 0.75\n");
    ASSERT_EQ(records.size(), 1u);
    ExpectColor(records[0].Kd, 0.25f, 0.5f, 0.75f, 0.0f);
}

TEST(MtlReader, FileWithoutNewmtlGivesOneDefaultRecord)
{
    TempFolder folder;
    auto records = ReadLibrary(folder, "# nothing here\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, "");
    ExpectColor(records[0].Kd, 0.0f, 0.0f, 0.0f, 0.0f);
}

TEST(MtlReader, AcceptsCrlfLines)
{
    TempFolder folder;
    auto records = ReadLibrary(folder, "newmtl stone\r\nKd 0.5 0.25 1\r\nmap_Kd rock.tga\r\nnewmtl b\r\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].name, "stone");
    ExpectColor(records[0].Kd, 0.5f, 0.25f, 1.0f, 0.0f);
    EXPECT_EQ(records[0].texturePath, folder.Path() + "/rock.tga");
    EXPECT_EQ(records[1].name, "b");
}

TEST(MtlReader, LongNamesAreKeptWhole)
{
    TempFolder folder;
    const std::string longName(400, 'n');
    const std::string longTexture(600, 't');
    auto records = ReadLibrary(folder, "newmtl " + longName + "\nmap_Kd " + longTexture + "\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, longName);
    EXPECT_EQ(records[0].texturePath, folder.Path() + "/" + longTexture);
}

TEST(MtlReader, UnparsableValuesKeepDefaults)
{
    TempFolder folder;
    auto records = ReadLibrary(folder, "newmtl a\nKd x y z\nNs oops\nKs 0.5\nKa 0.5 0.25\n");
    ASSERT_EQ(records.size(), 1u);
    ExpectColor(records[0].Kd, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(records[0].Ns, 0.0f);
    ExpectColor(records[0].Ks, 0.5f, 0.0f, 0.0f, 0.0f);
    ExpectColor(records[0].Ka, 0.5f, 0.25f, 0.0f, 0.0f);
}

TEST(MtlReader, MissingLibraryLogsOneLineAndKeepsTheList)
{
    TempFolder folder;
    std::vector<MtlRecord> records(1);
    records[0].name = "earlier";
    LogCapture log;
    MtlReader reader;
    const std::string path = folder.File("absent.mtl");
    EXPECT_FALSE(reader.ReadFile(path.c_str(), records));
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Unable to find or open the MTL file: " + path + "\n"});
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, "earlier");
}

TEST(MtlReader, PipesAndFoldersAreNotOpened)
{
    TempFolder folder;
    const std::string pipe = folder.File("lib.mtl");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::vector<MtlRecord> records;
    MtlReader reader;
    LogCapture log;
    EXPECT_FALSE(reader.ReadFile(pipe.c_str(), records));
    EXPECT_FALSE(reader.ReadFile(folder.Path().c_str(), records));
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(log.Lines().size(), 2u);
}

TEST(MtlReader, RecordsAreAppendedAfterEarlierLibraries)
{
    TempFolder folder;
    folder.Write("one.mtl", "newmtl a\n");
    folder.Write("two.mtl", "newmtl b\nnewmtl c\n");
    std::vector<MtlRecord> records;
    MtlReader reader;
    ASSERT_TRUE(reader.Load(folder.Path().c_str(), "one.mtl", records));
    ASSERT_TRUE(reader.Load(folder.Path().c_str(), "two.mtl", records));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].name, "a");
    EXPECT_EQ(records[1].name, "b");
    EXPECT_EQ(records[2].name, "c");
}

TEST(MtlReader, LoadWithEmptyDirectoryUsesTheFileNameAlone)
{
    TempFolder folder;
    folder.Write("lib.mtl", "newmtl a\n");
    std::vector<MtlRecord> records;
    MtlReader reader;
    const std::string path = folder.File("lib.mtl");
    EXPECT_TRUE(reader.Load("", path.c_str(), records));
    EXPECT_TRUE(reader.Load(nullptr, path.c_str(), records));
    EXPECT_EQ(records.size(), 2u);
}

TEST(MtlReader, DumpRecordsLogsEveryRecord)
{
    std::vector<MtlRecord> records(1);
    records[0].name = "stone";
    records[0].texturePath = "dir/rock.tga";
    records[0].Kd = Color(0.5f, 0.25f, 1.0f, 0.0f);
    LogCapture log;
    MtlReader::DumpRecords(records);
    EXPECT_EQ(log.All(),
              "Begin MTL Info Dump\n-------------------------\nSize of Vector: 1\n\n"
              "newmtl: stone\nmap_Kd: dir/rock.tga\nKa: 0.000000 0.000000 0.000000\n"
              "Kd: 0.500000 0.250000 1.000000\nKs: 0.000000 0.000000 0.000000\nTf: 0.000000 0.000000 0.000000\n");
}

struct DirectoryCase {
    const char* name;
    const char* path;
    const char* directory;
};

class PathDirectoryCases : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(PathDirectoryCases, IsEverythingBeforeTheLastSlash)
{
    EXPECT_EQ(GetPathDirectory(GetParam().path), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(GetPathDirectory, PathDirectoryCases,
                         ::testing::Values(DirectoryCase{"NestedFolders", "dir/sub/name.obj", "dir/sub"},
                                           DirectoryCase{"NoFolder", "name.obj", ""},
                                           DirectoryCase{"RootFolder", "/name.obj", ""},
                                           DirectoryCase{"ParentRelative", "../assets/3D/a.obj", "../assets/3D"},
                                           DirectoryCase{"BackslashIsASeparator", "dir\\name.obj", "dir"},
                                           DirectoryCase{"MixedSeparators", "dir/sub\\lib\\a.mtl", "dir/sub/lib"},
                                           DirectoryCase{"EmptyPath", "", ""}),
                         CaseName());

}  // namespace
