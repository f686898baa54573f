// The menu screens: backgrounds laid out on the 1024 x 768 picture (stored
// stretched to 1024 x 1024), the "over" pictures of every button cut to its
// rectangle, the pointers and the dedication. Button rectangles are the
// menus' own, in pixels of the 1024 x 768 picture with y from the bottom.
#include <cmath>
#include <string>
#include <vector>

#include "datacontext.h"
#include "datarandom.h"
#include "image.h"

namespace {

constexpr int kLayoutW = 1024;
constexpr int kLayoutH = 768;
constexpr int kStoredSize = 1024;         // backgrounds are stored square, power of two
constexpr double kHeadingCentre = 815.0;  // headings of the screens other than the title

struct Button {
    const char* overAsset;  // the "over" picture's asset name
    const char* file;       // its file name
    double x, y, w, h;      // rectangle on the 1024 x 768 picture, y from the bottom
    const char* label;
    const char* caption;  // smaller second line, may be empty
};

struct Screen {
    const char* prefix;  // asset prefix of the screen
    const char* file;    // file prefix
    const char* heading;
    const char* subheading;
    Rgba pointerTint;
    std::vector<Button> buttons;
};

// Rectangles of the title, level-select, ending, pause and extras screens.
std::vector<Screen> Screens()
{
    return {
        {"MSA",
         "title",
         "Morvo",
         "a daydream above the sea",
         MakeRgba(1.0, 0.95, 0.7),
         {{"MSA_STARTBUTTONOVER_TEX", "titlestart", 357, 438, 123, 123, "Start", ""},
          {"MSA_CREDITSBUTTONOVER_TEX", "titlecredits", 745, 442, 128, 128, "Credits", ""},
          {"MSA_EXITBUTTONOVER_TEX", "titleexit", 732, 225, 72, 54, "Exit", ""}}},
        {"MSDR",
         "dream",
         "Choose a daydream",
         "",
         MakeRgba(0.8, 0.95, 1.0),
         {{"MSDR_MENUBUTTONOVER_TEX", "dreammenu", 42, 243, 91, 91, "Menu", ""},
          {"MSDR_DREAM1BUTTONOVER_TEX", "dreamone", 258, 567, 349, 170, "Daydream 1", "First Light"},
          {"MSDR_DREAM2BUTTONOVER_TEX", "dreamtwo", 258, 388, 349, 170, "Daydream 2", "Dark Tide"},
          {"MSDR_DREAM3BUTTONOVER_TEX", "dreamthree", 258, 209, 349, 170, "Daydream 3", "Ember Rain"},
          {"MSDR_DREAM4BUTTONOVER_TEX", "dreamfour", 258, 30, 349, 170, "Daydream 4", "Four Winds"},
          {"MSDR_DREAMEXTRABUTTONOVER_TEX", "dreamextra", 656, 0, 160, 160, "Extras", ""}}},
        {"MEMS",
         "ending",
         "The light faded",
         "the dark morvos won this time",
         MakeRgba(1.0, 0.85, 0.8),
         {{"MEMS_MENUBUTTONOVER_TEX", "endingmenu", 42, 256.5, 94, 70.5, "Menu", ""},
          {"MEMS_CONTINUEBUTTONOVER_TEX", "endingcontinue", 288, 316.5, 250, 187.5, "Continue", "choose again"}}},
        {"MSLS",
         "pause",
         "Paused",
         "the morvos wait for you",
         MakeRgba(0.9, 1.0, 0.9),
         {{"MSLS_MENUBUTTONOVER_TEX", "pausemenu", 48, 258, 86, 64.5, "Menu", ""},
          {"MSLS_CONTINUEBUTTONOVER_TEX", "pausecontinue", 618, 394.5, 200, 150, "Continue", "back to the sky"}}},
        {"MSEX",
         "extra",
         "Extra daydreams",
         "",
         MakeRgba(1.0, 0.85, 1.0),
         {{"MSEX_MENUBUTTONOVER_TEX", "extramenu", 55, 234, 98, 98, "Menu", ""},
          {"MSEX_EXTRA1BUTTONOVER_TEX", "extraone", 479, 361, 64, 64, "1", ""},
          {"MSEX_EXTRA2BUTTONOVER_TEX", "extratwo", 544, 312, 348, 169, "Extra 2", "Thunderheads"},
          {"MSEX_EXTRA3BUTTONOVER_TEX", "extrathree", 896, 360, 64, 64, "3", ""}}},
    };
}

int PowerOfTwoAtLeast(double v)
{
    int p = 1;
    while (p < v) {
        p *= 2;
    }
    return p;
}

// The scene behind every menu: evening sky, sea, islands, drifting morvos.
Image MenuScenery(uint64_t seed, double warmth)
{
    Image img(kLayoutW, kLayoutH);
    const double horizon = 250.0;
    Rgba skyLow = MixRgba(MakeRgba(0.70, 0.88, 0.88), MakeRgba(0.98, 0.78, 0.62), warmth);
    Rgba skyHigh = MixRgba(MakeRgba(0.20, 0.42, 0.78), MakeRgba(0.28, 0.25, 0.55), warmth);
    Noise2D clouds(seed, 6, 0);
    DataRandom rng(seed);
    for (int y = 0; y < kLayoutH; ++y) {
        for (int x = 0; x < kLayoutW; ++x) {
            Rgba c;
            if (y >= horizon) {
                double t = std::pow((y - horizon) / (kLayoutH - horizon), 0.7);
                c = MixRgba(skyLow, skyHigh, t);
                double n = clouds.Fbm(x / 170.0, y / 60.0, 4);
                double cover = SmoothStep(0.1, 0.6, n) * SmoothStep(horizon, horizon + 80, y);
                c = MixRgba(c, MakeRgba(1.0, 0.97, 0.95), cover * 0.7);
            } else {
                double t = y / horizon;
                c = MixRgba(MakeRgba(0.05, 0.20, 0.35), ScaleRgb(skyLow, 0.85), std::pow(t, 2.0));
                double glint = clouds.At(x / 9.0, y / 2.0);
                c = MixRgba(c, MakeRgba(1, 1, 1), SmoothStep(0.55, 0.9, glint) * 0.25 * t);
            }
            img.At(x, y) = c;
        }
    }
    // Island silhouettes on the horizon.
    struct Hill {
        double x, w, h;
    };
    static constexpr Hill kHills[] = {{140, 260, 60}, {330, 120, 28}, {760, 320, 90}, {930, 160, 35}};
    for (const Hill& hill : kHills) {
        for (int x = static_cast<int>(hill.x - hill.w); x < hill.x + hill.w; ++x) {
            double t = (x - hill.x) / hill.w;
            double top =
                horizon + hill.h * std::pow(std::fmax(0.0, 1.0 - t * t), 1.5) * (1.0 + 0.1 * clouds.At(x / 20.0, 3.0));
            for (int y = static_cast<int>(horizon) - 2; y < top; ++y) {
                img.Blend(x, y, MixRgba(MakeRgba(0.18, 0.35, 0.30), MakeRgba(0.35, 0.30, 0.45), warmth), 0.9);
            }
        }
    }
    // Drifting morvos: soft white glows.
    for (int i = 0; i < 26; ++i) {
        double x = rng.Range(0, kLayoutW);
        double y = rng.Range(horizon + 20, kLayoutH - 20);
        double r = rng.Range(6, 22);
        for (int k = 3; k >= 1; --k) {
            img.FillCircle(x, y, r * (0.6 + 0.5 * k), MakeRgba(1.0, 1.0, 0.92, 0.12 * (4 - k)), r * 0.6);
        }
    }
    return img;
}

void DrawButton(FontLabels& fonts, Image& img, const Button& b, bool over)
{
    double r = std::fmin(b.w, b.h) * 0.22;
    double inset = std::fmin(b.w, b.h) * 0.06;
    double x0 = b.x + inset, y0 = b.y + inset, x1 = b.x + b.w - inset, y1 = b.y + b.h - inset;
    if (over) {
        img.FillRoundRect(x0 - inset * 0.8, y0 - inset * 0.8, x1 + inset * 0.8, y1 + inset * 0.8, r + inset,
                          MakeRgba(1.0, 0.92, 0.55, 0.55), inset * 1.2);
    }
    img.FillRoundRect(x0, y0, x1, y1, r, over ? MakeRgba(1.0, 0.97, 0.85, 0.92) : MakeRgba(0.10, 0.22, 0.40, 0.62),
                      1.5);
    img.FillRoundRect(x0 + 2, y0 + (y1 - y0) * 0.5, x1 - 2, y1 - 2, r * 0.9, MakeRgba(1, 1, 1, over ? 0.25 : 0.10),
                      2.0);
    Rgba ink = over ? MakeRgba(0.12, 0.20, 0.38) : MakeRgba(1.0, 1.0, 1.0);
    double h = y1 - y0;
    double room = (x1 - x0) * 0.84;
    bool twoLines = b.caption[0] != '\0';
    // The largest size at which the label (and its caption) fit the button.
    int size = static_cast<int>(h * (twoLines ? 0.3 : 0.42));
    while (size > 8 &&
           (fonts.Measure(b.label, FontFace::Bold, size) > room ||
            (twoLines && fonts.Measure(b.caption, FontFace::Regular, static_cast<int>(size * 0.62)) > room))) {
        --size;
    }
    double mid = (y0 + y1) * 0.5;
    if (twoLines) {
        fonts.DrawCentred(img, b.label, FontFace::Bold, size, (x0 + x1) * 0.5, mid + size * 0.15, ink, over ? 0 : 2);
        fonts.DrawCentred(img, b.caption, FontFace::Regular, static_cast<int>(size * 0.62), (x0 + x1) * 0.5,
                          mid - size * 0.75, ink, over ? 0 : 1.5);
    } else {
        fonts.DrawCentred(img, b.label, FontFace::Bold, size, (x0 + x1) * 0.5, mid - size * 0.36, ink, over ? 0 : 2);
    }
}

Image Pointer(const Rgba& tint)
{
    Image img(32, 32, MakeRgba(0, 0, 0, 0));
    // Arrow with its tip at the top-left corner (the hot spot).
    const double tip[2] = {1.5, 30.5};
    Rgba dark = MakeRgba(0.05, 0.08, 0.15, 1.0);
    for (int pass = 0; pass < 2; ++pass) {
        double grow = pass == 0 ? 1.6 : 0.0;
        Rgba c = pass == 0 ? dark : tint;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                double px = x + 0.5 - tip[0];
                double py = tip[1] - (y + 0.5);
                // Inside the arrow head (a wedge) or its tail.
                bool head = px >= -grow && py >= -grow && py <= 22 + grow && px <= py * 0.62 + grow &&
                            px + py * 0.2 <= 18 + grow;
                double tx = px - 7, ty = py - 14;
                bool tail = std::fabs(tx * 0.6 - ty * 0.8) < 2.2 + grow && (tx * 0.8 + ty * 0.6) > -2 &&
                            (tx * 0.8 + ty * 0.6) < 12 + grow;
                if (head || tail) {
                    img.Blend(x, y, c, 1.0);
                }
            }
        }
    }
    return img;
}

