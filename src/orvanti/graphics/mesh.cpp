// Indexed and flat geometry of one group; see mesh.h.
#include <GL/glew.h>

#include "mesh.h"

#include "material.h"
#include "plane.h"
#include "vec3.h"

#include <cmath>

namespace {

constexpr GLfloat kNoMaterialGrey = 0.5f;

bool Near(float a, float b)
{
    double difference = static_cast<double>(a) - static_cast<double>(b);
    return difference > -kWeldTolerance && difference < kWeldTolerance;
}

// Writes the element's floats at out, or zeros for an index outside the list.
float* PutPoint(float* out, const std::vector<GfxVec3>& points, int index)
{
    if (index >= 0 && static_cast<size_t>(index) < points.size()) {
        const GfxVec3& p = points[static_cast<size_t>(index)];
        out[0] = p.x;
        out[1] = p.y;
        out[2] = p.z;
    } else {
        out[0] = out[1] = out[2] = 0.0f;
    }
    return out + 3;
}

float* PutTexCoord(float* out, const std::vector<TexCoord>& coords, int index)
{
    if (index >= 0 && static_cast<size_t>(index) < coords.size()) {
        out[0] = coords[static_cast<size_t>(index)].u;
        out[1] = coords[static_cast<size_t>(index)].v;
    } else {
        out[0] = out[1] = 0.0f;
    }
    return out + 2;
}

}  // namespace

int Mesh::AddVertex(const GfxVec3& v)
{
    vertices_.push_back(v);
    return GetVertexCount() - 1;
}

int Mesh::AddTexCoord(const TexCoord& t)
{
    texcoords_.push_back(t);
    return GetTexCoordCount() - 1;
}

int Mesh::AddNormal(const GfxVec3& n)
{
    normals_.push_back(n);
    return GetNormalCount() - 1;
}

int Mesh::AddFace(const Face& face)
{
    faces_.push_back(face);
    return GetFaceCount() - 1;
}

int Mesh::AddFace(int v0, int v1, int v2)
{
    return AddFace(Face(v0, v1, v2));
}

int Mesh::AddFace(int v0, int v1, int v2, int t0, int t1, int t2)
{
    return AddFace(Face(v0, v1, v2, t0, t1, t2));
}

int Mesh::AddFace(int v0, int v1, int v2, int t0, int t1, int t2, int n0, int n1, int n2)
{
    return AddFace(Face(v0, v1, v2, t0, t1, t2, n0, n1, n2));
}

int Mesh::FindVertex(const GfxVec3& v) const
{
    for (size_t i = 0; i < vertices_.size(); ++i) {
        const GfxVec3& p = vertices_[i];
        if (Near(p.x, v.x) && Near(p.y, v.y) && Near(p.z, v.z))
            return static_cast<int>(i);
    }
    return -1;
}

int Mesh::FindTexCoord(const TexCoord& t) const
{
    for (size_t i = 0; i < texcoords_.size(); ++i)
        if (Near(texcoords_[i].u, t.u) && Near(texcoords_[i].v, t.v))
            return static_cast<int>(i);
    return -1;
}

int Mesh::FindNormal(const GfxVec3& n) const
{
    for (size_t i = 0; i < normals_.size(); ++i) {
        const GfxVec3& p = normals_[i];
        if (Near(p.x, n.x) && Near(p.y, n.y) && Near(p.z, n.z))
            return static_cast<int>(i);
    }
    return -1;
}

int Mesh::FindVertexExact(const GfxVec3& v) const
{
    for (size_t i = 0; i < vertices_.size(); ++i)
        if (vertices_[i] == v)
            return static_cast<int>(i);
    return -1;
}

int Mesh::FindFace(int v0, int v1, int v2) const
{
    for (size_t i = 0; i < faces_.size(); ++i) {
        const Face& f = faces_[i];
        if (f.vertex[0] == v0 && f.vertex[1] == v1 && f.vertex[2] == v2)
            return static_cast<int>(i);
    }
    return -1;
}

int Mesh::FindFace(int v0, int v1, int v2, int t0, int t1, int t2) const
{
    for (size_t i = 0; i < faces_.size(); ++i) {
        const Face& f = faces_[i];
        if (f.vertex[0] == v0 && f.vertex[1] == v1 && f.vertex[2] == v2 && f.texcoord[0] == t0 && f.texcoord[1] == t1 &&
            f.texcoord[2] == t2)
            return static_cast<int>(i);
    }
    return -1;
}

