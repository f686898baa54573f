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

// A quad in the z = 0 plane around the origin, texture (0,0) at its lower left,
// drawn as the given primitive (GL_QUADS when none is given).
void DrawCenteredQuad(float halfWidth, float halfHeight);
void DrawCenteredQuad(unsigned int primitive, float halfWidth, float halfHeight);

// Rebuilds the frustum from the current projection and model-view matrices.
void ExtractFrustum(Frustum& frustum);
