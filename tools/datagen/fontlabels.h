// Text drawn with FreeType from a DejaVu font of the system
// (fonts-dejavu-core) into a generator Image: labels, titles, captions.
#pragma once

#include <string>

#include "image.h"

enum class FontFace { Regular, Bold };

class FontLabels {
public:
    FontLabels();
    ~FontLabels();
    FontLabels(const FontLabels&) = delete;
    FontLabels& operator=(const FontLabels&) = delete;

    bool Ok() const { return ok_; }
    // Width in pixels of the text at the given pixel size.
    double Measure(const std::string& text, FontFace face, int pixelSize);
    // The largest pixel size up to pixelSize at which the text is at most
    // maxWidth wide (at least 6).
    int FitSize(const std::string& text, FontFace face, int pixelSize, double maxWidth);
    // Draws text with its baseline starting at (x, baseline); y grows upward
    // as in the Image. Returns the advance.
    double Draw(Image& image, const std::string& text, FontFace face, int pixelSize, double x, double baseline,
                const Rgba& colour);
    // Centred on cx, with a soft drop shadow when shadow > 0.
    void DrawCentred(Image& image, const std::string& text, FontFace face, int pixelSize, double cx, double baseline,
                     const Rgba& colour, double shadow = 0.0);

private:
    void* library_ = nullptr;
    void* faces_[2] = {nullptr, nullptr};
    bool ok_ = false;
};
