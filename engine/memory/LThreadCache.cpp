#include "memory/LThreadCache.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

constexpr size_t kHeaderSize = sizeof(LBlockHeader);
constexpr size_t kChunkSize = 64 * 1024;

std::atomic<LThreadCache*> gFirstCache {nullptr};
std::atomic<int64_t> gPeaks[LThreadCache::kHeapCount] {};

void RaisePeak(int aHeap, int64_t& aPeak, int64_t aSum)
{
    aPeak = gPeaks[aHeap].load(std::memory_order_relaxed);
    while (aSum > aPeak && !gPeaks[aHeap].compare_exchange_weak(aPeak, aSum, std::memory_order_relaxed)) {
    }
    if (aSum > aPeak) {
        aPeak = aSum;
    }
}

} // namespace

LThreadCache* LThreadCache::Create()
{
    void* raw = std::malloc(sizeof(LThreadCache));
    if (!raw) {
        return nullptr;
    }
    LThreadCache* cache = new (raw) LThreadCache();
    LThreadCache* head = gFirstCache.load(std::memory_order_relaxed);
    do {
        cache->mNext = head;
    } while (!gFirstCache.compare_exchange_weak(head, cache, std::memory_order_release, std::memory_order_relaxed));
    return cache;
}

LThreadCache* LThreadCache::Claim()
{
    for (LThreadCache* cache = gFirstCache.load(std::memory_order_acquire); cache; cache = cache->mNext) {
        bool owned = false;
        if (!cache->mOwned.load(std::memory_order_relaxed) &&
            cache->mOwned.compare_exchange_strong(owned, true, std::memory_order_acquire)) {
            return cache;
        }
    }
    return nullptr;
}

void LThreadCache::Release()
{
    mOwned.store(false, std::memory_order_release);
}

LBlockHeader* LThreadCache::AllocateOwn(size_t aSize)
{
    if (aSize > UINT32_MAX - kHeaderSize) {
        return nullptr;
    }
    const size_t bytes = kHeaderSize + aSize;
    LBlockHeader* header = bytes >= kKeptMin ? TakeKept(bytes) : nullptr;
    if (!header) {
        header = static_cast<LBlockHeader*>(std::malloc(bytes));
    }
    if (header) {
        header->owner = nullptr;
        header->sizeClass = 0;
    }
    return header;
}

LBlockHeader* LThreadCache::TakeKept(size_t aBytes)
{
    // The smallest kept block that holds aBytes, wasting at most half of them.
    int best = -1;
    for (int i = 0; i < kKeptCount; ++i) {
        if (mKept[i] && mKeptSize[i] >= aBytes && mKeptSize[i] - aBytes <= aBytes / 2 &&
            (best < 0 || mKeptSize[i] < mKeptSize[best])) {
            best = i;
        }
    }
    if (best < 0) {
        return nullptr;
    }
    LBlockHeader* header = mKept[best];
    mKept[best] = nullptr;
    mKeptTotal -= mKeptSize[best];
    return header;
}

void LThreadCache::FreeOwn(LBlockHeader* aHeader)
{
    const size_t size = malloc_usable_size(aHeader);
    if (size < kKeptMin || size > kKeptBytes) {
        std::free(aHeader);
        return;
    }
    // An empty slot, or else the one of the smallest block, which gives way to a larger.
    int slot = 0;
    for (int i = 0; i < kKeptCount && mKept[slot]; ++i) {
        if (!mKept[i] || mKeptSize[i] < mKeptSize[slot]) {
            slot = i;
        }
    }
    if (mKept[slot] && mKeptSize[slot] < size) {
        std::free(mKept[slot]);
        mKept[slot] = nullptr;
        mKeptTotal -= mKeptSize[slot];
    }
    if (mKept[slot] || mKeptTotal + size > kKeptBytes) {
        std::free(aHeader);
        return;
    }
    mKept[slot] = aHeader;
    mKeptSize[slot] = size;
    mKeptTotal += size;
}

