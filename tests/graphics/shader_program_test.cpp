// GLSL programs under Xvfb (GLEW set up with the window): source files read
// within their buffers, compile, link, uniforms and the link-failure path,
// shared shaders in the manager, the screen-copy material and its pass.
#include <GL/glew.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "gfxfragmentshader.h"
#include "gfxshaderprogram.h"
#include "gfxvertexshader.h"
#include "gltestsupport.h"
#include "materialmanager.h"
#include "screencopymaterial.h"
#include "shaderhelper.h"
#include "shadermanager.h"
#include "shaderprogram.h"
#include "testsupport.h"

namespace {

constexpr const char* kVertexSource =
    "uniform vec2 offset;\n"
    "void main() { gl_Position = gl_Vertex + vec4(offset, 0.0, 0.0); gl_TexCoord[0] = gl_MultiTexCoord0; }\n";
constexpr const char* kFragmentSource = "uniform vec4 tint;\n"
                                        "uniform int mode;\n"
                                        "void main() { gl_FragColor = mode == 1 ? tint : vec4(1.0); }\n";
// Samples the screen copy; green only, so the pass is told from the fixed pipeline.
constexpr const char* kSharpnessSource =
    "uniform sampler2D original;\n"
    "uniform sampler2D overlay;\n"
    "void main() { gl_FragColor = vec4(0.0, texture2D(original, gl_TexCoord[0].st).r, 0.0, 1.0); }\n";

class ShaderTest : public gltest::GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        folder.Write("plain.vert", kVertexSource);
        folder.Write("plain.frag", kFragmentSource);
        folder.Write("broken.frag", "void main() { gl_FragColor = ; }\n");
        folder.Write("empty.frag", "");
    }
    std::string Base(const char* name) const { return folder.File(name); }

    TempFolder folder;
};

TEST(ShaderSource, ReadsWithinItsBuffer)
{
    TempFolder folder;
    folder.Write("ten.vert", "0123456789");
    const std::string base = folder.File("ten");
    EXPECT_EQ(ShaderSourceSize(base.c_str(), kVertexShaderType), 11);
    EXPECT_EQ(ShaderSourceSize(base.c_str(), kFragmentShaderType), -1);
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(ReadShaderFile(base.c_str(), kVertexShaderType, buffer, 5), 4);
    EXPECT_STREQ(buffer, "0123");
    EXPECT_EQ(buffer[5], '#');

    char* source = nullptr;
    ASSERT_TRUE(LoadShaderSource(base.c_str(), &source, kVertexShaderType));
    EXPECT_STREQ(source, "0123456789");
    delete[] source;

    // A pipe in place of the source is refused without waiting for a writer.
    ASSERT_EQ(::mkfifo(folder.File("pipe.frag").c_str(), 0600), 0);
    EXPECT_EQ(ShaderSourceSize(folder.File("pipe").c_str(), kFragmentShaderType), -1);
    EXPECT_EQ(ReadShaderFile(folder.File("pipe").c_str(), kFragmentShaderType, buffer, 5), -1);

    folder.Write("empty.frag", "");
    source = nullptr;
    EXPECT_FALSE(LoadShaderSource(folder.File("empty").c_str(), &source, kFragmentShaderType));
    EXPECT_EQ(source, nullptr);

    // A shader type other than vertex or fragment ends the program with code 1.
    for (int type : {-1, 2})
        EXPECT_EXIT(ShaderSourceSize(base.c_str(), type), ::testing::ExitedWithCode(1), "shader type");
}

TEST_F(ShaderTest, CompilesLinksAndSetsUniforms)
{
    GfxShaderProgram program("plain");
    program.AttachVertexShader(Base("plain").c_str());
    program.AttachFragmentShader(Base("plain").c_str());
    ASSERT_TRUE(program.GetVertexShader()->IsCompiled());
    ASSERT_TRUE(program.Link());
    program.Use();
    program.SetUniform4f("tint", 0.0f, 1.0f, 0.0f, 1.0f);
    program.SetUniform1i("mode", 1);
    const float offset[2] = {0.5f, 0.0f};
    program.SetUniformfv("offset", 2, 1, offset);
    program.SetUniformfv("offset", 5, 1, offset);  // logged, nothing set
    float read[4] = {};
    glGetUniformfvARB(program.GetHandle(), UniformLocation(program.GetHandle(), "offset"), read);
    EXPECT_EQ(read[0], 0.5f);

    // A quad over the left half, moved right by the offset, drawn in the tint.
    glBegin(GL_QUADS);
    glVertex2f(-1, -1);
    glVertex2f(0, -1);
    glVertex2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    program.Unuse();
    EXPECT_EQ(gltest::ReadPixel(gltest::WindowWidth() * 5 / 8, gltest::WindowHeight() / 2),
              (std::array<int, 4>{0, 255, 0, 255}));
    EXPECT_EQ(gltest::ReadPixel(gltest::WindowWidth() / 8, gltest::WindowHeight() / 2)[1], 0);
}

