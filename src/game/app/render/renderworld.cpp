// The simulation-plane drawing of the world renderer; see renderworld.h.
#include "renderworld.h"

#include "attractor.h"
#include "editingflag.h"
#include "gridset.h"
#include "gridsetdatabase.h"
#include "morvocolors.h"
#include "morvoglow.h"
#include "morvoljfunc.h"
#include "morvoworld.h"
#include "particlesprites.h"
#include "rainsystem.h"
#include "rendermode.h"
#include "toolset.h"
#include "triggerset.h"
#include "uniformgrid.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>
#include <vector>

namespace {

constexpr GLbitfield kAllAttributes = 0xFFFFF;
constexpr float kPlaneAngle = -90.0f;  // degrees about X
constexpr float kGridShade = 0.7f;
const Vec3 kGridColor = Vec3(0.3f, 0.5f, 0.7f) * kGridShade;
constexpr float kBrushLineWidth = 5.0f;
constexpr int kCircleSlices = 50;
constexpr float kOutlineWidth = 3.0f;
constexpr float kFilledOutlineWidth = 2.0f;
constexpr float kRainLineWidth = 2.0f;
constexpr float kRainStreakPerSpeed = 0.01f;
constexpr float kPointSize = 3.0f;
// Body radius of a morvo of the least power, for disks without a pair force.
constexpr float kBaseBodyRadius = 0.025f;
constexpr float kDiskOffset = 0.1f;
constexpr float kDiskHighlightLift = 0.01f;
constexpr float kDiskHighlightSize = 0.95f;
constexpr int kDiskSlices = 10;
constexpr float kBoundsLineWidth = 3.0f;
constexpr float kHighlightAlpha = 0.3f;
constexpr float kHighlightLift = -0.01f;
constexpr float kGizmoArrowLength = 1.2f;
constexpr float kGizmoArrowGap = 0.8f;
constexpr float kGizmoRingAlpha = 0.2f;

GLUquadric* quadric = nullptr;
// Rain streak vertices, kept between frames.
std::vector<float> rainVertices;

void OutlineCell(const UniformGrid& grid, int32_t col, int32_t row)
{
    const Vec2 a = grid.GetCellCorner(col, row);
    const Vec2 b = grid.GetCellCorner(col + 1, row);
    const Vec2 c = grid.GetCellCorner(col + 1, row + 1);
    const Vec2 d = grid.GetCellCorner(col, row + 1);
    glBegin(GL_LINE_LOOP);
    glVertex3f(a.x, a.y, 0.0f);
    glVertex3f(b.x, b.y, 0.0f);
    glVertex3f(c.x, c.y, 0.0f);
    glVertex3f(d.x, d.y, 0.0f);
    glEnd();
}

void OutlineSet(const UniformGrid& grid, const GridSet& set)
{
    for (const Vec2& cell : set.GetCells()) {
        OutlineCell(grid, static_cast<int32_t>(cell.x), static_cast<int32_t>(cell.y));
    }
}

// A set index as triggers and the cell painter hold it: null for -1, 9999
// or any other index past the table.
const GridSet* FindGridSet(int32_t index)
{
    return index >= 0 ? GridSetDatabase::GetInstance()->Get(static_cast<unsigned int>(index)) : nullptr;
}

void DrawEditingOutlines(const UniformGrid& grid)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GridSetDatabase* sets = GridSetDatabase::GetInstance();
    const unsigned int n = sets->GetCount();
    if (n > 0) {
        const float step = 1.0f / static_cast<float>(n);
        for (unsigned int i = 0; i < n; ++i) {
            const float g = static_cast<float>(i + 1) * step;
            glColor4f(g, g, g, 1.0f);
            glLineWidth(kOutlineWidth);
            OutlineSet(grid, *sets->Get(i));
        }
    }
    // The painter's set through its index: the table may have been cleared.
    const GridSet* target = FindGridSet(GetToolSet().GetCellPaintTool().GetSetIndex());
    if (target != nullptr) {
        glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
        glLineWidth(kOutlineWidth);
        OutlineSet(grid, *target);
    }
    glDisable(GL_BLEND);
}

void DrawUnfilledOutlines(const MorvoWorld& world, const UniformGrid& grid)
{
    const MorvoState& state = *world.GetStore()->GetCurrentState();
    for (const Trigger& trigger : world.GetTriggers().Entries()) {
        if (!trigger.visible || trigger.condition != FILLED_WHITE) {
            continue;
        }
        const GridSet* set = FindGridSet(trigger.gridSet);
        if (set == nullptr) {
            continue;
        }
        for (const Vec2& cell : set->GetCells()) {
            if (IsCellFilledWhite(grid, state, cell)) {
                continue;
            }
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
            glLineWidth(kFilledOutlineWidth);
            OutlineCell(grid, static_cast<int32_t>(cell.x), static_cast<int32_t>(cell.y));
        }
    }
}

