// The plot control and the tree view on a shown dialog: what the plot
// paints, its range checks, the tree's items, images and notifications.
#include "gui_support.h"

#include "guidraw.h"
#include "guithread.h"
#include "guitreeview.h"
#include "korrel/wdraw.h"
#include "korrel/wtreeview.h"
#include "testsupport.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr unsigned kPlotDialogId = 300;
constexpr unsigned kPlot = 3001;
constexpr unsigned kTree = 3002;
constexpr int kRedIcon = 1;
constexpr int kGreenBitmap = 2;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kLightGrey = 0xC0C0C0;

constexpr GuiControlTemplate kPlotControls[] = {
    {kPlot, kStaticClass, "", SS_OWNERDRAW, 5, 5, 120, 80},
    {kTree, kTreeViewClass, "", WS_TABSTOP, 130, 5, 80, 80},
};
constexpr GuiDialogTemplate kPlotDialogs[] = {
    {kPlotDialogId, "Plot", "MS Sans Serif", 8, WS_CAPTION | WS_SYSMENU, 220, 95, 0, MakeGuiList(kPlotControls)},
};

class PlotAndTree : public ToolkitDisplayTest {
protected:
    void SetUp() override
    {
        ToolkitDisplayTest::SetUp();
        folder_.Write("red.tga", SolidTga(255, 0, 0, 4, 4));
        folder_.Write("green.tga", SolidTga(0, 255, 0, 4, 4));
        redPath_ = folder_.File("red.tga");
        greenPath_ = folder_.File("green.tga");
        images_[0] = GuiImageTemplate{kRedIcon, true, redPath_.c_str()};
        images_[1] = GuiImageTemplate{kGreenBitmap, false, greenPath_.c_str()};
        resources_ = GuiResourceTable{MakeGuiList(kPlotDialogs), {}, {}, MakeGuiList(images_)};
        RegisterGuiResources(nullptr, &resources_);
        dialog_ = new WDialog(kPlotDialogId, true, nullptr, 0);
        ASSERT_NE(dialog_->GetHwnd(), nullptr);
    }
    void TearDown() override
    {
        CloseAndDelete(dialog_);
        ToolkitDisplayTest::TearDown();
    }

