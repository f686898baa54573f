// The story: eight chapters with their levels (morvos, grid sets, triggers,
// particle systems, dirty islands), intro cut-scenes, hint, win and lose
// animations with their picture cards, and the help and screenshot
// overlays of assets/2D. Levels are in world units of the ocean scene:
// morvo and cell coordinates are on the simulation plane (world / 200,
// plane y = -world z).
#include "story.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "audio.h"
#include "datacontext.h"
#include "datarandom.h"
#include "image.h"
#include "soundbank.h"

namespace {

// The level grid of the game: 116 x 116 cells over -8.7625 .. 8.7625.
constexpr float kWorldHalf = 8.7625f;
constexpr float kCellWidth = 17.525f / 116.0f;
constexpr double kFlightHeight = 155.0;     // morvo layer 150 plus the boy's hover
constexpr double kStartLightBehind = 11.0;  // along x and z: 15.5 units behind the boy

std::vector<ChapterEntry> gChapters;

std::string FromRun(const std::string& pathInGame)
{
    return std::string(kGameFromRun) + "/" + pathInGame;
}

struct Cell {
    int x;
    int y;
};

// The cell under a world point (x, z).
Cell CellAt(double wx, double wz)
{
    float sx = static_cast<float>(wx / 200.0);
    float sy = static_cast<float>(-wz / 200.0);
    return Cell{static_cast<int>((sx + kWorldHalf) / kCellWidth), static_cast<int>((sy + kWorldHalf) / kCellWidth)};
}

// ---- picture cards ----

struct CardLine {
    std::string text;
    int size;
    bool bold;
};

Image Card(DataContext& ctx, int w, int h, const std::vector<CardLine>& lines, const Rgba& panel)
{
    Image img(w, h, MakeRgba(panel.r, panel.g, panel.b, 0));
    if (panel.a > 0.0f) {
        img.FillRoundRect(4, 4, w - 4, h - 4, std::min(w, h) * 0.2, panel, 3.0);
    }
    double total = 0.0;
    for (const CardLine& l : lines) {
        total += l.size * 1.25;
    }
    double baseline = h * 0.5 + total * 0.5;
    for (const CardLine& l : lines) {
        baseline -= l.size * 1.25;
        ctx.Fonts().DrawCentred(img, l.text, l.bold ? FontFace::Bold : FontFace::Regular, l.size, w * 0.5,
                                baseline + l.size * 0.3, MakeRgba(1, 1, 1), 2.0);
    }
    return img;
}

const Rgba kHintPanel = MakeRgba(0.06, 0.14, 0.28, 0.72);
const Rgba kNoPanel = MakeRgba(0, 0, 0, 0);

// ---- keyframe animation files ----

struct Key {
    double time;
    double x, y, w, h;
    double alpha;
};

class AnimFile {
public:
    // Adds an object showing `image` (path seen from run/) through the keys.
    void Object(const std::string& image, const std::vector<Key>& keys)
    {
        text_ += "Object: card\nImage: " + image + "\n";
        for (const Key& k : keys) {
            char buf[256];
            std::snprintf(buf, sizeof(buf), "Keyframe: %.2f\nPos: %.0f, %.0f\nSize: %.0f, %.0f\nAlpha: %.2f\nEnd\n",
                          k.time, k.x, k.y, k.w, k.h, k.alpha);
            text_ += buf;
        }
        text_ += "End\n";
    }
    bool Write(const std::string& path, const std::string& what) const
    {
        FILE* f = std::fopen(path.c_str(), "w");
        if (f == nullptr) {
            return false;
        }
        std::fprintf(f, "# %s\n", what.c_str());
        std::fputs(text_.c_str(), f);
        return std::fclose(f) == 0;
    }

private:
    std::string text_;
};

// Fade in at t0, hold, fade out by t1, at a fixed place (virtual 1024 x 768, y down).
std::vector<Key> FadeKeys(double t0, double t1, double x, double y, double w, double h, double fade = 0.6)
{
    return {{t0, x, y, w, h, 0.0}, {t0 + fade, x, y, w, h, 1.0}, {t1 - fade, x, y, w, h, 1.0}, {t1, x, y, w, h, 0.0}};
}

// Hint cards stand near the bottom of the screen: the groups still to be
// reached show just above the horizon, near the top.
constexpr double kHintY = 600.0;  // virtual 1024 x 768, y down
constexpr double kSteerSeconds = 9.0;

// The card every story chapter shows after its first hint: how to steer,
// stop and look around (the boy keeps flying until told to stop).
const std::vector<CardLine> kSteerCard = {{"Move the mouse to steer.", 22, false},
                                          {"Hold Space: the boy stops.", 24, true},
                                          {"Right button + mouse: look around.", 22, false}};

// A hint written as pictures and one animation: its cards one after the
// other, each with its own seconds on screen, near the bottom of the screen.
std::string WriteHint(DataContext& ctx, const std::string& name,
                      const std::vector<std::pair<std::vector<CardLine>, double>>& cards)
{
    AnimFile a;
    double t = 0.0;
    for (size_t i = 0; i < cards.size(); ++i) {
        const std::string picture = "hint" + name + (i == 0 ? "" : std::to_string(i + 1)) + ".tga";
        ctx.Check(Card(ctx, 512, 128, cards[i].first, kHintPanel).WriteTga(ctx.Dirs().pictures + "/" + picture, true),
                  picture);
        a.Object(FromRun(std::string(kAssetDir) + "/pictures/" + picture),
                 FadeKeys(t, t + cards[i].second, 256, kHintY, 512, 128));
        t += cards[i].second;
    }
    std::string file = "hint" + name + ".txt";
    ctx.Check(a.Write(ctx.Dirs().anims + "/" + file, "hint " + name), file);
    return FromRun("anims/" + file);
}

std::string WriteHint(DataContext& ctx, const std::string& name, const std::vector<CardLine>& lines, double seconds)
{
    return WriteHint(ctx, name, {{lines, seconds}});
}

// A chapter's first hint, then the steering card.
std::string WriteStartHint(DataContext& ctx, const std::string& name, const std::vector<CardLine>& lines,
                           double seconds)
{
    return WriteHint(ctx, name, {{lines, seconds}, {kSteerCard, kSteerSeconds}});
}

std::string PicturePath(const std::string& picture)
{
    return FromRun(std::string(kAssetDir) + "/pictures/" + picture);
}

// A chapter intro: title card, then story lines, on black.
std::string WriteIntro(DataContext& ctx, const std::string& name, const std::string& chapter, const std::string& title,
                       const std::vector<std::string>& lines)
{
    AnimFile a;
    std::string titlePic = "intro" + name + "title.tga";
    ctx.Check(Card(ctx, 512, 128, {{chapter, 20, false}, {title, 48, true}}, kNoPanel)
                  .WriteTga(ctx.Dirs().pictures + "/" + titlePic, true),
              titlePic);
    double t = 0.3;
    double end = 3.2 + 2.8 * lines.size() + 1.0;
    a.Object(PicturePath(titlePic), {{t, 256, 190, 512, 128, 0.0},
                                     {t + 1.0, 256, 175, 512, 128, 1.0},
                                     {end - 1.0, 256, 170, 512, 128, 1.0},
                                     {end, 256, 165, 512, 128, 0.0}});
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string pic = "intro" + name + "line" + std::to_string(i + 1) + ".tga";
        ctx.Check(
            Card(ctx, 1024, 32, {{lines[i], 22, false}}, kNoPanel).WriteTga(ctx.Dirs().pictures + "/" + pic, true),
            pic);
        double t0 = 2.2 + 2.8 * i;
        double y = 400 + 44.0 * i;
        a.Object(PicturePath(pic), {{t0, 0, y + 8, 1024, 32, 0.0},
                                    {t0 + 0.8, 0, y, 1024, 32, 1.0},
                                    {end - 1.0, 0, y, 1024, 32, 1.0},
                                    {end, 0, y, 1024, 32, 0.0}});
    }
    std::string file = "intro" + name + ".txt";
    ctx.Check(a.Write(ctx.Dirs().anims + "/" + file, "intro " + name), file);
    return FromRun("anims/" + file);
}

