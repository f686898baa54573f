// CGfxQuadNode: one node of a quad tree over a static model in the x/z
// plane. Interior nodes keep the box of the model they cut into four
// quadrants; leaves keep their piece as a model of the model manager with
// a random debug colour. Built, drawn, counted, saved and read by the
// QuadTree that owns the root.
#pragma once

#include "color.h"
#include "gfxvec3.h"

#include <cstdint>
#include <cstdio>
#include <memory>

class Camera;
class Model;

class CGfxQuadNode {
public:
    static constexpr int kChildCount = 4;

    CGfxQuadNode() = default;
    // Deletes the subtrees and gives the leaf model back to the model manager.
    ~CGfxQuadNode();
    CGfxQuadNode(const CGfxQuadNode&) = delete;
    CGfxQuadNode& operator=(const CGfxQuadNode&) = delete;

    // Cuts a model of more than limit triangles at the middle of its box
    // (child 0: x < mx, z < mz; 1: x > mx, z < mz; 2: x > mx, z > mz;
    // 3: x < mx, z > mz) and builds the non-empty quadrants below;
    // otherwise the model becomes this leaf. The model is consumed. When a
    // quadrant would repeat this node (as much as all of it, over the same
    // extent), the cut is made at the middle of the model's own extent
    // instead, and when that repeats too, or at the depth limit, the model
    // is a leaf.
    void Build(Model* model, int limit, int depth, int& counter);

    // One record per node, in pre-order; leaf models as "<base>_<n>.obj".
    void Save(FILE* file, const char* base, int& counter) const;
    // Reads this node's record and its subtrees; false when the file nests
    // deeper than the depth limit (what was read stays). A child line with
    // a digit outside 0 to 3 is ignored with a log line.
    bool Load(FILE* file, int depth);

    // Draws the leaves inside the camera's frustum; the number of triangles
    // drawn. The four values are only passed on.
    int Render(uint32_t a, uint32_t b, uint32_t c, uint32_t d, int mode, const Camera* camera);
    int Count() const;

    const GfxVec3& GetMin() const { return min; }
    const GfxVec3& GetMax() const { return max; }
    Model* GetLeafModel() const { return leafModel; }
    const CGfxQuadNode* GetChild(int k) const { return children[k].get(); }
    const CGfxQuadNode* GetParent() const { return parent; }
    const Color* GetColour() const { return colour.get(); }

private:
    void MakeLeaf(Model* model);
    std::unique_ptr<CGfxQuadNode>& NewChild(int k);

    GfxVec3 min;
    GfxVec3 max;
    Model* leafModel = nullptr;  // held through the model manager
    std::unique_ptr<CGfxQuadNode> children[kChildCount];
    CGfxQuadNode* parent = nullptr;
    std::unique_ptr<Color> colour;
};