TEST_F(ShaderTest, ShaderThatDoesNotCompileFailsTheLink)
{
    LogCapture log;
    GfxShaderProgram program("a program name longer than thirty-nine characters");
    EXPECT_STREQ(program.GetName(), "a program name longer than thirty-nine ");
    program.AttachFragmentShader(Base("broken").c_str());
    EXPECT_FALSE(program.GetFragmentShader()->IsCompiled());
    EXPECT_FALSE(program.Link());
    GfxFragmentShader missing(Base("absent").c_str());
    GfxFragmentShader empty(Base("empty").c_str());
    EXPECT_FALSE(missing.IsCompiled());
    EXPECT_FALSE(empty.IsCompiled());

    ShaderProgram older;
    older.AddFragmentShader(Base("broken").c_str());
    EXPECT_FALSE(older.Link());
}

TEST_F(ShaderTest, RecompileReplacesTheShaderObject)
{
    GfxVertexShader shader(Base("plain").c_str());
    const unsigned int first = shader.GetHandle();
    ASSERT_TRUE(shader.Compile());
    EXPECT_NE(shader.GetHandle(), first);
    DrainGLErrors(__FILE__, __LINE__);
    GLint type = 0;
    glGetObjectParameterivARB(first, GL_OBJECT_TYPE_ARB, &type);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));  // the old object is gone
}

TEST_F(ShaderTest, ManagerSharesShadersAndKnowsProgramsByName)
{
    ShaderManager manager;
    EXPECT_EQ(manager.GetProgram("none", nullptr, nullptr), nullptr);
    GfxShaderProgram* first = manager.GetProgram("one", Base("plain").c_str(), Base("plain").c_str());
    GfxShaderProgram* second = manager.GetProgram("two", Base("plain").c_str(), nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetVertexShader(), second->GetVertexShader());
    EXPECT_EQ(second->GetFragmentShader(), nullptr);
    EXPECT_EQ(manager.GetProgram("one", Base("other").c_str(), nullptr), first);
    EXPECT_EQ(manager.FindVertexShader(Base("plain").c_str()), first->GetVertexShader());
    manager.RemoveProgram(first);
    EXPECT_EQ(manager.FindProgram("one"), nullptr);
    EXPECT_NE(manager.FindProgram("two"), nullptr);

    // The older class binds "delta_t" to attribute 1 before linking.
    folder.Write("timed.vert", "attribute float delta_t;\nvoid main() { gl_Position = gl_Vertex * delta_t; }\n");
    ShaderProgram older;
    older.AddVertexShader(Base("timed").c_str());
    older.AddFragmentShader(Base("plain").c_str());
    ASSERT_TRUE(older.Link());
    EXPECT_EQ(glGetAttribLocationARB(older.GetHandle(), "delta_t"), 1);
}

TEST(ScreenCopy, CopiesTheFrameAndDrawsItThroughItsProgram)
{
    ASSERT_TRUE(gltest::EnsureWindow(800, 600));
    TempFolder folder;
    folder.Write("sharpness.frag", kSharpnessSource);
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder.Path().c_str()), 0);
    LogCapture log;
    MaterialManager materials;
    ScreenCopyMaterial* copy = materials.CreateScreenCopy("screen", 1024, 4);
    ASSERT_EQ(chdir(previous), 0);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(log.Contains("renderable(800, 600, 0.781250, 0.585938)\n"));
    EXPECT_EQ(copy->GetAlpha(), 0.8f);

    gltest::ResetDrawing();
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    copy->Update(0.0f);
    gltest::ResetDrawing();
    copy->Draw();
    // Red copied, shown as green by the program.
    EXPECT_EQ(gltest::ReadPixel(400, 300), (std::array<int, 4>{0, 255, 0, 255}));
    EXPECT_EQ(gltest::ReadPixel(799, 599), (std::array<int, 4>{0, 255, 0, 255}));
    // The pass leaves no texture bound, its matrices popped and culling on.
    GLint bound = -1, projections = 0, views = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projections);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &views);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(projections, 1);
    EXPECT_EQ(views, 1);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    // The material's own name is empty; "screen" names its texture.
    EXPECT_TRUE(copy->NameEquals(""));
    EXPECT_FALSE(copy->NameEquals("screen"));
    for (void (ScreenCopyMaterial::*apply)() : {&ScreenCopyMaterial::ApplyBlend, &ScreenCopyMaterial::ApplyBlendOnly}) {
        glBlendFunc(GL_ONE, GL_ZERO);
        (copy->*apply)();
        GLint source = 0;
        glGetIntegerv(GL_BLEND_SRC, &source);
        EXPECT_EQ(source, GL_SRC_ALPHA);
    }

    // Without "sharpness.frag" the program does not link and the fixed pipeline draws the copy.
    ScreenCopyMaterial* plain = materials.CreateScreenCopy("plain", 1024, 3);
    ASSERT_NE(plain, nullptr);
    plain->Update(0.0f);
    gltest::ResetDrawing();
    plain->Draw();
    EXPECT_EQ(gltest::ReadPixel(400, 300), (std::array<int, 4>{0, 255, 0, 255}));

    FILE* out = std::tmpfile();
    copy->WriteObj(out);
    EXPECT_EQ(std::ftell(out), 0);
    std::fclose(out);
}

}  // namespace
