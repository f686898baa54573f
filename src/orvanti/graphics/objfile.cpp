// OBJ reading and writing; see objfile.h.
#include "objfile.h"

#include "animatedmaterial.h"
#include "debuglog.h"
#include "filepath.h"
#include "materialmanager.h"
#include "mesh.h"
#include "model.h"
#include "mtlmaterial.h"
#include "textscanner.h"

#include <climits>
#include <initializer_list>

namespace {

constexpr int kSkipBufferSize = 100;  // a skipped line is read this much at a time
constexpr const char* kDefaultGroupName = "defaultName";

// The file's 1-based index over the whole file, as a 0-based index into the group.
long long Rebase(int index, int offset)
{
    return static_cast<long long>(index) - (static_cast<long long>(offset) + 1);
}

bool InRange(long long index, size_t count)
{
    return index >= 0 && index < static_cast<long long>(count);
}

int ToInt(long long value)
{
    if (value < INT_MIN)
        return INT_MIN;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

// fscanf's "%f %f ...": the first number that does not convert ends the reading.
void ScanFloats(TextScanner& text, std::initializer_list<float*> values)
{
    for (float* value : values)
        if (!text.ScanFloat(*value))
            return;
}

}  // namespace

bool ObjLoader::Read(Model* model, const char* path)
{
    sawTexcoords_ = false;
    sawNormals_ = false;
    sawFaces_ = false;
    firstGroup_ = true;
    vertexOffset_ = 0;
    texcoordOffset_ = 0;
    normalOffset_ = 0;
    groupName_.clear();
    mtllibName_.clear();
    materialName_.clear();
    vertices_.clear();
    faces_.clear();
    normals_.clear();
    texcoords_.clear();
    mtlRecords_.clear();
    if (!model || !path)
        return false;
    std::string contents;
    if (!ReadRegularFile(path, contents)) {
        DebugLog("Unable to find or open the file: %s\n", path);
        return false;
    }
    path_ = path;
    model->SetName(path);
    directory_ = GetPathDirectory(path);

    TextScanner text(contents.data(), contents.data() + contents.size());
    ReadContents(model, text);

    for (const auto& mesh : model->GetMeshes())
        mesh->BuildArrays();
    model->SetBounds(model->ComputeBoundsMin(), model->ComputeBoundsMax());
    return true;
}

void ObjLoader::ReadContents(Model* model, TextScanner& text)
{
    std::string word;
    int c;
    while ((c = text.Get()) != -1) {
        switch (c) {
            case '\n':
                break;
            case 'f':
                ReadFace(text);
                break;
            case 'g':
                text.ScanWord(groupName_);
                break;
            case 'm':
                if (text.ScanWord(word) && word == "tllib" && text.ScanWord(mtllibName_)) {
                    MtlReader reader(materials_);
                    reader.Load(directory_.c_str(), mtllibName_.c_str(), mtlRecords_);
                }
                model->SetMtllibName(mtllibName_);
                break;
            case 'u':
                if (text.ScanWord(word) && word == "semtl")
                    text.ScanWord(materialName_);
                break;
            case 'v':
                if (sawFaces_)
                    FinishGroup(model);
                ReadVertexLine(text);
                break;
            default:
                text.SkipLine(kSkipBufferSize);
                break;
        }
    }
    FinishGroup(model);
}

void ObjLoader::ReadVertexLine(TextScanner& text)
{
    // Numbers that do not convert stay 0.
    const int c = text.Get();
    if (c == ' ' || c == '\t') {
        GfxVec3& v = vertices_.emplace_back();
        ScanFloats(text, {&v.x, &v.y, &v.z});
    } else if (c == 't') {
        TexCoord& t = texcoords_.emplace_back();
        ScanFloats(text, {&t.u, &t.v});
        sawTexcoords_ = true;
    } else if (c == 'n') {
        GfxVec3& n = normals_.emplace_back();
        ScanFloats(text, {&n.x, &n.y, &n.z});
        sawNormals_ = true;
    }
    if (c != -1 && c != '\n')
        text.SkipLine(kSkipBufferSize);
}

void ObjLoader::ReadFace(TextScanner& text)
{
    // Corners as the group's data selects: "v/t/n", "v//n", "v/t" or "v",
    // read until the first part that does not match; the rest stay 0.
    Face& f = faces_.emplace_back();
    const bool texcoords = sawTexcoords_;
    const bool normals = sawNormals_;
    for (int corner = 0; corner < 3; ++corner) {
        if (!text.ScanInt(f.vertex[corner]))
            break;
        if (texcoords && !(text.Match('/') && text.ScanInt(f.texcoord[corner])))
            break;
        if (normals && !(text.Match('/') && (texcoords || text.Match('/')) && text.ScanInt(f.normal[corner])))
            break;
    }
    text.SkipLine(kSkipBufferSize);
    sawFaces_ = true;
}

void ObjLoader::FinishGroup(Model* model)
{
    Mesh* mesh = model->AddMesh();
    mesh->name_ = groupName_.empty() ? kDefaultGroupName : groupName_;
    mesh->hasTexcoords_ = !texcoords_.empty();
    mesh->hasNormals_ = !normals_.empty();

    // Rebased in place; faces whose used indices fall outside the group are dropped, one warning each.
    size_t kept = 0;
    for (const Face& read : faces_) {
        Face rebased;
        bool valid = true;
        for (int corner = 0; corner < 3; ++corner) {
            long long v = Rebase(read.vertex[corner], vertexOffset_);
            long long t = Rebase(read.texcoord[corner], texcoordOffset_);
            long long n = Rebase(read.normal[corner], normalOffset_);
            valid = valid && InRange(v, vertices_.size());
            valid = valid && (!mesh->hasTexcoords_ || InRange(t, texcoords_.size()));
            valid = valid && (!mesh->hasNormals_ || InRange(n, normals_.size()));
            rebased.vertex[corner] = ToInt(v);
            rebased.texcoord[corner] = ToInt(t);
            rebased.normal[corner] = ToInt(n);
        }
        if (!valid) {
            DebugLog("Warning: dropped a face with an index outside group \"%s\" in %s\n", mesh->name_.c_str(),
                     path_.c_str());
            continue;
        }
        faces_[kept++] = rebased;
    }
    faces_.resize(kept);
    model->SetTriangleCount(model->GetTriangleCount() + static_cast<int>(kept));

    mesh->faces_ = std::move(faces_);
    mesh->vertices_ = std::move(vertices_);
    mesh->normals_ = std::move(normals_);
    mesh->texcoords_ = std::move(texcoords_);
    faces_.clear();
    vertices_.clear();
    normals_.clear();
    texcoords_.clear();

    if (materials_) {
        for (const MtlRecord& record : mtlRecords_) {
            if (record.name != materialName_)
                continue;
            Material* material = materials_->CreateAnimatedMaterial(record.texturePath.c_str());
            if (!material)
                material = materials_->CreateFromMtl(&record);
            mesh->material_ = material;
            break;
        }
    }

    sawTexcoords_ = false;
    sawNormals_ = false;
    sawFaces_ = false;
    firstGroup_ = false;
    vertexOffset_ += mesh->GetVertexCount();
    texcoordOffset_ += mesh->GetTexCoordCount();
    normalOffset_ += mesh->GetNormalCount();
}

bool ObjLoader::Write(const Model* model, const char* path)
{
    if (!model)
        return false;
    FILE* file = path ? std::fopen(path, "w") : nullptr;
    if (!file) {
        DebugLog("Unable to create %s for output\n", path ? path : "(null)");
        return false;
    }
    std::fprintf(file, "#This file was generated from the Orvanti Engine\n\n");
    std::fprintf(file, "mtllib %s\n", model->GetMtllibName().c_str());
    long long vertexBase = 1;
    long long texcoordBase = 1;
    long long normalBase = 1;
    for (const auto& mesh : model->GetMeshes()) {
        if (mesh->GetName() != " ")
            std::fprintf(file, "g %s\n", mesh->GetName().c_str());
        for (const GfxVec3& v : mesh->GetVertices())
            std::fprintf(file, "v %f %f %f\n", v.x, v.y, v.z);
        for (const TexCoord& t : mesh->GetTexCoords())
            std::fprintf(file, "vt %f %f\n", t.u, t.v);
        for (const GfxVec3& n : mesh->GetNormals())
            std::fprintf(file, "vn %f %f %f\n", n.x, n.y, n.z);
        if (const Material* material = mesh->GetMaterial())
            material->WriteObj(file);
        for (const Face& f : mesh->GetFaces()) {
            long long v[3];
            long long t[3];
            long long n[3];
            for (int i = 0; i < 3; ++i) {
                v[i] = f.vertex[i] + vertexBase;
                t[i] = f.texcoord[i] + texcoordBase;
                n[i] = f.normal[i] + normalBase;
            }
            if (mesh->HasTexCoords() && mesh->HasNormals())
                std::fprintf(file, "f %lld/%lld/%lld %lld/%lld/%lld %lld/%lld/%lld\n", v[0], t[0], n[0], v[1], t[1],
                             n[1], v[2], t[2], n[2]);
            else if (mesh->HasNormals())
                std::fprintf(file, "f %lld//%lld %lld//%lld %lld//%lld\n", v[0], n[0], v[1], n[1], v[2], n[2]);
            else if (mesh->HasTexCoords())
                std::fprintf(file, "f %lld/%lld %lld/%lld %lld/%lld\n", v[0], t[0], v[1], t[1], v[2], t[2]);
            else
                std::fprintf(file, "f %lld %lld %lld\n", v[0], v[1], v[2]);
        }
        vertexBase += mesh->GetVertexCount();
        texcoordBase += mesh->GetTexCoordCount();
        normalBase += mesh->GetNormalCount();
    }
    bool written = !std::ferror(file);
    written = (std::fclose(file) == 0) && written;
    if (!written)
        DebugLog("Unable to create %s for output\n", path);
    return written;
}