int Mesh::FindFace(int v0, int v1, int v2, int t0, int t1, int t2, int n0, int n1, int n2) const
{
    const Face wanted(v0, v1, v2, t0, t1, t2, n0, n1, n2);
    for (size_t i = 0; i < faces_.size(); ++i)
        if (faces_[i] == wanted)
            return static_cast<int>(i);
    return -1;
}

void Mesh::AddTriangle(const GfxVec3* p0, const GfxVec3* p1, const GfxVec3* p2, const TexCoord* t0, const TexCoord* t1,
                       const TexCoord* t2, const GfxVec3* n0, const GfxVec3* n1, const GfxVec3* n2)
{
    if (!p0 || !p1 || !p2)
        return;
    const bool withTexCoords = t0 && t1 && t2;
    const bool withNormals = n0 && n1 && n2;
    int v[3] = {FindVertex(*p0), FindVertex(*p1), FindVertex(*p2)};
    // Only corners that were found are compared: two new corners at one place stay two vertices.
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b)
            if (v[a] >= 0 && v[a] == v[b])
                return;
    const GfxVec3* positions[3] = {p0, p1, p2};
    for (int i = 0; i < 3; ++i)
        if (v[i] < 0)
            v[i] = AddVertex(*positions[i]);
    const TexCoord* coords[3] = {t0, t1, t2};
    int t[3] = {0, 0, 0};
    for (int i = 0; i < 3 && withTexCoords; ++i) {
        t[i] = FindTexCoord(*coords[i]);
        if (t[i] < 0)
            t[i] = AddTexCoord(*coords[i]);
    }
    const GfxVec3* normals[3] = {n0, n1, n2};
    int n[3] = {0, 0, 0};
    for (int i = 0; i < 3 && withNormals; ++i) {
        n[i] = FindNormal(*normals[i]);
        if (n[i] < 0)
            n[i] = AddNormal(*normals[i]);
    }
    if (FindFace(v[0], v[1], v[2], t[0], t[1], t[2], n[0], n[1], n[2]) < 0)
        AddFace(v[0], v[1], v[2], t[0], t[1], t[2], n[0], n[1], n[2]);
}

int Mesh::AddTriangleByPositions(const GfxVec3& p0, const GfxVec3& p1, const GfxVec3& p2)
{
    int i0 = FindVertexExact(p0);
    int i1 = FindVertexExact(p1);
    int i2 = FindVertexExact(p2);
    if (i0 < 0 || i1 < 0 || i2 < 0)
        return 0;
    return AddFace(i0, i1, i2);
}

void Mesh::ComputeNormals()
{
    if (hasNormals_)
        return;
    std::vector<Vec3> sums(vertices_.size());
    std::vector<int> counts(vertices_.size(), 0);
    auto position = [this](int index) {
        if (index < 0 || index >= GetVertexCount())
            return Vec3();
        const GfxVec3& p = vertices_[index];
        return Vec3(p.x, p.y, p.z);
    };
    for (const Face& face : faces_) {
        Vec3 a = position(face.vertex[0]);
        Vec3 b = position(face.vertex[1]);
        Vec3 c = position(face.vertex[2]);
        Vec3 faceNormal = (a - c).Cross(c - b);
        for (int corner = 0; corner < 3; ++corner) {
            int v = face.vertex[corner];
            if (v < 0 || v >= GetVertexCount())
                continue;
            sums[v] += faceNormal;
            ++counts[v];
        }
    }
    normals_.clear();
    for (size_t v = 0; v < vertices_.size(); ++v) {
        // A vertex no face uses gets a zero normal.
        Vec3 normal = counts[v] > 0 ? sums[v] * (-1.0f / static_cast<float>(counts[v])) : Vec3();
        normal.Normalize();
        normals_.emplace_back(normal.x, normal.y, normal.z);
    }
    for (Face& face : faces_)
        for (int corner = 0; corner < 3; ++corner)
            face.normal[corner] = face.vertex[corner];
    hasNormals_ = true;
}

