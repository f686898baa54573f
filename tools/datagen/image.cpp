// RGBA float picture and TGA writer (see image.h).
#include "image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

Rgba MakeRgba(double r, double g, double b, double a)
{
    return Rgba{static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), static_cast<float>(a)};
}

Rgba MixRgba(const Rgba& x, const Rgba& y, double t)
{
    return MakeRgba(x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t);
}

Rgba ScaleRgb(const Rgba& c, double s)
{
    return MakeRgba(c.r * s, c.g * s, c.b * s, c.a);
}

Image::Image(int width, int height, Rgba fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * height, fill)
{}

Rgba Image::Sample(double x, double y) const
{
    x = std::clamp(x - 0.5, 0.0, static_cast<double>(width_ - 1));
    y = std::clamp(y - 0.5, 0.0, static_cast<double>(height_ - 1));
    int x0 = static_cast<int>(x);
    int y0 = static_cast<int>(y);
    int x1 = std::min(x0 + 1, width_ - 1);
    int y1 = std::min(y0 + 1, height_ - 1);
    double tx = x - x0;
    double ty = y - y0;
    return MixRgba(MixRgba(At(x0, y0), At(x1, y0), tx), MixRgba(At(x0, y1), At(x1, y1), tx), ty);
}

void Image::Fill(Rgba c)
{
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void Image::Blend(int x, int y, const Rgba& c, double t)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || t <= 0.0) {
        return;
    }
    Rgba& d = At(x, y);
    double sa = std::min(1.0, static_cast<double>(c.a) * t);
    double outA = sa + d.a * (1.0 - sa);
    if (outA <= 0.0) {
        d = Rgba{0, 0, 0, 0};
        return;
    }
    double keep = d.a * (1.0 - sa);
    d = MakeRgba((c.r * sa + d.r * keep) / outA, (c.g * sa + d.g * keep) / outA, (c.b * sa + d.b * keep) / outA, outA);
}

namespace {

// Blends c over every pixel of [x0, x1) x [y0, y1) grown by soft, with the
// coverage a soft edge gives at the signed distance from the pixel's centre
// (px, py) to the shape.
template <typename Distance>
void FillSoftShape(Image& image, double x0, double y0, double x1, double y1, const Rgba& c, double soft,
                   Distance distance)
{
    int ix0 = std::max(0, static_cast<int>(std::floor(x0 - soft)));
    int iy0 = std::max(0, static_cast<int>(std::floor(y0 - soft)));
    int ix1 = std::min(image.Width(), static_cast<int>(std::ceil(x1 + soft)));
    int iy1 = std::min(image.Height(), static_cast<int>(std::ceil(y1 + soft)));
    for (int y = iy0; y < iy1; ++y) {
        for (int x = ix0; x < ix1; ++x) {
            double d = distance(x + 0.5, y + 0.5);
            image.Blend(x, y, c, std::clamp(0.5 - d / soft, 0.0, 1.0));
        }
    }
}

}  // namespace

void Image::FillRect(double x0, double y0, double x1, double y1, const Rgba& c, double soft)
{
    FillSoftShape(*this, x0, y0, x1, y1, c, soft, [&](double px, double py) {
        return std::max(std::max(x0 - px, px - x1), std::max(y0 - py, py - y1));
    });
}

void Image::FillRoundRect(double x0, double y0, double x1, double y1, double radius, const Rgba& c, double soft)
{
    FillSoftShape(*this, x0, y0, x1, y1, c, soft, [&](double px, double py) {
        double qx = std::max(std::max(x0 + radius - px, px - (x1 - radius)), 0.0);
        double qy = std::max(std::max(y0 + radius - py, py - (y1 - radius)), 0.0);
        return std::sqrt(qx * qx + qy * qy) - radius;
    });
}

void Image::FillCircle(double cx, double cy, double radius, const Rgba& c, double soft)
{
    FillSoftShape(*this, cx - radius, cy - radius, cx + radius, cy + radius, c, soft,
                  [&](double px, double py) { return std::hypot(px - cx, py - cy) - radius; });
}

void Image::DrawLine(double x0, double y0, double x1, double y1, double width, const Rgba& c)
{
    double half = width * 0.5;
    int ix0 = std::max(0, static_cast<int>(std::floor(std::min(x0, x1) - half - 1)));
    int iy0 = std::max(0, static_cast<int>(std::floor(std::min(y0, y1) - half - 1)));
    int ix1 = std::min(width_, static_cast<int>(std::ceil(std::max(x0, x1) + half + 1)));
    int iy1 = std::min(height_, static_cast<int>(std::ceil(std::max(y0, y1) + half + 1)));
    double dx = x1 - x0;
    double dy = y1 - y0;
    double len2 = dx * dx + dy * dy;
    for (int y = iy0; y < iy1; ++y) {
        for (int x = ix0; x < ix1; ++x) {
            double px = x + 0.5 - x0;
            double py = y + 0.5 - y0;
            double t = len2 > 0.0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
            double d = std::hypot(px - t * dx, py - t * dy) - half;
            Blend(x, y, c, std::clamp(0.5 - d, 0.0, 1.0));
        }
    }
}

