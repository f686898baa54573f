// OBJ reader and writer without GL (no texture file exists): groups and
// their rebasing, the four face formats, names, materials, bad indices,
// and the model manager's sharing by path.
#include "animatedmaterial.h"
#include "materialmanager.h"
#include "model.h"
#include "modelmanager.h"
#include "mtlmaterial.h"
#include "objfile.h"
#include "testsupport.h"
#include "texturemanager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Loaded {
    bool ok = false;
    Model model;
    std::vector<std::string> log;
};

void ReadObj(const TempFolder& folder, const std::string& text, Loaded& out, MaterialManager* materials = nullptr)
{
    folder.Write("model.obj", text);
    LogCapture log;
    ObjLoader reader(materials);
    out.ok = reader.Read(&out.model, folder.File("model.obj").c_str());
    out.log = log.Lines();
}

std::vector<int> Indices(const Face& f)
{
    return {f.vertex[0],   f.vertex[1], f.vertex[2], f.texcoord[0], f.texcoord[1],
            f.texcoord[2], f.normal[0], f.normal[1], f.normal[2]};
}

const char* kQuadData = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvn 0 0 1\nvn 0 1 0\nvn 1 0 0\n";

struct FaceCase {
    const char* name;
    std::string text;
    bool hasTexcoords;
    bool hasNormals;
    std::vector<int> indices;
};

class ObjFaceFormats : public ::testing::TestWithParam<FaceCase> {};

TEST_P(ObjFaceFormats, ReadsTheFormatTheGroupsDataSelects)
{
    const FaceCase& c = GetParam();
    TempFolder folder;
    Loaded loaded;
    ReadObj(folder, c.text, loaded);
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(loaded.model.GetGroupCount(), 1);
    const Mesh* mesh = loaded.model.GetMesh(0);
    EXPECT_EQ(mesh->HasTexCoords(), c.hasTexcoords);
    EXPECT_EQ(mesh->HasNormals(), c.hasNormals);
    ASSERT_EQ(mesh->GetFaceCount(), 1);
    EXPECT_EQ(Indices(mesh->GetFaces()[0]), c.indices);
    EXPECT_EQ(loaded.model.GetTriangleCount(), 1);
    EXPECT_EQ(mesh->GetVertexArray().size(), 9u);
}

INSTANTIATE_TEST_SUITE_P(
    Obj, ObjFaceFormats,
    ::testing::Values(
        FaceCase{
            "verticesOnly", "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 3 1 2\n", false, false, {2, 0, 1, -1, -1, -1, -1, -1, -1}},
        FaceCase{"quadKeepsFirstThreeCorners",
                 "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n",
                 false,
                 false,
                 {0, 1, 2, -1, -1, -1, -1, -1, -1}},
        FaceCase{"textureCoordinates",
                 "v 0 0 0\nv 1 0 0\nv 1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nf 1/3 2/2 3/1\n",
                 true,
                 false,
                 {0, 1, 2, 2, 1, 0, -1, -1, -1}},
        FaceCase{"normals",
                 "v 0 0 0\nv 1 0 0\nv 1 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\n",
                 false,
                 true,
                 {0, 1, 2, -1, -1, -1, 0, 0, 0}},
        FaceCase{
            "allThree", std::string(kQuadData) + "f 1/1/1 2/2/2 3/3/3\n", true, true, {0, 1, 2, 0, 1, 2, 0, 1, 2}}),
    CaseName());

TEST(ObjReader, GroupsAreRebasedToTheirOwnLists)
{
    TempFolder folder;
    Loaded loaded;
    ReadObj(folder, "v 0 0 0\nv 1 0 0\nv 0 1 0\ng one\nf 1 2 3\nv 5 0 0\nv 6 0 0\nv 5 1 0\ng two\nf 4 5 6\n", loaded);
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(loaded.model.GetGroupCount(), 2);
    for (int g = 0; g < 2; ++g) {
        const Mesh* mesh = loaded.model.GetMesh(g);
        EXPECT_EQ(mesh->GetVertexCount(), 3);
        ASSERT_EQ(mesh->GetFaceCount(), 1);
        EXPECT_EQ(mesh->GetFaces()[0].vertex[0], 0);
        EXPECT_EQ(mesh->GetFaces()[0].vertex[2], 2);
    }
    EXPECT_EQ(loaded.model.GetMesh(0)->GetName(), "one");
    EXPECT_EQ(loaded.model.GetMesh(1)->GetName(), "two");
    EXPECT_FLOAT_EQ(loaded.model.GetMesh(1)->GetVertexArray()[0], 5.0f);
    EXPECT_EQ(loaded.model.GetTriangleCount(), 2);
    EXPECT_FLOAT_EQ(loaded.model.GetBoundsMax().x, 6.0f);
    EXPECT_FLOAT_EQ(loaded.model.GetBoundsMin().x, 0.0f);
}

