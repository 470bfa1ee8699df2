#include "memory/LMemoryManager.h"

#include "memory/LHeap.h"
#include "stdlib/LLog.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// Constant-initialised (std::mutex has a constexpr constructor), so the allocator works before any static constructor runs.
std::mutex gLock;

struct LHeapTable
{
    LHeap heaps[LMemoryManager::kHeapCount];
    int stack[LMemoryManager::kHeapCount];
    int top;
};

LHeapTable* gTable = nullptr;
bool gInitialised = false;
bool gInitFailed = false;
LHeap* gCurrent = nullptr;
int gCreatedHeaps = 0;
unsigned gAllocationSerial = 1;

void Error(const char* aLevel, int aLine, const char* aMessage, const char16_t* aTail = nullptr)
{
    LogDirectEntry(aLevel, L_FILE, aLine, aMessage, aTail);
}

bool IsActive(int aIndex)
{
    return aIndex >= 0 && aIndex < LMemoryManager::kHeapCount && gTable->heaps[aIndex].IsActive();
}

int PushLocked(int aIndex)
{
    if (aIndex < 0 || aIndex >= LMemoryManager::kHeapCount) {
        Error("ERROR: ", __LINE__, "Heap index out of bounds.");
        return 0;
    }
    if (!gTable->heaps[aIndex].IsActive()) {
        Error("ERROR: ", __LINE__, "Attempted to push dead heap.");
        return 0;
    }
    if (gTable->top + 1 >= LMemoryManager::kHeapCount) {
        Error("ERROR: ", __LINE__, "Heap stack index out of bounds.");
        return 0;
    }
    gTable->stack[++gTable->top] = aIndex;
    gCurrent = &gTable->heaps[aIndex];
    return 1;
}

void PopLocked()
{
    if (gTable->top >= 1) {
        gTable->stack[gTable->top--] = -1;
        gCurrent = &gTable->heaps[gTable->stack[gTable->top]];
    }
}

// Runs once; every operation calls it first. False when the manager cannot work.
bool EnsureInitialised()
{
    if (gInitialised) {
        return true;
    }
    if (gInitFailed || gTable) {
        return false;
    }
    void* raw = std::malloc(sizeof(LHeapTable));
    if (!raw) {
        gInitFailed = true;
        return false;
    }
    gTable = new (raw) LHeapTable();
    for (int& entry : gTable->stack) {
        entry = -1;
    }
    gTable->top = -1;
    gCurrent = nullptr;
    gTable->heaps[0].Init(u"default");
    gInitialised = true;
    if (!PushLocked(0)) {
        gInitialised = false;
        gInitFailed = true;
        return false;
    }
    return true;
}

bool Ready(int aLine)
{
    if (EnsureInitialised()) {
        return true;
    }
    Error("ASSERT FAILURE: ", aLine, "LMemoryManager initialization failure.");
    return false;
}

bool EqualNames(const char16_t* aA, const char16_t* aB)
{
    while (*aA && *aA == *aB) {
        ++aA;
        ++aB;
    }
    return *aA == *aB;
}

int FindLocked(const char16_t* aName)
{
    if (!aName) {
        return -1;
    }
    for (int i = 0; i < LMemoryManager::kHeapCount; ++i) {
        if (gTable->heaps[i].IsActive() && EqualNames(gTable->heaps[i].GetName(), aName)) {
            return i;
        }
    }
    return -1;
}

int FreeIndexLocked()
{
    ++gCreatedHeaps;
    if (gCreatedHeaps >= LMemoryManager::kHeapCount) {
        Error("WARNING: ", __LINE__, "Out of available heaps.");
        return -1;
    }
    return gCreatedHeaps;
}

int CreateLocked(const char16_t* aName, int aParent)
{
    if (FindLocked(aName) >= 0) {
        Error("ERROR: ", __LINE__, "Heap with this name already exists.");
        return -1;
    }
    const int index = FreeIndexLocked();
    if (index < 0) {
        return -1;
    }
    LHeap& heap = gTable->heaps[index];
    if (!heap.Init(aName)) {
        Error("ASSERT FAILURE: ", __LINE__, "");
        return -1;
    }
    if (!IsActive(aParent)) {
        Error("ERROR: ", __LINE__, "Parent heap not active.");
        return -1;
    }
    heap.SetParent(&gTable->heaps[aParent]);
    return index;
}

