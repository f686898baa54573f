// A material that shows numbered texture frames in turn over a fixed run
// time, looping. Frame files are named base_runtime_index.ext (water_2_0.tga
// is frame 0 of "water", 2 seconds per pass). Made by the MaterialManager;
// the scene renderer also picks frames with SetFrame.
#pragma once

#include "material.h"

#include <string>
#include <vector>

class Texture;
class TextureManager;

class AnimatedMaterial : public Material {
public:
    AnimatedMaterial() = default;

    // Parses the frame name and loads that frame and every following one
    // until a file is missing, through the given texture manager (the
    // graphics component's when null). False for a malformed name; true with
    // no frames when not even the first file exists.
    bool Load(const char* fileName, TextureManager* textures = nullptr);
    // Shows frame i when 0 <= i < the number of frames; otherwise nothing.
    void SetFrame(int i);

    void ApplyBlend() override;
    void Bind() override;
    void ApplyBlendOnly() override {}
    // Advances at most one frame per call once frameTime has gathered.
    void Update(float dt) override;
    void PrintToFile(FILE* file) const override;
    void PrintToLog() const override;
    bool NameEquals(const char* name) const override;
    void WriteObj(FILE* file) const override;

    void SetName(const std::string& newName) { name_ = newName; }
    const std::string& GetName() const { return name_; }
    Texture* GetTexture() const { return texture_; }
    const std::vector<Texture*>& GetFrames() const { return frames_; }
    int GetFrameCount() const { return frameCount_; }
    unsigned int GetFrameIndex() const { return frameIndex_; }
    float GetRunTime() const { return runTime_; }
    float GetFrameTime() const { return frameTime_; }

private:
    std::vector<std::string> DumpLines() const;

    Texture* texture_ = nullptr;    // the frame shown now
    std::vector<Texture*> frames_;  // owned by the texture manager
    int frameCount_ = 0;
    float runTime_ = 1.0f;
    float frameTime_ = 0.0f;
    float elapsed_ = 0.0f;
    unsigned int frameIndex_ = 0;
    std::string name_;
};