void Image::FillVerticalGradient(double y0, double y1, const Rgba& bottom, const Rgba& top)
{
    for (int y = 0; y < height_; ++y) {
        double t = std::clamp((y + 0.5 - y0) / (y1 - y0), 0.0, 1.0);
        Rgba c = MixRgba(bottom, top, t);
        for (int x = 0; x < width_; ++x) {
            At(x, y) = c;
        }
    }
}

namespace {

struct WrittenText {
    std::string picture;
    int width;
    int height;
    TextBox box;
};

std::vector<WrittenText>& WrittenTexts()
{
    static std::vector<WrittenText> texts;
    return texts;
}

}  // namespace

void Image::Paste(const Image& other, int x, int y, double opacity)
{
    for (const TextBox& t : other.texts_) {
        texts_.push_back({t.text, t.x0 + x, t.y0 + y, t.x1 + x, t.y1 + y});
    }
    for (int j = 0; j < other.height_; ++j) {
        for (int i = 0; i < other.width_; ++i) {
            Blend(x + i, y + j, other.At(i, j), opacity);
        }
    }
}

Image Image::Resized(int width, int height) const
{
    Image out(width, height);
    double sx = static_cast<double>(width_) / width;
    double sy = static_cast<double>(height_) / height;
    for (const TextBox& t : texts_) {
        out.texts_.push_back({t.text, t.x0 / sx, t.y0 / sy, t.x1 / sx, t.y1 / sy});
    }
    int tapsX = std::max(1, static_cast<int>(std::ceil(sx)));
    int tapsY = std::max(1, static_cast<int>(std::ceil(sy)));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < tapsY; ++j) {
                for (int i = 0; i < tapsX; ++i) {
                    Rgba c = Sample((x + (i + 0.5) / tapsX) * sx, (y + (j + 0.5) / tapsY) * sy);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            double n = tapsX * tapsY;
            out.At(x, y) = a > 0.0 ? MakeRgba(r / a, g / a, b / a, a / n) : MakeRgba(0, 0, 0, 0);
        }
    }
    return out;
}

Image Image::Cropped(int x, int y, int w, int h) const
{
    Image out(w, h);
    for (const TextBox& t : texts_) {
        out.texts_.push_back({t.text, t.x0 - x, t.y0 - y, t.x1 - x, t.y1 - y});
    }
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            int sx = std::clamp(x + i, 0, width_ - 1);
            int sy = std::clamp(y + j, 0, height_ - 1);
            out.At(i, j) = At(sx, sy);
        }
    }
    return out;
}

bool Image::WriteTga(const std::string& path, bool withAlpha) const
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "morvo_datagen: cannot write %s\n", path.c_str());
        return false;
    }
    unsigned char header[18] = {};
    header[2] = 2;
    header[12] = static_cast<unsigned char>(width_ & 0xFF);
    header[13] = static_cast<unsigned char>(width_ >> 8);
    header[14] = static_cast<unsigned char>(height_ & 0xFF);
    header[15] = static_cast<unsigned char>(height_ >> 8);
    header[16] = withAlpha ? 32 : 24;
    header[17] = withAlpha ? 8 : 0;
    std::fwrite(header, 1, sizeof(header), file);
    int bytes = withAlpha ? 4 : 3;
    std::vector<unsigned char> row(static_cast<size_t>(width_) * bytes);
    auto toByte = [](float v) { return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Rgba& c = At(x, y);
            unsigned char* p = &row[static_cast<size_t>(x) * bytes];
            p[0] = toByte(c.b);
            p[1] = toByte(c.g);
            p[2] = toByte(c.r);
            if (withAlpha) {
                p[3] = toByte(c.a);
            }
        }
        std::fwrite(row.data(), 1, row.size(), file);
    }
    bool ok = std::ferror(file) == 0;
    ok = (std::fclose(file) == 0) && ok;
    for (const TextBox& t : texts_) {
        WrittenTexts().push_back({path, width_, height_, t});
    }
    return ok;
}

bool WriteTextList(const std::string& path, const std::string& root)
{
    FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    for (const WrittenText& w : WrittenTexts()) {
        const std::string picture =
            w.picture.compare(0, root.size() + 1, root + "/") == 0 ? w.picture.substr(root.size() + 1) : w.picture;
        std::fprintf(file, "%s\t%d\t%d\t%.2f\t%.2f\t%.2f\t%.2f\t%s\n", picture.c_str(), w.width, w.height, w.box.x0,
                     w.box.y0, w.box.x1, w.box.y1, w.box.text.c_str());
    }
    return std::fclose(file) == 0;
}
