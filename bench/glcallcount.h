// Counts the GL calls and draws the scene benchmark makes. The benchmark
// defines the GL 1.1 entry points itself: every call, from our code and from
// GLU, lands here, is counted and goes on to the driver's own function.
// Entry points newer than 1.1 go through GLEW's pointers, which Install
// redirects. Included by scene_frame_bench.cpp only.
#pragma once

#include <GL/glew.h>
#include <dlfcn.h>

#include <cstdint>

namespace glcount {

inline uint64_t calls = 0;
inline uint64_t draws = 0;

// The driver's function of that name, looked up once.
template <typename F> F Real(F, const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Entry points that draw: immediate-mode begins, array draws, display lists.
constexpr bool IsDraw(const char* name)
{
    const char* draws[] = {"glBegin", "glDrawArrays", "glDrawElements", "glCallList", "glCallLists"};
    for (const char* d : draws) {
        const char* a = d;
        const char* b = name;
        while (*a != '\0' && *a == *b) {
            ++a;
            ++b;
        }
        if (*a == '\0' && *b == '\0') {
            return true;
        }
    }
    return false;
}

// GLEW's pointer for an entry point newer than 1.1, wrapped in place.
template <typename F, F* Slot> struct Hook;
template <typename R, typename... A, R(GLAPIENTRY** Slot)(A...)> struct Hook<R(GLAPIENTRY*)(A...), Slot> {
    static inline R(GLAPIENTRY* real)(A...) = nullptr;
    static R GLAPIENTRY Call(A... a)
    {
        ++calls;
        return real(a...);
    }
    static void Install()
    {
        if (*Slot != nullptr && *Slot != &Call) {
            real = *Slot;
            *Slot = &Call;
        }
    }
};
#define MORVO_GL_HOOK(slot) Hook<decltype(slot), &slot>::Install()

// After glewInit.
inline void Install()
{
    MORVO_GL_HOOK(__glewActiveTexture);
    MORVO_GL_HOOK(__glewClientActiveTexture);
    MORVO_GL_HOOK(__glewDrawRangeElements);
    MORVO_GL_HOOK(__glewBindBuffer);
    MORVO_GL_HOOK(__glewBindBufferARB);
    MORVO_GL_HOOK(__glewUseProgramObjectARB);
    MORVO_GL_HOOK(__glewMultiTexCoord2f);
    MORVO_GL_HOOK(__glewMultiTexCoord2fARB);
}
#undef MORVO_GL_HOOK

}  // namespace glcount

#define MORVO_GL_COUNTED(ret, name, params, args)                                                                      \
    extern "C" ret GLAPIENTRY name params                                                                              \
    {                                                                                                                  \
        static const auto real = glcount::Real(&name, #name);                                                          \
        ++glcount::calls;                                                                                              \
        if constexpr (glcount::IsDraw(#name)) {                                                                        \
            ++glcount::draws;                                                                                          \
        }                                                                                                              \
        return real args;                                                                                              \
    }

// The GL 1.1 entry points our code, GLU and the toolkit call; one a line.
MORVO_GL_COUNTED(void, glAlphaFunc, (GLenum func, GLclampf ref), (func, ref))
MORVO_GL_COUNTED(void, glBegin, (GLenum mode), (mode))
MORVO_GL_COUNTED(void, glBindTexture, (GLenum target, GLuint texture), (target, texture))
MORVO_GL_COUNTED(void, glBlendFunc, (GLenum sfactor, GLenum dfactor), (sfactor, dfactor))
MORVO_GL_COUNTED(void, glCallList, (GLuint list), (list))
MORVO_GL_COUNTED(void, glCallLists, (GLsizei n, GLenum type, const GLvoid* lists), (n, type, lists))
MORVO_GL_COUNTED(void, glClear, (GLbitfield mask), (mask))
MORVO_GL_COUNTED(void, glClearColor, (GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha),
                 (red, green, blue, alpha))
MORVO_GL_COUNTED(void, glClearDepth, (GLclampd depth), (depth))
MORVO_GL_COUNTED(void, glColor3f, (GLfloat red, GLfloat green, GLfloat blue), (red, green, blue))
MORVO_GL_COUNTED(void, glColor3fv, (const GLfloat* v), (v))
MORVO_GL_COUNTED(void, glColor3ub, (GLubyte red, GLubyte green, GLubyte blue), (red, green, blue))
MORVO_GL_COUNTED(void, glColor4f, (GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha), (red, green, blue, alpha))
MORVO_GL_COUNTED(void, glColor4fv, (const GLfloat* v), (v))
MORVO_GL_COUNTED(void, glColor4ub, (GLubyte red, GLubyte green, GLubyte blue, GLubyte alpha), (red, green, blue, alpha))
MORVO_GL_COUNTED(void, glColorMask, (GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha),
                 (red, green, blue, alpha))
MORVO_GL_COUNTED(void, glColorMaterial, (GLenum face, GLenum mode), (face, mode))
MORVO_GL_COUNTED(void, glColorPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* ptr),
                 (size, type, stride, ptr))
MORVO_GL_COUNTED(void, glCopyTexImage2D,
                 (GLenum target, GLint level, GLenum internalformat, GLint x, GLint y, GLsizei width, GLsizei height,
                  GLint border),
                 (target, level, internalformat, x, y, width, height, border))
MORVO_GL_COUNTED(void, glCullFace, (GLenum mode), (mode))
MORVO_GL_COUNTED(void, glDeleteLists, (GLuint list, GLsizei range), (list, range))
MORVO_GL_COUNTED(void, glDeleteTextures, (GLsizei n, const GLuint* textures), (n, textures))
MORVO_GL_COUNTED(void, glDepthFunc, (GLenum func), (func))
MORVO_GL_COUNTED(void, glDepthMask, (GLboolean flag), (flag))
MORVO_GL_COUNTED(void, glDisable, (GLenum cap), (cap))
MORVO_GL_COUNTED(void, glDisableClientState, (GLenum cap), (cap))
MORVO_GL_COUNTED(void, glDrawArrays, (GLenum mode, GLint first, GLsizei count), (mode, first, count))
MORVO_GL_COUNTED(void, glDrawElements, (GLenum mode, GLsizei count, GLenum type, const GLvoid* indices),
                 (mode, count, type, indices))
MORVO_GL_COUNTED(void, glEdgeFlag, (GLboolean flag), (flag))
MORVO_GL_COUNTED(void, glEnable, (GLenum cap), (cap))
MORVO_GL_COUNTED(void, glEnableClientState, (GLenum cap), (cap))
MORVO_GL_COUNTED(void, glEnd, (void), ())
MORVO_GL_COUNTED(void, glEndList, (void), ())
MORVO_GL_COUNTED(void, glFinish, (void), ())
MORVO_GL_COUNTED(void, glFlush, (void), ())
MORVO_GL_COUNTED(void, glFogf, (GLenum pname, GLfloat param), (pname, param))
MORVO_GL_COUNTED(void, glFogfv, (GLenum pname, const GLfloat* params), (pname, params))
MORVO_GL_COUNTED(void, glFogi, (GLenum pname, GLint param), (pname, param))
MORVO_GL_COUNTED(void, glFrontFace, (GLenum mode), (mode))
MORVO_GL_COUNTED(GLuint, glGenLists, (GLsizei range), (range))
MORVO_GL_COUNTED(void, glGenTextures, (GLsizei n, GLuint* textures), (n, textures))
MORVO_GL_COUNTED(void, glGetBooleanv, (GLenum pname, GLboolean* params), (pname, params))
MORVO_GL_COUNTED(void, glGetDoublev, (GLenum pname, GLdouble* params), (pname, params))
MORVO_GL_COUNTED(GLenum, glGetError, (void), ())
MORVO_GL_COUNTED(void, glGetFloatv, (GLenum pname, GLfloat* params), (pname, params))
MORVO_GL_COUNTED(void, glGetIntegerv, (GLenum pname, GLint* params), (pname, params))
MORVO_GL_COUNTED(void, glGetTexImage, (GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels),
                 (target, level, format, type, pixels))
MORVO_GL_COUNTED(void, glGetTexParameteriv, (GLenum target, GLenum pname, GLint* params), (target, pname, params))
MORVO_GL_COUNTED(void, glHint, (GLenum target, GLenum mode), (target, mode))
MORVO_GL_COUNTED(void, glInterleavedArrays, (GLenum format, GLsizei stride, const GLvoid* pointer),
                 (format, stride, pointer))
MORVO_GL_COUNTED(GLboolean, glIsEnabled, (GLenum cap), (cap))
MORVO_GL_COUNTED(void, glLightModelfv, (GLenum pname, const GLfloat* params), (pname, params))
MORVO_GL_COUNTED(void, glLightModeli, (GLenum pname, GLint param), (pname, param))
MORVO_GL_COUNTED(void, glLightf, (GLenum light, GLenum pname, GLfloat param), (light, pname, param))
MORVO_GL_COUNTED(void, glLightfv, (GLenum light, GLenum pname, const GLfloat* params), (light, pname, params))
MORVO_GL_COUNTED(void, glLineWidth, (GLfloat width), (width))
MORVO_GL_COUNTED(void, glListBase, (GLuint base), (base))
MORVO_GL_COUNTED(void, glLoadIdentity, (void), ())
MORVO_GL_COUNTED(void, glLoadMatrixd, (const GLdouble* m), (m))
MORVO_GL_COUNTED(void, glLoadMatrixf, (const GLfloat* m), (m))
MORVO_GL_COUNTED(void, glMaterialf, (GLenum face, GLenum pname, GLfloat param), (face, pname, param))
MORVO_GL_COUNTED(void, glMaterialfv, (GLenum face, GLenum pname, const GLfloat* params), (face, pname, params))
MORVO_GL_COUNTED(void, glMatrixMode, (GLenum mode), (mode))
MORVO_GL_COUNTED(void, glMultMatrixd, (const GLdouble* m), (m))
MORVO_GL_COUNTED(void, glMultMatrixf, (const GLfloat* m), (m))
MORVO_GL_COUNTED(void, glNewList, (GLuint list, GLenum mode), (list, mode))
MORVO_GL_COUNTED(void, glNormal3d, (GLdouble nx, GLdouble ny, GLdouble nz), (nx, ny, nz))
MORVO_GL_COUNTED(void, glNormal3f, (GLfloat nx, GLfloat ny, GLfloat nz), (nx, ny, nz))
MORVO_GL_COUNTED(void, glNormal3fv, (const GLfloat* v), (v))
MORVO_GL_COUNTED(void, glNormalPointer, (GLenum type, GLsizei stride, const GLvoid* ptr), (type, stride, ptr))
MORVO_GL_COUNTED(void, glPixelStorei, (GLenum pname, GLint param), (pname, param))
MORVO_GL_COUNTED(void, glPointSize, (GLfloat size), (size))
MORVO_GL_COUNTED(void, glPolygonMode, (GLenum face, GLenum mode), (face, mode))
MORVO_GL_COUNTED(void, glPopAttrib, (void), ())
MORVO_GL_COUNTED(void, glPopClientAttrib, (void), ())
MORVO_GL_COUNTED(void, glPopMatrix, (void), ())
MORVO_GL_COUNTED(void, glPushAttrib, (GLbitfield mask), (mask))
MORVO_GL_COUNTED(void, glPushClientAttrib, (GLbitfield mask), (mask))
MORVO_GL_COUNTED(void, glPushMatrix, (void), ())
MORVO_GL_COUNTED(void, glReadBuffer, (GLenum mode), (mode))
MORVO_GL_COUNTED(void, glReadPixels,
                 (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels),
                 (x, y, width, height, format, type, pixels))
MORVO_GL_COUNTED(void, glRectf, (GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2), (x1, y1, x2, y2))
MORVO_GL_COUNTED(void, glRotated, (GLdouble angle, GLdouble x, GLdouble y, GLdouble z), (angle, x, y, z))
MORVO_GL_COUNTED(void, glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z), (angle, x, y, z))
MORVO_GL_COUNTED(void, glScaled, (GLdouble x, GLdouble y, GLdouble z), (x, y, z))
MORVO_GL_COUNTED(void, glScalef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))
MORVO_GL_COUNTED(void, glShadeModel, (GLenum mode), (mode))
MORVO_GL_COUNTED(void, glTexCoord2d, (GLdouble s, GLdouble t), (s, t))
MORVO_GL_COUNTED(void, glTexCoord2f, (GLfloat s, GLfloat t), (s, t))
MORVO_GL_COUNTED(void, glTexCoord2fv, (const GLfloat* v), (v))
MORVO_GL_COUNTED(void, glTexCoordPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* ptr),
                 (size, type, stride, ptr))
