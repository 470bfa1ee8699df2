#include "memory/LHeap.h"
#include "memory/LMemoryManager.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// Every test runs in its own process (ctest runs each test separately), so the heap table
// starts fresh; heap names still carry the test's name to stay unique.

namespace {

struct HeapRow
{
    int64_t bytes = 0;
    int64_t peak = 0;
    int64_t allocs = 0;
    bool operator==(const HeapRow&) const = default;
};

HeapRow Stats(int aHeap)
{
    HeapRow row;
    EXPECT_EQ(1, LMemoryManager::GetHeapStats(aHeap, row.bytes, row.peak, row.allocs));
    return row;
}

std::u16string Repeat(char16_t aChar, int aCount)
{
    return std::u16string(static_cast<size_t>(aCount), aChar);
}

} // namespace

TEST(MemoryManagerAccounting, StatisticsRowAfterAllocationsAndFree)
{
    LLogCapture log;
    const int heap = LMemoryManager::CreateHeap(u"stats_row", 0);
    ASSERT_GT(heap, 0);
    ASSERT_EQ(1, LMemoryManager::PushHeap(heap));
    void* a = LMemoryManager::Allocate(100, __FILE__, __LINE__);
    void* b = LMemoryManager::Allocate(50, __FILE__, __LINE__);
    LMemoryManager::PopHeap();
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(1, LMemoryManager::Free(a));

    EXPECT_EQ((HeapRow {50, 150, 1}), Stats(heap));

    ASSERT_EQ(1, LMemoryManager::PrintStats(heap));
    EXPECT_TRUE(log.Contains("stats_row" + std::string(11, ' ') + "       50    150      1       50    150      1"));
    LMemoryManager::Free(b);
}

TEST(MemoryManagerAccounting, BlockFreedWhileAnotherHeapIsCurrentLeavesItsOwnHeap)
{
    const int owner = LMemoryManager::CreateHeap(u"owner", 0);
    const int other = LMemoryManager::CreateHeap(u"other", 0);
    ASSERT_EQ(1, LMemoryManager::PushHeap(owner));
    void* block = LMemoryManager::Allocate(64, nullptr, 0);
    LMemoryManager::PopHeap();
    ASSERT_EQ(1, LMemoryManager::PushHeap(other));
    void* kept = LMemoryManager::Allocate(8, nullptr, 0);
    EXPECT_EQ(1, LMemoryManager::Free(block));
    LMemoryManager::PopHeap();

    EXPECT_EQ((HeapRow {0, 64, 0}), Stats(owner));
    EXPECT_EQ((HeapRow {8, 8, 1}), Stats(other));
    LMemoryManager::Free(kept);
}

TEST(MemoryManagerAccounting, FreeingNewestOldestAndMiddleKeepsTheListConsistent)
{
    const int heap = LMemoryManager::CreateHeap(u"list", 0);
    LMemoryManager::PushHeap(heap);
    void* blocks[5];
    for (int i = 0; i < 5; ++i) {
        blocks[i] = LMemoryManager::Allocate(static_cast<size_t>(i * 2), nullptr, 0); // the first of 0 bytes
    }
    LMemoryManager::PopHeap();
    ASSERT_NE(nullptr, blocks[0]);
    LLogCapture log;
    LMemoryManager::Free(blocks[4]); // newest
    LMemoryManager::Free(blocks[0]); // oldest
    LMemoryManager::Free(blocks[2]); // middle
    EXPECT_EQ(2 + 6, Stats(heap).bytes);
    LMemoryManager::Free(blocks[1]);
    LMemoryManager::Free(blocks[3]);
    EXPECT_EQ((HeapRow {0, 20, 0}), Stats(heap));
    EXPECT_FALSE(log.Contains("Invalid header."));
}