void LThreadCache::FreeElsewhere(LBlockHeader* aHeader, LThreadCache* aOwner)
{
    if (aOwner) {
        aOwner->PushShared(aHeader);
    } else {
        FreeOwn(aHeader);
    }
}

LBlockHeader* LThreadCache::Refill(int aClass)
{
    if (mShared.load(std::memory_order_relaxed)) {
        TakeBackShared();
        if (LBlockHeader* header = mFree[aClass]) {
            mFree[aClass] = header->next;
            return header;
        }
    }
    const size_t blockSize = kHeaderSize + ClassSize(aClass);
    if (static_cast<size_t>(mChunkEnd - mChunk) < blockSize) {
        char* chunk = static_cast<char*>(std::malloc(kChunkSize));
        if (!chunk) {
            return nullptr;
        }
        mChunk = chunk;
        mChunkEnd = chunk + kChunkSize;
        ++mChunkCount;
    }
    auto* header = reinterpret_cast<LBlockHeader*>(mChunk);
    mChunk += blockSize;
    return header;
}

void LThreadCache::TakeBackShared()
{
    LBlockHeader* list = mShared.exchange(nullptr, std::memory_order_acquire);
    while (list) {
        LBlockHeader* next = list->next;
        list->next = mFree[list->sizeClass];
        mFree[list->sizeClass] = list;
        list = next;
    }
}

void LThreadCache::PushShared(LBlockHeader* aHeader)
{
    LBlockHeader* head = mShared.load(std::memory_order_relaxed);
    do {
        aHeader->next = head;
    } while (!mShared.compare_exchange_weak(head, aHeader, std::memory_order_release, std::memory_order_relaxed));
}

void LThreadCache::Regrant(int aHeap, int64_t aOwnBytes)
{
    // The grants of all caches together never exceed the peak, and no cache holds more
    // than its grant, so the heap's sum cannot pass the peak unnoticed.
    int64_t othersGrant = 0;
    int64_t othersBytes = 0;
    for (LThreadCache* cache = gFirstCache.load(std::memory_order_acquire); cache; cache = cache->mNext) {
        if (cache != this) {
            othersGrant += cache->mCounters[aHeap].grant.load(std::memory_order_relaxed);
            othersBytes += cache->mCounters[aHeap].bytes.load(std::memory_order_relaxed);
        }
    }
    int64_t peak = gPeaks[aHeap].load(std::memory_order_relaxed);
    if (aOwnBytes + othersGrant > peak && othersGrant > othersBytes) {
        // Take back what the others hold no bytes for.
        othersGrant = 0;
        for (LThreadCache* cache = gFirstCache.load(std::memory_order_acquire); cache; cache = cache->mNext) {
            if (cache == this) {
                continue;
            }
            Counters& other = cache->mCounters[aHeap];
            const int64_t held = other.bytes.load(std::memory_order_relaxed);
            int64_t grant = other.grant.load(std::memory_order_relaxed);
            while (grant > held && !other.grant.compare_exchange_weak(grant, held, std::memory_order_relaxed)) {
            }
            othersGrant += grant > held ? held : grant;
        }
    }
    if (aOwnBytes + othersGrant > peak) {
        RaisePeak(aHeap, peak, aOwnBytes + othersGrant);
    }
    mCounters[aHeap].grant.store(peak - othersGrant, std::memory_order_relaxed);
}

LHeapStats LThreadCache::Sum(int aHeap)
{
    LHeapStats stats;
    for (LThreadCache* cache = gFirstCache.load(std::memory_order_acquire); cache; cache = cache->mNext) {
        stats.bytes += cache->mCounters[aHeap].bytes.load(std::memory_order_relaxed);
        stats.allocs += cache->mCounters[aHeap].allocs.load(std::memory_order_relaxed);
    }
    RaisePeak(aHeap, stats.peak, stats.bytes);
    return stats;
}
