// One group of a model: the triangles of one OBJ group sharing one material.
// The indexed form (vertices, texture coordinates, normals, faces) is what
// the OBJ reader fills and writer writes; the flat arrays built from it are
// what OpenGL draws. Owned by its Model.
#pragma once

#include "face.h"
#include "gfxvec3.h"
#include "texcoord.h"

#include <string>
#include <vector>

class Material;
class MaterialManager;
class Plane;

// Two values closer than this on every component are one (open interval).
// Single precision, so a stored 0.000005 is just outside the tolerance of 0.
constexpr float kWeldTolerance = 5e-6f;

class Mesh {
public:
    Mesh() = default;
    // Deep copy; the material pointer is shared (materials are not owned).
    Mesh(const Mesh&) = default;
    Mesh& operator=(const Mesh&) = default;

    // Appends and returns the new 0-based index.
    int AddVertex(const GfxVec3& v);
    int AddVertex(float x, float y, float z) { return AddVertex(GfxVec3(x, y, z)); }
    int AddTexCoord(const TexCoord& t);
    int AddTexCoord(float u, float v) { return AddTexCoord(TexCoord(u, v)); }
    int AddNormal(const GfxVec3& n);
    int AddFace(int v0, int v1, int v2);
    int AddFace(int v0, int v1, int v2, int t0, int t1, int t2);
    int AddFace(int v0, int v1, int v2, int t0, int t1, int t2, int n0, int n1, int n2);
    int AddFace(const Face& face);

    // Tolerant lookups: first entry within kWeldTolerance on every component, else -1.
    int FindVertex(const GfxVec3& v) const;
    int FindVertex(float x, float y, float z) const { return FindVertex(GfxVec3(x, y, z)); }
    int FindTexCoord(const TexCoord& t) const;
    int FindTexCoord(float u, float v) const { return FindTexCoord(TexCoord(u, v)); }
    int FindNormal(const GfxVec3& n) const;
    int FindVertexExact(const GfxVec3& v) const;
    // First face whose first 3, 6 or 9 indices are exactly these, else -1.
    int FindFace(int v0, int v1, int v2) const;
    int FindFace(int v0, int v1, int v2, int t0, int t1, int t2) const;
    int FindFace(int v0, int v1, int v2, int t0, int t1, int t2, int n0, int n1, int n2) const;

    // Welding insert: drops triangles whose found corners coincide and repeated triangles.
    // Null texture coordinates (or normals) add no entries and leave those face indices 0.
    void AddTriangle(const GfxVec3* p0, const GfxVec3* p1, const GfxVec3* p2, const TexCoord* t0, const TexCoord* t1,
                     const TexCoord* t2, const GfxVec3* n0, const GfxVec3* n1, const GfxVec3* n2);
    // A face of three stored positions (exact match); 0 and nothing added when one is missing.
    int AddTriangleByPositions(const GfxVec3& p0, const GfxVec3& p1, const GfxVec3& p2);
    // Averaged vertex normals from the faces, only when the mesh has none.
    void ComputeNormals();

    void BuildVertexArray();
    void BuildTexCoordArray();
    void BuildNormalArray();
    // The vertex array, and the others the flags ask for.
    void BuildArrays();

    // Deals every triangle to the front or back half (empty meshes of the
    // caller's), cutting those that cross the plane into three; names the
    // halves <name>_front and <name>_back. A source without texture
    // coordinates or normals gives halves without them.
    void Split(const Plane& plane, Mesh* front, Mesh* back) const;
    void SplitTriangle(const Plane& plane, const Face& face, Mesh* front, Mesh* back) const;
    // The attribute at h on the edge from s to e, by the distance of h from s.
    static TexCoord InterpolateTexCoord(const GfxVec3& h, const GfxVec3& s, const GfxVec3& e, const TexCoord& ts,
                                        const TexCoord& te);
    static GfxVec3 InterpolateNormal(const GfxVec3& h, const GfxVec3& s, const GfxVec3& e, const GfxVec3& ns,
                                     const GfxVec3& ne);

    void Update(float dt);
    // With the material's blend and texture, or grey 0.5 without a material.
    void Render(int mode, MaterialManager* materials);
    // In the given colour; always leaves the current colour white.
    void RenderColored(float r, float g, float b, float a, int mode, bool useMaterial);
    // Only the arrays; colour, blending and texture are the caller's.
    void RenderGeometry(int mode);

    int GetVertexCount() const { return static_cast<int>(vertices_.size()); }
    int GetFaceCount() const { return static_cast<int>(faces_.size()); }
    int GetTexCoordCount() const { return static_cast<int>(texcoords_.size()); }
    int GetNormalCount() const { return static_cast<int>(normals_.size()); }
    Material* GetMaterial() const { return material_; }
    void SetMaterial(Material* material) { material_ = material; }
    bool HasTexCoords() const { return hasTexcoords_; }
    bool HasNormals() const { return hasNormals_; }
    void SetHasTexCoords(bool has) { hasTexcoords_ = has; }
    void SetHasNormals(bool has) { hasNormals_ = has; }
    const std::string& GetName() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    const std::vector<GfxVec3>& GetVertices() const { return vertices_; }
    const std::vector<GfxVec3>& GetNormals() const { return normals_; }
    const std::vector<TexCoord>& GetTexCoords() const { return texcoords_; }
    const std::vector<Face>& GetFaces() const { return faces_; }
    // Flat arrays: 9, 6 and 9 floats per face; empty until built.
    const std::vector<float>& GetVertexArray() const { return vertexArray_; }
    const std::vector<float>& GetTexCoordArray() const { return texcoordArray_; }
    const std::vector<float>& GetNormalArray() const { return normalArray_; }

private:
    friend class ObjLoader;

    Material* material_ = nullptr;  // not owned
    bool hasTexcoords_ = false;
    bool hasNormals_ = false;
    std::string name_;
    std::vector<GfxVec3> vertices_;
    std::vector<GfxVec3> normals_;
    std::vector<TexCoord> texcoords_;
    std::vector<Face> faces_;
    std::vector<float> vertexArray_;
    std::vector<float> texcoordArray_;
    std::vector<float> normalArray_;
};
