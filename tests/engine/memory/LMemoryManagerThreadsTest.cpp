#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "memory/LThreadCache.h"
#include "stdlib/LLog.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstring>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct LiveBlock
{
    void* block;
    int heap;
    size_t size;
};

// One block size in every size class, two beyond the largest and two large enough to be
// kept for reuse when freed, visited in turn.
std::vector<size_t> SizesOfEveryClass()
{
    std::vector<size_t> sizes {0};
    for (int c = 1; c < LThreadCache::kClassCount; ++c) {
        sizes.push_back(LThreadCache::ClassSize(c) - static_cast<size_t>(c % 3)); // some below the class's top
    }
    sizes.push_back(LThreadCache::kSmallMax + 1);
    sizes.push_back(5000);
    sizes.push_back(70000);
    sizes.push_back(150000);
    return sizes;
}

// Blocks handed from one thread to another, which frees them.
class Mailbox
{
public:
    Mailbox() { mBlocks.reserve(1 << 16); }
    void Put(void* aBlock)
    {
        std::lock_guard<std::mutex> lock(mLock);
        mBlocks.push_back(aBlock);
    }
    void* Take()
    {
        std::lock_guard<std::mutex> lock(mLock);
        if (mBlocks.empty()) {
            return nullptr;
        }
        void* block = mBlocks.back();
        mBlocks.pop_back();
        return block;
    }

private:
    std::mutex mLock;
    std::vector<void*> mBlocks;
};

} // namespace