// ---- levels ----

struct Morvo {
    double x, y;  // plane coordinates
    int colour;
    double power;
};

struct GridSetDef {
    std::string name;
    std::vector<Cell> cells;
};

struct TriggerDef {
    std::string id;
    std::string type;
    std::string set;
    std::string effect;
    bool visible;
    int hitpoints;
};

struct Colour4 {
    double r, g, b, a;
};

struct PlaneDef {
    double a, b, c, d;  // a x + b y + c z + d = 0
};

// A level particle system. The defaults are the editor's new spherical
// system; a level sets only the fields it changes, by name.
struct ParticleDef {
    int count = 50;
    double x = 0.0, y = 0.0, z = 0.0;  // plane coordinates
    std::string trigger;               // empty: none
    double fx = 0.0, fy = 0.0, fz = 1.0;
    Colour4 colour{1.0, 1.0, 1.0, 1.0};
    bool interpolated = true;  // fades to interpTo
    Colour4 interpTo{0.0, 0.0, 0.0, 0.0};
    double minSize = 10.0, maxSize = 20.0;
    double damping = 1.0;
    int lifetime = 250;
    int speed = 1;
    bool planeEmitter = false;  // else spherical
    PlaneDef plane{0.0, 0.0, 1.0, 0.0};
    int bound = 100;                    // the plane's rectangle: -bound .. bound both ways
    std::vector<std::string> textures;  // paths seen from run/
};

struct IslandState {
    bool dirty = false;
    std::string trigger = "null";
};

