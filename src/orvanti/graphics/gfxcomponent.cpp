// The graphics singleton: window and context steps, fixed GL state, 2D mode
// and primitives, billboards and the registry dump; see gfxcomponent.h.
#include <GL/glew.h>

#include "gfxcomponent.h"

#include <GL/glu.h>

#include "animatedmaterial.h"
#include "application.h"
#include "debugbreak.h"
#include "debuglog.h"
#include "filepath.h"
#include "lightmanager.h"
#include "material.h"
#include "materialmanager.h"
#include "messagebox.h"
#include "modelmanager.h"
#include "renderstate.h"
#include "texturemanager.h"
#include "windowsystem.h"

namespace {

constexpr const char* kWindowTitle = "Orvanti Game Engine";
constexpr const char* kFullscreenQuestion =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?";
constexpr const char* kFullscreenCaption = "Vexa GL";
constexpr const char* kErrorCaption = "ERROR";
constexpr const char* kShutdownCaption = "SHUTDOWN ERROR";
constexpr float kAxisLineWidth = 2.0f;

// The pixel format is fixed by the first window made.
struct PixelFormat {
    bool filled = false;
    int colorBits = 0;
    int depthBits = 0;
};
PixelFormat gPixelFormat;

bool gGlewTried = false;

void InitGlewOnce()
{
    if (gGlewTried) {
        return;
    }
    gGlewTried = true;
    glewExperimental = GL_TRUE;
    const GLenum result = glewInit();
    if (result != GLEW_OK) {
        DebugLog("GLEW initialisation failed: %s\n", reinterpret_cast<const char*>(glewGetErrorString(result)));
    }
}

void ShutdownBox(const char* text)
{
    ShowMessageBox(text, kShutdownCaption, MB_OK | MB_ICONINFORMATION);
}

void BeginFlat2D(GLuint texture)
{
    glLoadIdentity();
    Begin2D();
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void EndFlat2D()
{
    glDisable(GL_BLEND);
    End2D();
}

void DrawFacingQuad(GLuint texture, const Color& color, const Vec3& position, float halfWidth, float halfHeight)
{
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glPushMatrix();
    // The model-view rotation, transposed, undoes the view rotation.
    GLfloat view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    view[12] = 0.0f;
    view[13] = 0.0f;
    view[14] = 0.0f;
    GLfloat inverse[16];
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            inverse[column * 4 + row] = view[row * 4 + column];
        }
    }
    glMultMatrixf(inverse);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(color.r, color.g, color.b, color.a);
    DrawCenteredQuad(halfWidth, halfHeight);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
    glPopMatrix();
}

}  // namespace

GfxComponent::GfxComponent()
{
    lights = std::make_unique<LightManager>();
    textures = std::make_unique<TextureManager>();
    materials = std::make_unique<MaterialManager>(textures.get());
    models = std::make_unique<ModelManager>();
    models->SetMaterialManager(materials.get());
}

GfxComponent::~GfxComponent()
{
    models.reset();
    textures.reset();
    materials.reset();
    lights.reset();
}

GfxComponent* GfxComponent::GetInstance()
{
    if (FindInstance() == nullptr) {
        new GfxComponent;
    }
    return FindInstance();
}

LRESULT GfxComponent::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Application::ForwardWindowMessage(window, message, wParam, lParam);
}

