// Six textures on a cube of half-size 50 centred on the eye, drawn first in
// a frame without depth test so the sky never comes nearer and is never
// hidden. The scene renderer loads the faces of the global sky box, draws it
// every frame and releases the faces.
#pragma once

class Texture;

constexpr int kSkyboxFaceCount = 6;
constexpr float kSkyboxHalfSize = 50.0f;

class Skybox {
public:
    // Makes sure the graphics component exists.
    Skybox();

    // Face 0 to 5 (0-3 sides at z = -50, x = +50, z = +50, x = -50; 4 top;
    // 5 bottom), loaded edge-clamped; true when a texture was returned.
    bool LoadFace(int index, const char* fileName);
    // Draws the cube around the eye; a face that failed to load is drawn untextured.
    void Render(float x, float y, float z);
    // Gives every face back to the texture manager; the pointers become null.
    void ReleaseFaces();

    Texture* GetFace(int index) const;

private:
    Texture* faces_[kSkyboxFaceCount] = {};  // owned by the texture manager
};

// The one sky box of the program.
Skybox& GlobalSkybox();
