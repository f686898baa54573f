// Render state: the few fixed-function calls that drawing code outside the
// graphics layer needs (the matrix stack, the colour mask, the bound texture,
// the current matrices for culling), so that the world, the levels and the
// maths include no GL. Each needs a current GL context.
#pragma once

class Frustum;
class Matrix4;

// Pushes the current matrix, then multiplies the top by transform.
void PushMatrix(const Matrix4& transform);
// Pops the matrix PushMatrix pushed.
void PopMatrix();

// Which channels of the colour buffer drawing writes.
void SetColorMask(bool red, bool green, bool blue, bool alpha);

// Binds no 2D texture.
void UnbindTexture();

// Rebuilds the frustum from the current projection and model-view matrices.
void ExtractFrustum(Frustum& frustum);
