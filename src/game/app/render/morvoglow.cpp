// Glow billboards of render mode 2; see morvoglow.h.
#include "morvoglow.h"

#include "animatedmaterial.h"
#include "debugbreak.h"
#include "editingflag.h"
#include "model.h"
#include "morvoworld.h"
#include "random15.h"
#include "texture.h"
#include "uniformgrid.h"

#include <GL/glew.h>

#include <algorithm>

namespace {

constexpr int kLightningScaleSteps = 100;
constexpr float kLightningScaleUnit = 0.01f;
constexpr GLenum kTriangles = GL_TRIANGLES;

// Emptied and refilled every frame of render mode 2; lives for the whole run.
std::vector<MorvoRecord*> billboards;

// Binds and blend functions of one pass, set only when they change.
class GlowState {
public:
    void Blend(GLenum destination)
    {
        if (destination != blend_) {
            glBlendFunc(GL_SRC_ALPHA, destination);
            blend_ = destination;
        }
    }
    void Texture(GLuint name)
    {
        if (name != texture_) {
            glBindTexture(GL_TEXTURE_2D, name);
            texture_ = name;
        }
    }
    // After drawing that binds on its own.
    void ForgetTexture() { texture_ = kUnknown; }

private:
    static constexpr GLuint kUnknown = ~0u;
    GLenum blend_ = GL_ONE_MINUS_SRC_ALPHA;
    GLuint texture_ = kUnknown;
};

bool InBounds(const MorvoRecord& morvo, const CellRect& bounds)
{
    return morvo.cellX >= bounds.x0 && morvo.cellX <= bounds.x1 && morvo.cellY >= bounds.y0 && morvo.cellY <= bounds.y1;
}

// A bolt model stretched by a random length, in the bolt's current frame.
void DrawLightning(MorvoRecord& morvo, MorvoWorld& world, const CellRect& bounds, GlowState& state)
{
    const int32_t kind = morvo.GetLightning();
    if (kind < 0 || kind >= MorvoWorld::kLightningModelCount || !InBounds(morvo, bounds)) {
        return;
    }
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
    state.Blend(GL_ONE);
    AnimatedMaterial* bolt = world.GetLightningBoltAnimation();
    if (bolt != nullptr) {
        bolt->SetFrame(frame);
        bolt->Bind();
        state.ForgetTexture();
    } else {
        state.Texture(0);
    }
    const std::vector<Model*>& models = world.GetLightningModels();
    if (static_cast<size_t>(kind) < models.size() && models[kind] != nullptr) {
        models[kind]->RenderGeometry(kTriangles);
    }
    glPopMatrix();
    glPopMatrix();
}

GLuint LayerTexture(const std::vector<Texture*>& textures, int32_t first, int layer)
{
    const int32_t count = static_cast<int32_t>(textures.size());
    if (count == 0) {
        return 0;
    }
    const int32_t index = ((first + layer) % count + count) % count;
    return textures[index] != nullptr ? textures[index]->GetGLTextureId() : 0;
}

}  // namespace

void GatherMorvoBillboards(MorvoState& state, const BillboardView& view, Vec2 direction2D, bool editing,
                           std::vector<MorvoRecord*>& list)
{
    list.clear();
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
        list.push_back(const_cast<MorvoRecord*>(&morvo));
    }
    const FarthestFirst<Vec2> farther(direction2D);
    // Records lie in store order, so the address breaks ties as a stable sort would.
    std::sort(list.begin(), list.end(), [&farther](const MorvoRecord* a, const MorvoRecord* b) {
        const float ka = farther.Key(a->position);
        const float kb = farther.Key(b->position);
        return ka > kb || (ka == kb && a < b);
    });
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
    DrawMorvoGlow(billboards, world);
}

void DrawMorvoGlow(const std::vector<MorvoRecord*>& list, MorvoWorld& world)
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GlowState state;
    const Matrix4 billboard = ReadBillboardMatrix();
    const CellRect bounds = world.GetActiveBounds();
    const std::vector<Texture*>& textures = world.GetMorvoTextures();
    for (MorvoRecord* morvo : list) {
        DrawLightning(*morvo, world, bounds, state);
        ForEachGlowLayer(morvo->power, morvo->color, [&](const GlowLayer& layer) {
            glPushMatrix();
            glTranslatef(morvo->position.x, morvo->position.y, layer.lift);
            glMultMatrixf(billboard.m);
            state.Blend(layer.additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
            glColor4f(layer.color.x, layer.color.y, layer.color.z, layer.alpha);
            if (layer.scale != 1.0f) {
                glScalef(layer.scale, layer.scale, layer.scale);
            }
            state.Texture(LayerTexture(textures, morvo->textureIndex, layer.index));
            DrawBillboardQuad(kGlowHalfSize);
            glPopMatrix();
        });
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

const std::vector<MorvoRecord*>& GetMorvoBillboards()
{
    return billboards;
}