LBlockHeader* ValidHeader(void* aBlock)
{
    LBlockHeader* header = LHeap::HeaderOf(aBlock);
    if (header->magic != LHeap::kMagic || !header->heap) {
        return nullptr;
    }
    return header;
}

void* AllocateLocked(size_t aSize, uint32_t aElementSize, const char* aFile, int aLine)
{
    return gCurrent->Allocate(aSize, aElementSize, aFile, aLine);
}

} // namespace

void* LMemoryManager::Allocate(size_t aSize, const char* aFile, int aLine)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return nullptr;
    }
    return AllocateLocked(aSize, 0, aFile, aLine);
}

void* LMemoryManager::AllocateArray(size_t aElementSize, int aCount, const char* aFile, int aLine)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return nullptr;
    }
    if (aCount < 1 || aElementSize == 0) {
        return nullptr;
    }
    if (aElementSize > UINT32_MAX / static_cast<size_t>(aCount)) {
        Error("ASSERT FAILURE: ", __LINE__, "Insufficient memory available.");
        return nullptr;
    }
    return AllocateLocked(aElementSize * static_cast<size_t>(aCount), static_cast<uint32_t>(aElementSize), aFile,
                          aLine);
}

void* LMemoryManager::Resize(void* aBlock, int aNewCount, size_t aElementSize, const char* aFile, int aLine)
{
    if (aNewCount < 1) {
        return nullptr;
    }
    size_t elementSize = aElementSize;
    uint32_t oldSize = 0;
    {
        std::lock_guard<std::mutex> lock(gLock);
        if (!Ready(__LINE__)) {
            return nullptr;
        }
        LBlockHeader* header = aBlock ? ValidHeader(aBlock) : nullptr;
        if (aBlock && !header) {
            Error("ASSERT FAILURE: ", __LINE__, "Invalid header.");
            return nullptr;
        }
        if (elementSize == 0 && header) {
            elementSize = header->elementSize;
        }
        if (elementSize == 0) {
            Error("WARNING: ", __LINE__, "No valid value found for element size.");
            return nullptr;
        }
        oldSize = header ? header->size : 0;
    }
    void* fresh = AllocateArray(elementSize, aNewCount, aFile, aLine);
    if (!fresh) {
        return nullptr;
    }
    const size_t newSize = elementSize * static_cast<size_t>(aNewCount);
    if (aBlock) {
        std::memcpy(fresh, aBlock, oldSize < newSize ? oldSize : newSize);
        // Nothing else owns the old block once its contents moved.
        Free(aBlock);
    }
    return fresh;
}

int LMemoryManager::Free(void* aBlock)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!EnsureInitialised()) {
        LogDirect("ERROR: Memory manager initialization failed!!!");
        Error("ASSERT FAILURE: ", __LINE__, "");
        return 0;
    }
    if (!aBlock) {
        return 0;
    }
    LBlockHeader* header = ValidHeader(aBlock);
    if (!header) {
        // Not a live block of ours (freed twice, or never ours): leave it alone.
        Error("ASSERT FAILURE: ", __LINE__, "Invalid header.");
        return 0;
    }
    return header->heap->FreeBlock(header);
}

int LMemoryManager::FreeArray(void* aBlock)
{
    return Free(aBlock);
}

int LMemoryManager::CreateHeap(const char16_t* aName, int aParent)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return -1;
    }
    return CreateLocked(aName, aParent);
}

int LMemoryManager::CreateHeap(const char16_t* aName, const char16_t* aParentName)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return -1;
    }
    if (FindLocked(aName) >= 0) {
        Error("ERROR: ", __LINE__, "Heap with this name already exists.");
        return -1;
    }
    const int parent = FindLocked(aParentName);
    if (parent < 0) {
        Error("ERROR: ", __LINE__, "Could not find parent heap.");
        return -1;
    }
    return CreateLocked(aName, parent);
}

int LMemoryManager::FindHeap(const char16_t* aName)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return -1;
    }
    return FindLocked(aName);
}

int LMemoryManager::GetFreeHeapIndex()
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return -1;
    }
    return FreeIndexLocked();
}

int LMemoryManager::PushHeap(int aIndex)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return 0;
    }
    return PushLocked(aIndex);
}

int LMemoryManager::PopHeap()
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return 0;
    }
    PopLocked();
    return 0;
}

int LMemoryManager::GetAllocationSerial()
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return -1;
    }
    return static_cast<int>(gAllocationSerial);
}

