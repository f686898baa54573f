// The BSP tree's build, files and drawing; see bsptree.h.
#include "bsptree.h"

#include "partitionleaf.h"

BSPTree::BSPTree(int limit)
    : root(std::make_unique<BSPNode>()),
      maxPolygons(limit)
{}

void BSPTree::Build(Model* model)
{
    nodeCount = 0;
    root->Build(model, maxPolygons, 0, nodeCount);
}

void BSPTree::Save(const char* base)
{
    FILE* file = CreatePartitionFile(base, ".bsp");
    if (!file)
        return;
    int leaves = 0;
    root->Save(file, base, leaves);
    std::fclose(file);
}

void BSPTree::Load(const char* fileName)
{
    FILE* file = OpenPartitionFile(fileName);
    if (!file)
        return;
    root->Load(file, 0);
    std::fclose(file);
}

int BSPTree::Render(uint32_t a, uint32_t b, uint32_t c, uint32_t d, int mode, const Camera* camera)
{
    return root->Render(a, b, c, d, mode, camera);
}