TEST(MemoryManagerAccounting, FreeOfNullAndOfForeignBlocks)
{
    LLogCapture log;
    EXPECT_EQ(0, LMemoryManager::Free(nullptr));
    EXPECT_TRUE(log.Lines().empty());

    void* block = LMemoryManager::Allocate(16, nullptr, 0);
    ASSERT_EQ(1, LMemoryManager::Free(block));
    // A second free finds no live header: logged and left alone.
    alignas(LBlockHeader) unsigned char fake[sizeof(LBlockHeader) + 16] = {};
    EXPECT_EQ(0, LMemoryManager::Free(fake + sizeof(LBlockHeader)));
    EXPECT_TRUE(log.Contains("Invalid header."));
}

TEST(MemoryManagerAccounting, LargeBlocksKeptForReuseAreChargedAsAskedFor)
{
    const int heap = LMemoryManager::CreateHeap(u"large", 0);
    ASSERT_EQ(1, LMemoryManager::PushHeap(heap));
    void* first = LMemoryManager::Allocate(200000, nullptr, 0);
    ASSERT_NE(nullptr, first);
    std::memset(first, 1, 200000);
    LMemoryManager::Free(first);
    EXPECT_EQ((HeapRow {0, 200000, 0}), Stats(heap));
    // A somewhat smaller block takes the freed one, charged at its own size.
    void* again = LMemoryManager::Allocate(180000, nullptr, 0);
    EXPECT_EQ(first, again);
    EXPECT_EQ(180000u, LMemoryManager::GetSize(again));
    EXPECT_EQ((HeapRow {180000, 200000, 1}), Stats(heap));
    void* other = LMemoryManager::Allocate(200000, nullptr, 0);
    ASSERT_NE(nullptr, other);
    EXPECT_NE(again, other);
    std::memset(again, 2, 180000);
    std::memset(other, 3, 200000);
    EXPECT_EQ(2, static_cast<unsigned char*>(again)[179999]);
    EXPECT_EQ((HeapRow {380000, 380000, 2}), Stats(heap));
    LMemoryManager::Free(again);
    LMemoryManager::Free(other);
    // A block less than half the size of those kept gets one of its own.
    void* small = LMemoryManager::Allocate(70000, nullptr, 0);
    EXPECT_NE(again, small);
    EXPECT_NE(other, small);
    LMemoryManager::Free(small);

    // More blocks than are kept: the rest go back to the system, every figure exact.
    constexpr int kCount = 24;
    constexpr size_t kSize = 1 << 20;
    void* blocks[kCount];
    for (int i = 0; i < kCount; ++i) {
        blocks[i] = LMemoryManager::Allocate(kSize, nullptr, 0);
        ASSERT_NE(nullptr, blocks[i]);
        std::memset(blocks[i], i, kSize);
    }
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(i, static_cast<unsigned char*>(blocks[i])[kSize - 1]);
    }
    EXPECT_EQ((HeapRow {kCount * int64_t {kSize}, kCount * int64_t {kSize}, kCount}), Stats(heap));
    for (void* block : blocks) {
        EXPECT_EQ(1, LMemoryManager::Free(block));
    }
    LMemoryManager::PopHeap();
    EXPECT_EQ((HeapRow {0, kCount * int64_t {kSize}, 0}), Stats(heap));
}

