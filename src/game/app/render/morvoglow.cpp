// Glow billboards of render mode 2; see morvoglow.h.
#include "morvoglow.h"

#include "animatedmaterial.h"
#include "debugbreak.h"
#include "editingflag.h"
#include "model.h"
#include "quadbatch.h"
#include "morvoworld.h"
#include "random15.h"
#include "texture.h"
#include "textureatlas.h"
#include "uniformgrid.h"

#include <GL/glew.h>

#include <algorithm>

namespace {

constexpr int kLightningScaleSteps = 100;
constexpr float kLightningScaleUnit = 0.01f;
constexpr GLenum kTriangles = GL_TRIANGLES;

// Emptied and refilled every frame of render mode 2; lives for the whole run.
std::vector<MorvoRecord*> billboards;
// The gathered morvos with their sort keys, kept between frames.
struct Keyed {
    float key;
    MorvoRecord* morvo;
};
std::vector<Keyed> keyed;

// The glow quads of a frame, the morvo pictures in one texture, and the
// bolts to draw between the quads' runs.
QuadBatch glowQuads;
TextureAtlas glowAtlas;
struct BoltAt {
    int run;  // drawn before this run of glowQuads
    MorvoRecord* morvo;
    int32_t kind;
};
std::vector<BoltAt> bolts;

GlowDrawer glowDrawer = nullptr;

bool InBounds(const MorvoRecord& morvo, const CellRect& bounds)
{
    return morvo.cellX >= bounds.x0 && morvo.cellX <= bounds.x1 && morvo.cellY >= bounds.y0 && morvo.cellY <= bounds.y1;
}

// The lightning model a morvo draws (0, 1 or 2), or -1 for none.
int32_t BoltKind(const MorvoRecord& morvo, const CellRect& bounds)
{
    const int32_t kind = morvo.GetLightning();
    if (kind < 0 || kind >= MorvoWorld::kLightningModelCount || !InBounds(morvo, bounds)) {
        return -1;
    }
    return kind;
}

// A bolt model stretched by a random length, in the bolt's current frame.
void DrawLightning(MorvoRecord& morvo, MorvoWorld& world, int32_t kind)
{
    glPushMatrix();
    glTranslatef(morvo.position.x, morvo.position.y, 0.0f);
    glPushMatrix();
    Matrix4 m;
    glGetFloatv(GL_MODELVIEW_MATRIX, m.m);
    const float s = static_cast<float>(Rand15() % kLightningScaleSteps) * kLightningScaleUnit * MorvoWorld::kWorldScale;
    m.m[0] = s;
    m.m[1] = 0.0f;
    m.m[2] = 0.0f;
    m.m[4] = 0.0f;
    m.m[5] = 0.0f;
    m.m[6] = s;
    glLoadIdentity();
    glMultMatrixf(m.m);
    const int32_t frame = morvo.UpdateLightningFrame();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    AnimatedMaterial* bolt = world.GetLightningBoltAnimation();
    if (bolt != nullptr) {
        bolt->SetFrame(frame);
        bolt->Bind();
    } else {
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    const std::vector<Model*>& models = world.GetLightningModels();
    if (static_cast<size_t>(kind) < models.size() && models[kind] != nullptr) {
        models[kind]->RenderGeometry(kTriangles);
    }
    glPopMatrix();
    glPopMatrix();
}

// Index of a layer's picture in the morvo texture list of `count` entries.
int32_t LayerPicture(int32_t count, int32_t first, int layer)
{
    return ((first + layer) % count + count) % count;
}

}  // namespace

void GatherMorvoBillboards(MorvoState& state, const BillboardView& view, Vec2 direction2D, bool editing,
                           std::vector<MorvoRecord*>& list)
{
    const FarthestFirst<Vec2> farther(direction2D);
    keyed.clear();
    // Through the read-only view, so the store's search for a free record
    // stays where it is; the records themselves are the store's own.
    const MorvoRecord* records = state.Records();
    const int32_t count = state.GetSize();
    for (int32_t i = 0; i < count; ++i) {
        const MorvoRecord& morvo = records[i];
        if (morvo.active == 0) {
            continue;
        }
        const float depth = BillboardDepth(view, MorvoWorld::SimToWorld(morvo.position, 0));
        if (depth < 0.0f) {
            continue;
        }
        if (!editing && depth >= kBillboardFarDepth && !IsPureColor(morvo.color)) {
            continue;
        }
        keyed.push_back(Keyed{farther.Key(morvo.position), const_cast<MorvoRecord*>(&morvo)});
    }
    // Records lie in store order, so the address breaks ties as a stable sort would.
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.key > b.key || (a.key == b.key && a.morvo < b.morvo);
    });
    list.clear();
    for (const Keyed& k : keyed) {
        list.push_back(k.morvo);
    }
}

