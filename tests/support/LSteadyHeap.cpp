#include "support/LSteadyHeap.h"

#include "memory/LMemoryManager.h"

#include <gtest/gtest.h>

#include <cstdint>

void ExpectSteadyHeap(const std::function<void()>& aCycle, int aWarmUp, int aLast)
{
    for (int i = 1; i <= aWarmUp; ++i) {
        aCycle();
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
    int64_t bytes = 0, peak = 0, blocks = 0;
    ASSERT_EQ(1, LMemoryManager::GetHeapStats(0, bytes, peak, blocks));
    const int chunks = LMemoryManager::GetThreadChunkCount();
    for (int i = aWarmUp + 1; i <= aLast; ++i) {
        aCycle();
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
        int64_t nowBytes = 0, nowBlocks = 0;
        ASSERT_EQ(1, LMemoryManager::GetHeapStats(0, nowBytes, peak, nowBlocks));
        ASSERT_EQ(bytes, nowBytes) << "cycle " << i;
        ASSERT_EQ(blocks, nowBlocks) << "cycle " << i;
        ASSERT_EQ(chunks, LMemoryManager::GetThreadChunkCount()) << "cycle " << i;
    }
}
