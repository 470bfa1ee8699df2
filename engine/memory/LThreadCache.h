// A thread's share of the memory manager: free lists of small blocks in size classes,
// carved from chunks the cache takes from the system and never gives back, and the
// thread's part of every heap's counters. Only the thread that owns a cache takes blocks
// from it or changes its counters, so neither needs a lock; a block freed by another
// thread goes onto the cache's shared list (lock-free) and is taken back into the free
// lists when the owner runs short.
//
// Blocks above the size classes come from the system one by one. The largest of those a
// thread frees (a picture's pixels, a file read whole) are kept, a few and a bounded
// number of bytes per cache, for the next block of about their size: a location loaded
// again then finds its buffers instead of the system giving the memory back and faulting
// it in anew each time.
//
// Caches are never destroyed: a thread that ends gives its cache up and a new thread
// takes it over, counters and blocks included, so the sums over all caches stay exact.
// A heap's bytes and block count are such sums. For its peak every cache holds a grant,
// the level its own share of the heap may reach without a look at the others; the grants
// together never exceed the peak, so a cache that needs more takes back what the others
// hold no bytes for, and raises the peak when the heap's sum really passes it. The peak is
// exact while one thread at a time changes a heap's blocks (the others may hold blocks);
// while several change them at the same moment it is the highest sum a raise saw.
#pragma once
#include "memory/LHeap.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

class LThreadCache
{
public:
    static constexpr int kHeapCount = 256;
    static constexpr size_t kSmallMax = 1024;
    static constexpr int kClassCount = 29; // class 0 marks a block of its own

    // A new cache from the system (never freed), or null; linked into the list of caches.
    static LThreadCache* Create();
    // A cache given up by an ended thread, claimed for the caller; null when none is free.
    static LThreadCache* Claim();
    void Release();

    // A block of aSize bytes charged to heap aHeap; null when memory is out. Only the
    // owner calls it.
    void* Allocate(size_t aSize, uint32_t aElementSize, int aHeap);
    // Frees a block whose header is valid, charging the release to this cache; a block of
    // another cache goes to that cache's shared list. Only the owner calls it.
    void Free(LBlockHeader* aHeader);

    // The summed figures of heap aHeap over every cache.
    static LHeapStats Sum(int aHeap);
    // The small-block chunks this cache has taken from the system.
    int GetChunkCount() const { return mChunkCount; }

    static int ClassOf(size_t aSize)
    {
        if (aSize <= 256) {
            return aSize == 0 ? 1 : static_cast<int>((aSize + 15) >> 4);
        }
        return 16 + static_cast<int>((aSize - 256 + 63) >> 6);
    }
    static size_t ClassSize(int aClass)
    {
        return aClass <= 16 ? static_cast<size_t>(aClass) * 16 : 256 + static_cast<size_t>(aClass - 16) * 64;
    }

private:
    struct Counters
    {
        std::atomic<int64_t> bytes {0};
        std::atomic<int64_t> allocs {0};
        std::atomic<int64_t> grant {0};
    };

    // Blocks of their own at least this large (header included) are kept when freed, in
    // at most kKeptCount slots and kKeptBytes bytes.
    static constexpr size_t kKeptMin = 64 * 1024;
    static constexpr int kKeptCount = 8;
    static constexpr size_t kKeptBytes = 16 * 1024 * 1024;

    LThreadCache() = default;
    LBlockHeader* Refill(int aClass);
    LBlockHeader* AllocateOwn(size_t aSize);
    LBlockHeader* TakeKept(size_t aBytes);
    void FreeOwn(LBlockHeader* aHeader);
    void FreeElsewhere(LBlockHeader* aHeader, LThreadCache* aOwner);
    void TakeBackShared();
    void PushShared(LBlockHeader* aHeader);
    void Charge(int aHeap, int64_t aBytes, int64_t aBlocks);
    void Regrant(int aHeap, int64_t aOwnBytes);

    LBlockHeader* mFree[kClassCount] {};
    char* mChunk = nullptr;
    char* mChunkEnd = nullptr;
    int mChunkCount = 0;
    std::atomic<LBlockHeader*> mShared {nullptr};
    std::atomic<bool> mOwned {true};
    LThreadCache* mNext = nullptr; // set once before the cache is published
    LBlockHeader* mKept[kKeptCount] {};
    size_t mKeptSize[kKeptCount] {}; // usable bytes of each kept block
    size_t mKeptTotal = 0;
    Counters mCounters[kHeapCount];
};

// The paths taken by nearly every allocation and free, kept inline for the manager.

inline void* LThreadCache::Allocate(size_t aSize, uint32_t aElementSize, int aHeap)
{
    LBlockHeader* header;
    if (aSize <= kSmallMax) [[likely]] {
        const int sizeClass = ClassOf(aSize);
        header = mFree[sizeClass];
        if (header) [[likely]] {
            mFree[sizeClass] = header->next;
            // Blocks freed long ago are seldom in the cache: fetch the next one's header now.
            __builtin_prefetch(header->next, 1);
        } else {
            header = Refill(sizeClass);
            if (!header) {
                return nullptr;
            }
        }
        header->owner = this;
        header->sizeClass = static_cast<uint16_t>(sizeClass);
    } else {
        header = AllocateOwn(aSize);
        if (!header) {
            return nullptr;
        }
    }
    header->size = static_cast<uint32_t>(aSize);
    header->elementSize = aElementSize;
    header->heap = static_cast<uint16_t>(aHeap);
    header->magic = LHeap::kMagic;
    Charge(aHeap, static_cast<int64_t>(aSize), 1);
    return header + 1;
}

inline void LThreadCache::Free(LBlockHeader* aHeader)
{
    LThreadCache* owner = aHeader->owner;
    Charge(aHeader->heap, -static_cast<int64_t>(aHeader->size), -1);
    aHeader->magic = LHeap::kFreedMagic;
    if (owner == this) [[likely]] {
        aHeader->next = mFree[aHeader->sizeClass];
        mFree[aHeader->sizeClass] = aHeader;
    } else {
        FreeElsewhere(aHeader, owner);
    }
}

inline void LThreadCache::Charge(int aHeap, int64_t aBytes, int64_t aBlocks)
{
    Counters& counters = mCounters[aHeap];
    const int64_t bytes = counters.bytes.load(std::memory_order_relaxed) + aBytes;
    counters.bytes.store(bytes, std::memory_order_relaxed);
    counters.allocs.store(counters.allocs.load(std::memory_order_relaxed) + aBlocks, std::memory_order_relaxed);
    if (aBytes > 0 && bytes > counters.grant.load(std::memory_order_relaxed)) [[unlikely]] {
        Regrant(aHeap, bytes);
    }
}