// The level reader's element names in "Dirtiness", in file order.
constexpr const char* kIslandElements[4] = {"IslandVolcano", "Island3Big", "Island3Medium", "Island3Small"};

class LevelDef {
public:
    LevelDef(double boyX, double boyZ, uint64_t seed)
        : boyX_(boyX),
          boyZ_(boyZ),
          rng_(seed)
    {}

    void Rule(const std::string& element) { rules_.push_back(element); }
    void WinAtPurePower(double power) { powerThreshold_ = power; }
    // A cloud of n morvos around a world point.
    void Cloud(double wx, double wz, double radius, int n, int colour, double pmin, double pmax)
    {
        for (int i = 0; i < n; ++i) {
            double a = rng_.Range(0.0, 2.0 * kPi);
            double r = std::sqrt((i + 0.5) / n) * radius;
            double x = wx + std::cos(a) * r + rng_.Range(-3.0, 3.0);
            double z = wz + std::sin(a) * r + rng_.Range(-3.0, 3.0);
            morvos_.push_back(Morvo{x / 200.0, -z / 200.0, colour, rng_.Range(pmin, pmax)});
        }
    }
    // The pure morvos the boy starts with: a cloud around him, its middle a
    // little behind him toward the camera's first place (which looks
    // along +x, -z), so that the light under the camera leaves the way
    // ahead and the next group in sight.
    void StartLight(double wx, double wz, double radius, int n, double pmin, double pmax)
    {
        Cloud(wx - kStartLightBehind, wz + kStartLightBehind, radius, n, 1, pmin, pmax);
    }
    // A ring of n morvos around a world point.
    void Ring(double wx, double wz, double radius, int n, int colour, double power)
    {
        for (int i = 0; i < n; ++i) {
            double a = 2.0 * kPi * i / n;
            morvos_.push_back(
                Morvo{(wx + std::cos(a) * radius) / 200.0, -(wz + std::sin(a) * radius) / 200.0, colour, power});
        }
    }
    // A square of (2k + 1)^2 cells centred on the cell under a world point.
    void Square(const std::string& name, double wx, double wz, int k)
    {
        Cell c = CellAt(wx, wz);
        GridSetDef set{name, {}};
        for (int dy = -k; dy <= k; ++dy) {
            for (int dx = -k; dx <= k; ++dx) {
                set.cells.push_back(Cell{c.x + dx, c.y + dy});
            }
        }
        sets_.push_back(set);
    }
    // 2 x 2 cells: the cell under a world point and its neighbours toward
    // +x and +y. The boy's gathered light (about 60 units across) can fill
    // such a block; a 3 x 3 block is wider than the ball of light.
    void Block(const std::string& name, double wx, double wz)
    {
        Cell c = CellAt(wx, wz);
        sets_.push_back(GridSetDef{name, {{c.x, c.y}, {c.x + 1, c.y}, {c.x, c.y + 1}, {c.x + 1, c.y + 1}}});
    }
    void Animation(const std::string& name, const std::string& path) { anims_[name] = path; }
    void Trigger(const TriggerDef& t) { triggers_.push_back(t); }
    void Particles(const ParticleDef& p) { particles_.push_back(p); }
    void Island(int index, const std::string& trigger) { islands_[index] = IslandState{true, trigger}; }

    bool Write(const std::string& path) const;

private:
    double boyX_;
    double boyZ_;
    DataRandom rng_;
    std::vector<std::string> rules_;
    double powerThreshold_ = -1.0;  // below 0: no such rule
    std::vector<Morvo> morvos_;
    std::vector<GridSetDef> sets_;
    std::map<std::string, std::string> anims_;
    std::vector<TriggerDef> triggers_;
    std::vector<ParticleDef> particles_;
    IslandState islands_[4];
};

