// The memory manager: a fixed table of 256 named heaps, a stack of heap indices per thread
// whose top is the thread's current heap (every thread starts on the default heap), and
// per-heap statistics. Every block carries a header naming its heap, so it can be freed
// whatever heap is current and on whatever thread. Initialises itself on first use; never
// torn down. Thread-safe: small blocks come from per-thread caches without a lock (see
// LThreadCache); the heap table has one lock, and nothing is logged while it is held.
#pragma once
#include <cstddef>
#include <cstdint>
#include <new>

class LHeap;

class LMemoryManager
{
public:
    static constexpr int kHeapCount = 256;

    static void* Allocate(size_t aSize, const char* aFile, int aLine);
    static void* AllocateArray(size_t aElementSize, int aCount, const char* aFile, int aLine);
    static void* Resize(void* aBlock, int aNewCount, size_t aElementSize, const char* aFile, int aLine);
    static int Free(void* aBlock);
    static int FreeArray(void* aBlock);

    static int CreateHeap(const char16_t* aName, int aParent);
    static int CreateHeap(const char16_t* aName, const char16_t* aParentName);
    static int FindHeap(const char16_t* aName);
    static int GetFreeHeapIndex();
    static int PushHeap(int aIndex);
    static int PopHeap();

    static int GetAllocationSerial();
    static uint32_t GetSize(void* aBlock);
    static const char* GetFile(void* aBlock);
    static int GetLine(void* aBlock);

    static int PrintStats(int aHeap);
    static int ReportLeaks(int aHeap, unsigned aFromSerial, unsigned aToSerial);

    // Counters of one heap, for reports and tests; 0 for a dead heap.
    static int GetHeapStats(int aHeap, int64_t& aBytes, int64_t& aPeak, int64_t& aAllocs);
    // The small-block chunks the calling thread's cache has taken from the system (0
    // without the tracked allocator).
    static int GetThreadChunkCount();
    static int GetCurrentHeapIndex();
};

// The engine's allocation form: the caller's source file and line. Returns null on
// failure (never throws), so accessors may test the result.
void* operator new(size_t aSize, const char* aFile, int aLine) noexcept;
void* operator new[](size_t aSize, const char* aFile, int aLine) noexcept;
void operator delete(void* aBlock, const char* aFile, int aLine) noexcept;
void operator delete[](void* aBlock, const char* aFile, int aLine) noexcept;

#include "stdlib/LSourcePath.h"

// Allocate through the tracked allocator with this source position:  L_NEW LFoo(...)
#define L_NEW new (L_FILE, __LINE__)