TEST(MemoryManagerThreads, ThreadsAllocatingAndFreeingAcrossHeapsLeaveExactTotals)
{
    constexpr int kThreads = 4;
    constexpr int kRounds = 300;
    constexpr int kPerRound = 8;
    int heaps[3];
    for (int i = 0; i < 3; ++i) {
        const std::u16string name = u"shared" + std::u16string(1, static_cast<char16_t>(u'0' + i));
        heaps[i] = LMemoryManager::CreateHeap(name.c_str(), 0);
        ASSERT_GT(heaps[i], 0);
    }
    const std::vector<size_t> sizes = SizesOfEveryClass();
    Mailbox mailbox;
    std::vector<LiveBlock> kept[kThreads];
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        kept[t].reserve(kRounds * kPerRound);
        threads.emplace_back([&, t] {
            size_t next = static_cast<size_t>(t);
            for (int round = 0; round < kRounds; ++round) {
                const int heap = heaps[(t + round) % 3];
                std::array<LiveBlock, kPerRound> made {};
                // Nothing but the blocks under test is allocated while the heap is pushed.
                LMemoryManager::PushHeap(heap);
                for (LiveBlock& live : made) {
                    const size_t size = sizes[next++ % sizes.size()];
                    live = {LMemoryManager::Allocate(size, nullptr, 0), heap, size};
                }
                LMemoryManager::PopHeap();
                for (int i = 0; i < kPerRound; ++i) {
                    ASSERT_NE(nullptr, made[i].block);
                    std::memset(made[i].block, t, made[i].size);
                    if (i % 4 == 0) {
                        kept[t].push_back(made[i]);
                    } else if (i % 4 == 1) {
                        mailbox.Put(made[i].block); // another thread frees it
                    } else {
                        EXPECT_EQ(1, LMemoryManager::Free(made[i].block));
                    }
                }
                while (void* foreign = mailbox.Take()) {
                    EXPECT_EQ(1, LMemoryManager::Free(foreign));
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    while (void* left = mailbox.Take()) {
        EXPECT_EQ(1, LMemoryManager::Free(left));
    }

    for (int heap : heaps) {
        int64_t bytes = 0;
        int64_t allocs = 0;
        for (const std::vector<LiveBlock>& list : kept) {
            for (const LiveBlock& live : list) {
                if (live.heap == heap) {
                    bytes += static_cast<int64_t>(live.size);
                    ++allocs;
                }
            }
        }
        int64_t statBytes = -1;
        int64_t statPeak = -1;
        int64_t statAllocs = -1;
        ASSERT_EQ(1, LMemoryManager::GetHeapStats(heap, statBytes, statPeak, statAllocs));
        EXPECT_EQ(bytes, statBytes) << "heap " << heap;
        EXPECT_EQ(allocs, statAllocs) << "heap " << heap;
        EXPECT_GE(statPeak, statBytes);
    }
    // The kept blocks freed here, on a thread that allocated none of them.
    for (const std::vector<LiveBlock>& list : kept) {
        for (const LiveBlock& live : list) {
            EXPECT_EQ(static_cast<uint32_t>(live.size), LMemoryManager::GetSize(live.block));
            EXPECT_EQ(1, LMemoryManager::Free(live.block));
        }
    }
    for (int heap : heaps) {
        int64_t bytes = -1;
        int64_t peak = -1;
        int64_t allocs = -1;
        ASSERT_EQ(1, LMemoryManager::GetHeapStats(heap, bytes, peak, allocs));
        EXPECT_EQ(0, bytes);
        EXPECT_EQ(0, allocs);
    }
}

TEST(MemoryManagerThreads, PeakIsExactWhenThreadsTakeTurnsHoldingBlocks)
{
    const int heap = LMemoryManager::CreateHeap(u"turns", 0);
    auto allocateIn = [heap](size_t aSize) {
        LMemoryManager::PushHeap(heap);
        void* block = LMemoryManager::Allocate(aSize, nullptr, 0);
        LMemoryManager::PopHeap();
        return block;
    };
    auto onThread = [](auto aBody) { std::thread(aBody).join(); };
    void* first = allocateIn(100);
    LMemoryManager::Free(first);
    void* workerBlock = nullptr;
    onThread([&] { workerBlock = allocateIn(60); });
    void* second = allocateIn(50); // 110 live: a new peak although this thread once held 100
    int64_t bytes = 0;
    int64_t peak = 0;
    int64_t allocs = 0;
    LMemoryManager::GetHeapStats(heap, bytes, peak, allocs);
    EXPECT_EQ(110, peak);
    void* more = nullptr;
    onThread([&] { more = allocateIn(30); }); // 140
    LMemoryManager::Free(second);             // 90
    onThread([&] { LMemoryManager::Free(workerBlock); });
    void* last = allocateIn(120); // 150
    LMemoryManager::GetHeapStats(heap, bytes, peak, allocs);
    EXPECT_EQ(150, bytes);
    EXPECT_EQ(150, peak);
    EXPECT_EQ(2, allocs);
    LMemoryManager::Free(more);
    LMemoryManager::Free(last);
}

TEST(MemoryManagerThreads, EveryThreadStartsOnTheDefaultHeap)
{
    const int mainHeap = LMemoryManager::CreateHeap(u"main_pushed", 0);
    const int workerHeap = LMemoryManager::CreateHeap(u"worker_pushed", 0);
    ASSERT_EQ(1, LMemoryManager::PushHeap(mainHeap));
    int workerStart = -1;
    void* plain = nullptr;
    void* tagged = nullptr;
    std::thread([&] {
        workerStart = LMemoryManager::GetCurrentHeapIndex();
        plain = LMemoryManager::Allocate(24, nullptr, 0);
        LMemoryManager::PushHeap(workerHeap);
        tagged = LMemoryManager::Allocate(40, nullptr, 0);
    }).join();
    EXPECT_EQ(mainHeap, LMemoryManager::GetCurrentHeapIndex());
    LMemoryManager::PopHeap();
    EXPECT_EQ(0, workerStart);
    ASSERT_NE(nullptr, plain);
    ASSERT_NE(nullptr, tagged);
    EXPECT_EQ(0, LHeap::HeaderOf(plain)->heap);
    EXPECT_EQ(workerHeap, LHeap::HeaderOf(tagged)->heap);
    int64_t bytes = -1;
    int64_t peak = -1;
    int64_t allocs = -1;
    LMemoryManager::GetHeapStats(mainHeap, bytes, peak, allocs);
    EXPECT_EQ(0, bytes); // nothing of the worker's is charged to the heap the main thread pushed
    EXPECT_EQ(0, allocs);
    LMemoryManager::GetHeapStats(workerHeap, bytes, peak, allocs);
    EXPECT_EQ(40, bytes);
    LMemoryManager::Free(plain);
    LMemoryManager::Free(tagged);
}

// A log that cannot be written (a FIFO nobody reads blocks the writer) must not stall the
// allocator: its messages are written after its lock is released.
TEST(MemoryManagerThreads, AMessageIsWrittenAfterTheLockIsReleased)
{
    LLogCapture log;
    ASSERT_GT(LMemoryManager::CreateHeap(u"taken", 0), 0);
    const std::string fifo = log.Directory().File("log.txt");
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    std::thread refused([] { LMemoryManager::CreateHeap(u"taken", 0); }); // waits at the log
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::future<int> other = std::async(std::launch::async, [] { return LMemoryManager::CreateHeap(u"free", 0); });
    const bool answered = other.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    EXPECT_TRUE(answered) << "the allocator's lock was held while the log was written";

    const int reader = ::open(fifo.c_str(), O_RDONLY); // lets the refused creation's message through
    ASSERT_GE(reader, 0);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(reader, buffer, sizeof(buffer))) > 0;) {
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(reader);
    refused.join();
    EXPECT_GT(other.get(), 0);
    EXPECT_NE(std::string::npos, text.find("Heap with this name already exists."));
    ::unlink(fifo.c_str());
}