void Mesh::BuildVertexArray()
{
    vertexArray_.resize(faces_.size() * 9);
    float* out = vertexArray_.data();
    for (const Face& face : faces_)
        for (int corner = 0; corner < 3; ++corner)
            out = PutPoint(out, vertices_, face.vertex[corner]);
}

void Mesh::BuildTexCoordArray()
{
    texcoordArray_.resize(faces_.size() * 6);
    float* out = texcoordArray_.data();
    for (const Face& face : faces_)
        for (int corner = 0; corner < 3; ++corner)
            out = PutTexCoord(out, texcoords_, face.texcoord[corner]);
}

void Mesh::BuildNormalArray()
{
    normalArray_.resize(faces_.size() * 9);
    float* out = normalArray_.data();
    for (const Face& face : faces_)
        for (int corner = 0; corner < 3; ++corner)
            out = PutPoint(out, normals_, face.normal[corner]);
}

void Mesh::BuildArrays()
{
    BuildVertexArray();
    if (hasTexcoords_)
        BuildTexCoordArray();
    else
        texcoordArray_.clear();
    if (hasNormals_)
        BuildNormalArray();
    else
        normalArray_.clear();
}

namespace {

// One corner of a triangle being split: position, texture coordinate, normal.
struct SplitCorner {
    GfxVec3 p;
    TexCoord t;
    GfxVec3 n;
};

template <typename T> T ElementOrZero(const std::vector<T>& list, int index)
{
    if (index >= 0 && static_cast<size_t>(index) < list.size())
        return list[static_cast<size_t>(index)];
    return T();
}

float Distance(const GfxVec3& a, const GfxVec3& b)
{
    const Vec3 d(a.x - b.x, a.y - b.y, a.z - b.z);
    return d.Length();
}

}  // namespace

TexCoord Mesh::InterpolateTexCoord(const GfxVec3& h, const GfxVec3& s, const GfxVec3& e, const TexCoord& ts,
                                   const TexCoord& te)
{
    const float f = Distance(h, s) / Distance(e, s);
    return TexCoord(f * te.u + (1.0f - f) * ts.u, f * te.v + (1.0f - f) * ts.v);
}

GfxVec3 Mesh::InterpolateNormal(const GfxVec3& h, const GfxVec3& s, const GfxVec3& e, const GfxVec3& ns,
                                const GfxVec3& ne)
{
    const float f = Distance(h, s) / Distance(e, s);
    return GfxVec3(f * ne.x + (1.0f - f) * ns.x, f * ne.y + (1.0f - f) * ns.y, f * ne.z + (1.0f - f) * ns.z);
}

void Mesh::Split(const Plane& plane, Mesh* front, Mesh* back) const
{
    if (!front || !back)
        return;
    Mesh* halves[2] = {front, back};
    const char* suffixes[2] = {"_front", "_back"};
    for (int i = 0; i < 2; ++i) {
        Mesh* half = halves[i];
        half->hasNormals_ = hasNormals_ && !normals_.empty();
        half->hasTexcoords_ = hasTexcoords_ && !texcoords_.empty();
        half->material_ = material_;
        half->vertices_.clear();
        half->texcoords_.clear();
        half->normals_.clear();
        half->faces_.clear();
        half->name_ = name_ + suffixes[i];
    }
    for (const Face& face : faces_)
        SplitTriangle(plane, face, front, back);
}