bool LevelDef::Write(const std::string& path) const
{
    FILE* f = std::fopen(path.c_str(), "w");
    if (f == nullptr) {
        return false;
    }
    std::fprintf(f, "<?xml version=\"1.0\" ?>\n<MorvoLevel>\n");
    std::fprintf(f, "    <Boy x=\"%f\" y=\"%f\" z=\"%f\" />\n", boyX_, kFlightHeight, boyZ_);
    if (powerThreshold_ >= 0.0) {
        std::fprintf(f, "    <WinWhenPurePowerThreshold power=\"%f\" />\n", powerThreshold_);
    }
    for (const std::string& r : rules_) {
        std::fprintf(f, "    <%s />\n", r.c_str());
    }
    std::fprintf(f, "    <MorvoLayer layer=\"0\">\n        <Morvos>\n");
    for (const Morvo& m : morvos_) {
        std::fprintf(f, "            <morvo x=\"%f\" y=\"%f\" color=\"%d\" power=\"%f\" />\n", m.x, m.y, m.colour,
                     m.power);
    }
    std::fprintf(f, "        </Morvos>\n    </MorvoLayer>\n");
    if (!sets_.empty()) {
        std::vector<GridSetDef> sorted = sets_;
        std::sort(sorted.begin(), sorted.end(),
                  [](const GridSetDef& a, const GridSetDef& b) { return a.name < b.name; });
        std::fprintf(f, "    <Grid>\n");
        for (const GridSetDef& s : sorted) {
            std::fprintf(f, "        <GridSet name=\"%s\">\n", s.name.c_str());
            for (const Cell& c : s.cells) {
                std::fprintf(f, "            <GridCell x=\"%d\" y=\"%d\" />\n", c.x, c.y);
            }
            std::fprintf(f, "        </GridSet>\n");
        }
        std::fprintf(f, "    </Grid>\n");
    }
    if (!anims_.empty()) {
        std::fprintf(f, "    <EmbeddedAnimations>\n");
        for (const auto& [name, p] : anims_) {
            std::fprintf(f, "        <Animation path=\"%s\" name=\"%s\" />\n", p.c_str(), name.c_str());
        }
        std::fprintf(f, "    </EmbeddedAnimations>\n");
    }
    if (!triggers_.empty()) {
        std::fprintf(f, "    <TriggerSet>\n");
        for (const TriggerDef& t : triggers_) {
            std::fprintf(
                f,
                "        <Trigger id=\"%s\" type=\"%s\" set=\"%s\" effect=\"%s\" visible=\"%s\" hitpoints=\"%d\" />\n",
                t.id.c_str(), t.type.c_str(), t.set.c_str(), t.effect.c_str(), t.visible ? "true" : "false",
                t.hitpoints);
        }
        std::fprintf(f, "    </TriggerSet>\n");
    }
    if (!particles_.empty()) {
        std::fprintf(f, "    <ParticleSystems>\n");
        for (const ParticleDef& p : particles_) {
            std::fprintf(f, "        <ParticleSystem count=\"%d\" x=\"%f\" y=\"%f\" z=\"%f\">\n", p.count, p.x, p.y,
                         p.z);
            if (!p.trigger.empty()) {
                std::fprintf(f, "            <Trigger id=\"%s\" />\n", p.trigger.c_str());
            }
            std::fprintf(f, "            <Force fx=\"%f\" fy=\"%f\" fz=\"%f\" />\n", p.fx, p.fy, p.fz);
            std::fprintf(f, "            <Color r=\"%f\" g=\"%f\" b=\"%f\" a=\"%f\" interpolated=\"%s\" />\n",
                         p.colour.r, p.colour.g, p.colour.b, p.colour.a, p.interpolated ? "true" : "false");
            if (p.interpolated) {
                std::fprintf(f, "            <InterpToColor r=\"%f\" g=\"%f\" b=\"%f\" a=\"%f\" />\n", p.interpTo.r,
                             p.interpTo.g, p.interpTo.b, p.interpTo.a);
            }
            std::fprintf(f, "            <BillboardSize minSize=\"%f\" maxSize=\"%f\" />\n", p.minSize, p.maxSize);
            std::fprintf(
                f,
                "            <Damping d=\"%f\" />\n            <Lifetime l=\"%d\" />\n            <Speed s=\"%d\" />\n",
                p.damping, p.lifetime, p.speed);
            if (p.planeEmitter) {
                std::fprintf(f,
                             "            <Emitter type=\"PLANE_EMITTER\">\n"
                             "                <Plane a=\"%f\" b=\"%f\" c=\"%f\" d=\"%f\" />\n"
                             "                <Bounds top=\"%d\" bottom=\"%d\" left=\"%d\" right=\"%d\" />\n"
                             "            </Emitter>\n",
                             p.plane.a, p.plane.b, p.plane.c, p.plane.d, p.bound, -p.bound, -p.bound, p.bound);
            } else {
                std::fprintf(f, "            <Emitter type=\"SPHERICAL_EMITTER\" />\n");
            }
            std::fprintf(f, "            <TextureList>\n");
            for (const std::string& texture : p.textures) {
                std::fprintf(f, "                <Texture path=\"%s\" />\n", texture.c_str());
            }
            std::fprintf(f, "            </TextureList>\n");
            std::fprintf(f, "        </ParticleSystem>\n");
        }
        std::fprintf(f, "    </ParticleSystems>\n");
    }
    std::fprintf(f, "    <Dirtiness>\n");
    for (int i = 0; i < 4; ++i) {
        std::fprintf(f, "        <%s IsDirty=\"%d\" trigger=\"%s\" />\n", kIslandElements[i], islands_[i].dirty ? 1 : 0,
                     islands_[i].trigger.c_str());
    }
    std::fprintf(f, "    </Dirtiness>\n</MorvoLevel>\n");
    return std::fclose(f) == 0;
}

std::string Texture(const std::string& file)
{
    return FromRun(std::string(kAssetDir) + "/textures/" + file);
}

