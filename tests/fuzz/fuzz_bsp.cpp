// Fuzzes the BSP file reader: any input reads into a tree whose depth stays
// within the reader's limit, and the tree counts its (unloaded) leaves.
#include "bsptree.h"
#include "fuzzscratch.h"
#include "partitionleaf.h"

#include <cstdint>

namespace {

int Depth(const BSPNode* node)
{
    if (!node)
        return 0;
    const int front = Depth(node->GetFront());
    const int back = Depth(node->GetBack());
    return 1 + (front > back ? front : back);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteScratch("input.bsp", data, size);
    BSPTree tree;
    tree.Load(path.c_str());
    if (Depth(&tree.GetRoot()) > kMaxPartitionDepth + 2 || tree.Count() != 0)
        __builtin_trap();
    return 0;
}