// Under the cell-set flag the active range is handed here; nothing is drawn.
void HighlightCellRange(const UniformGrid&, const CellRect&, float)
{
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, kHighlightLift);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPopMatrix();
}

void DrawBounds(const MorvoWorld& world, const UniformGrid& grid)
{
    int32_t x0 = 0;
    int32_t x1 = 0;
    int32_t y0 = 0;
    int32_t y1 = 0;
    world.GetActiveCellRange(x0, x1, y0, y1);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor3f(1.0f, 1.0f, 0.0f);
    glLineWidth(kBoundsLineWidth);
    DrawCellLine(grid, x0, y0, x1, y0);
    DrawCellLine(grid, x0, y1, x1, y1);
    DrawCellLine(grid, x0, y0, x0, y1);
    DrawCellLine(grid, x1, y0, x1, y1);
}

}  // namespace

void ApplySimulationPlane()
{
    glTranslatef(0.0f, MorvoWorld::GetLayerHeight(0), 0.0f);
    glScalef(MorvoWorld::kWorldScale, MorvoWorld::kWorldScale, MorvoWorld::kWorldScale);
    glRotatef(kPlaneAngle, 1.0f, 0.0f, 0.0f);
}

GLUquadric* GetSharedQuadric()
{
    if (quadric == nullptr) {
        quadric = gluNewQuadric();
    }
    return quadric;
}

void RenderWorld(MorvoWorld* world)
{
    if (world == nullptr || world->GetGrid() == nullptr || world->GetStore() == nullptr) {
        return;
    }
    const UniformGrid& grid = *world->GetGrid();
    GetSharedQuadric();
    glPushAttrib(kAllAttributes);
    glDisable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glPushMatrix();

    CellRect active{0, 0, 0, 0};
    world->GetActiveCellRange(active.x0, active.x1, active.y0, active.y1);
    grid.ClampCellRect(active);

    ApplySimulationPlane();

    if (IsGridDrawOn()) {
        DrawWorldGrid(grid);
    }
    if (IsEditingEnabled()) {
        DrawBrushCircle(*world);
    }
    DrawCellOutlines(*world);
    if (IsCellSetDrawOn()) {
        HighlightCellRange(grid, active, kHighlightAlpha);
    }
    DrawRainStreaks(*world);
    DrawParticleSprites(*world);
    DrawMorvos(*world);
    if (world->GetMorvoAttractorFunc() != nullptr && IsCellSetDrawOn()) {
        DrawAttractorGizmo(*world);
    }
    if (IsBoundsDrawOn()) {
        DrawBounds(*world, grid);
    }
    glPopMatrix();
    glPopAttrib();
}

void DrawCellLine(const UniformGrid& grid, int32_t col0, int32_t row0, int32_t col1, int32_t row1)
{
    const Vec2 a = grid.GetCellCorner(col0, row0);
    const Vec2 b = grid.GetCellCorner(col1, row1);
    glBegin(GL_LINES);
    glVertex3f(a.x, a.y, 0.0f);
    glVertex3f(b.x, b.y, 0.0f);
    glEnd();
}

void DrawWorldGrid(const UniformGrid& grid)
{
    glLineWidth(1.0f);
    glColor3f(kGridColor.x, kGridColor.y, kGridColor.z);
    for (int32_t r = 0; r <= grid.GetHeight(); ++r) {
        DrawCellLine(grid, 0, r, grid.GetWidth(), r);
    }
    for (int32_t c = 0; c <= grid.GetWidth(); ++c) {
        DrawCellLine(grid, c, 0, c, grid.GetHeight());
    }
}

void DrawBrushCircle(const MorvoWorld& world)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineWidth(kBrushLineWidth);
    glColor4f(0.0f, 0.5f, 0.0f, 0.5f);
    const Vec2 boy = world.GetBoySimPosition();
    const double radius = GetToolSet().GetRadius();
    glPushMatrix();
    glTranslatef(boy.x, boy.y, 0.0f);
    gluQuadricDrawStyle(GetSharedQuadric(), GLU_LINE);
    gluDisk(GetSharedQuadric(), radius, radius, kCircleSlices, 1);
    glPopMatrix();
}

void DrawCellOutlines(const MorvoWorld& world)
{
    const UniformGrid* grid = world.GetGrid();
    if (grid == nullptr || world.GetStore() == nullptr) {
        return;
    }
    if (IsEditingEnabled()) {
        DrawEditingOutlines(*grid);
    } else {
        DrawUnfilledOutlines(world, *grid);
    }
}