// World height y as the particle systems' plane z.
double PlaneZ(double y)
{
    return (y - 150.0) / 200.0;
}

// ---- the chapters ----

struct ChapterMusic {
    const char* intro;
    const char* level;
};

void AddChapter(DataContext& ctx, const std::string& title, const std::string& levelFile, const LevelDef& level,
                const std::string& intro, ChapterMusic music, const std::string& win, const std::string& lose)
{
    ctx.Check(level.Write(ctx.Dirs().levels + "/" + levelFile), levelFile);
    ChapterEntry c;
    c.title = title;
    c.level = "levels/" + levelFile;
    c.intro = intro;
    c.introMusic = FromRun(std::string(kAssetDir) + "/music/" + music.intro);
    c.levelMusic = FromRun(std::string(kAssetDir) + "/music/" + music.level);
    c.loopStart = 0;
    c.loopEnd = static_cast<long>(MusicLength(music.level));
    c.winAnim = win;
    c.loseAnim = lose;
    gChapters.push_back(c);
}

TriggerDef Hint(const std::string& id, const std::string& set, const std::string& anim)
{
    return TriggerDef{id, "BOY_ENTERS", set, anim, false, 0};
}

// A card at the end of a level (picture and its one-object animation in
// anims/<name>.txt); gives the animation's path from run/.
std::string WriteEndCard(DataContext& ctx, const std::string& name, const std::string& picture,
                         const std::vector<CardLine>& lines, const std::vector<Key>& keys, const std::string& what)
{
    ctx.Check(Card(ctx, 512, 128, lines, kNoPanel).WriteTga(ctx.Dirs().pictures + "/" + picture, true), name + " card");
    AnimFile a;
    a.Object(PicturePath(picture), keys);
    const std::string file = name + ".txt";
    ctx.Check(a.Write(ctx.Dirs().anims + "/" + file, what), file);
    return FromRun("anims/" + file);
}

void WriteOverlays(DataContext& ctx, std::string* win, std::string* lose)
{
    // Help overlay: the controls, shown by H for twelve seconds.
    Image help = Card(ctx, 1024, 512,
                      {{"How to play", 44, true},
                       {"Move the mouse: steer the boy   Hold Space: stop him", 26, false},
                       {"Hold the left button: glowing morvos follow you", 26, false},
                       {"Shift + left button: breathe in light", 26, false},
                       {"Ctrl + left button: breathe light out", 26, false},
                       {"Right button + mouse: look around   Middle button: swoop", 26, false},
                       {"Light makes grey morvos glow; dark morvos make rain", 26, false},
                       {"Esc: pause   F12: screenshot   Tab: look   H: this help", 24, false}},
                      MakeRgba(0.04, 0.10, 0.22, 0.82));
    ctx.Check(help.WriteTga(ctx.Dirs().assets2d + "/helppage.tga", true), "helppage");
    AnimFile h;
    h.Object("../assets/2D/helppage.tga", FadeKeys(0.0, 12.0, 112, 184, 800, 400, 0.4));
    ctx.Check(h.Write(ctx.Dirs().assets2d + "/help.txt", "help overlay"), "help.txt");
    Image shot = Card(ctx, 256, 64, {{"Screenshot saved", 24, true}}, kHintPanel);
    ctx.Check(shot.WriteTga(ctx.Dirs().assets2d + "/screenshotsaved.tga", true), "screenshot card");
    AnimFile s;
    s.Object("../assets/2D/screenshotsaved.tga", FadeKeys(0.0, 1.6, 750, 24, 256, 64, 0.3));
    ctx.Check(s.Write(ctx.Dirs().assets2d + "/screenshot.txt", "screenshot overlay"), "screenshot.txt");

    // Win and lose: a card that grows in, then the game moves on when it ends.
    *win = WriteEndCard(ctx, "win", "winsky.tga",
                        {{"The sky is clear!", 40, true}, {"every morvo glows again", 18, false}},
                        {{0.0, 384, 312, 256, 64, 0.0},
                         {0.8, 256, 280, 512, 128, 1.0},
                         {3.2, 246, 277, 532, 133, 1.0},
                         {4.0, 236, 274, 552, 138, 0.0}},
                        "level won");
    *lose = WriteEndCard(ctx, "lose", "losefade.tga", {{"The light faded...", 38, true}, {"dream it again", 18, false}},
                         {{0.0, 256, 260, 512, 128, 0.0},
                          {1.0, 256, 275, 512, 128, 1.0},
                          {3.0, 256, 290, 512, 128, 1.0},
                          {3.8, 256, 305, 512, 128, 0.0}},
                         "level lost");
}

}  // namespace

const std::vector<ChapterEntry>& StoryChapters()
{
    return gChapters;
}

