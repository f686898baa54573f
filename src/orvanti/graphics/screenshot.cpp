// Numbered screenshots of the back buffer; see screenshot.h.
#include <GL/glew.h>

#include "screenshot.h"

#include "filepath.h"
#include "gfxcomponent.h"
#include "tgafile.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int screenshotCounter = 0;  // this run's next screenshot number

}  // namespace

void SaveScreenshot(const char* directory, const char* prefix)
{
    if (!directory)
        directory = ".";
    if (!prefix)
        prefix = "screenshot";
    GfxComponent* gfx = GfxComponent::GetInstance();
    const int width = gfx->GetWindowWidth();
    const int height = gfx->GetWindowHeight();
    if (width <= 0 || height <= 0)
        return;
    std::vector<unsigned char> buffer(static_cast<size_t>(width) * height * 4, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // BGRA is already the file's byte order.
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, buffer.data());
    char number[32];
    std::snprintf(number, sizeof number, "%.5d", screenshotCounter);
    const std::string fileName = JoinPath(directory, std::string(prefix) + "_" + number + ".tga");
    TgaFile writer;
    if (writer.Write(buffer.data(), width, height, fileName.c_str(), false))
        ++screenshotCounter;
}
