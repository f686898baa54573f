// The 2D draw routines; see draw2d.h.
#include "draw2d.h"

#include "gfxcomponent.h"

#include <GL/glew.h>

#include <cmath>

namespace {

constexpr int kMinCircleSegments = 3;
constexpr float kAxesLength = 10.0f;
constexpr float kAxesLineWidth = 3.0f;
constexpr double kTwoPi = 6.283185307179586;

Rect WindowRect()
{
    const GfxComponent* gfx = GfxComponent::GetInstance();
    return Rect(0.0f, static_cast<float>(gfx->GetWindowWidth()), 0.0f, static_cast<float>(gfx->GetWindowHeight()));
}

void DrawAxisLines(float length)
{
    glLineWidth(kAxesLineWidth);
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(length, 0.0f, 0.0f);
    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, length, 0.0f);
    glColor3f(0.0f, 0.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, length);
    glEnd();
}

}  // namespace

Rect ShrinkRect(const Rect& rect, float d)
{
    return Rect(rect.x0 + d, rect.x1 - d, rect.y0 + d, rect.y1 - d);
}

const float& MaxFloat(const float& a, const float& b)
{
    return a < b ? b : a;
}

void Setup2DState()
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}

void FillScreen2D(float r, float g, float b, float a)
{
    Setup2DState();
    Begin2D();
    const Rect window = WindowRect();
    GfxComponent::GetInstance()->DrawColoredRect2D(r, g, b, a, 0.0f, 0.0f, window.x1, window.y1);
    End2D();
}

void DrawScreenBorder2D(float r, float g, float b, float a, float width)
{
    Setup2DState();
    const Rect outer = WindowRect();
    const Rect inner = ShrinkRect(outer, width);
    Begin2D();
    GfxComponent* gfx = GfxComponent::GetInstance();
    gfx->DrawColoredQuad2D(r, g, b, a, inner.LowerRight(), outer.LowerRight(), outer.LowerLeft(), inner.LowerLeft());
    gfx->DrawColoredQuad2D(r, g, b, a, inner.UpperRight(), outer.UpperRight(), outer.LowerRight(), inner.LowerRight());
    gfx->DrawColoredQuad2D(r, g, b, a, inner.UpperLeft(), outer.UpperLeft(), outer.UpperRight(), inner.UpperRight());
    gfx->DrawColoredQuad2D(r, g, b, a, inner.LowerLeft(), outer.LowerLeft(), outer.UpperLeft(), inner.UpperLeft());
    End2D();
}

void DrawQuad2D(const Vec2& p0, const Vec2& p1, const Vec2& p2, const Vec2& p3, float r, float g, float b, float a)
{
    Setup2DState();
    Begin2D();
    GfxComponent::GetInstance()->DrawColoredQuad2D(r, g, b, a, p0, p1, p2, p3);
    End2D();
}

void DrawCircle2D(float x, float y, float radius, float r, float g, float b, int segments, float lineWidth)
{
    const int n = segments < kMinCircleSegments ? kMinCircleSegments : segments;
    glLineWidth(lineWidth);
    glColor4f(r, g, b, 1.0f);
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < n; ++i) {
        const double angle = i * kTwoPi / n;
        glVertex2f(static_cast<float>(std::cos(angle) * radius), static_cast<float>(std::sin(angle) * radius));
    }
    glEnd();
    glPopMatrix();
}

void DrawXZGrid(float cellSize, int countX, int countZ)
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    const float x0 = -(static_cast<float>(countX) / 2.0f) * cellSize;
    const float z0 = -(static_cast<float>(countZ) / 2.0f) * cellSize;
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINES);
    for (int i = 0; i <= countX; ++i) {
        glVertex3f(x0 + i * cellSize, 0.0f, z0);
        glVertex3f(x0 + i * cellSize, 0.0f, z0 + countZ * cellSize);
    }
    for (int j = 0; j <= countZ; ++j) {
        glVertex3f(x0, 0.0f, z0 + j * cellSize);
        glVertex3f(x0 + countX * cellSize, 0.0f, z0 + j * cellSize);
    }
    glEnd();
}

void DrawAxes()
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glLoadIdentity();
    DrawAxisLines(kAxesLength);
    glLineWidth(1.0f);
    glPopMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void DrawAxesOfLength(float length)
{
    glPushMatrix();
    glLoadIdentity();
    DrawAxisLines(length);
    glPopMatrix();
}