void GenerateStory(DataContext& ctx)
{
    gChapters.clear();
    std::string win, lose;
    WriteOverlays(ctx, &win, &lose);
    const ChapterMusic calm{kMusicIntroCalm, kMusicLevelLight};
    const ChapterMusic dark{kMusicIntroDark, kMusicLevelDark};
    const ChapterMusic ember{kMusicIntroDark, kMusicLevelEmber};
    const ChapterMusic open{kMusicIntroCalm, kMusicLevelOpen};

    {  // Daydream 1: all-pure tutorial on the big island's west shore.
        LevelDef l(150, 520, 1001);
        l.Rule("WinWhenAllPure");
        l.StartLight(150, 520, 40, 14, 3.0, 3.4);
        // Grey clouds packed close, with powers a newly lit morvo can pass on:
        // one touch sets off a chain of light through the cloud.
        l.Cloud(265, 410, 28, 10, 0, 1.6, 1.9);
        l.Cloud(395, 310, 28, 10, 0, 1.6, 1.9);
        l.Cloud(500, 190, 28, 10, 0, 1.6, 1.9);
        l.Square("start", 150, 520, 1);
        l.Square("greycloud", 265, 410, 1);
        l.Animation("hintwelcome", WriteStartHint(ctx, "welcome",
                                                  {{"Hold the left mouse button:", 26, false},
                                                   {"the glowing morvos follow you", 26, true}},
                                                  7.0));
        l.Animation("hintgrey", WriteHint(ctx, "grey",
                                          {{"Lead your light into the grey morvos", 24, false},
                                           {"and they start to glow", 24, true}},
                                          6.0));
        l.Trigger(Hint("welcome", "start", "hintwelcome"));
        l.Trigger(Hint("greyhint", "greycloud", "hintgrey"));
        std::string intro =
            WriteIntro(ctx, "one", "Daydream 1", "First Light",
                       {"Above the sea drift the morvos, little clouds of light.",
                        "Some have gone grey. Gather the bright ones", "and make every morvo glow again."});
        AddChapter(ctx, "Daydream1", "daydreamone.xml", l, intro, calm, win, lose);
    }
    {  // Daydream 2: dark morvos and a dirty island cleaned by filling it with light.
        LevelDef l(-830, 800, 1002);
        l.Rule("WinWhenNoDarkMorvos");
        l.Rule("LoseWhenNoPureMorvos");
        l.StartLight(-830, 800, 45, 28, 4.5, 5.0);
        l.Cloud(-720, 700, 28, 8, 0, 1.5, 1.8);
        l.Cloud(-590, 660, 25, 7, -1, 1.6, 2.0);
        l.Cloud(-500, 500, 25, 7, -1, 1.6, 2.0);
        l.Square("start", -830, 800, 1);
        l.Block("shore", -640, 600);
        l.Animation("hintdark", WriteStartHint(ctx, "dark",
                                               {{"Dark morvos drain the light.", 26, true},
                                                {"Push your glowing ones into them!", 24, false}},
                                               7.0));
        l.Animation(
            "hintclean",
            WriteHint(ctx, "clean",
                      {{"Fill the white squares with light", 24, true}, {"to wash the island clean", 24, false}}, 6.0));
        l.Trigger(Hint("darkhint", "start", "hintdark"));
        l.Trigger(TriggerDef{"cleanmedium", "FILLED_WHITE", "shore", "CLEAN", true, 120});
        l.Trigger(Hint("cleanhint", "shore", "hintclean"));
        l.Island(2, "cleanmedium");
        std::string intro =
            WriteIntro(ctx, "two", "Daydream 2", "Dark Tide",
                       {"A dark tide rolled over the little island.", "Dark morvos swallow light where they touch it.",
                        "Bring enough brightness to wash them away."});
        AddChapter(ctx, "Daydream2", "daydreamtwo.xml", l, intro, dark, win, lose);
    }
    {  // Daydream 3: rain on the smoking volcano stops the smoke and wins.
        LevelDef l(-660, -210, 1003);
        l.Rule("LoseWhenNoPureMorvos");
        l.StartLight(-660, -210, 45, 26, 6.0, 6.5);
        l.Cloud(-450, -420, 40, 10, -1, 5.2, 5.8);
        l.Square("start", -660, -210, 1);
        l.Square("crater", -450, -420, 2);
        l.Animation("hintember", WriteStartHint(ctx, "ember",
                                                {{"Rain falls where light meets dark.", 24, true},
                                                 {"Make it rain over the crater!", 24, false}},
                                                7.0));
        l.Trigger(Hint("emberhint", "start", "hintember"));
        l.Trigger(TriggerDef{"quench", "RAIN_WITHIN", "crater", "PSYS_OFF", true, 150});
        l.Trigger(TriggerDef{"rainwin", "RAIN_WITHIN", "crater", "WIN", false, 480});
        l.Island(0, "quench");
        ParticleDef smoke;
        smoke.count = 120;
        smoke.x = -450 / 200.0;
        smoke.y = 420 / 200.0;
        smoke.z = PlaneZ(95.0);
        smoke.trigger = "quench";
        smoke.fx = 3.0;
        smoke.fz = 40.0;
        smoke.colour = {0.32, 0.30, 0.29, 0.85};
        smoke.interpTo = {0.62, 0.60, 0.58, 0.0};
        smoke.minSize = 14.0;
        smoke.maxSize = 80.0;
        smoke.damping = 0.97;
        smoke.lifetime = 240;
        smoke.speed = 12;
        smoke.textures = {Texture("smoke.tga")};
        l.Particles(smoke);
        std::string intro = WriteIntro(ctx, "three", "Daydream 3", "Ember Rain",
                                       {"The old volcano woke up coughing ash.",
                                        "Only rain can calm it, and rain falls", "where bright and dark morvos meet."});
        AddChapter(ctx, "Daydream3", "daydreamthree.xml", l, intro, ember, win, lose);
    }
    {  // Daydream 4: a journey to two dirty islands.
        LevelDef l(360, 250, 1004);
        l.Rule("WinWhenAllPure");
        l.Rule("LoseWhenNoPureMorvos");
        l.StartLight(360, 250, 45, 24, 5.0, 5.5);
        l.Cloud(470, 130, 32, 12, 0, 1.6, 1.9);
        l.Cloud(600, -40, 28, 10, 0, 1.6, 1.9);
        l.Cloud(650, -260, 25, 6, -1, 1.8, 2.2);
        l.Cloud(720, -470, 32, 12, 0, 1.6, 1.9);
        l.Square("start", 360, 250, 1);
        l.Block("bigshore", 470, 160);
        l.Block("smallshore", 760, -600);
        l.Animation("hintwinds", WriteStartHint(ctx, "winds",
                                                {{"Two islands wait for you.", 26, true},
                                                 {"Carry your light to each of them.", 24, false}},
                                                7.0));
        l.Trigger(Hint("windshint", "start", "hintwinds"));
        l.Trigger(TriggerDef{"cleanbig", "FILLED_WHITE", "bigshore", "CLEAN", true, 120});
        l.Trigger(TriggerDef{"cleansmall", "FILLED_WHITE", "smallshore", "CLEAN", true, 120});
        l.Island(1, "cleanbig");
        l.Island(3, "cleansmall");
        std::string intro =
            WriteIntro(ctx, "four", "Daydream 4", "Four Winds",
                       {"The winds carried grey morvos far apart,", "and smoke settled over two islands.",
                        "Fly the whole sea and bring them home."});
        AddChapter(ctx, "Daydream4", "daydreamfour.xml", l, intro, calm, win, lose);
    }
    {  // Extra 1: a garden of morvos around the islet near the middle.
        LevelDef l(0, 0, 1005);
        l.Cloud(0, 0, 60, 30, 1, 1.0, 6.0);
        l.Cloud(120, 60, 140, 60, 0, 0.8, 4.0);
        l.Ring(0, 0, 230, 36, 0, 2.0);
        ParticleDef fireflies;
        fireflies.count = 70;
        fireflies.x = 110 / 200.0;
        fireflies.y = -60 / 200.0;
        fireflies.z = PlaneZ(8.0);
        fireflies.fz = -30.0;
        fireflies.colour = {1.0, 0.9, 0.5, 0.9};
        fireflies.interpTo = {1.0, 0.6, 0.3, 0.0};
        fireflies.minSize = 6.0;
        fireflies.maxSize = 16.0;
        fireflies.damping = 0.99;
        fireflies.lifetime = 120;
        fireflies.speed = 45;
        fireflies.planeEmitter = true;
        fireflies.bound = 8;
        fireflies.textures = {Texture("spark.tga")};
        // Nothing ever puts the fireflies out.
        l.Square("garden", 0, 0, 1);
        l.Trigger(TriggerDef{"gardenglow", "NO_CONDITION", "garden", "PSYS_ON", false, 0});
        fireflies.trigger = "gardenglow";
        l.Particles(fireflies);
        std::string intro =
            WriteIntro(ctx, "extraone", "Extra daydream", "Cloud Garden",
                       {"No rules here: light, grey and gold,", "play with the morvos as long as you like."});
        AddChapter(ctx, "DayDream1", "extraone.xml", l, intro, open, win, lose);
    }
    {  // Extra 2: a thunderstorm of strong morvos.
        LevelDef l(200, -900, 1006);
        l.Rule("WinWhenNoDarkMorvos");
        l.Rule("LoseWhenNoPureMorvos");
        l.Cloud(200, -900, 55, 40, 1, 8.0, 12.0);
        l.Cloud(380, -980, 70, 20, -1, 6.0, 9.0);
        l.Cloud(40, -1040, 70, 20, -1, 6.0, 9.0);
        l.Cloud(200, -700, 70, 30, 0, 2.0, 6.0);
        // Strong light may also win it (about half again the light at the start).
        l.WinAtPurePower(600.0);
        // Should the dark ever fill the harbour, the storm has won.
        l.Square("harbour", 210, -1080, 1);
        l.Trigger(TriggerDef{"harbourlost", "FILLED_BLACK", "harbour", "LOSE", true, 1});
        // Rain slanting in the wind from the storm's start.
        l.Square("stormeye", 200, -1000, 1);
        l.Trigger(TriggerDef{"stormstart", "START_UP", "stormeye", "PSYS_ON", false, 0});
        ParticleDef streaks;
        streaks.count = 90;
        streaks.x = 200 / 200.0;
        streaks.y = 1000 / 200.0;
        streaks.z = PlaneZ(230.0);
        streaks.trigger = "stormstart";
        streaks.fx = 10.0;
        streaks.fz = -60.0;
        streaks.colour = {0.55, 0.60, 0.70, 0.6};
        streaks.interpolated = false;
        streaks.minSize = 4.0;
        streaks.maxSize = 10.0;
        streaks.damping = 0.99;
        streaks.lifetime = 160;
        streaks.speed = 40;
        streaks.planeEmitter = true;
        streaks.plane = {0.28, 0.0, -0.96, -10.0};  // a unit normal: saving keeps it exactly
        streaks.bound = 60;
        streaks.textures = {Texture("mist.tga")};
        l.Particles(streaks);
        std::string intro = WriteIntro(ctx, "extratwo", "Extra daydream", "Thunderheads",
                                       {"Strong morvos, strong storms.", "Clear the sky of every dark one."});
        AddChapter(ctx, "DayDream2", "extratwo.xml", l, intro, dark, win, lose);
    }
    {  // Extra 3: lanterns rising over the far west islet.
        LevelDef l(-1050, -60, 1007);
        l.Cloud(-1050, -60, 50, 30, 1, 2.0, 5.0);
        l.Ring(-1150, -60, 140, 40, 0, 1.8);
        l.Ring(-1150, -60, 200, 50, 0, 1.2);
        for (int i = 0; i < 3; ++i) {
            double a = i * 2.1;
            ParticleDef lanterns;
            lanterns.x = (-1250 + std::cos(a) * 90) / 200.0;
            lanterns.y = -(-60 + std::sin(a) * 90) / 200.0;
            lanterns.z = PlaneZ(2.0);
            lanterns.fz = 6.0;
            lanterns.colour = {1.0, 0.75, 0.35, 0.95};
            lanterns.interpTo = {1.0, 0.4, 0.2, 0.0};
            lanterns.minSize = 10.0;
            lanterns.maxSize = 18.0;
            lanterns.damping = 0.995;
            lanterns.lifetime = 400;
            lanterns.speed = 12;
            lanterns.planeEmitter = true;
            lanterns.bound = 30;
            lanterns.textures = {Texture("mist.tga"), Texture("spark.tga")};
            l.Particles(lanterns);
        }
        std::string intro = WriteIntro(ctx, "extrathree", "Extra daydream", "Lantern Sea",
                                       {"Lanterns rise from the western islet.", "Drift with them for a while."});
        AddChapter(ctx, "DayDream3", "extrathree.xml", l, intro, open, win, lose);
    }
    {  // Credits: a ring of light around the boy over the big island's city.
        LevelDef l(560, 60, 1008);
        l.Ring(560, 60, 90, 40, 1, 3.0);
        l.Ring(560, 60, 160, 48, 0, 1.5);
        l.Square("start", 560, 60, 1);
        l.Animation("hintthanks",
                    WriteHint(ctx, "thanks",
                              {{"Thank you for dreaming with us.", 26, true}, {"Esc opens the menu.", 22, false}},
                              8.0));
        l.Trigger(TriggerDef{"thanks", "BOY_ENTERS", "start", "hintthanks", false, 240});
        ParticleDef sparkle;
        sparkle.count = 60;
        sparkle.x = 560 / 200.0;
        sparkle.y = -60 / 200.0;
        sparkle.z = PlaneZ(40.0);
        sparkle.fz = 8.0;
        sparkle.colour = {0.8, 0.95, 1.0, 0.9};
        sparkle.interpTo = {1.0, 1.0, 1.0, 0.0};
        sparkle.minSize = 8.0;
        sparkle.maxSize = 20.0;
        sparkle.damping = 0.99;
        sparkle.lifetime = 200;
        sparkle.speed = 20;
        sparkle.textures = {Texture("spark.tga")};
        l.Particles(sparkle);
        std::string intro =
            WriteIntro(ctx, "credits", "Morvo", "Credits",
                       {"Design, code, pictures, models and sounds:", "the Morvo team, made from scratch.",
                        "Fonts: DejaVu.  Engine: Orvanti.", "Thank you for playing."});
        AddChapter(ctx, "Credits", "credits.xml", l, intro, calm, win, lose);
    }
}
