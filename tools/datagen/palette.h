// The shade palette shared by the low-poly models (trees, cities, the boy,
// rocks): each material owns a column of the palette texture and each row
// is one brightness, so a face's texture coordinate carries its colour and
// its baked sun light. The "bad" palette holds the polluted colours in the
// same places, so a dirty model is the clean geometry with the other file.
#pragma once

#include <string>

#include "image.h"
#include "objwriter.h"

enum class Paint {
    Leaf,
    LeafDark,
    PalmLeaf,
    Trunk,
    WallWhite,
    WallSand,
    WallClay,
    Roof,
    RoofGrey,
    Glass,
    Skin,
    Shirt,
    Trousers,
    Cape,
    Hair,
    Rock,
};

constexpr int kPaintCount = 16;

// Texture coordinate for a face of the given paint whose normal is n.
void PaintUv(Paint paint, const Vec3d& n, double* u, double* v);
// Paints both palette pictures.
Image MakePalette(bool polluted);

// Adds a flat quad / triangle in the given paint, shaded by its normal.
void PaintQuad(ObjModel& m, Paint p, const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d);
void PaintTriangle(ObjModel& m, Paint p, const Vec3d& a, const Vec3d& b, const Vec3d& c);
// A box from min to max corners, without its bottom face.
void PaintBox(ObjModel& m, Paint walls, Paint top, const Vec3d& lo, const Vec3d& hi);
