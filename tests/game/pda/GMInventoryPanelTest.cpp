// The inventory's saved block: its layout, the round trip, and damaged blocks refused
// without touching what the panel holds.
#include "pda/GMInventoryPanel.h"

#include "container/LString.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::string Int(int32_t aValue)
{
    return std::string(reinterpret_cast<const char*>(&aValue), 4);
}

// An id as the stream writes it: unit count, UTF-16 units, terminator.
std::string Id(const std::string& aId)
{
    std::string bytes = Int(static_cast<int32_t>(aId.size()));
    for (char c : aId) {
        bytes += std::string {c, '\0'};
    }
    return bytes + std::string(2, '\0');
}

// A block whose sub-panel aIndex holds aRecord (count and items) and the others nothing.
std::string Block(int aIndex, const std::string& aRecord)
{
    std::string bytes;
    for (int i = 0; i < GMInventoryPanel::SUBPANEL_COUNT; ++i) {
        bytes += i == aIndex ? aRecord : Int(0);
    }
    return bytes;
}

std::string Saved(const GMInventoryPanel& aPanel)
{
    LMemoryStream stream(64, 64);
    EXPECT_TRUE(aPanel.Write(&stream));
    return WrittenBytes(stream);
}

bool ReadBlock(GMInventoryPanel& aPanel, const std::string& aBytes)
{
    LMemoryStream stream(4, -1);
    Load(stream, aBytes);
    return aPanel.Read(&stream);
}

} // namespace

TEST(InventoryPanel, WritesTheSavedBlockAndReadsItBack)
{
    LLogCapture log;
    GMInventoryPanel panel;
    EXPECT_EQ(std::string(64, '\0'), Saved(panel));

    EXPECT_TRUE(panel.AddItem(LString("knife")));
    EXPECT_TRUE(panel.AddItem(LString("knife_CL")));
    EXPECT_TRUE(panel.AddItem(LString("knife"))); // held once
    EXPECT_FALSE(panel.AddItem(LString()));
    EXPECT_TRUE(log.Contains("AddItem failure. Empty id."));
    EXPECT_EQ(2, panel.GetItemCount());
    EXPECT_EQ(Block(0, Int(2) + Int(0) + Id("knife") + Int(1) + Id("knife_CL")), Saved(panel));

    // Items sit in their cells in any sub-panel, in cell order.
    const std::string block = Block(5, Int(2) + Int(55) + Id("abc") + Int(3) + Id("ring"));
    GMInventoryPanel loaded;
    ASSERT_TRUE(ReadBlock(loaded, block));
    EXPECT_EQ(LString("ring"), loaded.GetItem(5, 3));
    EXPECT_EQ(LString("abc"), loaded.GetItem(5, 55));
    EXPECT_EQ(Block(5, Int(2) + Int(3) + Id("ring") + Int(55) + Id("abc")), Saved(loaded));
    // Reading replaces everything held before.
    ASSERT_TRUE(ReadBlock(panel, block));
    EXPECT_EQ(2, panel.GetItemCount());
    EXPECT_EQ(LString(), panel.GetItem(0, 0));

    panel.RemoveAllItems();
    EXPECT_EQ(std::string(64, '\0'), Saved(panel));
}

TEST(InventoryPanel, AFullSubpanelRefusesMore)
{
    LLogCapture log;
    GMInventoryPanel panel;
    for (int i = 0; i < GMInventoryPanel::CELL_COUNT; ++i) {
        ASSERT_TRUE(panel.AddItem(LString("item") + i));
    }
    EXPECT_FALSE(panel.AddItem(LString("onemore")));
    EXPECT_TRUE(log.Contains("AddItem failure. No free cell for: onemore"));
    EXPECT_EQ(GMInventoryPanel::CELL_COUNT, panel.GetItemCount());
}

TEST(InventoryPanel, DamagedBlocksAreRefusedAndChangeNothing)
{
    struct Case
    {
        const char* mName;
        std::string mBytes;
        const char* mLogged;
    };
    const std::string one = Int(0) + Id("a");
    const Case cases[] = {
        {"empty", "", "Block ends early. Sub-panel: 0"},
        {"cut in the last count", std::string(62, '\0'), "Block ends early. Sub-panel: 15"},
        {"negative count", Block(2, Int(-1)), "Invalid item count: -1 Sub-panel: 2"},
        {"more than the cells", Block(0, Int(57)), "Invalid item count: 57"},
        {"count beyond the bytes", Block(15, Int(3) + one), "Invalid item count: 3 Sub-panel: 15"},
        {"cell outside", Block(1, Int(1) + Int(56) + Id("a")), "Invalid cell: 56"},
        {"negative cell", Block(1, Int(1) + Int(-1) + Id("a")), "Invalid cell: -1"},
        {"two in a cell", Block(1, Int(2) + one + one), "Invalid cell: 0"},
        {"an id twice", Block(1, Int(2) + one + Int(1) + Id("a")), "Invalid item id: a"},
        {"an empty id", Block(1, Int(1) + Int(0) + Id("")), "Invalid item id: "},
        {"id longer than the block", Block(15, Int(1) + Int(0) + Int(1000) + std::string(8, 'x')), "Invalid string length: 1000"},
        {"second item cut", Block(15, Int(2) + one + Int(1) + Int(5) + std::string(2, 'x')), "Invalid string length: 5"},
    };
    for (const Case& c : cases) {
        LLogCapture log;
        GMInventoryPanel panel;
        ASSERT_TRUE(panel.AddItem(LString("kept")));
        const std::string before = Saved(panel);
        EXPECT_FALSE(ReadBlock(panel, c.mBytes)) << c.mName;
        EXPECT_TRUE(log.Contains(c.mLogged)) << c.mName << "\n" << log.Bytes();
        EXPECT_EQ(before, Saved(panel)) << c.mName;
    }
}
