// The fixed-function calls behind renderstate.h.
#include <GL/glew.h>

#include "renderstate.h"

#include "frustum.h"
#include "matrix4.h"

void PushMatrix(const Matrix4& transform)
{
    glPushMatrix();
    glMultMatrixf(transform.m);
}

void PopMatrix()
{
    glPopMatrix();
}

void SetColorMask(bool red, bool green, bool blue, bool alpha)
{
    glColorMask(red ? GL_TRUE : GL_FALSE, green ? GL_TRUE : GL_FALSE, blue ? GL_TRUE : GL_FALSE,
                alpha ? GL_TRUE : GL_FALSE);
}

void UnbindTexture()
{
    glBindTexture(GL_TEXTURE_2D, 0);
}

void ExtractFrustum(Frustum& frustum)
{
    Matrix4 projection;
    Matrix4 modelview;
    glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.m);
    frustum.SetFromMatrices(projection, modelview);
}

void DrawCenteredQuad(float halfWidth, float halfHeight)
{
    DrawCenteredQuad(GL_QUADS, halfWidth, halfHeight);
}

void DrawCenteredQuad(unsigned int primitive, float halfWidth, float halfHeight)
{
    glBegin(static_cast<GLenum>(primitive));
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-halfWidth, -halfHeight, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(halfWidth, -halfHeight, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(halfWidth, halfHeight, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-halfWidth, halfHeight, 0.0f);
    glEnd();
}
