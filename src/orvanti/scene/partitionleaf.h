// What the BSP and quad trees share: their files' opening, the leaf lines
// that name a leaf's OBJ file, drawing a leaf in its debug colour under
// the camera's frustum, and the depth limit of building and reading.
#pragma once

#include "color.h"

#include <cstdio>
#include <memory>
#include <string>

class Camera;
class Model;

// Deeper trees are not built or read: a node at this depth is a leaf, and
// a file nesting deeper is read no further.
constexpr int kMaxPartitionDepth = 128;

// "<base><suffix>" for writing; null and "Unable to find or open the file: <base>" on failure.
FILE* CreatePartitionFile(const char* base, const char* suffix);
// The file as named, for reading; null and "Unable to open <name>!" on failure.
FILE* OpenPartitionFile(const char* name);

// Writes the model as "<base>_<counter>.obj" and, when that worked, the
// line "t <file name>" and counts the leaf.
void SaveLeaf(FILE* file, const char* base, int& counter, const Model* model);
// After a "t": reads the file name and loads its model through the model
// manager (null when it cannot be read); the leaf gets a random colour.
void LoadLeaf(FILE* file, Model*& model, std::unique_ptr<Color>& colour);
// The model in its colour when its box passes the camera's frustum, with
// its box outlined when asked; the number of triangles drawn.
int RenderLeaf(Model* model, const Color& colour, int mode, const Camera& camera, bool outline);