struct NameCase {
    const char* name;
    std::string text;
    std::vector<std::string> groups;
};

class ObjGroupNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ObjGroupNames, NamesGroupsFromTheirGLines)
{
    TempFolder folder;
    Loaded loaded;
    ReadObj(folder, GetParam().text, loaded);
    ASSERT_TRUE(loaded.ok);
    std::vector<std::string> names;
    for (const auto& mesh : loaded.model.GetMeshes())
        names.push_back(mesh->GetName());
    EXPECT_EQ(names, GetParam().groups);
}

INSTANTIATE_TEST_SUITE_P(
    Obj, ObjGroupNames,
    ::testing::Values(
        NameCase{"noGLine", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", {"defaultName"}},
        NameCase{"emptyFile", "", {"defaultName"}},
        NameCase{"groupWithoutGTakesThePrevious", "g a\nv 0 0 0\nf 1 1 1\nv 1 1 1\nf 2 2 2\n", {"a", "a"}},
        NameCase{"allVerticesFirstGivesOneGroup", "v 0 0 0\nv 1 0 0\nv 0 1 0\ng a\nf 1 2 3\ng b\nf 1 2 3\n", {"b"}},
        // "#" and 99 more characters are skipped; the rest of the line starts with "g".
        NameCase{
            "longCommentSkippedInTwoPieces", "#" + std::string(99, 'x') + "g hidden\nv 0 0 0\nf 1 1 1\n", {"hidden"}},
        NameCase{"crlfLines", "g crlf\r\nv 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nf 1 2 3\r\n", {"crlf"}},
        NameCase{"longName", "g " + std::string(400, 'n') + "\nv 0 0 0\n", {std::string(400, 'n')}}),
    CaseName());

// Numbers are read across line ends as fscanf reads them: a short line takes
// its missing number from the next line, or ends at the next line's "v"
// and then skips that whole line.
TEST(ObjReader, ShortVertexLinesReadOnIntoTheNextLine)
{
    TempFolder folder;
    Loaded loaded;
    ReadObj(folder, "v 1 2\n3 9\nv 4 5\nv 7 7 7\nv 8 8 8\n", loaded);
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(loaded.model.GetGroupCount(), 1);
    std::vector<float> read;
    for (const GfxVec3& v : loaded.model.GetMesh(0)->GetVertices())
        read.insert(read.end(), {v.x, v.y, v.z});
    EXPECT_EQ(read, (std::vector<float>{1, 2, 3, 4, 5, 0, 8, 8, 8}));
}

TEST(ObjReader, EmptyFileGivesOneEmptyGroup)
{
    TempFolder folder;
    Loaded loaded;
    ReadObj(folder, "", loaded);
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(loaded.model.GetGroupCount(), 1);
    EXPECT_EQ(loaded.model.GetMesh(0)->GetFaceCount(), 0);
    EXPECT_EQ(loaded.model.GetMesh(0)->GetVertexCount(), 0);
    EXPECT_TRUE(loaded.log.empty());
}

// A missing file and a folder are both files that cannot be opened.
TEST(ObjReader, MissingFileOrFolderLogsAndFails)
{
    TempFolder folder;
    for (const std::string& path : {folder.File("absent.obj"), folder.Path()}) {
        Model model;
        LogCapture log;
        ObjLoader reader;
        EXPECT_FALSE(reader.Read(&model, path.c_str())) << path;
        EXPECT_EQ(log.Lines(), std::vector<std::string>{"Unable to find or open the file: " + path + "\n"});
        EXPECT_EQ(model.GetGroupCount(), 0) << path;
        EXPECT_FALSE(reader.Read(nullptr, path.c_str()));
        EXPECT_FALSE(reader.Read(&model, nullptr));
    }
}

TEST(ObjReader, NameAndLibraryAreRecorded)
{
    TempFolder folder;
    Loaded loaded;
    ReadObj(folder, "mtllib lib.mtl\nv 0 0 0\n", loaded);
    EXPECT_EQ(loaded.model.GetName(), folder.File("model.obj"));
    EXPECT_EQ(loaded.model.GetMtllibName(), "lib.mtl");
}

struct BadFaceCase {
    const char* name;
    std::string text;
    int keptFaces;
    int droppedFaces;
};

class ObjBadIndices : public ::testing::TestWithParam<BadFaceCase> {};

TEST_P(ObjBadIndices, DropsFacesOutsideTheGroupWithOneWarningEach)
{
    const BadFaceCase& c = GetParam();
    TempFolder folder;
    Loaded loaded;
    ReadObj(folder, c.text, loaded);
    ASSERT_TRUE(loaded.ok);
    int faces = 0;
    for (const auto& mesh : loaded.model.GetMeshes())
        faces += mesh->GetFaceCount();
    EXPECT_EQ(faces, c.keptFaces);
    EXPECT_EQ(loaded.model.GetTriangleCount(), c.keptFaces);
    int warnings = 0;
    for (const std::string& line : loaded.log)
        warnings += line.rfind("Warning: dropped a face", 0) == 0 ? 1 : 0;
    EXPECT_EQ(warnings, c.droppedFaces);
    EXPECT_EQ(warnings, static_cast<int>(loaded.log.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Obj, ObjBadIndices,
    ::testing::Values(
        BadFaceCase{"vertexPastTheEnd", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2 4\n", 1, 1},
        BadFaceCase{"vertexZero", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 0 1 2\n", 1, 1},
        BadFaceCase{"relativeIndex", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf -1 -2 -3\n", 1, 1},
        BadFaceCase{"hugeIndex", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2 2147483647\n", 1, 1},
        BadFaceCase{"previousGroupsVertex",
                    "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nv 2 2 2\nv 3 3 3\nv 4 4 4\nf 4 5 6\nf 1 5 6\n", 2, 1},
        BadFaceCase{"texcoordPastTheEnd", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nf 1/1 2/1 3/1\nf 1/1 2/2 3/1\n", 1, 1},
        BadFaceCase{"normalPastTheEnd", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\nf 1//1 2//1 3//9\n", 1,
                    1},
        // A face without the texture coordinates its group has is read only in part and dropped.
        BadFaceCase{"faceMissingTexcoords", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nf 1 2 3\nf 1/1 2/1 3/1\n", 1, 1}),
    CaseName());

TEST(ObjReader, UnusedIndicesAreNotChecked)
{
    TempFolder folder;
    Loaded loaded;
    // Normals are read (vn), texture coordinates are not: face texcoords stay 0 and become -1.
    ReadObj(folder, "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\n", loaded);
    ASSERT_EQ(loaded.model.GetMesh(0)->GetFaceCount(), 1);
    EXPECT_TRUE(loaded.log.empty());
}

class ObjMaterials : public ::testing::Test {
protected:
    TempFolder folder;
    TextureManager textures;
    MaterialManager materials{&textures};
};

TEST_F(ObjMaterials, UsemtlPicksTheNamedRecordAndEachGroupGetsItsOwnMaterial)
{
    folder.Write("lib.mtl", "newmtl grass\nKd 0 1 0\nNs 4\nTf 0.5 0.5 0.5\nnewmtl stone\nKd 0.5 0.5 0.5\n");
    Loaded loaded;
    ReadObj(folder,
            "mtllib lib.mtl\nv 0 0 0\ng a\nusemtl stone\nf 1 1 1\nv 0 0 0\ng b\nf 1 1 1\nv 0 0 0\ng c\n"
            "usemtl grass\nf 1 1 1\n",
            loaded, &materials);
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(loaded.model.GetGroupCount(), 3);
    auto* a = dynamic_cast<MtlMaterial*>(loaded.model.GetMesh(0)->GetMaterial());
    auto* b = dynamic_cast<MtlMaterial*>(loaded.model.GetMesh(1)->GetMaterial());
    auto* c = dynamic_cast<MtlMaterial*>(loaded.model.GetMesh(2)->GetMaterial());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_NE(c, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->name, "stone");
    EXPECT_EQ(b->name, "stone");
    EXPECT_EQ(c->name, "grass");
    EXPECT_FLOAT_EQ(c->Kd.g, 1.0f);
    EXPECT_FLOAT_EQ(c->alpha, 0.5f);
    EXPECT_FLOAT_EQ(c->shininess, 4.0f);
    EXPECT_EQ(a->texture, nullptr);
    EXPECT_EQ(materials.GetMaterials().size(), 3u);
}

TEST_F(ObjMaterials, UnknownUsemtlLeavesTheGroupWithoutMaterial)
{
    folder.Write("lib.mtl", "newmtl stone\n");
    Loaded loaded;
    ReadObj(folder, "mtllib lib.mtl\nusemtl marble\nv 0 0 0\nf 1 1 1\n", loaded, &materials);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.model.GetMesh(0)->GetMaterial(), nullptr);
    EXPECT_TRUE(materials.GetMaterials().empty());
}

TEST_F(ObjMaterials, MissingLibraryLeavesGroupsWithoutMaterial)
{
    Loaded loaded;
    ReadObj(folder, "mtllib none.mtl\nusemtl stone\nv 0 0 0\nf 1 1 1\n", loaded, &materials);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.model.GetMesh(0)->GetMaterial(), nullptr);
    EXPECT_EQ(loaded.log,
              std::vector<std::string>{"Unable to find or open the MTL file: " + folder.File("none.mtl") + "\n"});
}

TEST_F(ObjMaterials, AnimatedTexturePathMakesAnAnimatedMaterial)
{
    folder.Write("lib.mtl", "newmtl water\nmap_Kd wave_2_0.tga\n");
    Loaded loaded;
    ReadObj(folder, "mtllib lib.mtl\nusemtl water\nv 0 0 0\nf 1 1 1\n", loaded, &materials);
    auto* animated = dynamic_cast<AnimatedMaterial*>(loaded.model.GetMesh(0)->GetMaterial());
    ASSERT_NE(animated, nullptr);
    EXPECT_EQ(animated->GetName(), "animated_texture_" + folder.File("wave_2_0.tga"));
}

TEST(ObjWriter, WritesHeaderGroupsAndOffsetIndices)
{
    TempFolder folder;
    Model model;
    model.SetMtllibName("lib.mtl");
    Mesh* first = model.AddMesh();
    first->SetName("one");
    first->AddVertex(1, 2, 3);
    first->AddVertex(4, 5, 6);
    first->AddVertex(7, 8, 9);
    first->AddFace(0, 1, 2);
    Mesh* second = model.AddMesh();
    second->SetName(" ");
    second->AddVertex(0, 0, 0);
    second->AddTexCoord(0.5f, 0.25f);
    second->SetHasTexCoords(true);
    second->AddNormal(GfxVec3(0, 1, 0));
    second->SetHasNormals(true);
    second->AddFace(0, 0, 0, 0, 0, 0);
    MtlMaterial stone;
    stone.name = "stone";
    second->SetMaterial(&stone);
    Mesh* third = model.AddMesh();
    third->SetName("three");
    third->AddVertex(0, 0, 1);
    third->AddNormal(GfxVec3(1, 0, 0));
    third->SetHasNormals(true);
    third->AddFace(0, 0, 0);
    ObjLoader writer;
    ASSERT_TRUE(writer.Write(&model, folder.File("out.obj").c_str()));
    EXPECT_EQ(ReadFileText(folder.File("out.obj")),
              "#This file was generated from the Orvanti Engine\n\nmtllib lib.mtl\n"
              "g one\nv 1.000000 2.000000 3.000000\nv 4.000000 5.000000 6.000000\nv 7.000000 8.000000 9.000000\n"
              "f 1 2 3\n"
              "v 0.000000 0.000000 0.000000\nvt 0.500000 0.250000\nvn 0.000000 1.000000 0.000000\n"
              "usemtl stone\nf 4/1/1 4/1/1 4/1/1\n"
              "g three\nv 0.000000 0.000000 1.000000\nvn 1.000000 0.000000 0.000000\nf 5//2 5//2 5//2\n");
}

TEST(ObjWriter, UnwritablePathLogsAndFails)
{
    TempFolder folder;
    Model model;
    LogCapture log;
    ObjLoader writer;
    const std::string path = folder.File("no/such/dir.obj");
    EXPECT_FALSE(writer.Write(&model, path.c_str()));
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Unable to create " + path + " for output\n"});
    EXPECT_FALSE(writer.Write(nullptr, path.c_str()));
    // A full disk shows only when the buffered text is flushed at the close.
    EXPECT_FALSE(writer.Write(&model, "/dev/full"));
}

TEST_F(ObjMaterials, WriteThenReadKeepsGeometryAndMaterialsButShiftsGroupNames)
{
    folder.Write("lib.mtl", "newmtl stone\nKd 0.5 0.5 0.5\nnewmtl grass\n");
    Loaded loaded;
    ReadObj(folder,
            "mtllib lib.mtl\n" + std::string(kQuadData) +
                "g one\nusemtl stone\nf 1/1/1 2/2/2 3/3/3\nf 1/1/1 3/3/3 4/1/2\nv 9 9 9\nv 8 8 8\nv 7 7 7\n"
                "g two\nusemtl grass\nf 5 6 7\n",
            loaded, &materials);
    ASSERT_TRUE(loaded.ok);
    ObjLoader writer(&materials);
    ASSERT_TRUE(writer.Write(&loaded.model, folder.File("again.obj").c_str()));
    Model again;
    ObjLoader reader(&materials);
    ASSERT_TRUE(reader.Read(&again, folder.File("again.obj").c_str()));
    ASSERT_EQ(again.GetGroupCount(), 2);
    // Each g line comes before its group's vertices, so a group is named by the next one's g line.
    EXPECT_EQ(again.GetMesh(0)->GetName(), "two");
    EXPECT_EQ(again.GetMesh(1)->GetName(), "two");
    for (int g = 0; g < 2; ++g) {
        const Mesh* before = loaded.model.GetMesh(g);
        const Mesh* after = again.GetMesh(g);
        EXPECT_EQ(after->GetVertices(), before->GetVertices());
        EXPECT_EQ(after->GetTexCoords(), before->GetTexCoords());
        EXPECT_EQ(after->GetNormals(), before->GetNormals());
        ASSERT_EQ(after->GetFaceCount(), before->GetFaceCount());
        for (int f = 0; f < before->GetFaceCount(); ++f)
            EXPECT_EQ(Indices(after->GetFaces()[f]), Indices(before->GetFaces()[f]));
        auto* material = dynamic_cast<MtlMaterial*>(after->GetMaterial());
        ASSERT_NE(material, nullptr);
        EXPECT_EQ(material->name, g == 0 ? "stone" : "grass");
    }
    EXPECT_EQ(again.GetTriangleCount(), 3);
    EXPECT_EQ(again.GetMtllibName(), "lib.mtl");
}

TEST(ModelManager, LoadsEachPathOnceByExactName)
{
    TempFolder folder;
    folder.Write("a/b.obj", "v 0 0 0\n");
    ModelManager models;
    Model* first = models.Load(folder.File("a/b.obj").c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(models.Load(folder.File("a/b.obj").c_str()), first);
    Model* other = models.Load(folder.File("a/./b.obj").c_str());
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, first);
    EXPECT_EQ(models.GetModels().size(), 2u);
    EXPECT_EQ(models.Find(folder.File("a/b.obj").c_str()), first);
    EXPECT_EQ(models.Find("never.obj"), nullptr);
    models.Remove(other);
    EXPECT_EQ(models.GetModels().size(), 1u);
    EXPECT_EQ(models.Find(folder.File("a/b.obj").c_str()), first);
    Model stranger;
    models.Remove(&stranger);
    EXPECT_EQ(models.GetModels().size(), 1u);
}

TEST(ModelManager, MissingFileLogsTwiceAndAddsNothing)
{
    TempFolder folder;
    ModelManager models;
    LogCapture log;
    const std::string path = folder.File("absent.obj");
    EXPECT_EQ(models.Load(path.c_str()), nullptr);
    const std::string line = "Unable to find or open the file: " + path + "\n";
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{line, line}));
    EXPECT_TRUE(models.GetModels().empty());
}

TEST(ModelManager, CreateEmptyAppendsAModel)
{
    ModelManager models;
    Model* empty = models.CreateEmpty();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->GetGroupCount(), 0);
    EXPECT_EQ(models.GetModels().size(), 1u);
    models.Clear();
    EXPECT_TRUE(models.GetModels().empty());
}

}  // namespace
