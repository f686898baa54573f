// Which accelerator table serves a window's keys.
#include <gtest/gtest.h>

#include "korrel/whotkeytable.h"

#include <atomic>
#include <cstdint>
#include <thread>

namespace {

HWND Window(std::uintptr_t value)
{
    return reinterpret_cast<HWND>(value);
}

HACCEL Table(std::uintptr_t value)
{
    return reinterpret_cast<HACCEL>(value);
}

TEST(HotKeyTable, LastTableOfTheWindowElseOfItsParent)
{
    WHotKeyTable table;
    const HWND dialog = Window(0x10);
    const HWND control = Window(0x11);
    const HWND stranger = Window(0x12);
    table.Add(dialog, Table(1));
    table.Add(dialog, Table(2));
    table.Add(Window(0x20), Table(3));

    WHotKeyEntry found;
    ASSERT_TRUE(table.Find(dialog, nullptr, &found));
    EXPECT_EQ(found.table, Table(2));
    ASSERT_TRUE(table.Find(control, dialog, &found));  // a control's key finds its dialog's table
    EXPECT_EQ(found.window, dialog);
    EXPECT_FALSE(table.Find(stranger, nullptr, &found));

    table.Add(control, Table(4));
    ASSERT_TRUE(table.Find(control, dialog, &found));  // the control's own table comes first
    EXPECT_EQ(found.table, Table(4));

    table.Drop(dialog);
    EXPECT_FALSE(table.Find(dialog, nullptr, &found));
    EXPECT_EQ(table.Count(), 2);
}

// Keys are looked up on the GUI thread while another thread registers tables.
TEST(HotKeyTable, RegisteringWhileKeysAreLookedUpIsSafe)
{
    constexpr int kRegistrations = 200000;
    WHotKeyTable table;
    const HWND dialog = Window(0x30);
    table.Add(dialog, Table(1));
    std::atomic<bool> stop{false};
    std::atomic<int> misses{0};
    std::thread keys([&] {
        while (!stop) {
            WHotKeyEntry found;
            if (!table.Find(dialog, nullptr, &found) || found.table != Table(1)) {
                ++misses;
            }
        }
    });
    for (int i = 0; i < kRegistrations; ++i) {
        table.Add(Window(0x1000 + i), Table(2));
    }
    stop = true;
    keys.join();
    EXPECT_EQ(misses, 0);
    EXPECT_EQ(table.Count(), kRegistrations + 1);
}

}  // namespace
