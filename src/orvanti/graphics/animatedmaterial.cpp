// Frame sequences of numbered textures; see animatedmaterial.h.
#include <GL/glew.h>

#include "animatedmaterial.h"

#include "filepath.h"
#include "gfxmanagers.h"
#include "texture.h"
#include "texturemanager.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

constexpr long long kLastFrameNumber = 2147483647;  // frame numbers are ints

bool AllDigits(const std::string& text)
{
    for (unsigned char c : text)
        if (!std::isdigit(c))
            return false;
    return true;
}

// Splits base_runtime_index.ext as strtok would: empty tokens are skipped.
bool NextToken(const std::string& text, size_t& pos, const char* delimiters, std::string& token)
{
    size_t start = text.find_first_not_of(delimiters, pos);
    if (start == std::string::npos) {
        pos = text.size();
        return false;
    }
    size_t end = text.find_first_of(delimiters, start);
    if (end == std::string::npos) {
        token = text.substr(start);
        pos = text.size();
    } else {
        token = text.substr(start, end - start);
        pos = end + 1;
    }
    return true;
}

}  // namespace

bool AnimatedMaterial::Load(const char* fileName, TextureManager* textures)
{
    if (!fileName)
        return false;
    const std::string filename = fileName;
    size_t pos = 0;
    std::string base;
    std::string runTimeField;
    std::string indexField;
    std::string extension;
    if (!NextToken(filename, pos, "_", base) || !NextToken(filename, pos, "_", runTimeField) ||
        !NextToken(filename, pos, ".", indexField) || !NextToken(filename, pos, " ", extension))
        return false;
    if (!AllDigits(runTimeField) || !AllDigits(indexField))
        return false;
    runTime_ = static_cast<float>(std::atof(runTimeField.c_str()));
    const int runTimeInt = std::atoi(runTimeField.c_str());
    const int firstIndex = std::atoi(indexField.c_str());

    if (!textures)
        textures = GfxTextureManager();
    for (long long k = firstIndex; k <= kLastFrameNumber; ++k) {
        const std::string texFile = base + "_" + std::to_string(runTimeInt) + "_" + std::to_string(k) + "." + extension;
        if (!FileExists(texFile))
            break;
        frames_.push_back(textures ? textures->Load(texFile.c_str()) : nullptr);
        frameCount_ = static_cast<int>(frames_.size());
    }
    // No frames: no texture, and no frame is ever indexed.
    texture_ = frameIndex_ < frames_.size() ? frames_[frameIndex_] : nullptr;
    frameTime_ = frameCount_ > 0 ? runTime_ / static_cast<float>(frameCount_) : 0.0f;
    return true;
}

void AnimatedMaterial::SetFrame(int i)
{
    if (i >= 0 && i < static_cast<int>(frames_.size())) {
        frameIndex_ = static_cast<unsigned int>(i);
        texture_ = frames_[frameIndex_];
    }
}

void AnimatedMaterial::ApplyBlend()
{
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void AnimatedMaterial::Bind()
{
    glBindTexture(GL_TEXTURE_2D, texture_ ? texture_->GetGLTextureId() : 0);
}

void AnimatedMaterial::Update(float dt)
{
    elapsed_ += dt;
    if (frames_.empty() || elapsed_ < frameTime_)
        return;
    ++frameIndex_;
    if (frameIndex_ >= frames_.size())
        frameIndex_ = 0;
    texture_ = frames_[frameIndex_];
    elapsed_ = 0.0f;
}

std::vector<std::string> AnimatedMaterial::DumpLines() const
{
    std::vector<std::string> lines;
    lines.push_back(Format("Material Name: %s\n", name_.c_str()));
    lines.push_back(Format("\t Total Run Time: %f\n", runTime_));
    for (int i = 0; i < frameCount_ && i < static_cast<int>(frames_.size()); ++i) {
        const Texture* frame = frames_[i];
        if (!frame)
            continue;
        AppendTextureLines(lines, *frame);
    }
    lines.push_back("\n");
    return lines;
}

void AnimatedMaterial::PrintToFile(FILE* file) const
{
    PrintLinesToFile(DumpLines(), file);
}

void AnimatedMaterial::PrintToLog() const
{
    PrintLinesToLog(DumpLines());
}

bool AnimatedMaterial::NameEquals(const char* other) const
{
    return other && std::strcmp(name_.c_str(), other) == 0;
}

void AnimatedMaterial::WriteObj(FILE* file) const
{
    if (file)
        std::fprintf(file, "usemtl %s\n", name_.c_str());
}
