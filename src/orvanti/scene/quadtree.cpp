// The quad tree's build, files and drawing; see quadtree.h.
#include "quadtree.h"

#include "partitionleaf.h"

QuadTree::QuadTree(int limit)
    : maxPolygons(limit)
{}

void QuadTree::Build(Model* model)
{
    root = std::make_unique<CGfxQuadNode>();
    nodeCount = 0;
    root->Build(model, maxPolygons, 0, nodeCount);
}

void QuadTree::Save(const char* base)
{
    FILE* file = CreatePartitionFile(base, ".quad");
    if (!file)
        return;
    int leaves = 0;
    if (root)
        root->Save(file, base, leaves);
    std::fclose(file);
}

void QuadTree::Load(const char* fileName)
{
    FILE* file = OpenPartitionFile(fileName);
    if (!file)
        return;
    root = std::make_unique<CGfxQuadNode>();
    root->Load(file, 0);
    std::fclose(file);
}

int QuadTree::Render(uint32_t a, uint32_t b, uint32_t c, uint32_t d, int mode, const Camera* camera)
{
    return root ? root->Render(a, b, c, d, mode, camera) : 0;
}
