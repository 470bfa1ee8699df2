// One named heap of the memory manager: live blocks in a doubly linked list (newest
// first), byte and block counts, and a place in the tree of heaps. The manager calls
// these under its lock.
#pragma once
#include <cstddef>
#include <cstdint>

class LHeap;

// Header placed in front of every block the memory manager hands out.
struct alignas(alignof(std::max_align_t)) LBlockHeader
{
    uint32_t size;
    uint32_t elementSize;
    LHeap* heap;
    LBlockHeader* next; // older block
    LBlockHeader* prev; // newer block
    uint32_t magic;
};

class LHeap
{
public:
    static constexpr int kNameCapacity = 32;
    static constexpr uint32_t kMagic = 0x4C4D454Du; // marks a live block header
    static constexpr uint32_t kFreedMagic = 0x46524545u;

    LHeap() = default;

    // Takes the name (at most 32 characters); 0 when it is null or too long.
    int Init(const char16_t* aName);
    void* Allocate(size_t aSize, uint32_t aElementSize, const char* aFile, int aLine);
    int Free(void* aBlock);
    int FreeBlock(LBlockHeader* aHeader);
    void SetParent(LHeap* aParent);

    static LBlockHeader* HeaderOf(void* aBlock);
    static uint32_t GetSize(void* aBlock);
    static uint32_t GetElementSize(void* aBlock);

    void SumTotals(int64_t& aBytes, int64_t& aPeak, int64_t& aAllocs) const;
    void PrintStatsRow(int aDepth) const;
    void PrintStatsTree(int aDepth) const;
    int ReportLeaks(unsigned aFromSerial, unsigned aToSerial) const;

    bool IsActive() const { return mActive; }
    const char16_t* GetName() const { return mName; }
    int64_t GetBytes() const { return mBytes; }
    int64_t GetPeak() const { return mPeak; }
    int64_t GetAllocs() const { return mAllocs; }
    LHeap* GetParent() const { return mParent; }
    LHeap* GetFirstChild() const { return mFirstChild; }
    LHeap* GetNextSibling() const { return mNextSibling; }
    LBlockHeader* GetBlocks() const { return mBlocks; }

private:
    char16_t mName[kNameCapacity + 1] {};
    int64_t mBytes = 0;
    int64_t mPeak = 0;
    LBlockHeader* mBlocks = nullptr;
    int64_t mAllocs = 0;
    LHeap* mParent = nullptr;
    LHeap* mPrevSibling = nullptr;
    LHeap* mNextSibling = nullptr;
    LHeap* mFirstChild = nullptr;
    bool mActive = false;
};