void DrawRainStreaks(const MorvoWorld& world)
{
    const RainSystem* rain = world.GetRain();
    if (rain == nullptr || !rain->IsInitialised()) {
        return;
    }
    const ParticlePool<RainDrop>& drops = rain->GetDrops();
    const RainDrop* records = drops.Records();
    rainVertices.clear();
    for (int32_t i = 0; i < drops.GetSize(); ++i) {
        const RainDrop& drop = records[i];
        if (drop.active == 0) {
            continue;
        }
        const Vec3& p = drop.position;
        const float tail = p.z + kRainStreakPerSpeed * std::fabs(drop.verticalSpeed);
        rainVertices.insert(rainVertices.end(), {p.x, p.y, p.z, p.x, p.y, tail});
    }
    if (rainVertices.empty()) {
        return;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.8f, 0.8f, 0.8f, 0.5f);
    glLineWidth(kRainLineWidth);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, rainVertices.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(rainVertices.size() / 3));
    glDisableClientState(GL_VERTEX_ARRAY);
}

void DrawMorvos(MorvoWorld& world)
{
    switch (GetRenderMode()) {
        case kRenderModePoints:
            DrawMorvoPoints(world);
            break;
        case kRenderModeDisks:
            DrawMorvoDisks(world);
            break;
        case kRenderModeGlow:
            CollectMorvoBillboards(world);
            break;
        default:
            break;
    }
}

void DrawMorvoPoints(const MorvoWorld& world)
{
    const MorvoState& state = *world.GetStore()->GetCurrentState();
    const MorvoRecord* records = state.Records();
    glColor3f(1.0f, 1.0f, 1.0f);
    glPointSize(kPointSize);
    glBegin(GL_POINTS);
    for (int32_t i = 0; i < state.GetSize(); ++i) {
        const MorvoRecord& morvo = records[i];
        if (morvo.active == 0) {
            continue;
        }
        const Vec3& color = MorvoClassColor(morvo.color);
        glColor3f(color.x, color.y, color.z);
        glVertex2f(morvo.position.x, morvo.position.y);
    }
    glEnd();
}

void DrawMorvoDisks(const MorvoWorld& world)
{
    const MorvoLJFunc* pairForce = world.GetMorvoLJFunc();
    const float r = (pairForce != nullptr ? pairForce->GetBodyRadius() : kBaseBodyRadius) * kDiskSizeFactor;
    const float o = kDiskOffset * r;
    GLUquadric* disk = GetSharedQuadric();
    gluQuadricDrawStyle(disk, GLU_FILL);
    const MorvoState& state = *world.GetStore()->GetCurrentState();
    const MorvoRecord* records = state.Records();
    for (int32_t i = 0; i < state.GetSize(); ++i) {
        const MorvoRecord& morvo = records[i];
        if (morvo.active == 0) {
            continue;
        }
        const Vec3& color = MorvoClassColor(morvo.color);
        const Vec3 shade = color * kDiskShadeFactor;
        glPushMatrix();
        glColor3f(shade.x, shade.y, shade.z);
        glTranslatef(morvo.position.x, morvo.position.y, 0.0f);
        gluDisk(disk, 0.0, r, kDiskSlices, 1);
        glColor3f(color.x, color.y, color.z);
        glTranslatef(-o, o, kDiskHighlightLift);
        gluDisk(disk, 0.0, kDiskHighlightSize * r, kDiskSlices, 1);
        glPopMatrix();
    }
}

void DrawAttractorGizmo(const MorvoWorld& world)
{
    const AttractorBase* attractor = world.GetMorvoAttractorFunc();
    if (attractor == nullptr || !attractor->IsEnabled()) {
        return;
    }
    const float size = attractor->GetSize();
    const Vec2 c = attractor->GetCenter();
    GLUquadric* circle = GetSharedQuadric();
    glLineWidth(1.0f);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glTranslatef(c.x, c.y, 0.0f);
    gluQuadricDrawStyle(circle, GLU_LINE);
    gluDisk(circle, size, size, kCircleSlices, 1);
    glColor4f(1.0f, 1.0f, 1.0f, kGizmoRingAlpha);
    gluDisk(circle, attractor->GetRadius(), attractor->GetRadius(), kCircleSlices, 1);
    const float a = kGizmoArrowLength * size;
    const float b = kGizmoArrowGap * size;
    for (int k = 0; k < 4; ++k) {
        glRotatef(static_cast<float>(k) * 90.0f, 0.0f, 0.0f, 1.0f);
        glBegin(GL_LINE_LOOP);
        glVertex2f(0.0f, a / 4.0f + b);
        glVertex2f(-a / 4.0f, a / 2.0f + b);
        glVertex2f(-a / 8.0f, a / 2.0f + b);
        glVertex2f(-a / 8.0f, 3.0f * a / 4.0f + b);
        glVertex2f(a / 8.0f, 3.0f * a / 4.0f + b);
        glVertex2f(a / 8.0f, a / 2.0f + b);
        glVertex2f(a / 4.0f, a / 2.0f + b);
        glEnd();
    }
    glPopMatrix();
}