    // The control as it paints now (waits until it is laid out).
    std::vector<std::uint32_t> Render(unsigned id, int* width, int* height)
    {
        std::vector<std::uint32_t> pixels;
        for (int i = 0; i < 2000; ++i) {
            if (GuiRenderWindow(GuiGetDlgItem(dialog_->GetHwnd(), id), &pixels, width, height) && *width > 10) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return pixels;
    }

    WDialog* dialog_ = nullptr;
    TempFolder folder_;
    std::string redPath_;
    std::string greenPath_;
    GuiImageTemplate images_[2];
    GuiResourceTable resources_;
};

// A point of the plot in logical units and the colour it must show (or not).
struct Probe {
    int x;
    int y;
    std::uint32_t colour;
    bool shown;
};

struct PlotCase {
    std::string name;
    int xMax;
    int yMax;
    std::function<void(WDraw&)> draw;
    int breaks;
    std::vector<Probe> probes;
    int min = 0;  // of both axes
};

class Plot : public PlotAndTree, public ::testing::WithParamInterface<PlotCase> {};

TEST_P(Plot, PaintsWhatItHolds)
{
    const PlotCase& c = GetParam();
    BreakCounter breaks;
    WDraw plot(dialog_, kPlot, c.min, c.xMax, c.min, c.yMax, 2);
    c.draw(plot);
    EXPECT_EQ(breaks.Count(), c.breaks);
    int width = 0;
    int height = 0;
    const std::vector<std::uint32_t> pixels = Render(kPlot, &width, &height);
    ASSERT_GT(width, 10);
    for (const Probe& probe : c.probes) {
        // Logical to pixels as the plot maps them (a zero maximum stands for 100 here).
        const int x = std::min(probe.x * width / (c.xMax ? c.xMax : 100), width - 1);
        const int y = std::min(height - probe.y * height / (c.yMax ? c.yMax : 100), height - 1);
        EXPECT_EQ(pixels[y * width + x] == probe.colour, probe.shown) << probe.x << "," << probe.y;
    }
}

const WDrawPoint kAcross[] = {{0, 50}, {100, 50}};
const WDrawPoint kUp[] = {{25, 0}, {25, 100}};

INSTANTIATE_TEST_SUITE_P(
    Toolkit, Plot,
    ::testing::Values(PlotCase{"SeriesInTheirColours",
                               100,
                               100,
                               [](WDraw& plot) {
                                   plot.DrawArray(kAcross, 2, 3, 3, 0);
                                   plot.DrawArray(kUp, 2, 1, 3, 1);
                               },
                               0,
                               {{60, 50, kRed, true}, {25, 80, kLightGrey, true}, {50, 75, kBlack, false}}},
                      PlotCase{"GridInBlack",
                               100,
                               100,
                               [](WDraw& plot) { plot.SetGrid(2, 2, 0, 0); },
                               0,
                               {{50, 75, kBlack, true}, {75, 50, kBlack, true}, {75, 75, kBlack, false}}},
                      PlotCase{"NegativeSeriesRefused",
                               100,
                               100,
                               [](WDraw& plot) { plot.DrawArray(kAcross, 2, 3, 3, -1); },
                               1,
                               {{60, 50, kRed, false}}},
                      PlotCase{"ZeroMaximumDrawsNothing",
                               0,
                               100,
                               [](WDraw& plot) {
                                   plot.SetGrid(2, 2, 1, 1);
                                   plot.DrawArray(kAcross, 2, 3, 3, 0);
                               },
                               0,
                               {{60, 50, kRed, false}, {50, 50, kBlack, false}}},
                      // From 20: lines at 20 and 60, ticks at 20, 40, 60 and 80 across the middle.
                      PlotCase{"GridAndTicksFromTheMinimum",
                               100,
                               100,
                               [](WDraw& plot) { plot.SetGrid(2, 2, 2, 2); },
                               0,
                               {{90, 60, kBlack, true},
                                {90, 80, kBlack, false},
                                {40, 50, kBlack, true},
                                {30, 50, kBlack, false},
                                {50, 40, kBlack, true},
                                {50, 30, kBlack, false}},
                               20},
                      PlotCase{"TicksWithoutHorizontalLines",
                               100,
                               100,
                               [](WDraw& plot) { plot.SetGrid(0, 1, 3, 4); },
                               0,
                               {{50, 20, kBlack, true}, {50, 40, kBlack, true}, {40, 50, kBlack, false}},
                               20}),
    CaseName());

std::vector<std::pair<HTREEITEM, int>>& Notices()
{
    static std::vector<std::pair<HTREEITEM, int>> notices;
    return notices;
}

void Notice(HTREEITEM item, int kind)
{
    Notices().emplace_back(item, kind);  // GUI thread; read after a hop there
}

class Tree : public PlotAndTree {
protected:
    std::vector<std::pair<HTREEITEM, int>> TakeNotices()
    {
        std::vector<std::pair<HTREEITEM, int>> taken;
        CallOnGuiThread([&taken] { taken.swap(Notices()); });
        return taken;
    }
    const unsigned imageIds_[kTreeImageCount] = {kRedIcon, 0, kGreenBitmap};
};

TEST_F(Tree, ItemsImagesAndNavigation)
{
    WTreeView tree(dialog_, kTree, Notice, imageIds_, 16, 16);
    EXPECT_EQ(GuiImageListCount(tree.GetImageList()), 2);
    HTREEITEM root = tree.InsertRootItem("Root", 0, 1);
    HTREEITEM first = tree.InsertItem(root, "First");
    HTREEITEM second = tree.InsertItem(root, "Second", 1);
    HTREEITEM between = tree.InsertItem(root, "Between", -1, -1, first);
    EXPECT_EQ(tree.GetRoot(), root);
    EXPECT_EQ(tree.GetChild(root), first);
    EXPECT_EQ(tree.GetNextSibling(first), between);
    EXPECT_EQ(tree.GetNextSibling(between), second);
    EXPECT_EQ(tree.GetPrevSibling(second), between);
    EXPECT_EQ(tree.GetParentItem(second), root);
    EXPECT_EQ(tree.GetParentItem(root), nullptr);
    EXPECT_EQ(dialog_->GetCount(kTree), 4);  // every item, children too
    EXPECT_TRUE(tree.Expand(root, false));
    EXPECT_TRUE(tree.SetItemImage(first, 1, -1));

    tree.SetItemText(first, std::string(300, 'x').c_str());
    EXPECT_EQ(tree.GetItemText(first), std::string(255, 'x'));
    EXPECT_EQ(tree.GetItemText(second), "Second");

    EXPECT_TRUE(tree.DeleteItem(between));
    EXPECT_EQ(tree.GetNextSibling(first), second);
    EXPECT_FALSE(tree.DeleteItem(between));
    EXPECT_EQ(tree.GetItemText(between), "");
}

TEST_F(Tree, NotifiesTheCallbackWithTheSelectedItem)
{
    WTreeView tree(dialog_, kTree, Notice, nullptr, 0, 0);
    HTREEITEM root = tree.InsertRootItem("Root");
    HTREEITEM child = tree.InsertItem(root, "Child");
    TakeNotices();
    EXPECT_TRUE(tree.SelectItem(child));
    EXPECT_EQ(tree.GetSelection(), child);
    EXPECT_EQ(TakeNotices(), (std::vector<std::pair<HTREEITEM, int>>{{child, 5}}));

    // The other codes, as the control sends them.
    const std::pair<int, int> codes[] = {{NM_DBLCLK, 3}, {NM_RETURN, 3}, {NM_RCLICK, 4}, {NM_CLICK, 0}};
    for (const auto& [code, kind] : codes) {
        CallOnGuiThread([&] {
            NMHDR header;
            header.hwndFrom = tree.GetHwnd();
            header.idFrom = kTree;
            header.code = code;
            WDialog::DialogProc(dialog_->GetHwnd(), WM_NOTIFY, kTree, reinterpret_cast<LPARAM>(&header));
        });
        const auto expected =
            kind ? std::vector<std::pair<HTREEITEM, int>>{{child, kind}} : std::vector<std::pair<HTREEITEM, int>>{};
        EXPECT_EQ(TakeNotices(), expected) << code;
    }
}

TEST_F(Tree, DestructionLeavesNoItemsNoNoticesAndNoImageList)
{
    auto tree = std::make_unique<WTreeView>(dialog_, kTree, Notice, imageIds_, 16, 16);
    HWND control = tree->GetHwnd();
    tree->SelectItem(tree->InsertItem(tree->InsertRootItem("Root", 0, 0), "Child", 1, 1));
    TakeNotices();
    tree.reset();
    EXPECT_TRUE(TakeNotices().empty());
    EXPECT_EQ(GuiSendMessage(control, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(GuiSendMessage(control, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
    int width = 0;
    int height = 0;
    Render(kTree, &width, &height);  // paints without the list
}

}  // namespace
