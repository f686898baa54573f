// Groups, drawing and bounds of one model; see model.h.
#include <GL/glew.h>

#include "model.h"

#include <algorithm>

Model::Model(const Model& other)
    : materialCount_(other.materialCount_),
      name_(other.name_)
{
    meshes_.reserve(other.meshes_.size());
    for (const auto& mesh : other.meshes_)
        meshes_.push_back(std::make_unique<Mesh>(*mesh));
}

Mesh* Model::AddMesh()
{
    meshes_.push_back(std::make_unique<Mesh>());
    return meshes_.back().get();
}

void Model::RemoveMesh(Mesh* mesh)
{
    auto it = std::find_if(meshes_.begin(), meshes_.end(),
                           [mesh](const std::unique_ptr<Mesh>& m) { return m.get() == mesh; });
    if (it != meshes_.end())
        meshes_.erase(it);
}

Mesh* Model::GetMesh(int index) const
{
    if (index < 0 || index >= GetGroupCount())
        return nullptr;
    return meshes_[index].get();
}

void Model::Split(const Plane& plane, Model* front, Model* back) const
{
    if (!front || !back)
        return;
    Model* halves[2] = {front, back};
    const char* suffixes[2] = {"front", "back"};
    for (const auto& group : meshes_) {
        std::unique_ptr<Mesh> pieces[2] = {std::make_unique<Mesh>(), std::make_unique<Mesh>()};
        group->Split(plane, pieces[0].get(), pieces[1].get());
        for (int i = 0; i < 2; ++i) {
            if (pieces[i]->GetVertexCount() < 1)
                continue;
            Model* half = halves[i];
            pieces[i]->BuildArrays();
            half->mtllibName_ = mtllibName_;
            half->name_ = name_ + suffixes[i];
            half->triangleCount_ += pieces[i]->GetFaceCount();
            half->meshes_.push_back(std::move(pieces[i]));
            half->materialCount_ = materialCount_;
            half->SetBounds(half->ComputeBoundsMin(), half->ComputeBoundsMax());
        }
    }
}

void Model::Update(float dt)
{
    for (auto& mesh : meshes_)
        mesh->Update(dt);
}

void Model::Render(int mode, MaterialManager* materials)
{
    for (auto& mesh : meshes_)
        mesh->Render(mode, materials);
}

void Model::RenderGeometry(int mode)
{
    for (auto& mesh : meshes_)
        mesh->RenderGeometry(mode);
}

void Model::RenderColored(float r, float g, float b, float a, int mode, bool useMaterial)
{
    for (auto& mesh : meshes_)
        mesh->RenderColored(r, g, b, a, mode, useMaterial);
}

void Model::DrawBounds()
{
    const GfxVec3& lo = boundsMin_;
    const GfxVec3& hi = boundsMax_;
    glPushMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_LINE_LOOP);  // z = min
    glVertex3f(lo.x, lo.y, lo.z);
    glVertex3f(hi.x, lo.y, lo.z);
    glVertex3f(hi.x, hi.y, lo.z);
    glVertex3f(lo.x, hi.y, lo.z);
    glEnd();
    glBegin(GL_LINE_LOOP);  // z = max
    glVertex3f(lo.x, lo.y, hi.z);
    glVertex3f(hi.x, lo.y, hi.z);
    glVertex3f(hi.x, hi.y, hi.z);
    glVertex3f(lo.x, hi.y, hi.z);
    glEnd();
    glBegin(GL_LINE_LOOP);  // y = max
    glVertex3f(lo.x, hi.y, lo.z);
    glVertex3f(hi.x, hi.y, lo.z);
    glVertex3f(hi.x, hi.y, hi.z);
    glVertex3f(lo.x, hi.y, hi.z);
    glEnd();
    glBegin(GL_LINE_LOOP);  // y = min
    glVertex3f(lo.x, lo.y, lo.z);
    glVertex3f(hi.x, lo.y, lo.z);
    glVertex3f(hi.x, lo.y, hi.z);
    glVertex3f(lo.x, lo.y, hi.z);
    glEnd();
    glPopMatrix();
}

GfxVec3 Model::ComputeBoundsMin() const
{
    GfxVec3 result;
    for (const auto& mesh : meshes_) {
        for (const GfxVec3& v : mesh->GetVertices()) {
            if (v.x < result.x)
                result.x = v.x;
            if (v.y < result.y)
                result.y = v.y;
            if (v.z < result.z)
                result.z = v.z;
        }
    }
    return result;
}

GfxVec3 Model::ComputeBoundsMax() const
{
    GfxVec3 result;
    for (const auto& mesh : meshes_) {
        for (const GfxVec3& v : mesh->GetVertices()) {
            if (v.x > result.x)
                result.x = v.x;
            if (v.y > result.y)
                result.y = v.y;
            if (v.z > result.z)
                result.z = v.z;
        }
    }
    return result;
}

GfxVec3 Model::GetCenter() const
{
    GfxVec3 lo = ComputeBoundsMin();
    GfxVec3 hi = ComputeBoundsMax();
    return GfxVec3(hi.x - (hi.x - lo.x) / 2.0f, hi.y - (hi.y - lo.y) / 2.0f, hi.z - (hi.z - lo.z) / 2.0f);
}

void Model::SetBounds(const GfxVec3& min, const GfxVec3& max)
{
    boundsMin_ = min;
    boundsMax_ = max;
}