void Mesh::SplitTriangle(const Plane& plane, const Face& face, Mesh* front, Mesh* back) const
{
    // A source without texture coordinates or normals gives none to its
    // halves; a missing entry counts as zero in the interpolation.
    const bool withTexCoords = !texcoords_.empty();
    const bool withNormals = !normals_.empty();
    SplitCorner c[3];
    for (int i = 0; i < 3; ++i) {
        c[i].p = ElementOrZero(vertices_, face.vertex[i]);
        c[i].t = ElementOrZero(texcoords_, face.texcoord[i]);
        c[i].n = ElementOrZero(normals_, face.normal[i]);
    }
    auto add = [withTexCoords, withNormals](Mesh* mesh, const SplitCorner& a, const SplitCorner& b,
                                            const SplitCorner& d) {
        mesh->AddTriangle(&a.p, &b.p, &d.p, withTexCoords ? &a.t : nullptr, withTexCoords ? &b.t : nullptr,
                          withTexCoords ? &d.t : nullptr, withNormals ? &a.n : nullptr, withNormals ? &b.n : nullptr,
                          withNormals ? &d.n : nullptr);
    };
    // Edge k runs from corner k to corner k + 1.
    int code[3];
    GfxVec3 hit[3];
    for (int k = 0; k < 3; ++k)
        code[k] = plane.IntersectSegment(c[k].p, c[(k + 1) % 3].p, hit[k]);
    if (code[0] == 1 && code[1] == 1 && code[2] == 1) {
        add(front, c[0], c[1], c[2]);
        return;
    }
    if (code[0] != 2 && code[1] != 2 && code[2] != 2) {
        add(back, c[0], c[1], c[2]);
        return;
    }
    auto cut = [&](int k) {
        const SplitCorner& s = c[k];
        const SplitCorner& e = c[(k + 1) % 3];
        return SplitCorner{hit[k], InterpolateTexCoord(hit[k], s.p, e.p, s.t, e.t),
                           InterpolateNormal(hit[k], s.p, e.p, s.n, e.n)};
    };
    // The lone corner is shared by the two crossing edges; the third edge's
    // code says on which side the other two corners lie.
    SplitCorner lone[3];
    SplitCorner pair[2][3];
    int thirdCode;
    if (code[1] == 2 && code[2] == 2) {  // lone P2
        const SplitCorner x = cut(1), y = cut(2);
        lone[0] = x, lone[1] = c[2], lone[2] = y;
        pair[0][0] = c[1], pair[0][1] = x, pair[0][2] = y;
        pair[1][0] = c[1], pair[1][1] = y, pair[1][2] = c[0];
        thirdCode = code[0];
    } else if (code[0] == 2 && code[2] == 2) {  // lone P0
        const SplitCorner x = cut(0), y = cut(2);
        lone[0] = x, lone[1] = y, lone[2] = c[0];
        pair[0][0] = c[1], pair[0][1] = c[2], pair[0][2] = y;
        pair[1][0] = c[1], pair[1][1] = y, pair[1][2] = x;
        thirdCode = code[1];
    } else {  // lone P1
        const SplitCorner x = cut(0), y = cut(1);
        lone[0] = c[1], lone[1] = y, lone[2] = x;
        pair[0][0] = y, pair[0][1] = c[2], pair[0][2] = c[0];
        pair[1][0] = y, pair[1][1] = c[0], pair[1][2] = x;
        thirdCode = code[2];
    }
    Mesh* loneSide = thirdCode == 1 ? back : front;
    Mesh* pairSide = thirdCode == 1 ? front : back;
    add(loneSide, lone[0], lone[1], lone[2]);
    add(pairSide, pair[0][0], pair[0][1], pair[0][2]);
    add(pairSide, pair[1][0], pair[1][1], pair[1][2]);
}

void Mesh::Update(float dt)
{
    if (material_)
        material_->Update(dt);
}

void Mesh::Render(int mode, MaterialManager*)
{
    if (material_) {
        material_->ApplyBlend();
        material_->Bind();
    } else {
        glColor3f(kNoMaterialGrey, kNoMaterialGrey, kNoMaterialGrey);
    }
    RenderGeometry(mode);
}

void Mesh::RenderColored(float r, float g, float b, float a, int mode, bool useMaterial)
{
    if (useMaterial) {
        if (material_) {
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glColor4f(r, g, b, a);
            material_->Bind();
        } else {
            glColor4f(r, g, b, a);
        }
        RenderGeometry(mode);
    } else {
        glDisable(GL_TEXTURE_2D);
        glColor4f(r, g, b, a);
        RenderGeometry(mode);
        glEnable(GL_TEXTURE_2D);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void Mesh::RenderGeometry(int mode)
{
    // Arrays not built (or built for other faces) are not drawn from.
    const size_t corners = faces_.size() * 3;
    if (vertexArray_.size() < corners * 3)
        return;
    const bool texcoords = hasTexcoords_ && texcoordArray_.size() >= corners * 2;
    const bool normals = hasNormals_ && normalArray_.size() >= corners * 3;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertexArray_.data());
    if (texcoords) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, texcoordArray_.data());
    }
    if (normals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, normalArray_.data());
    }
    glDrawArrays(static_cast<GLenum>(mode), 0, static_cast<GLsizei>(corners));
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
}