MORVO_GL_COUNTED(void, glTexEnvf, (GLenum target, GLenum pname, GLfloat param), (target, pname, param))
MORVO_GL_COUNTED(void, glTexEnvi, (GLenum target, GLenum pname, GLint param), (target, pname, param))
MORVO_GL_COUNTED(void, glTexImage2D,
                 (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const GLvoid* pixels),
                 (target, level, internalFormat, width, height, border, format, type, pixels))
MORVO_GL_COUNTED(void, glTexParameterf, (GLenum target, GLenum pname, GLfloat param), (target, pname, param))
MORVO_GL_COUNTED(void, glTexParameteri, (GLenum target, GLenum pname, GLint param), (target, pname, param))
MORVO_GL_COUNTED(void, glTexSubImage2D,
                 (GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width, GLsizei height,
                  GLenum format, GLenum type, const GLvoid* pixels),
                 (target, level, xoffset, yoffset, width, height, format, type, pixels))
MORVO_GL_COUNTED(void, glTranslated, (GLdouble x, GLdouble y, GLdouble z), (x, y, z))
MORVO_GL_COUNTED(void, glTranslatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))
MORVO_GL_COUNTED(void, glVertex2d, (GLdouble x, GLdouble y), (x, y))
MORVO_GL_COUNTED(void, glVertex2f, (GLfloat x, GLfloat y), (x, y))
MORVO_GL_COUNTED(void, glVertex2fv, (const GLfloat* v), (v))
MORVO_GL_COUNTED(void, glVertex3d, (GLdouble x, GLdouble y, GLdouble z), (x, y, z))
MORVO_GL_COUNTED(void, glVertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))
MORVO_GL_COUNTED(void, glVertex3fv, (const GLfloat* v), (v))
MORVO_GL_COUNTED(void, glVertexPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* ptr),
                 (size, type, stride, ptr))
MORVO_GL_COUNTED(void, glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))

#undef MORVO_GL_COUNTED
