// Files, leaves and drawing shared by the partition trees; see partitionleaf.h.
#include "partitionleaf.h"

#include "camera.h"
#include "debuglog.h"
#include "filepath.h"
#include "gfxmanagers.h"
#include "mathutil.h"
#include "model.h"
#include "modelmanager.h"
#include "objfile.h"

namespace {

constexpr int kLeafNameLength = 256;

}  // namespace

FILE* CreatePartitionFile(const char* base, const char* suffix)
{
    FILE* file = base ? OpenFile(std::string(base) + suffix, "w") : nullptr;
    if (!file)
        DebugLog("Unable to find or open the file: %s\n", base ? base : "(null)");
    return file;
}

FILE* OpenPartitionFile(const char* name)
{
    FILE* file = name ? OpenFile(name, "r") : nullptr;
    if (!file)
        DebugLog("Unable to open %s!\n", name ? name : "(null)");
    return file;
}

void SaveLeaf(FILE* file, const char* base, int& counter, const Model* model)
{
    const std::string name = std::string(base) + "_" + std::to_string(counter) + ".obj";
    ObjLoader writer(GfxMaterialManager());
    if (!writer.Write(model, name.c_str()))
        return;
    std::fprintf(file, "t %s\n", name.c_str());
    ++counter;
}

void LoadLeaf(FILE* file, Model*& model, std::unique_ptr<Color>& colour)
{
    char name[kLeafNameLength] = {};
    if (std::fscanf(file, "%255s", name) == 1)
        model = GfxModelManager()->Load(name);
    colour = std::make_unique<Color>(RandomColor());
}

int RenderLeaf(Model* model, const Color& colour, int mode, const Camera& camera, bool outline)
{
    if (!model || !camera.GetFrustum().ContainsBox(model->GetBoundsMin(), model->GetBoundsMax()))
        return 0;
    model->RenderColored(colour.r, colour.g, colour.b, colour.a, mode, true);
    if (outline)
        model->DrawBounds();
    return model->GetTriangleCount();
}