uint32_t LMemoryManager::GetSize(void* aBlock)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return 0;
    }
    if (!gCurrent) {
        Error("ERROR: ", __LINE__, "No current heap defined.");
        return 0;
    }
    if (!aBlock || !ValidHeader(aBlock)) {
        return 0;
    }
    return LHeap::GetSize(aBlock);
}

const char* LMemoryManager::GetFile(void*)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return nullptr;
    }
    if (!gCurrent) {
        Error("ERROR: ", __LINE__, "No current heap defined.");
        return nullptr;
    }
    Error("ERROR: ", __LINE__, "Attempted retrievel in release mode.");
    return nullptr;
}

int LMemoryManager::GetLine(void*)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return -1;
    }
    if (!gCurrent) {
        Error("ERROR: ", __LINE__, "No current heap defined.");
        return -1;
    }
    Error("ERROR: ", __LINE__, "Attempted retrieval in release mode.");
    return -1;
}

int LMemoryManager::PrintStats(int aHeap)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return 0;
    }
    PushLocked(0);
    if (!IsActive(aHeap)) {
        char message[64];
        std::snprintf(message, sizeof(message), "Dead heap: %d", aHeap);
        Error("ERROR: ", __LINE__, message);
        PopLocked();
        return 0;
    }
    LogDirect("--------------------------------------------------------------------\n"
              "heap                 |         locl         |         totl         |\n"
              "heirarchy              memory  peak  allocs   memory  peak  allocs\n"
              "--------------------   ------ ------ ------   ------ ------ ------");
    gTable->heaps[aHeap].PrintStatsTree(0);
    LogDirect("--------------------   ------ ------ ------   ------ ------ ------\n"
              "                     |                      |                      |\n"
              "--------------------------------------------------------------------");
    PopLocked();
    return 1;
}

namespace {
int ReportTree(const LHeap& aHeap, unsigned aFrom, unsigned aTo)
{
    int sum = aHeap.ReportLeaks(aFrom, aTo);
    for (const LHeap* child = aHeap.GetFirstChild(); child; child = child->GetNextSibling()) {
        PushLocked(0);
        sum += ReportTree(*child, aFrom, aTo);
        PopLocked();
    }
    return sum;
}
} // namespace

int LMemoryManager::ReportLeaks(int aHeap, unsigned aFromSerial, unsigned aToSerial)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return -2;
    }
    if (!IsActive(aHeap)) {
        return 0;
    }
    PushLocked(0);
    const int sum = ReportTree(gTable->heaps[aHeap], aFromSerial, aToSerial);
    PopLocked();
    return sum;
}

int LMemoryManager::GetHeapStats(int aHeap, int64_t& aBytes, int64_t& aPeak, int64_t& aAllocs)
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__) || !IsActive(aHeap)) {
        return 0;
    }
    const LHeap& heap = gTable->heaps[aHeap];
    aBytes = heap.GetBytes();
    aPeak = heap.GetPeak();
    aAllocs = heap.GetAllocs();
    return 1;
}

int LMemoryManager::GetCurrentHeapIndex()
{
    std::lock_guard<std::mutex> lock(gLock);
    if (!Ready(__LINE__)) {
        return -1;
    }
    return gTable->stack[gTable->top];
}

#if L_TRACK_ALLOC
void* operator new(size_t aSize, const char* aFile, int aLine) noexcept
{
    return LMemoryManager::Allocate(aSize, aFile, aLine);
}

void* operator new[](size_t aSize, const char* aFile, int aLine) noexcept
{
    return LMemoryManager::Allocate(aSize, aFile, aLine);
}

void operator delete(void* aBlock, const char*, int) noexcept
{
    LMemoryManager::Free(aBlock);
}

void operator delete[](void* aBlock, const char*, int) noexcept
{
    LMemoryManager::Free(aBlock);
}
#else
// Without tracking the engine's form is the standard allocation, so plain delete matches.
void* operator new(size_t aSize, const char*, int) noexcept
{
    return ::operator new(aSize, std::nothrow);
}

void* operator new[](size_t aSize, const char*, int) noexcept
{
    return ::operator new[](aSize, std::nothrow);
}

void operator delete(void* aBlock, const char*, int) noexcept
{
    ::operator delete(aBlock);
}

void operator delete[](void* aBlock, const char*, int) noexcept
{
    ::operator delete[](aBlock);
}
#endif
