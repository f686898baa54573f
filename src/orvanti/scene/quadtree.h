// QuadTree: a quad-tree partitioning of one static model in the x/z plane:
// a model with more than maxPolygons triangles is cut into four quadrants
// at the middle of its box, recursively; each leaf keeps its piece as a
// model with a debug colour. The tree draws with frustum culling per leaf,
// counts its triangles, and is written to and read from a ".quad" text
// file whose leaves name OBJ files beside it. The game itself makes none.
#pragma once

#include "cgfxquadnode.h"

#include <cstdint>
#include <memory>

class Camera;
class Model;

constexpr int kDefaultQuadLimit = 2000;

class QuadTree {
public:
    explicit QuadTree(int limit = kDefaultQuadLimit);

    // Consumes the model: it becomes a leaf or goes back to the model manager.
    void Build(Model* model);
    // Writes "<base>.quad" and the leaf files "<base>_<n>.obj".
    void Save(const char* base);
    // Reads the named file (no suffix added) into a new root.
    void Load(const char* fileName);
    int Render(uint32_t a, uint32_t b, uint32_t c, uint32_t d, int mode, const Camera* camera);
    int Count() const { return root ? root->Count() : 0; }

    // Null until Build or Load.
    const CGfxQuadNode* GetRoot() const { return root.get(); }
    int GetLimit() const { return maxPolygons; }
    // Nodes made by the last Build.
    int GetNodeCount() const { return nodeCount; }

private:
    std::unique_ptr<CGfxQuadNode> root;
    int maxPolygons;
    int nodeCount = 0;
};
