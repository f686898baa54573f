// Builds OBJ models group by group and writes them with their MTL library.
// Every group lists its own v/vt/vn lines before its faces (the game's
// reader closes a group at the first vertex line after faces), faces are
// triangles wound counter-clockwise seen from outside, and each group uses
// one material whose map_Kd names a TGA file next to the library.
#pragma once

#include <string>
#include <vector>

struct Vec3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

Vec3d V3(double x, double y, double z);
Vec3d Add(const Vec3d& a, const Vec3d& b);
Vec3d Sub(const Vec3d& a, const Vec3d& b);
Vec3d Mul(const Vec3d& a, double s);
Vec3d Cross(const Vec3d& a, const Vec3d& b);
double Dot(const Vec3d& a, const Vec3d& b);
Vec3d Normalized(const Vec3d& a);

struct ObjCorner {
    Vec3d position;
    double u = 0.0;
    double v = 0.0;
    Vec3d normal;
};

struct ObjMaterial {
    std::string name;
    std::string texture;  // map_Kd, relative to the library's folder
};

class ObjModel {
public:
    // Starts a new group drawn with the given material.
    void BeginGroup(const std::string& group, const ObjMaterial& material);
    // A triangle with full corners (wound counter-clockwise seen from the front).
    void AddTriangle(const ObjCorner& a, const ObjCorner& b, const ObjCorner& c);
    // A flat triangle: the face normal for every corner and one uv for all.
    void AddFlatTriangle(const Vec3d& a, const Vec3d& b, const Vec3d& c, double u, double v);
    // A flat quad a-b-c-d (counter-clockwise), split into two triangles.
    void AddFlatQuad(const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d, double u, double v);

    int TriangleCount() const;
    bool Empty() const { return TriangleCount() == 0; }

    // Writes folder/name.obj and folder/name.mtl.
    bool Write(const std::string& folder, const std::string& name) const;

private:
    struct Group {
        std::string name;
        ObjMaterial material;
        std::vector<ObjCorner> corners;  // three per triangle
    };
    std::vector<Group> groups_;
};
