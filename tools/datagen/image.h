// An RGBA picture of floats (0..1) that the generator paints into and then
// writes as an uncompressed TGA (type 2, rows bottom first). Row 0 is the
// bottom row, as OpenGL and the game's 2D mode count it.
#pragma once

#include <string>
#include <vector>

struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

Rgba MakeRgba(double r, double g, double b, double a = 1.0);
Rgba MixRgba(const Rgba& x, const Rgba& y, double t);
Rgba ScaleRgb(const Rgba& c, double s);

// A text drawn into an image: its ink box in the image's pixels (y up).
struct TextBox {
    std::string text;
    double x0, y0, x1, y1;
};

class Image {
public:
    Image(int width, int height, Rgba fill = Rgba{});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgba& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Rgba& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    // Bilinear sample at pixel coordinates (clamped at the edges).
    Rgba Sample(double x, double y) const;

    void Fill(Rgba c);
    // Paints c over the pixel with coverage t (0..1), alpha compositing.
    void Blend(int x, int y, const Rgba& c, double t);
    // Axis-aligned box [x0, x1) x [y0, y1), soft edges of the given width.
    void FillRect(double x0, double y0, double x1, double y1, const Rgba& c, double soft = 1.0);
    // Rounded box with a soft edge.
    void FillRoundRect(double x0, double y0, double x1, double y1, double radius, const Rgba& c, double soft = 1.2);
    void FillCircle(double cx, double cy, double radius, const Rgba& c, double soft = 1.0);
    // A line of the given width with round ends.
    void DrawLine(double x0, double y0, double x1, double y1, double width, const Rgba& c);
    // Vertical gradient from bottom colour to top colour over [y0, y1).
    void FillVerticalGradient(double y0, double y1, const Rgba& bottom, const Rgba& top);
    // Copies another image over this one at (x, y), alpha compositing.
    void Paste(const Image& other, int x, int y, double opacity = 1.0);
    // A resampled copy (bilinear, box-filtered when shrinking).
    Image Resized(int width, int height) const;
    // The part [x, x + w) x [y, y + h).
    Image Cropped(int x, int y, int w, int h) const;

    // Texts drawn into the image; resizing, cropping and pasting carry them.
    void AddTextBox(const TextBox& box) { texts_.push_back(box); }
    const std::vector<TextBox>& TextBoxes() const { return texts_; }

    // Writes a 24-bit (alpha dropped) or 32-bit uncompressed TGA, and lists
    // the image's texts for WriteTextList.
    bool WriteTga(const std::string& path, bool withAlpha) const;

private:
    int width_;
    int height_;
    std::vector<Rgba> pixels_;
    std::vector<TextBox> texts_;
};

// Writes one line per text of every picture written so far: the picture's
// path (relative to `root`), its width and height, the text's box and the
// text, separated by tabs. The data check reads it.
bool WriteTextList(const std::string& path, const std::string& root);
