// BSPNode: one node of a BSP tree over a static model. Interior nodes hold
// the plane that cut their model (taken from one of its own triangles);
// leaves hold their piece as a model of the model manager, with a random
// debug colour. Built, drawn front to back, counted, saved and read by
// the BSPTree that owns the root.
#pragma once

#include "color.h"
#include "plane.h"

#include <cstdint>
#include <cstdio>
#include <memory>

class Camera;
class Mesh;
class Model;
struct Face;

// Half the per-axis extent of one triangle of a group together with the
// origin: its box always holds (0, 0, 0). A corner index outside the
// group's vertex list counts as the origin. Nothing in the tree calls it.
Vec3 TriangleHalfExtent(const Mesh& group, const Face& face);

class BSPNode {
public:
    BSPNode() = default;
    explicit BSPNode(std::unique_ptr<Plane> nodePlane);
    // Deletes the subtrees and gives the leaf model back to the model manager.
    ~BSPNode();
    BSPNode(const BSPNode&) = delete;
    BSPNode& operator=(const BSPNode&) = delete;

    // Cuts a model of more than limit triangles by ChoosePlane and builds
    // both non-empty halves below; otherwise the model becomes this leaf.
    // The model is consumed. A model whose cut leaves one half empty and the
    // other no smaller, a model without a usable plane, and a node at the
    // depth limit are leaves.
    void Build(Model* model, int limit, int depth, int& counter);
    // The plane of the first triangle whose plane has the most even share of
    // vertices on either side; null when every triangle has zero area.
    std::unique_ptr<Plane> ChoosePlane(const Model* model) const;
    // Percentage of the model's vertex entries strictly in front of the plane.
    float PercentInFront(const Plane& candidate, const Model* model) const;

    // One record per node, in pre-order; leaf models as "<base>_<n>.obj".
    void Save(FILE* file, const char* base, int& counter) const;
    // Reads this node's record and its subtrees; false when the file nests
    // deeper than the depth limit (what was read stays).
    bool Load(FILE* file, int depth);

    // Draws the leaves inside the camera's frustum, the camera's side of
    // every plane first; returns the number of triangles drawn. The four
    // values are only passed on.
    int Render(uint32_t a, uint32_t b, uint32_t c, uint32_t d, int mode, const Camera* camera);
    // Triangles in all leaves.
    int Count() const;

    const Plane* GetPlane() const { return plane.get(); }
    Model* GetLeafModel() const { return leafModel; }
    const BSPNode* GetFront() const { return front.get(); }
    const BSPNode* GetBack() const { return back.get(); }
    const BSPNode* GetParent() const { return parent; }
    const Color* GetColour() const { return colour.get(); }

private:
    void MakeLeaf(Model* model);

    std::unique_ptr<Plane> plane;
    Model* leafModel = nullptr;  // held through the model manager
    std::unique_ptr<BSPNode> front;
    std::unique_ptr<BSPNode> back;
    BSPNode* parent = nullptr;
    std::unique_ptr<Color> colour;
};
