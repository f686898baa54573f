// Fuzzes the quad-tree file reader: any input reads into a tree whose depth
// stays within the reader's limit and whose children know their parent.
#include "fuzzscratch.h"
#include "partitionleaf.h"
#include "quadtree.h"

#include <cstdint>

namespace {

int Depth(const CGfxQuadNode* node)
{
    if (!node)
        return 0;
    int deepest = 0;
    for (int k = 0; k < CGfxQuadNode::kChildCount; ++k) {
        const CGfxQuadNode* child = node->GetChild(k);
        if (child && child->GetParent() != node)
            __builtin_trap();
        const int d = Depth(child);
        deepest = d > deepest ? d : deepest;
    }
    return 1 + deepest;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteScratch("input.quad", data, size);
    QuadTree tree;
    tree.Load(path.c_str());
    if (!tree.GetRoot() || Depth(tree.GetRoot()) > kMaxPartitionDepth + 2 || tree.Count() != 0)
        __builtin_trap();
    return 0;
}
