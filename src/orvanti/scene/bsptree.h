// BSPTree: a binary space partitioning of one static model. A model with
// more than maxPolygons triangles is cut recursively by planes of its own
// triangles; each leaf keeps its piece as a model with a debug colour. The
// tree draws front to back with frustum culling, counts its triangles, and
// is written to and read from a ".bsp" text file whose leaves name OBJ
// files beside it. The game itself makes none.
#pragma once

#include "bspnode.h"

#include <cstdint>
#include <memory>

class Camera;
class Model;

constexpr int kDefaultBspLimit = 300;

class BSPTree {
public:
    explicit BSPTree(int limit = kDefaultBspLimit);

    // Consumes the model: it becomes a leaf or goes back to the model manager.
    void Build(Model* model);
    // Writes "<base>.bsp" and the leaf files "<base>_<n>.obj".
    void Save(const char* base);
    // Reads the named file (no suffix added) into the root.
    void Load(const char* fileName);
    int Render(uint32_t a, uint32_t b, uint32_t c, uint32_t d, int mode, const Camera* camera);
    int Count() const { return root->Count(); }

    const BSPNode& GetRoot() const { return *root; }
    int GetLimit() const { return maxPolygons; }
    // Nodes made by the last Build.
    int GetNodeCount() const { return nodeCount; }

private:
    std::unique_ptr<BSPNode> root;
    int maxPolygons;
    int nodeCount = 0;
};