void CollectMorvoBillboards(MorvoWorld& world)
{
    OrbitCamera* camera = world.GetCamera();
    MorvoStore* store = world.GetStore();
    if (camera == nullptr || store == nullptr) {
        DEBUG_BREAK("CollectMorvoBillboards without a camera");
        return;
    }
    MorvoState& state = *store->GetCurrentState();
    billboards.reserve(static_cast<size_t>(state.GetSize()));
    GatherMorvoBillboards(state, GetBillboardView(*camera), world.GetCameraDirection2D(), IsEditingEnabled(),
                          billboards);
    (glowDrawer != nullptr ? glowDrawer : DrawMorvoGlow)(billboards, world);
}

void DrawMorvoGlow(const std::vector<MorvoRecord*>& list, MorvoWorld& world)
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const Matrix4 billboard = ReadBillboardMatrix();
    const CellRect bounds = world.GetActiveBounds();
    const std::vector<Texture*>& textures = world.GetMorvoTextures();
    const int32_t pictures = static_cast<int32_t>(textures.size());
    const bool atlas = glowAtlas.Update(textures);
    glowQuads.Clear();
    glowQuads.ReadScreen();
    glowQuads.SetAxes(billboard.GetRight(), billboard.GetUp());
    bolts.clear();
    for (MorvoRecord* morvo : list) {
        const int32_t kind = BoltKind(*morvo, bounds);
        if (kind >= 0) {
            glowQuads.Break();
            bolts.push_back(BoltAt{glowQuads.RunCount(), morvo, kind});
        }
        ForEachGlowLayer(morvo->power, morvo->color, [&](const GlowLayer& layer) {
            GLuint texture = 0;
            UvRect uv;
            UvRect part;
            if (pictures > 0) {
                const int32_t picture = LayerPicture(pictures, morvo->textureIndex, layer.index);
                if (atlas) {
                    texture = glowAtlas.GetTexture();
                    uv = glowAtlas.GetRect(static_cast<size_t>(picture));
                    part = glowAtlas.GetVisiblePart(static_cast<size_t>(picture));
                } else if (textures[picture] != nullptr) {
                    texture = textures[picture]->GetGLTextureId();
                }
            }
            glowQuads.Add(layer.additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA, texture,
                          Vec3(morvo->position.x, morvo->position.y, layer.lift), kGlowHalfSize * layer.scale, uv,
                          QuadColor{layer.color.x, layer.color.y, layer.color.z, layer.alpha}, part);
        });
    }
    int drawn = 0;
    for (const BoltAt& bolt : bolts) {
        glowQuads.Draw(drawn, bolt.run, QuadBatch::Shading::kFlat);
        drawn = bolt.run;
        DrawLightning(*bolt.morvo, world, bolt.kind);
    }
    glowQuads.Draw(drawn, glowQuads.RunCount(), QuadBatch::Shading::kFlat);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void SetGlowDrawer(GlowDrawer drawer)
{
    glowDrawer = drawer;
}

int GetGlowDrawCount()
{
    return glowQuads.RunCount() + static_cast<int>(bolts.size());
}

const std::vector<MorvoRecord*>& GetMorvoBillboards()
{
    return billboards;
}
