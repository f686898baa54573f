// FreeType text rendering for the generated pictures (see fontlabels.h).
#include "fontlabels.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char* kFontFiles[2] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",       // Regular
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",  // Bold
};

FT_Face AsFace(void* p)
{
    return static_cast<FT_Face>(p);
}

// Decodes UTF-8 into code points (the texts are plain ASCII plus a few signs).
std::u32string Decode(const std::string& text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        char32_t cp = c;
        int extra = 0;
        if (c >= 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else if (c >= 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if (c >= 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        }
        ++i;
        for (int k = 0; k < extra && i < text.size(); ++k, ++i) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        }
        out.push_back(cp);
    }
    return out;
}

}  // namespace

FontLabels::FontLabels()
{
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) {
        std::fprintf(stderr, "morvo_datagen: FreeType did not start\n");
        return;
    }
    library_ = lib;
    ok_ = true;
    for (int i = 0; i < 2; ++i) {
        FT_Face face = nullptr;
        if (FT_New_Face(lib, kFontFiles[i], 0, &face) != 0) {
            std::fprintf(stderr, "morvo_datagen: cannot open font %s\n", kFontFiles[i]);
            ok_ = false;
            continue;
        }
        faces_[i] = face;
    }
}

FontLabels::~FontLabels()
{
    for (void* f : faces_) {
        if (f != nullptr) {
            FT_Done_Face(AsFace(f));
        }
    }
    if (library_ != nullptr) {
        FT_Done_FreeType(static_cast<FT_Library>(library_));
    }
}

double FontLabels::Measure(const std::string& text, FontFace which, int pixelSize)
{
    FT_Face face = AsFace(faces_[static_cast<int>(which)]);
    if (face == nullptr) {
        return 0.0;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    double width = 0.0;
    for (char32_t cp : Decode(text)) {
        if (FT_Load_Char(face, cp, FT_LOAD_DEFAULT) == 0) {
            width += face->glyph->advance.x / 64.0;
        }
    }
    return width;
}

int FontLabels::FitSize(const std::string& text, FontFace face, int pixelSize, double maxWidth)
{
    constexpr int kSmallest = 6;
    while (pixelSize > kSmallest && Measure(text, face, pixelSize) > maxWidth) {
        --pixelSize;
    }
    return pixelSize;
}

double FontLabels::Draw(Image& image, const std::string& text, FontFace which, int pixelSize, double x, double baseline,
                        const Rgba& colour)
{
    FT_Face face = AsFace(faces_[static_cast<int>(which)]);
    if (face == nullptr) {
        return 0.0;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    double pen = x;
    TextBox box{text, 1e9, 1e9, -1e9, -1e9};
    for (char32_t cp : Decode(text)) {
        if (FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        int left = static_cast<int>(pen) + g->bitmap_left;
        int top = static_cast<int>(baseline) + g->bitmap_top;
        if (bm.width > 0 && bm.rows > 0) {
            box.x0 = std::min(box.x0, static_cast<double>(left));
            box.x1 = std::max(box.x1, static_cast<double>(left + static_cast<int>(bm.width)));
            box.y0 = std::min(box.y0, static_cast<double>(top - static_cast<int>(bm.rows)));
            box.y1 = std::max(box.y1, static_cast<double>(top));
        }
        for (unsigned int row = 0; row < bm.rows; ++row) {
            for (unsigned int col = 0; col < bm.width; ++col) {
                unsigned char v = bm.buffer[row * bm.pitch + col];
                if (v != 0) {
                    // Bitmap rows run downward; image rows run upward.
                    image.Blend(left + static_cast<int>(col), top - 1 - static_cast<int>(row), colour, v / 255.0);
                }
            }
        }
        pen += g->advance.x / 64.0;
    }
    if (box.x0 <= box.x1) {
        image.AddTextBox(box);
    }
    return pen - x;
}

void FontLabels::DrawCentred(Image& image, const std::string& text, FontFace face, int pixelSize, double cx,
                             double baseline, const Rgba& colour, double shadow)
{
    double w = Measure(text, face, pixelSize);
    double x = cx - w * 0.5;
    if (shadow > 0.0) {
        Rgba s = MakeRgba(0.0, 0.0, 0.0, 0.45 * colour.a);
        Draw(image, text, face, pixelSize, x + shadow, baseline - shadow, s);
    }
    Draw(image, text, face, pixelSize, x, baseline, colour);
}
