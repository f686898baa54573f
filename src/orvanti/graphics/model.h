// One loaded OBJ file: a named list of groups (meshes) with its material
// library name, a triangle count and a bounding box that always contains
// the origin. Scene nodes, the boy and the islands draw models; the
// ModelManager owns them.
#pragma once

#include "gfxvec3.h"
#include "mesh.h"

#include <memory>
#include <string>
#include <vector>

class MaterialManager;
class Plane;

class Model {
public:
    Model() = default;
    // Copies the group and material counts, the name and every group; the
    // triangle count, library name and bounds keep their defaults.
    Model(const Model& other);
    Model& operator=(const Model&) = delete;

    // Appends a new empty group and returns it.
    Mesh* AddMesh();
    // Deletes that group; a pointer that is not one of them changes nothing.
    void RemoveMesh(Mesh* mesh);

    // Splits every group by the plane into the caller's two empty models;
    // each keeps the non-empty halves (named <name>front and <name>back).
    // This model is not changed.
    void Split(const Plane& plane, Model* front, Model* back) const;

    void Update(float dt);
    void Render(int mode, MaterialManager* materials);
    void RenderGeometry(int mode);
    void RenderColored(float r, float g, float b, float a, int mode, bool useMaterial);
    // White outlines of the bounding box.
    void DrawBounds();

    // Recomputed from the groups' vertices, starting from the origin.
    GfxVec3 ComputeBoundsMin() const;
    GfxVec3 ComputeBoundsMax() const;
    // max - (max - min) / 2 of freshly computed bounds.
    GfxVec3 GetCenter() const;
    const GfxVec3& GetBoundsMin() const { return boundsMin_; }
    const GfxVec3& GetBoundsMax() const { return boundsMax_; }
    void SetBounds(const GfxVec3& min, const GfxVec3& max);

    int GetGroupCount() const { return static_cast<int>(meshes_.size()); }
    int GetMaterialCount() const { return materialCount_; }
    void SetMaterialCount(int count) { materialCount_ = count; }
    int GetTriangleCount() const { return triangleCount_; }
    void SetTriangleCount(int count) { triangleCount_ = count; }
    const std::string& GetName() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    const std::string& GetMtllibName() const { return mtllibName_; }
    void SetMtllibName(const std::string& name) { mtllibName_ = name; }
    Mesh* GetMesh(int index) const;
    const std::vector<std::unique_ptr<Mesh>>& GetMeshes() const { return meshes_; }

private:
    int materialCount_ = 0;
    int triangleCount_ = 0;
    std::string name_;
    std::string mtllibName_;
    GfxVec3 boundsMin_;
    GfxVec3 boundsMax_;
    std::vector<std::unique_ptr<Mesh>> meshes_;
};
