#include "memory/LHeap.h"

#include "stdlib/LLog.h"

#include <cstdio>
#include <cstdlib>

namespace {
constexpr size_t kHeaderSize = sizeof(LBlockHeader);
}

int LHeap::Init(const char16_t* aName)
{
    if (!aName) {
        LogDirectEntry("ERROR: ", L_FILE, __LINE__, "No heap name provided.");
        return 0;
    }
    int length = 0;
    while (aName[length] != 0) {
        ++length;
        if (length > kNameCapacity) {
            LogDirectEntry("ERROR: ", L_FILE, __LINE__, "apName length out of bounds (32 chars max):", aName);
            return 0;
        }
    }
    for (int i = 0; i <= length; ++i) {
        mName[i] = aName[i];
    }
    mActive = true;
    mBytes = 0;
    mPeak = 0;
    mAllocs = 0;
    mBlocks = nullptr;
    mParent = nullptr;
    mPrevSibling = nullptr;
    mNextSibling = nullptr;
    mFirstChild = nullptr;
    return 1;
}

void* LHeap::Allocate(size_t aSize, uint32_t aElementSize, const char*, int)
{
    if (aSize > UINT32_MAX - kHeaderSize) {
        LogDirectEntry("ASSERT FAILURE: ", L_FILE, __LINE__, "Insufficient memory available.");
        return nullptr;
    }
    auto* header = static_cast<LBlockHeader*>(std::malloc(kHeaderSize + aSize));
    if (!header) {
        LogDirectEntry("ASSERT FAILURE: ", L_FILE, __LINE__, "Insufficient memory available.");
        return nullptr;
    }
    header->size = static_cast<uint32_t>(aSize);
    header->elementSize = aElementSize;
    header->heap = this;
    header->next = mBlocks;
    header->prev = nullptr;
    header->magic = kMagic;
    if (mBlocks) {
        mBlocks->prev = header;
    }
    mBlocks = header;
    mBytes += aSize;
    if (mBytes > mPeak) {
        mPeak = mBytes;
    }
    ++mAllocs;
    return header + 1;
}

int LHeap::Free(void* aBlock)
{
    if (!aBlock) {
        return 0;
    }
    return FreeBlock(HeaderOf(aBlock));
}

int LHeap::FreeBlock(LBlockHeader* aHeader)
{
    if (aHeader->prev) {
        aHeader->prev->next = aHeader->next;
    } else {
        if (mBlocks != aHeader) {
            LogDirectEntry("ASSERT FAILURE: ", L_FILE, __LINE__, "Invalid header.");
        }
        mBlocks = aHeader->next;
    }
    if (aHeader->next) {
        aHeader->next->prev = aHeader->prev;
    }
    mBytes -= aHeader->size;
    --mAllocs;
    aHeader->magic = kFreedMagic;
    std::free(aHeader);
    return 1;
}

void LHeap::SetParent(LHeap* aParent)
{
    if (aParent == mParent) {
        return;
    }
    if (mParent) {
        if (mPrevSibling) {
            mPrevSibling->mNextSibling = mNextSibling;
        }
        if (mNextSibling) {
            mNextSibling->mPrevSibling = mPrevSibling;
        }
        if (mParent->mFirstChild == this) {
            mParent->mFirstChild = mNextSibling;
        }
    }
    mParent = aParent;
    mPrevSibling = nullptr;
    mNextSibling = nullptr;
    if (aParent) {
        mNextSibling = aParent->mFirstChild;
        if (mNextSibling) {
            mNextSibling->mPrevSibling = this;
        }
        aParent->mFirstChild = this;
    }
}

LBlockHeader* LHeap::HeaderOf(void* aBlock)
{
    return static_cast<LBlockHeader*>(aBlock) - 1;
}

uint32_t LHeap::GetSize(void* aBlock)
{
    return HeaderOf(aBlock)->size;
}

uint32_t LHeap::GetElementSize(void* aBlock)
{
    return HeaderOf(aBlock)->elementSize;
}

void LHeap::SumTotals(int64_t& aBytes, int64_t& aPeak, int64_t& aAllocs) const
{
    aBytes += mBytes;
    aPeak += mPeak;
    aAllocs += mAllocs;
    for (const LHeap* child = mFirstChild; child; child = child->mNextSibling) {
        child->SumTotals(aBytes, aPeak, aAllocs);
    }
}

void LHeap::PrintStatsRow(int aDepth) const
{
    int64_t bytes = 0;
    int64_t peak = 0;
    int64_t allocs = 0;
    SumTotals(bytes, peak, allocs);
    char name[kNameCapacity + 1];
    for (int i = 0; i <= kNameCapacity; ++i) {
        name[i] = static_cast<char>(mName[i] & 0xFF);
    }
    char row[256];
    int used = 0;
    for (int i = 0; i < aDepth && used < 64; ++i) {
        row[used++] = ' ';
        row[used++] = ' ';
    }
    int width = 20 - 2 * aDepth;
    if (width < 0) {
        width = 0;
    }
    std::snprintf(row + used, sizeof(row) - used, "%-*s   %6lld %6lld %6lld   %6lld %6lld %6lld", width, name,
                  static_cast<long long>(mBytes), static_cast<long long>(mPeak), static_cast<long long>(mAllocs),
                  static_cast<long long>(bytes), static_cast<long long>(peak), static_cast<long long>(allocs));
    LogDirect(row);
}

void LHeap::PrintStatsTree(int aDepth) const
{
    PrintStatsRow(aDepth);
    for (const LHeap* child = mFirstChild; child; child = child->mNextSibling) {
        child->PrintStatsTree(aDepth + 1);
    }
}

int LHeap::ReportLeaks(unsigned, unsigned) const
{
    // Block positions and serials are not kept, so no leak list can be given.
    LogDirectEntry("WARNING: ", L_FILE, __LINE__, "Unavailable in release mode.");
    return -1;
}
