// MTL materials: blend, GL material colours, texture and dumps; see mtlmaterial.h.
#include <GL/glew.h>

#include "mtlmaterial.h"

#include "texture.h"

#include <cstring>

void MtlMaterial::ApplyBlend()
{
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const GLfloat diffuse[4] = {Kd.r, Kd.g, Kd.b, alpha};
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    const GLfloat specular[4] = {Ks.r, Ks.g, Ks.b, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, shininess);
}

void MtlMaterial::Bind()
{
    glBindTexture(GL_TEXTURE_2D, texture ? texture->GetGLTextureId() : 0);
}

std::vector<std::string> MtlMaterial::DumpLines() const
{
    std::vector<std::string> lines;
    lines.push_back(Format("Material Name: %s\n", name.c_str()));
    if (texture)
        AppendTextureLines(lines, *texture);
    lines.push_back(Format("\tKa(%f, %f, %f)\n", Ka.r, Ka.g, Ka.b));
    lines.push_back(Format("\tKd(%f, %f, %f)\n", Kd.r, Kd.g, Kd.b));
    lines.push_back(Format("\tKs(%f, %f, %f)\n", Ks.r, Ks.g, Ks.b));
    lines.push_back(Format("\tSpecular(%f)\n", shininess));
    lines.push_back(Format("\tAlpha(%f)\n", alpha));
    lines.push_back("\n");
    return lines;
}

void MtlMaterial::PrintToFile(FILE* file) const
{
    PrintLinesToFile(DumpLines(), file);
}

void MtlMaterial::PrintToLog() const
{
    PrintLinesToLog(DumpLines());
}

bool MtlMaterial::NameEquals(const char* other) const
{
    return other && std::strcmp(name.c_str(), other) == 0;
}

void MtlMaterial::WriteObj(FILE* file) const
{
    if (file)
        std::fprintf(file, "usemtl %s\n", name.c_str());
}
