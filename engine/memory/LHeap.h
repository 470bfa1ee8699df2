// One named heap of the memory manager: its name and its place in the tree of heaps. The
// heap's counters are kept by the thread caches (see LThreadCache) and summed when read.
// The manager changes heaps under its lock and never logs while holding it, so the checks
// here return what went wrong and leave the message to the caller.
#pragma once
#include <cstddef>
#include <cstdint>

class LThreadCache;

// Header placed in front of every block the memory manager hands out.
struct alignas(alignof(std::max_align_t)) LBlockHeader
{
    uint32_t size;
    uint32_t elementSize;
    LBlockHeader* next;  // the next free block while the block waits on a free list
    LThreadCache* owner; // the cache whose chunk holds the block; null for a block of its own
    uint16_t heap;       // index of the heap the block is charged to
    uint16_t sizeClass;  // 0 for a block of its own
    uint32_t magic;
};

// A heap's figures: live bytes, the highest live bytes seen, live blocks.
struct LHeapStats
{
    int64_t bytes = 0;
    int64_t peak = 0;
    int64_t allocs = 0;
};

class LHeap
{
public:
    static constexpr int kNameCapacity = 32;
    static constexpr uint32_t kMagic = 0x4C4D454Du; // marks a live block header
    static constexpr uint32_t kFreedMagic = 0x46524545u;

    enum NameCheck
    {
        kNameOk,
        kNameMissing,
        kNameTooLong
    };

    LHeap() = default;

    // Whether a heap may take the name (at most 32 characters).
    static NameCheck CheckName(const char16_t* aName);
    // Logs what CheckName found wrong, in the heap's own words. Never call it under the
    // manager's lock.
    static void LogNameProblem(NameCheck aProblem, const char16_t* aName);
    // Takes a name that CheckName accepted and makes the heap live, with no parent.
    void Init(const char16_t* aName);
    void SetParent(LHeap* aParent);

    static LBlockHeader* HeaderOf(void* aBlock);
    static uint32_t GetSize(void* aBlock);
    static uint32_t GetElementSize(void* aBlock);

    // One row of the statistics table for this heap at aDepth of the tree: its own
    // figures, then those of its whole subtree.
    void FormatStatsRow(char* aOut, size_t aCapacity, int aDepth, const LHeapStats& aOwn,
                        const LHeapStats& aTree) const;
    // The leak report's notice; without positions and serials no list can be given.
    static void LogLeakReportUnavailable();

    bool IsActive() const { return mActive; }
    const char16_t* GetName() const { return mName; }
    LHeap* GetParent() const { return mParent; }
    LHeap* GetFirstChild() const { return mFirstChild; }
    LHeap* GetNextSibling() const { return mNextSibling; }

private:
    char16_t mName[kNameCapacity + 1] {};
    LHeap* mParent = nullptr;
    LHeap* mPrevSibling = nullptr;
    LHeap* mNextSibling = nullptr;
    LHeap* mFirstChild = nullptr;
    bool mActive = false;
};
