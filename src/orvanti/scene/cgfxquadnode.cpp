// Quad-tree nodes: building, files and drawing; see cgfxquadnode.h.
#include "cgfxquadnode.h"

#include "camera.h"
#include "debuglog.h"
#include "gfxcomponent.h"
#include "gfxmanagers.h"
#include "mathutil.h"
#include "model.h"
#include "modelmanager.h"
#include "partitionleaf.h"
#include "plane.h"

#include <algorithm>
#include <array>

namespace {

using Quadrants = std::array<Model*, CGfxQuadNode::kChildCount>;

// The box of the model's vertices alone (the model's bounds also hold the origin).
struct Extent {
    GfxVec3 lo;
    GfxVec3 hi;
    bool operator==(const Extent& o) const { return lo == o.lo && hi == o.hi; }
};

Extent TrueExtent(const Model& model)
{
    Extent e;
    bool first = true;
    for (const auto& group : model.GetMeshes()) {
        for (const GfxVec3& v : group->GetVertices()) {
            if (first) {
                e.lo = e.hi = v;
                first = false;
                continue;
            }
            e.lo = GfxVec3(std::min(e.lo.x, v.x), std::min(e.lo.y, v.y), std::min(e.lo.z, v.z));
            e.hi = GfxVec3(std::max(e.hi.x, v.x), std::max(e.hi.y, v.y), std::max(e.hi.z, v.z));
        }
    }
    return e;
}

// Cuts by z, then each half by x, into four new models of the model manager.
Quadrants SplitIntoQuadrants(const Model& model, const GfxVec3& middle)
{
    ModelManager* models = GfxModelManager();
    const Plane zPlane(0.0f, 0.0f, 1.0f, -middle.z);
    const Plane xPlane(1.0f, 0.0f, 0.0f, -middle.x);
    Model frontHalf;
    Model backHalf;
    Quadrants q;
    for (Model*& quadrant : q)
        quadrant = models->CreateEmpty();
    model.Split(zPlane, &frontHalf, &backHalf);
    backHalf.Split(xPlane, q[1], q[0]);
    frontHalf.Split(xPlane, q[2], q[3]);
    return q;
}

// A quadrant that holds as many triangles as the model over the same
// extent would be cut the same way again, for ever.
bool Repeats(const Quadrants& q, const Model& model)
{
    const Extent whole = TrueExtent(model);
    for (const Model* quadrant : q)
        if (quadrant->GetTriangleCount() >= model.GetTriangleCount() && TrueExtent(*quadrant) == whole)
            return true;
    return false;
}

void GiveBack(const Quadrants& q)
{
    for (Model* quadrant : q)
        GfxModelManager()->Remove(quadrant);
}

}  // namespace

CGfxQuadNode::~CGfxQuadNode()
{
    if (leafModel)
        if (ModelManager* models = GfxModelManager())
            models->Remove(leafModel);
}

void CGfxQuadNode::MakeLeaf(Model* model)
{
    leafModel = model;
    colour = std::make_unique<Color>(RandomColor());
}

std::unique_ptr<CGfxQuadNode>& CGfxQuadNode::NewChild(int k)
{
    children[k] = std::make_unique<CGfxQuadNode>();
    children[k]->parent = this;
    return children[k];
}

void CGfxQuadNode::Build(Model* model, int limit, int depth, int& counter)
{
    ++counter;
    if (!GfxComponent::FindInstance()) {
        DebugLog("CGfxQuadNode: The graphics component is not initalized.\n");
        return;
    }
    if (!model)
        return;
    if (model->GetTriangleCount() <= limit) {
        MakeLeaf(model);
        return;
    }
    if (depth >= kMaxPartitionDepth) {
        DebugLog("CGfxQuadNode: depth %d reached; a leaf keeps %d triangles\n", depth, model->GetTriangleCount());
        MakeLeaf(model);
        return;
    }
    min = model->ComputeBoundsMin();
    max = model->ComputeBoundsMax();
    Quadrants q = SplitIntoQuadrants(*model, model->GetCenter());
    if (Repeats(q, *model)) {
        GiveBack(q);
        const Extent extent = TrueExtent(*model);
        const GfxVec3 middle((extent.lo.x + extent.hi.x) / 2.0f, (extent.lo.y + extent.hi.y) / 2.0f,
                             (extent.lo.z + extent.hi.z) / 2.0f);
        q = SplitIntoQuadrants(*model, middle);
        if (Repeats(q, *model)) {
            GiveBack(q);
            MakeLeaf(model);
            return;
        }
    }
    GfxModelManager()->Remove(model);
    for (int k = 0; k < kChildCount; ++k) {
        if (q[k]->GetTriangleCount() > 0)
            NewChild(k)->Build(q[k], limit, depth + 1, counter);
        else
            GfxModelManager()->Remove(q[k]);
    }
}

void CGfxQuadNode::Save(FILE* file, const char* base, int& counter) const
{
    if (leafModel)
        SaveLeaf(file, base, counter, leafModel);
    for (int k = 0; k < kChildCount; ++k) {
        if (children[k])
            std::fprintf(file, "q%d\n", k);
        else
            std::fputs("n\n", file);
    }
    for (const auto& child : children)
        if (child)
            child->Save(file, base, counter);
}

bool CGfxQuadNode::Load(FILE* file, int depth)
{
    if (depth > kMaxPartitionDepth) {
        DebugLog("CGfxQuadNode: the file nests deeper than %d nodes; the rest is not read\n", kMaxPartitionDepth);
        return false;
    }
    int c = std::fgetc(file);
    if (c == 't') {
        LoadLeaf(file, leafModel, colour);
        std::fgetc(file);
        c = std::fgetc(file);
    }
    for (int line = 0; line < kChildCount; ++line) {
        if (c == 'n') {
            std::fgetc(file);
        } else if (c == 'q') {
            const int digit = std::fgetc(file);
            if (digit >= '0' && digit < '0' + kChildCount)
                NewChild(digit - '0');
            else
                DebugLog("CGfxQuadNode: a child line with the digit %d is ignored\n", digit);
            std::fgetc(file);
        }
        c = std::fgetc(file);
    }
    std::ungetc(c, file);
    for (auto& child : children)
        if (child && !child->Load(file, depth + 1))
            return false;
    return true;
}

int CGfxQuadNode::Render(uint32_t a, uint32_t b, uint32_t c, uint32_t d, int mode, const Camera* camera)
{
    if (!camera)
        return 0;
    int drawn = 0;
    for (auto& child : children)
        if (child)
            drawn += child->Render(a, b, c, d, mode, camera);
    if (leafModel && colour)
        drawn += RenderLeaf(leafModel, *colour, mode, *camera, false);
    return drawn;
}

int CGfxQuadNode::Count() const
{
    int count = leafModel ? leafModel->GetTriangleCount() : 0;
    for (const auto& child : children)
        if (child)
            count += child->Count();
    return count;
}
