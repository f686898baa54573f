// BSP nodes: building, choosing planes, files and drawing; see bspnode.h.
#include "bspnode.h"

#include "camera.h"
#include "debuglog.h"
#include "gfxcomponent.h"
#include "face.h"
#include "gfxmanagers.h"
#include "mathutil.h"
#include "mesh.h"
#include "model.h"
#include "modelmanager.h"
#include "partitionleaf.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float kEvenSplitPercent = 50.0f;
constexpr int kFileFieldCount = 4;

Vec3 ToVec3(const GfxVec3& p)
{
    return Vec3(p.x, p.y, p.z);
}

bool IsFinite(const Plane& p)
{
    return std::isfinite(p.normal.x) && std::isfinite(p.normal.y) && std::isfinite(p.normal.z) && std::isfinite(p.d);
}

}  // namespace

Vec3 TriangleHalfExtent(const Mesh& group, const Face& face)
{
    Vec3 lo(0.0f, 0.0f, 0.0f);
    Vec3 hi(0.0f, 0.0f, 0.0f);
    const auto& vertices = group.GetVertices();
    for (int corner : face.vertex) {
        if (corner < 0 || static_cast<size_t>(corner) >= vertices.size())
            continue;
        const Vec3 p = ToVec3(vertices[static_cast<size_t>(corner)]);
        lo = Vec3(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
        hi = Vec3(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
    }
    return (hi - lo) * 0.5f;
}

BSPNode::BSPNode(std::unique_ptr<Plane> nodePlane)
    : plane(std::move(nodePlane))
{}

BSPNode::~BSPNode()
{
    if (leafModel)
        if (ModelManager* models = GfxModelManager())
            models->Remove(leafModel);
}

void BSPNode::MakeLeaf(Model* model)
{
    leafModel = model;
    colour = std::make_unique<Color>(RandomColor());
}

void BSPNode::Build(Model* model, int limit, int depth, int& counter)
{
    ++counter;
    if (!GfxComponent::FindInstance()) {
        DebugLog("BSPNode: The graphics component is not initalized.\n");
        return;
    }
    if (!model)
        return;
    const int triangles = model->GetTriangleCount();
    if (triangles <= limit) {
        MakeLeaf(model);
        return;
    }
    if (depth >= kMaxPartitionDepth) {
        DebugLog("BSPNode: depth %d reached; a leaf keeps %d triangles\n", depth, triangles);
        MakeLeaf(model);
        return;
    }
    std::unique_ptr<Plane> chosen = ChoosePlane(model);
    if (!chosen) {
        MakeLeaf(model);
        return;
    }
    ModelManager* models = GfxModelManager();
    Model* frontHalf = models->CreateEmpty();
    Model* backHalf = models->CreateEmpty();
    model->Split(*chosen, frontHalf, backHalf);
    const int inFront = frontHalf->GetTriangleCount();
    const int behind = backHalf->GetTriangleCount();
    // A cut that leaves everything on one side would repeat for ever.
    if ((inFront == 0 && behind >= triangles) || (behind == 0 && inFront >= triangles)) {
        models->Remove(frontHalf);
        models->Remove(backHalf);
        MakeLeaf(model);
        return;
    }
    plane = std::move(chosen);
    models->Remove(model);
    // Each non-empty half is built below; an empty one goes back.
    auto buildSide = [&](std::unique_ptr<BSPNode>& side, Model* half) {
        if (half->GetTriangleCount() == 0) {
            models->Remove(half);
            return;
        }
        side = std::make_unique<BSPNode>();
        side->parent = this;
        side->Build(half, limit, depth + 1, counter);
    };
    buildSide(front, frontHalf);
    buildSide(back, backHalf);
}

std::unique_ptr<Plane> BSPNode::ChoosePlane(const Model* model) const
{
    std::unique_ptr<Plane> best;
    int bestScore = 0;
    for (const auto& group : model->GetMeshes()) {
        const auto& vertices = group->GetVertices();
        for (const Face& face : group->GetFaces()) {
            bool inRange = true;
            for (int corner = 0; corner < 3; ++corner)
                inRange =
                    inRange && face.vertex[corner] >= 0 && static_cast<size_t>(face.vertex[corner]) < vertices.size();
            if (!inRange)
                continue;
            const Vec3 a = ToVec3(vertices[static_cast<size_t>(face.vertex[0])]);
            const Vec3 b = ToVec3(vertices[static_cast<size_t>(face.vertex[1])]);
            const Vec3 c = ToVec3(vertices[static_cast<size_t>(face.vertex[2])]);
            const Vec3 normal = (c - b).Cross(b - a);
            // A triangle of zero area has no plane.
            if (normal.Length() == 0.0f)
                continue;
            auto candidate = std::make_unique<Plane>(normal.x, normal.y, normal.z, -normal.Dot(a));
            if (!IsFinite(*candidate))
                continue;
            const int score = std::abs(static_cast<int>(kEvenSplitPercent - PercentInFront(*candidate, model)));
            if (!best || score < bestScore) {
                best = std::move(candidate);
                bestScore = score;
            }
        }
    }
    return best;
}

float BSPNode::PercentInFront(const Plane& candidate, const Model* model) const
{
    long long total = 0;
    long long inFront = 0;
    for (const auto& group : model->GetMeshes()) {
        for (const GfxVec3& p : group->GetVertices()) {
            ++total;
            if (candidate.IsInFront(p))
                ++inFront;
        }
    }
    if (total == 0)
        return 0.0f;
    return static_cast<float>(inFront) / static_cast<float>(total) * 100.0f;
}

void BSPNode::Save(FILE* file, const char* base, int& counter) const
{
    if (plane)
        std::fprintf(file, "p %f %f %f %f\n", plane->normal.x, plane->normal.y, plane->normal.z, plane->d);
    if (leafModel)
        SaveLeaf(file, base, counter, leafModel);
    std::fputs(front ? "f\n" : "n\n", file);
    std::fputs(back ? "b\n" : "n\n", file);
    if (front)
        front->Save(file, base, counter);
    if (back)
        back->Save(file, base, counter);
}

bool BSPNode::Load(FILE* file, int depth)
{
    if (depth > kMaxPartitionDepth) {
        DebugLog("BSPNode: the file nests deeper than %d nodes; the rest is not read\n", kMaxPartitionDepth);
        return false;
    }
    int c = std::fgetc(file);
    if (c == 'p') {
        Vec3 normal;
        float d = 0.0f;
        if (std::fscanf(file, "%f %f %f %f", &normal.x, &normal.y, &normal.z, &d) != kFileFieldCount)
            DebugLog("BSPNode: a plane line without its four numbers\n");
        plane = std::make_unique<Plane>(normal, d);
        std::fgetc(file);
        c = std::fgetc(file);
    }
    if (c == 't') {
        LoadLeaf(file, leafModel, colour);
        std::fgetc(file);
        c = std::fgetc(file);
    }
    if (c == 'f') {
        front = std::make_unique<BSPNode>();
        front->parent = this;
        std::fgetc(file);
        c = std::fgetc(file);
    } else if (c == 'n') {
        std::fgetc(file);
        c = std::fgetc(file);
    }
    if (c == 'b') {
        back = std::make_unique<BSPNode>();
        back->parent = this;
        std::fgetc(file);
    } else if (c == 'n') {
        std::fgetc(file);
    }
    if (front && !front->Load(file, depth + 1))
        return false;
    if (back && !back->Load(file, depth + 1))
        return false;
    return true;
}

int BSPNode::Render(uint32_t a, uint32_t b, uint32_t c, uint32_t d, int mode, const Camera* camera)
{
    if (!camera)
        return 0;
    int drawn = 0;
    const bool cameraInFront = plane && plane->IsInFront(camera->GetPosition());
    BSPNode* nearSide = cameraInFront ? front.get() : back.get();
    BSPNode* farSide = cameraInFront ? back.get() : front.get();
    if (plane && nearSide)
        drawn += nearSide->Render(a, b, c, d, mode, camera);
    if (leafModel && colour)
        drawn += RenderLeaf(leafModel, *colour, mode, *camera, true);
    if (plane && farSide)
        drawn += farSide->Render(a, b, c, d, mode, camera);
    return drawn;
}

int BSPNode::Count() const
{
    int count = leafModel ? leafModel->GetTriangleCount() : 0;
    if (front)
        count += front->Count();
    if (back)
        count += back->Count();
    return count;
}