bool GfxComponent::FailWindowStep(const char* message)
{
    KillGLWindow();
    ShowMessageBox(message, kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool GfxComponent::CreateGLWindow(int requestedWidth, int requestedHeight, int requestedColorBits,
                                  int requestedDepthBits, bool requestedFullscreen)
{
    if (requestedHeight == 0) {
        requestedHeight = 1;
    }
    if (requestedWidth <= 0 || requestedHeight < 0) {
        // No window can have this size; the component keeps what it had.
        ShowMessageBox("Window Creation Error.", kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    height = requestedHeight;
    width = requestedWidth;
    colorBits = requestedColorBits;
    depthBits = requestedDepthBits;
    fullscreen = requestedFullscreen;

    if (!StartWindowSystem()) {
        DebugLog("Failed To Register The Window Class.\n");
        return false;
    }

    bool useFullscreen = requestedFullscreen;
    if (useFullscreen && !CanUseFullscreen(width, height, colorBits)) {
        if (ShowMessageBox(kFullscreenQuestion, kFullscreenCaption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
            useFullscreen = false;  // the stored request stays as it was
        } else {
            ShowMessageBox("Program Will Now Close.", kErrorCaption, MB_OK | MB_ICONSTOP);
            return false;
        }
    }

    WindowRequest request;
    request.title = kWindowTitle;
    request.width = width;
    request.height = height;
    request.fullscreen = useFullscreen;
    request.procedure = &GfxComponent::WndProc;
    if (useFullscreen) {
        SetSystemCursorVisible(false);
    } else {
        int screenWidth = 0;
        int screenHeight = 0;
        GetDesktopSize(&screenWidth, &screenHeight);
        request.x = (screenWidth - width) / 2;
        request.y = (screenHeight - height) / 2;
    }

    if (!gPixelFormat.filled) {
        gPixelFormat.filled = true;
        gPixelFormat.colorBits = colorBits;
        gPixelFormat.depthBits = depthBits;
    }
    request.colorBits = gPixelFormat.colorBits;
    request.depthBits = gPixelFormat.depthBits;

    hWnd = CreatePlatformWindow(request);
    if (hWnd == nullptr) {
        return FailWindowStep("Window Creation Error.");
    }
    hDC = hWnd;
    hRC = CreateGLContext(hWnd);
    if (hRC == nullptr) {
        return FailWindowStep("Can't Create A GL Rendering Context.");
    }
    if (!MakeGLContextCurrent(hWnd, hRC)) {
        return FailWindowStep("Can't Activate The GL Rendering Context.");
    }
    if (!PixelFormatMatches(hWnd, gPixelFormat.colorBits, gPixelFormat.depthBits)) {
        return FailWindowStep("Can't Find A Suitable PixelFormat.");
    }
    InitGlewOnce();
    ShowPlatformWindow(hWnd);
    if (useFullscreen) {
        // The window covers the desktop whatever size was asked for: keep the size it has.
        GetWindowClientSize(hWnd, &width, &height);
        DebugLog("Full screen window of %d x %d\n", width, height);
    }
    if (!InitGL()) {
        return FailWindowStep("Initialization Failed.");
    }
    return true;
}

bool GfxComponent::InitGL()
{
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_BLEND);
    glAlphaFunc(GL_GREATER, 0.0f);
    glEnable(GL_ALPHA_TEST);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glEnable(GL_COLOR_MATERIAL);
    return true;
}

void GfxComponent::KillGLWindow()
{
    if (fullscreen) {
        SetSystemCursorVisible(true);
    }
    if (hRC != nullptr) {
        if (!MakeGLContextCurrent(nullptr, nullptr)) {
            ShutdownBox("Release Of DC And RC Failed.");
        }
        if (!DeleteGLContext(hRC)) {
            ShutdownBox("Release Rendering Context Failed.");
        }
        hRC = nullptr;
    }
    hDC = nullptr;
    if (hWnd != nullptr) {
        if (!DestroyPlatformWindow(hWnd)) {
            ShutdownBox("Could Not Release hWnd.");
        }
        hWnd = nullptr;  // a destroyed window is never handed out again
    }
}

void GfxComponent::Shutdown()
{
    if (hRC != nullptr) {
        MakeGLContextCurrent(nullptr, nullptr);
        DeleteGLContext(hRC);
        hRC = nullptr;
    }
    // The window goes here, after the states (which may still draw) are gone.
    if (hWnd != nullptr) {
        DestroyPlatformWindow(hWnd);
        hWnd = nullptr;
    }
    hDC = nullptr;
}

bool GfxComponent::SwapBuffers()
{
    return SwapWindowBuffers(hDC);
}

void Begin2D()
{
    glPushAttrib(GL_TRANSFORM_BIT);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(viewport[0], viewport[2], viewport[1], viewport[3]);
    glPopAttrib();
    glDisable(GL_CULL_FACE);
}

void End2D()
{
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glPushAttrib(GL_TRANSFORM_BIT);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

void DrawTexturedRect2D(const Texture* texture, float x, float y, float w, float h)
{
    if (texture == nullptr) {
        DEBUG_BREAK("DrawTexturedRect2D with a null texture");
        return;
    }
    BeginFlat2D(texture->GetGLTextureId());
    glBegin(GL_QUADS);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(x, y + h);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(x, y);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(x + w, y);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(x + w, y + h);
    glEnd();
    EndFlat2D();
}

void DrawTexturedQuad2D(const Texture* texture, float x, float y, float w, float h, float angleDegrees, float alpha)
{
    if (texture == nullptr) {
        DEBUG_BREAK("DrawTexturedQuad2D with a null texture");
        return;
    }
    BeginFlat2D(texture->GetGLTextureId());
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glScalef(w, h, 0.0f);
    glRotatef(angleDegrees, 0.0f, 0.0f, -1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glEnd();
    glPopMatrix();
    EndFlat2D();
}

void GfxComponent::DrawColoredRect2D(float r, float g, float b, float a, float x, float y, float w, float h)
{
    BeginFlat2D(0);
    glBegin(GL_QUADS);
    glColor4f(r, g, b, a);
    glVertex2f(x, y + h);
    glVertex2f(x, y);
    glVertex2f(x + w, y);
    glVertex2f(x + w, y + h);
    glEnd();
    EndFlat2D();
}

void GfxComponent::DrawColoredQuad2D(float r, float g, float b, float a, const Vec2& p0, const Vec2& p1, const Vec2& p2,
                                     const Vec2& p3)
{
    BeginFlat2D(0);
    glBegin(GL_QUADS);
    glColor4f(r, g, b, a);
    glVertex2f(p0.x, p0.y);
    glVertex2f(p1.x, p1.y);
    glVertex2f(p2.x, p2.y);
    glVertex2f(p3.x, p3.y);
    glEnd();
    EndFlat2D();
}

void GfxComponent::DrawBillboard(const Texture* texture, const Color& color, const Vec3& position, float halfWidth,
                                 float halfHeight)
{
    if (texture == nullptr) {
        return;
    }
    DrawFacingQuad(texture->GetGLTextureId(), color, position, halfWidth, halfHeight);
}

void GfxComponent::DrawUntexturedBillboard(const Color& color, const Vec3& position, float halfWidth, float halfHeight)
{
    DrawFacingQuad(0, color, position, halfWidth, halfHeight);
}

void GfxComponent::DrawAnimatedBillboard(const AnimatedMaterial* material, const Color& color, const Vec3& position,
                                         float halfWidth, float halfHeight)
{
    const Texture* frame = material ? material->GetTexture() : nullptr;
    if (frame == nullptr) {
        return;
    }
    DrawFacingQuad(frame->GetGLTextureId(), color, position, halfWidth, halfHeight);
}

void GfxComponent::DrawAxes(float scale)
{
    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glScalef(scale, scale, scale);
    glLineWidth(kAxisLineWidth);
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(1.0f, 0.0f, 0.0f);
    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 1.0f, 0.0f);
    glColor3f(0.0f, 0.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 1.0f);
    glEnd();
    glLineWidth(1.0f);
    glPopMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
}

void GfxComponent::DrawGridXZ(float spacing, int columns, int rows)
{
    glBindTexture(GL_TEXTURE_2D, 0);
    const float x0 = -(static_cast<float>(columns) / 2.0f) * spacing;
    const float z0 = -(static_cast<float>(rows) / 2.0f) * spacing;
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINES);
    for (int i = 0; i <= columns; ++i) {
        const float x = x0 + static_cast<float>(i) * spacing;
        glVertex3f(x, 0.0f, z0);
        glVertex3f(x, 0.0f, z0 + static_cast<float>(rows) * spacing);
    }
    for (int j = 0; j <= rows; ++j) {
        const float z = z0 + static_cast<float>(j) * spacing;
        glVertex3f(x0, 0.0f, z);
        glVertex3f(x0 + static_cast<float>(columns) * spacing, 0.0f, z);
    }
    glEnd();
}

void GfxComponent::WriteModels(FILE* file) const
{
    for (const std::unique_ptr<Model>& model : models->GetModels()) {
        std::fprintf(file, "Object: %s\n", model->GetName().c_str());
        std::fprintf(file, "# of meshes: %d\n", model->GetGroupCount());
        std::fprintf(file, "# of materials: %d\n", model->GetMaterialCount());
        std::fprintf(file, "# of triangles in model: %d\n\n", model->GetTriangleCount());
        std::fprintf(file, "\tMaterial file and location: %s\n", model->GetMtllibName().c_str());
        int index = 0;
        for (const std::unique_ptr<Mesh>& mesh : model->GetMeshes()) {
            std::fprintf(file, "\tMesh #%d: %s\n", index, mesh->GetName().c_str());
            std::fprintf(file, "\t# of vertices: %d\n", mesh->GetVertexCount());
            if (mesh->HasTexCoords()) {
                std::fprintf(file, "\t# of texture coords: %d\n", mesh->GetTexCoordCount());
            }
            if (mesh->HasNormals()) {
                std::fprintf(file, "\t# of normals: %d\n", mesh->GetNormalCount());
            }
            std::fprintf(file, "\t# of faces: %d\n\n", mesh->GetFaceCount());
            if (mesh->GetMaterial() != nullptr) {
                mesh->GetMaterial()->PrintToFile(file);
            }
            ++index;
        }
    }
}

void GfxComponent::WriteMaterials(FILE* file) const
{
    std::fprintf(file, "Material Registry\n\n");
    int index = 0;
    for (const std::unique_ptr<Material>& material : materials->GetMaterials()) {
        std::fprintf(file, "#%d ", index);
        material->PrintToFile(file);
        ++index;
    }
}

void GfxComponent::WriteTextures(FILE* file) const
{
    std::fprintf(file, "Texture Registry\n\n");
    int index = 0;
    for (const std::unique_ptr<Texture>& texture : textures->GetTextures()) {
        std::fprintf(file, "Texture #%d: %s\n", index, texture->GetName().c_str());
        std::fprintf(file, "Texture Dimensions: %d x %d, %d bits, OpenGL id: %d\n",
                     static_cast<int>(texture->GetWidth()), static_cast<int>(texture->GetHeight()),
                     static_cast<int>(texture->GetBitsPerPixel()), static_cast<int>(texture->GetGLTextureId()));
        std::fprintf(file, "\n");
        ++index;
    }
}

void GfxComponent::outputMeshInfo(const char* fileName)
{
    FILE* file = fileName ? OpenFile(fileName, "w") : nullptr;
    if (file == nullptr) {
        DebugLog("outputMeshInfo: Unable to create file for output.\n");
    } else {
        WriteModels(file);
        WriteMaterials(file);
        WriteTextures(file);
        std::fclose(file);
    }
    DebugLog("Output Object and Texture material registries to text file output.txt\n");
}