void WriteScreen(DataContext& ctx, const Screen& s, uint64_t seed, double warmth)
{
    FontLabels& fonts = ctx.Fonts();
    const std::string& dir = ctx.Dirs().menu;
    Image bg = MenuScenery(seed, warmth);
    std::string prefix = s.prefix;
    // Heading: the title screen's is large and centred above its buttons.
    bool title = prefix == "MSA";
    if (title) {
        fonts.DrawCentred(bg, s.heading, FontFace::Bold, 132, 512, 620, MakeRgba(1.0, 1.0, 0.97), 4);
        fonts.DrawCentred(bg, s.subheading, FontFace::Regular, 30, 512, 585, MakeRgba(1, 1, 1, 0.92), 2);
    } else {
        // Right of the buttons' column, inside the picture's right edge.
        constexpr double kHeadingWidth = 2.0 * (kLayoutW - 12.0 - kHeadingCentre);
        const int size = fonts.FitSize(s.heading, FontFace::Bold, 40, kHeadingWidth);
        fonts.DrawCentred(bg, s.heading, FontFace::Bold, size, kHeadingCentre, 695, MakeRgba(1, 1, 1), 3);
        if (s.subheading[0] != '\0') {
            fonts.DrawCentred(bg, s.subheading, FontFace::Regular, 22, 815, 662, MakeRgba(1, 1, 1, 0.9), 2);
        }
    }
    if (prefix == "MSEX") {
        // Names of the two small extras, below the row of buttons.
        fonts.DrawCentred(bg, "Cloud Garden", FontFace::Regular, 20, 511, 290, MakeRgba(1, 1, 1), 2);
        fonts.DrawCentred(bg, "Lantern Sea", FontFace::Regular, 20, 928, 290, MakeRgba(1, 1, 1), 2);
    }
    for (const Button& b : s.buttons) {
        DrawButton(fonts, bg, b, false);
    }
    for (const Button& b : s.buttons) {
        // The over picture is the highlighted button cut to its rectangle.
        Image over(static_cast<int>(std::ceil(b.w)), static_cast<int>(std::ceil(b.h)), MakeRgba(1, 1, 1, 0));
        Button local = b;
        local.x = 0;
        local.y = 0;
        DrawButton(fonts, over, local, true);
        Image stored = over.Resized(PowerOfTwoAtLeast(b.w), PowerOfTwoAtLeast(b.h));
        std::string file = std::string(b.file) + "over.tga";
        ctx.Check(stored.WriteTga(dir + "/" + file, true), file);
        ctx.AddAsset(b.overAsset, "menu/" + file);
    }
    std::string bgFile = std::string(s.file) + "background.tga";
    ctx.Check(bg.Resized(kStoredSize, kStoredSize).WriteTga(dir + "/" + bgFile, false), bgFile);
    ctx.AddAsset(prefix + "_BGROUND_TEX", "menu/" + bgFile);
    std::string pointerFile = std::string(s.file) + "pointer.tga";
    ctx.Check(Pointer(s.pointerTint).WriteTga(dir + "/" + pointerFile, true), pointerFile);
    ctx.AddAsset(prefix + "_MCURSOR_TEX", "menu/" + pointerFile);
}

