// Face: one triangle of a mesh as nine indices into the mesh's arrays
// (three vertices, three texture coordinates, three normals). Indices a
// constructor does not take are 0.
#pragma once

struct Face {
    int vertex[3] = {0, 0, 0};
    int texcoord[3] = {0, 0, 0};
    int normal[3] = {0, 0, 0};

    Face() = default;
    Face(int v0, int v1, int v2)
        : vertex{v0, v1, v2}
    {}
    Face(int v0, int v1, int v2, int t0, int t1, int t2)
        : vertex{v0, v1, v2},
          texcoord{t0, t1, t2}
    {}
    Face(int v0, int v1, int v2, int t0, int t1, int t2, int n0, int n1, int n2)
        : vertex{v0, v1, v2},
          texcoord{t0, t1, t2},
          normal{n0, n1, n2}
    {}

    bool operator==(const Face& o) const
    {
        for (int i = 0; i < 3; ++i) {
            if (vertex[i] != o.vertex[i] || texcoord[i] != o.texcoord[i] || normal[i] != o.normal[i])
                return false;
        }
        return true;
    }
};
