// GfxComponent: the graphics singleton. It owns the light, material, texture
// and model managers, opens the GL window with its context, sets the fixed GL
// state, draws the 2D and billboard primitives of the screens, presents the
// frame and dumps the model, material and texture registries to text.
// Every state draws through it and ends its frame with SwapBuffers.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "color.h"
#include "platformwindow.h"
#include "singleton.h"
#include "vec2.h"
#include "vec3.h"

class AnimatedMaterial;
class LightManager;
class MaterialManager;
class ModelManager;
class Texture;
class TextureManager;

class GfxComponent : public Singleton<GfxComponent> {
public:
    GfxComponent();
    ~GfxComponent();

    // The one graphics component, created by the first call.
    static GfxComponent* GetInstance();

    // Opens the window with its GL context, shows it and sets the fixed
    // state; each failing step shows a box and returns false. Height 0
    // counts as 1; a negative height or a width of 0 or less cannot make a
    // window (the component keeps what it had).
    bool CreateGLWindow(int width, int height, int colorBits, int depthBits, bool fullscreen);
    // The window's procedure: forwards every message to the application.
    static LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The fixed GL state; always true.
    bool InitGL();
    // The loud release after a creation failure (a box for each failing step).
    void KillGLWindow();
    // The quiet release at program end: context, then window.
    void Shutdown();
    bool SwapBuffers();

    HWND GetWindowHandle() const { return hWnd; }
    int GetWindowHeight() const { return height; }
    int GetWindowWidth() const { return width; }
    HWND GetDeviceContext() const { return hDC; }
    GLContextHandle GetRenderContext() const { return hRC; }
    int GetColorBits() const { return colorBits; }
    int GetDepthBits() const { return depthBits; }

    void DrawColoredRect2D(float r, float g, float b, float a, float x, float y, float w, float h);
    void DrawColoredQuad2D(float r, float g, float b, float a, const Vec2& p0, const Vec2& p1, const Vec2& p2,
                           const Vec2& p3);
    // A camera-facing quad around position; nothing is drawn without a texture.
    void DrawBillboard(const Texture* texture, const Color& color, const Vec3& position, float halfWidth,
                       float halfHeight);
    // The same quad untextured, in the colour.
    void DrawUntexturedBillboard(const Color& color, const Vec3& position, float halfWidth, float halfHeight);
    // The same with the material's current frame.
    void DrawAnimatedBillboard(const AnimatedMaterial* material, const Color& color, const Vec3& position,
                               float halfWidth, float halfHeight);
    void DrawAxes(float scale);
    void DrawGridXZ(float spacing, int columns, int rows);

    // Writes the model, material and texture registries as text.
    void outputMeshInfo(const char* fileName);

    // Three path settings; nothing in the game reads them.
    void SetModelPath(const char* path) { modelPath = path ? path : ""; }
    void SetModelPath(const std::string& path) { modelPath = path; }
    const std::string& GetModelPath() const { return modelPath; }
    void SetTexturePath(const char* path) { texturePath = path ? path : ""; }
    void SetTexturePath(const std::string& path) { texturePath = path; }
    const std::string& GetTexturePath() const { return texturePath; }
    void SetShaderPath(const char* path) { shaderPath = path ? path : ""; }
    void SetShaderPath(const std::string& path) { shaderPath = path; }
    const std::string& GetShaderPath() const { return shaderPath; }

    // The managers, reached directly by the code that uses them.
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<MaterialManager> materials;
    std::unique_ptr<TextureManager> textures;
    std::unique_ptr<ModelManager> models;

private:
    bool FailWindowStep(const char* message);
    void WriteModels(FILE* file) const;
    void WriteMaterials(FILE* file) const;
    void WriteTextures(FILE* file) const;

    bool fullscreen = false;
    HWND hWnd = nullptr;
    HWND hDC = nullptr;  // the window draws through its own surface
    GLContextHandle hRC = nullptr;
    int height = 0;
    int width = 0;
    int colorBits = 0;
    int depthBits = 0;
    std::string modelPath;
    std::string texturePath;
    std::string shaderPath;
};

// 2D window coordinates: origin at the bottom left, one unit a pixel.
void Begin2D();
void End2D();

// A white textured rectangle; a null texture breaks and draws nothing.
void DrawTexturedRect2D(const Texture* texture, float x, float y, float w, float h);

// The texture on a w x h rectangle with its bottom-left corner at x, y,
// turned clockwise by angleDegrees about that corner and drawn white at
// alpha, in 2D mode with blending; a null texture breaks and draws nothing.
void DrawTexturedQuad2D(const Texture* texture, float x, float y, float w, float h, float angleDegrees, float alpha);
