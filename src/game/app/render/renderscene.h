// One 3D frame of the game world, without the swap: sky box, fog, the ocean
// and islands in their fixed order, the simulation plane (RenderWorld), the
// boy, and the dimming and editing overlays. The in-game state renders with
// dim off, the edit-dialog state with dim on. Also the sky box's faces,
// loaded after a level is loaded and released before it is unloaded.
#pragma once

class CameraBase;

// Needs the world's camera (a violated precondition otherwise: nothing drawn).
void RenderScene(bool dim);

// Viewport over the whole window, then the camera's projection and view matrices.
void ApplyCamera(const CameraBase& camera);

// Faces 0-3 "side", 4 "top", 5 "bottom"; the result of the last load only.
bool LoadSkyboxFaces();
void ReleaseSkyboxFaces();