TEST(MemoryManagerArrays, ArraysAndResize)
{
    EXPECT_EQ(nullptr, LMemoryManager::AllocateArray(4, 0, nullptr, 0));
    EXPECT_EQ(nullptr, LMemoryManager::AllocateArray(0, 3, nullptr, 0));
    const int heap = LMemoryManager::CreateHeap(u"arrays", 0);
    LMemoryManager::PushHeap(heap);
    auto* values = static_cast<int*>(LMemoryManager::AllocateArray(sizeof(int), 4, nullptr, 0));
    ASSERT_NE(nullptr, values);
    EXPECT_EQ(16u, LMemoryManager::GetSize(values));
    for (int i = 0; i < 4; ++i) {
        values[i] = i * 10;
    }
    auto* grown = static_cast<int*>(LMemoryManager::Resize(values, 8, 0, nullptr, 0));
    LMemoryManager::PopHeap();
    ASSERT_NE(nullptr, grown);
    EXPECT_EQ(32u, LMemoryManager::GetSize(grown));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(i * 10, grown[i]);
    }
    // The old block went away with the resize: only the new one is live.
    EXPECT_EQ((HeapRow {32, 48, 1}), Stats(heap));
    EXPECT_EQ(nullptr, LMemoryManager::Resize(grown, 0, 4, nullptr, 0));
    LMemoryManager::Free(grown);

    LLogCapture log;
    void* plain = LMemoryManager::Allocate(8, nullptr, 0);
    EXPECT_EQ(nullptr, LMemoryManager::Resize(plain, 2, 0, nullptr, 0));
    EXPECT_TRUE(log.Contains("WARNING: .\\memory\\LMemoryManager.cpp, "));
    EXPECT_TRUE(log.Contains("No valid value found for element size."));
    LMemoryManager::Free(plain);
}

TEST(MemoryManagerHeaps, TheHeapTableHasRoomFor255Heaps)
{
    LLogCapture log;
    int last = 0;
    for (int i = 1; i <= 255; ++i) {
        std::u16string name = u"h" + std::u16string(1, static_cast<char16_t>(u'A' + i / 26)) +
                              std::u16string(1, static_cast<char16_t>(u'a' + i % 26));
        last = LMemoryManager::CreateHeap(name.c_str(), 0);
        ASSERT_GT(last, 0) << "creation " << i;
    }
    EXPECT_EQ(255, last);
    EXPECT_EQ(-1, LMemoryManager::CreateHeap(u"one_too_many", 0));
    EXPECT_TRUE(log.Contains("WARNING: "));
    EXPECT_TRUE(log.Contains("Out of available heaps."));
}

TEST(MemoryManagerHeaps, NamesUpTo32CharactersAreAccepted)
{
    LLogCapture log;
    const std::u16string name32 = Repeat(u'x', 32);
    const std::u16string name33 = Repeat(u'y', 33);
    const int heap = LMemoryManager::CreateHeap(name32.c_str(), 0);
    ASSERT_GT(heap, 0);
    EXPECT_EQ(heap, LMemoryManager::FindHeap(name32.c_str()));
    EXPECT_EQ(-1, LMemoryManager::CreateHeap(name33.c_str(), 0));
    EXPECT_TRUE(log.Contains("apName length out of bounds (32 chars max):" + std::string(33, 'y')));
    EXPECT_EQ(-1, LMemoryManager::FindHeap(name33.c_str()));
}

TEST(MemoryManagerHeaps, CreationErrors)
{
    LLogCapture log;
    ASSERT_GT(LMemoryManager::CreateHeap(u"dup", 0), 0);
    EXPECT_EQ(-1, LMemoryManager::CreateHeap(u"dup", 0));
    EXPECT_TRUE(log.Contains("Heap with this name already exists."));
    EXPECT_EQ(-1, LMemoryManager::CreateHeap(u"orphan", 200));
    EXPECT_TRUE(log.Contains("Parent heap not active."));
    EXPECT_EQ(-1, LMemoryManager::CreateHeap(u"lost", u"nobody"));
    EXPECT_TRUE(log.Contains("Could not find parent heap."));
    EXPECT_EQ(-1, LMemoryManager::CreateHeap(nullptr, 0));
    EXPECT_TRUE(log.Contains("No heap name provided."));

    // A refused creation leaves no heap behind: the names are free, no index was used,
    // and a retry with a live parent takes the next index.
    EXPECT_EQ(-1, LMemoryManager::FindHeap(u"orphan"));
    EXPECT_EQ(-1, LMemoryManager::FindHeap(u"lost"));
    const int orphan = LMemoryManager::CreateHeap(u"orphan", 0);
    EXPECT_EQ(2, orphan);
    EXPECT_EQ(orphan, LMemoryManager::FindHeap(u"orphan"));
    EXPECT_EQ(orphan + 1, LMemoryManager::CreateHeap(u"lost", u"dup"));
    EXPECT_EQ(1, log.Count("Heap with this name already exists."));
}

