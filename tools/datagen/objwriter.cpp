// OBJ/MTL writer (see objwriter.h).
#include "objwriter.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>

Vec3d V3(double x, double y, double z)
{
    return Vec3d{x, y, z};
}
Vec3d Add(const Vec3d& a, const Vec3d& b)
{
    return V3(a.x + b.x, a.y + b.y, a.z + b.z);
}
Vec3d Sub(const Vec3d& a, const Vec3d& b)
{
    return V3(a.x - b.x, a.y - b.y, a.z - b.z);
}
Vec3d Mul(const Vec3d& a, double s)
{
    return V3(a.x * s, a.y * s, a.z * s);
}
Vec3d Cross(const Vec3d& a, const Vec3d& b)
{
    return V3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
double Dot(const Vec3d& a, const Vec3d& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3d Normalized(const Vec3d& a)
{
    double len = std::sqrt(Dot(a, a));
    return len > 0.0 ? Mul(a, 1.0 / len) : V3(0, 1, 0);
}

void ObjModel::BeginGroup(const std::string& group, const ObjMaterial& material)
{
    groups_.push_back(Group{group, material, {}});
}

void ObjModel::AddTriangle(const ObjCorner& a, const ObjCorner& b, const ObjCorner& c)
{
    if (groups_.empty()) {
        BeginGroup("default", ObjMaterial{"default", ""});
    }
    std::vector<ObjCorner>& corners = groups_.back().corners;
    corners.push_back(a);
    corners.push_back(b);
    corners.push_back(c);
}

void ObjModel::AddFlatTriangle(const Vec3d& a, const Vec3d& b, const Vec3d& c, double u, double v)
{
    Vec3d n = Normalized(Cross(Sub(b, a), Sub(c, a)));
    AddTriangle(ObjCorner{a, u, v, n}, ObjCorner{b, u, v, n}, ObjCorner{c, u, v, n});
}

void ObjModel::AddFlatQuad(const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d, double u, double v)
{
    AddFlatTriangle(a, b, c, u, v);
    AddFlatTriangle(a, c, d, u, v);
}

int ObjModel::TriangleCount() const
{
    size_t n = 0;
    for (const Group& g : groups_) {
        n += g.corners.size() / 3;
    }
    return static_cast<int>(n);
}

namespace {

// Indexes equal values once so the file stays small.
template <typename Key> class Pool {
public:
    int Index(const Key& k)
    {
        auto it = map_.find(k);
        if (it != map_.end()) {
            return it->second;
        }
        int i = static_cast<int>(order_.size());
        map_.emplace(k, i);
        order_.push_back(k);
        return i;
    }
    const std::vector<Key>& Items() const { return order_; }

private:
    std::map<Key, int> map_;
    std::vector<Key> order_;
};

using Key3 = std::tuple<long, long, long>;
using Key2 = std::tuple<long, long>;

long Quant(double v, double scale)
{
    return std::lround(v * scale);
}

}  // namespace

bool ObjModel::Write(const std::string& folder, const std::string& name) const
{
    std::string objPath = folder + "/" + name + ".obj";
    std::string mtlPath = folder + "/" + name + ".mtl";
    FILE* obj = std::fopen(objPath.c_str(), "w");
    FILE* mtl = std::fopen(mtlPath.c_str(), "w");
    if (obj == nullptr || mtl == nullptr) {
        std::fprintf(stderr, "morvo_datagen: cannot write %s\n", objPath.c_str());
        if (obj != nullptr)
            std::fclose(obj);
        if (mtl != nullptr)
            std::fclose(mtl);
        return false;
    }
    std::fprintf(obj, "# Morvo demo data\nmtllib %s.mtl\n", name.c_str());
    std::map<std::string, std::string> written;
    for (const Group& g : groups_) {
        if (written.count(g.material.name) == 0) {
            written[g.material.name] = g.material.texture;
            std::fprintf(mtl, "newmtl %s\nKa 1 1 1\nKd 1 1 1\nKs 0 0 0\nTf 1 1 1\nNs 1\nNi 1\n",
                         g.material.name.c_str());
            if (!g.material.texture.empty()) {
                std::fprintf(mtl, "map_Kd %s\n", g.material.texture.c_str());
            }
            std::fprintf(mtl, "\n");
        }
    }
    int vBase = 1;
    int tBase = 1;
    int nBase = 1;
    for (const Group& g : groups_) {
        if (g.corners.empty()) {
            continue;
        }
        Pool<Key3> positions;
        Pool<Key2> uvs;
        Pool<Key3> normals;
        std::vector<int> idx;
        idx.reserve(g.corners.size() * 3);
        for (const ObjCorner& c : g.corners) {
            idx.push_back(
                positions.Index(Key3{Quant(c.position.x, 1e4), Quant(c.position.y, 1e4), Quant(c.position.z, 1e4)}));
            idx.push_back(uvs.Index(Key2{Quant(c.u, 1e5), Quant(c.v, 1e5)}));
            Vec3d n = Normalized(c.normal);
            idx.push_back(normals.Index(Key3{Quant(n.x, 1e3), Quant(n.y, 1e3), Quant(n.z, 1e3)}));
        }
        for (const Key3& p : positions.Items()) {
            std::fprintf(obj, "v %.4f %.4f %.4f\n", std::get<0>(p) / 1e4, std::get<1>(p) / 1e4, std::get<2>(p) / 1e4);
        }
        for (const Key2& t : uvs.Items()) {
            std::fprintf(obj, "vt %.5f %.5f\n", std::get<0>(t) / 1e5, std::get<1>(t) / 1e5);
        }
        for (const Key3& n : normals.Items()) {
            std::fprintf(obj, "vn %.3f %.3f %.3f\n", std::get<0>(n) / 1e3, std::get<1>(n) / 1e3, std::get<2>(n) / 1e3);
        }
        // The reader closes a group at the next vertex line, so the group's
        // name and material follow its vertex data.
        std::fprintf(obj, "g %s\nusemtl %s\n", g.name.c_str(), g.material.name.c_str());
        for (size_t i = 0; i < idx.size(); i += 9) {
            std::fprintf(obj, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", idx[i] + vBase, idx[i + 1] + tBase, idx[i + 2] + nBase,
                         idx[i + 3] + vBase, idx[i + 4] + tBase, idx[i + 5] + nBase, idx[i + 6] + vBase,
                         idx[i + 7] + tBase, idx[i + 8] + nBase);
        }
        vBase += static_cast<int>(positions.Items().size());
        tBase += static_cast<int>(uvs.Items().size());
        nBase += static_cast<int>(normals.Items().size());
    }
    bool ok = std::ferror(obj) == 0 && std::ferror(mtl) == 0;
    ok = (std::fclose(obj) == 0) && ok;
    ok = (std::fclose(mtl) == 0) && ok;
    return ok;
}
