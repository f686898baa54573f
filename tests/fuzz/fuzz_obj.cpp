// Fuzzes the OBJ reader and writer: any input reads into groups whose faces
// index only their own lists and whose flat arrays match the faces; the
// model is then written back and read again. Materials are made from the
// libraries the input names; no image exists, so no texture reaches GL.
#include "fuzzscratch.h"
#include "materialmanager.h"
#include "mesh.h"
#include "model.h"
#include "objfile.h"
#include "texturemanager.h"

#include <cstdint>

namespace {

bool Within(int index, int count)
{
    return index >= 0 && index < count;
}

void CheckModel(const Model& model)
{
    int triangles = 0;
    for (const auto& mesh : model.GetMeshes()) {
        for (const Face& face : mesh->GetFaces()) {
            for (int corner = 0; corner < 3; ++corner) {
                if (!Within(face.vertex[corner], mesh->GetVertexCount()))
                    __builtin_trap();
                if (mesh->HasTexCoords() && !Within(face.texcoord[corner], mesh->GetTexCoordCount()))
                    __builtin_trap();
                if (mesh->HasNormals() && !Within(face.normal[corner], mesh->GetNormalCount()))
                    __builtin_trap();
            }
        }
        const size_t faces = static_cast<size_t>(mesh->GetFaceCount());
        if (mesh->GetVertexArray().size() != faces * 9)
            __builtin_trap();
        if (mesh->HasTexCoords() && mesh->GetTexCoordArray().size() != faces * 6)
            __builtin_trap();
        if (mesh->HasNormals() && mesh->GetNormalArray().size() != faces * 9)
            __builtin_trap();
        triangles += mesh->GetFaceCount();
    }
    if (triangles != model.GetTriangleCount() || model.GetGroupCount() < 1)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The input is also the library "lib.mtl": its newmtl lines are skipped by the OBJ reader.
    WriteScratch("lib.mtl", data, size);
    const std::string path = WriteScratch("input.obj", data, size);
    TextureManager textures;
    MaterialManager materials(&textures);
    Model model;
    ObjLoader reader(&materials);
    if (!reader.Read(&model, path.c_str()))
        __builtin_trap();
    CheckModel(model);
    const std::string written = ScratchFolder() + "/written.obj";
    ObjLoader writer(&materials);
    if (!writer.Write(&model, written.c_str()))
        __builtin_trap();
    Model again;
    if (!reader.Read(&again, written.c_str()))
        __builtin_trap();
    CheckModel(again);
    return 0;
}