TEST(MemoryManagerStack, PushAndPopRules)
{
    LLogCapture log;
    EXPECT_EQ(0, LMemoryManager::PushHeap(256));
    EXPECT_EQ(0, LMemoryManager::PushHeap(-1));
    EXPECT_EQ(2, log.Count("Heap index out of bounds."));
    EXPECT_EQ(0, LMemoryManager::PushHeap(77));
    EXPECT_TRUE(log.Contains("Attempted to push dead heap."));

    EXPECT_EQ(0, LMemoryManager::GetCurrentHeapIndex());
    EXPECT_EQ(0, LMemoryManager::PopHeap());
    EXPECT_EQ(0, LMemoryManager::GetCurrentHeapIndex());
}

TEST(MemoryManagerStack, StackFullIsRefused)
{
    LLogCapture log;
    const int heap = LMemoryManager::CreateHeap(u"deep", 0);
    int pushed = 0;
    for (int i = 0; i < 300; ++i) {
        pushed += LMemoryManager::PushHeap(heap);
    }
    EXPECT_EQ(255, pushed); // heap 0 holds the bottom entry
    EXPECT_TRUE(log.Contains("out of bounds."));
    for (int i = 0; i < 300; ++i) {
        LMemoryManager::PopHeap();
    }
    EXPECT_EQ(0, LMemoryManager::GetCurrentHeapIndex());
}

TEST(MemoryManagerReports, StatsTreeIndentsChildrenNewestFirst)
{
    LLogCapture log;
    const int parent = LMemoryManager::CreateHeap(u"parent", 0);
    LMemoryManager::CreateHeap(u"older", parent);
    LMemoryManager::CreateHeap(u"newer", parent);
    ASSERT_EQ(1, LMemoryManager::PrintStats(parent));
    std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(10u, lines.size());
    EXPECT_EQ(std::string(68, '-'), lines[0]);
    EXPECT_EQ("heap                 |         locl         |         totl         |", lines[1]);
    EXPECT_EQ(0u, lines[4].find("parent               "));
    EXPECT_EQ(0u, lines[5].find("  newer              "));
    EXPECT_EQ(0u, lines[6].find("  older              "));
    EXPECT_EQ(std::string(68, '-'), lines[9]);
    EXPECT_EQ(0, LMemoryManager::PrintStats(150));
    EXPECT_TRUE(log.Contains("Dead heap: 150"));
}

TEST(MemoryManagerReports, LeakReportIsUnavailable)
{
    LLogCapture log;
    EXPECT_EQ(-1, LMemoryManager::ReportLeaks(0, 1, 1));
    EXPECT_EQ(1, log.Count("Unavailable in release mode."));
    EXPECT_EQ(1, LMemoryManager::GetAllocationSerial());
}

TEST(MemoryManagerOperators, EngineFormAllocatesFromTheCurrentHeap)
{
#if L_TRACK_ALLOC
    const int heap = LMemoryManager::CreateHeap(u"tagged", 0);
    LMemoryManager::PushHeap(heap);
    int* value = L_NEW int(5);
    LMemoryManager::PopHeap();
    ASSERT_NE(nullptr, value);
    EXPECT_EQ(static_cast<int64_t>(sizeof(int)), Stats(heap).bytes);
    delete value;
    EXPECT_EQ(0, Stats(heap).bytes);
#else
    int* value = L_NEW int(5);
    ASSERT_NE(nullptr, value);
    EXPECT_EQ(5, *value);
    delete value;
#endif
}
