// Reader and writer of Wavefront OBJ files: one Mesh per group, triangles
// only, materials from the mtllib library made through the material manager.
// The model manager reads models with it; the partitioning builders write.
#pragma once

#include "face.h"
#include "gfxvec3.h"
#include "mtlfile.h"
#include "texcoord.h"

#include <string>
#include <vector>

class MaterialManager;
class Model;
class TextScanner;

class ObjLoader {
public:
    // Without a material manager, groups get no materials.
    explicit ObjLoader(MaterialManager* materials = nullptr)
        : materials_(materials)
    {}
    ObjLoader(const ObjLoader&) = delete;
    ObjLoader& operator=(const ObjLoader&) = delete;

    // False for a null model or path, and (one log line) for a file that cannot be opened.
    bool Read(Model* model, const char* path);
    bool Write(const Model* model, const char* path);

private:
    void ReadContents(Model* model, TextScanner& text);
    void ReadVertexLine(TextScanner& text);
    void ReadFace(TextScanner& text);
    void FinishGroup(Model* model);

    MaterialManager* materials_ = nullptr;
    std::vector<GfxVec3> vertices_;
    std::vector<Face> faces_;
    std::vector<GfxVec3> normals_;
    std::vector<TexCoord> texcoords_;
    std::string path_;
    std::string directory_;
    std::string groupName_;
    std::string mtllibName_;
    std::string materialName_;
    bool sawTexcoords_ = false;
    bool sawNormals_ = false;
    bool sawFaces_ = false;
    bool firstGroup_ = true;
    int vertexOffset_ = 0;
    int texcoordOffset_ = 0;
    int normalOffset_ = 0;
    std::vector<MtlRecord> mtlRecords_;
};