void WriteDedication(DataContext& ctx)
{
    Image img(kLayoutW, kLayoutH);
    img.FillVerticalGradient(0, kLayoutH, MakeRgba(0.02, 0.04, 0.10), MakeRgba(0.10, 0.16, 0.30));
    DataRandom rng(77);
    for (int i = 0; i < 160; ++i) {
        img.FillCircle(rng.Range(0, kLayoutW), rng.Range(0, kLayoutH), rng.Range(0.6, 1.8),
                       MakeRgba(1, 1, 0.9, rng.Range(0.3, 0.9)), 1.0);
    }
    FontLabels& fonts = ctx.Fonts();
    fonts.DrawCentred(img, "for everyone who ever herded clouds", FontFace::Regular, 40, 512, 400,
                      MakeRgba(0.95, 0.95, 1.0));
    fonts.DrawCentred(img, "and found a little light in them", FontFace::Regular, 28, 512, 350,
                      MakeRgba(0.8, 0.85, 1.0));
    ctx.Check(img.Resized(kStoredSize, kStoredSize).WriteTga(ctx.Dirs().menu + "/dedication.tga", false), "dedication");
    ctx.AddAsset("MSA_DEDICATE_TEX", "menu/dedication.tga");
}

}  // namespace

void GenerateMenus(DataContext& ctx)
{
    std::vector<Screen> screens = Screens();
    static constexpr double kWarmth[] = {0.0, 0.25, 0.85, 0.5, 0.65};
    for (size_t i = 0; i < screens.size(); ++i) {
        WriteScreen(ctx, screens[i], 600 + i, kWarmth[i]);
    }
    WriteDedication(ctx);
}
