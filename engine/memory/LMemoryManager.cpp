#include "memory/LMemoryManager.h"

#include "memory/LHeap.h"
#include "memory/LThreadCache.h"
#include "stdlib/LLog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

// Nothing here writes to the log while gLock is held: the work under the lock decides what
// went wrong, and the message is written once the lock is released. Allocation and free
// take no lock at all while the thread has a cache of its own.

namespace {

constexpr int kHeapCount = LMemoryManager::kHeapCount;
static_assert(kHeapCount == LThreadCache::kHeapCount);

// Constant-initialised (std::mutex has a constexpr constructor), so the allocator works
// before any static constructor runs. Guards the heap table and its initialisation.
std::mutex gLock;
// Serialises the statistics table, whose rows are formatted into gRows under gLock.
std::mutex gReportLock;
constexpr int kRowCapacity = 128;
char gRows[kHeapCount][kRowCapacity];

struct LHeapTable
{
    LHeap heaps[kHeapCount];
};

LHeapTable* gTable = nullptr;
bool gInitialised = false;
bool gInitFailed = false;
int gCreatedHeaps = 0;
unsigned gAllocationSerial = 1;
// For threads that have no cache of their own (one that has ended, or whose cache could
// not be made); used under gLock.
LThreadCache* gShared = nullptr;

// The thread's cache and heap stack. The stack holds the heaps pushed above the default
// heap, which is where every thread starts.
thread_local LThreadCache* tCache = nullptr;
thread_local bool tEnded = false;
thread_local int tStack[kHeapCount];
thread_local int tDepth = 0;

// Gives the thread's cache up when the thread ends, for the next new thread to take.
struct LCacheRelease
{
    bool mArmed = false;
    ~LCacheRelease()
    {
        if (tCache) {
            tCache->Release();
            tCache = nullptr;
        }
        tEnded = true;
    }
};
thread_local LCacheRelease tRelease;

void Error(const char* aLevel, int aLine, const char* aMessage, const char16_t* aTail = nullptr)
{
    LogDirectEntry(aLevel, L_FILE, aLine, aMessage, aTail);
}

void InitFailure(int aLine)
{
    Error("ASSERT FAILURE: ", aLine, "LMemoryManager initialization failure.");
}

int CurrentHeap()
{
    return tDepth > 0 ? tStack[tDepth - 1] : 0;
}

bool IsActive(int aIndex)
{
    return aIndex >= 0 && aIndex < kHeapCount && gTable->heaps[aIndex].IsActive();
}

// Runs once, under gLock; every operation calls it first. False when the manager cannot work.
bool EnsureInitialised()
{
    if (gInitialised) {
        return true;
    }
    if (gInitFailed) {
        return false;
    }
    void* raw = std::malloc(sizeof(LHeapTable));
    gShared = raw ? LThreadCache::Create() : nullptr;
    if (!gShared) {
        std::free(raw);
        gInitFailed = true;
        return false;
    }
    gTable = new (raw) LHeapTable();
    gTable->heaps[0].Init(u"default");
    gInitialised = true;
    return true;
}

// EnsureInitialised for calls that need nothing else under the lock; logs a failure.
bool Ready(int aLine)
{
    bool ready = false;
    {
        std::lock_guard<std::mutex> lock(gLock);
        ready = EnsureInitialised();
    }
    if (!ready) {
        InitFailure(aLine);
    }
    return ready;
}

// Takes a cache for the calling thread on its first use of the manager.
[[gnu::noinline]] LThreadCache* AdoptCache()
{
    {
        std::lock_guard<std::mutex> lock(gLock);
        if (!EnsureInitialised()) {
            return nullptr;
        }
        tCache = LThreadCache::Claim();
        if (!tCache) {
            tCache = LThreadCache::Create();
        }
    }
    if (tCache) {
        tRelease.mArmed = true; // the first touch arranges the release at thread end
    }
    return tCache;
}

// The calling thread's cache; null when it has none (then gShared serves it under the lock).
inline LThreadCache* ThreadCache()
{
    if (tCache || tEnded) [[likely]] {
        return tCache;
    }
    return AdoptCache();
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
    for (int i = 0; i < kHeapCount; ++i) {
        if (gTable->heaps[i].IsActive() && EqualNames(gTable->heaps[i].GetName(), aName)) {
            return i;
        }
    }
    return -1;
}

enum class LCreateFault
{
    kNone,
    kNotReady,
    kDuplicate,
    kNoParentNamed,
    kParentDead,
    kTableFull
};

// Checks everything before the heap is touched, so a refused creation leaves nothing behind.
LCreateFault CreateLocked(const char16_t* aName, int aParent, int& aIndex)
{
    if (FindLocked(aName) >= 0) {
        return LCreateFault::kDuplicate;
    }
    if (!IsActive(aParent)) {
        return LCreateFault::kParentDead;
    }
    if (gCreatedHeaps + 1 >= kHeapCount) {
        return LCreateFault::kTableFull;
    }
    aIndex = ++gCreatedHeaps;
    LHeap& heap = gTable->heaps[aIndex];
    heap.Init(aName);
    heap.SetParent(&gTable->heaps[aParent]);
    return LCreateFault::kNone;
}

int ReportCreate(LCreateFault aFault, int aIndex)
{
    switch (aFault) {
    case LCreateFault::kNone:
        return aIndex;
    case LCreateFault::kNotReady:
        InitFailure(__LINE__);
        break;
    case LCreateFault::kDuplicate:
        Error("ERROR: ", __LINE__, "Heap with this name already exists.");
        break;
    case LCreateFault::kNoParentNamed:
        Error("ERROR: ", __LINE__, "Could not find parent heap.");
        break;
    case LCreateFault::kParentDead:
        Error("ERROR: ", __LINE__, "Parent heap not active.");
        break;
    case LCreateFault::kTableFull:
        Error("WARNING: ", __LINE__, "Out of available heaps.");
        break;
    }
    return -1;
}

LBlockHeader* ValidHeader(void* aBlock)
{
    LBlockHeader* header = LHeap::HeaderOf(aBlock);
    if (header->magic != LHeap::kMagic || header->heap >= kHeapCount ||
        header->sizeClass >= LThreadCache::kClassCount) {
        return nullptr;
    }
    return header;
}

// Allocation for a thread without a cache, or when memory is out.
[[gnu::noinline]] void* AllocateSlowly(size_t aSize, uint32_t aElementSize, bool aHasCache)
{
    void* block = nullptr;
    if (!aHasCache) {
        bool ready = false;
        {
            std::lock_guard<std::mutex> lock(gLock);
            ready = EnsureInitialised();
            if (ready) {
                block = gShared->Allocate(aSize, aElementSize, CurrentHeap());
            }
        }
        if (!ready) {
            InitFailure(__LINE__);
            return nullptr;
        }
    }
    if (!block) {
        Error("ASSERT FAILURE: ", __LINE__, "Insufficient memory available.");
    }
    return block;
}

inline void* AllocateCharged(size_t aSize, uint32_t aElementSize)
{
    if (LThreadCache* cache = ThreadCache()) [[likely]] {
        if (void* block = cache->Allocate(aSize, aElementSize, CurrentHeap())) [[likely]] {
            return block;
        }
        return AllocateSlowly(aSize, aElementSize, true);
    }
    return AllocateSlowly(aSize, aElementSize, false);
}

// Fills gRows from aRow on with aHeap's subtree (a heap's row before its children's) and
// returns the subtree's summed figures. Under gLock.
LHeapStats FormatTree(const LHeap& aHeap, int aDepth, int& aRow)
{
    const int index = static_cast<int>(&aHeap - gTable->heaps);
    const LHeapStats own = LThreadCache::Sum(index);
    const int row = aRow++;
    LHeapStats tree = own;
    for (const LHeap* child = aHeap.GetFirstChild(); child; child = child->GetNextSibling()) {
        const LHeapStats sub = FormatTree(*child, aDepth + 1, aRow);
        tree.bytes += sub.bytes;
        tree.peak += sub.peak;
        tree.allocs += sub.allocs;
    }
    aHeap.FormatStatsRow(gRows[row], kRowCapacity, aDepth, own, tree);
    return tree;
}

int CountTree(const LHeap& aHeap)
{
    int count = 1;
    for (const LHeap* child = aHeap.GetFirstChild(); child; child = child->GetNextSibling()) {
        count += CountTree(*child);
    }
    return count;
}

} // namespace

void* LMemoryManager::Allocate(size_t aSize, const char*, int)
{
    return AllocateCharged(aSize, 0);
}

void* LMemoryManager::AllocateArray(size_t aElementSize, int aCount, const char*, int)
{
    if (aCount < 1 || aElementSize == 0) {
        return nullptr;
    }
    if (aElementSize > UINT32_MAX / static_cast<size_t>(aCount)) {
        Error("ASSERT FAILURE: ", __LINE__, "Insufficient memory available.");
        return nullptr;
    }
    return AllocateCharged(aElementSize * static_cast<size_t>(aCount), static_cast<uint32_t>(aElementSize));
}

void* LMemoryManager::Resize(void* aBlock, int aNewCount, size_t aElementSize, const char* aFile, int aLine)
{
    if (aNewCount < 1) {
        return nullptr;
    }
    LBlockHeader* header = aBlock ? ValidHeader(aBlock) : nullptr;
    if (aBlock && !header) {
        Error("ASSERT FAILURE: ", __LINE__, "Invalid header.");
        return nullptr;
    }
    size_t elementSize = aElementSize;
    if (elementSize == 0 && header) {
        elementSize = header->elementSize;
    }
    if (elementSize == 0) {
        Error("WARNING: ", __LINE__, "No valid value found for element size.");
        return nullptr;
    }
    const uint32_t oldSize = header ? header->size : 0;
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
    if (!aBlock) {
        return 0;
    }
    LBlockHeader* header = ValidHeader(aBlock);
    if (!header) {
        // Not a live block of ours (freed twice, or never ours): leave it alone.
        Error("ASSERT FAILURE: ", __LINE__, "Invalid header.");
        return 0;
    }
    if (LThreadCache* cache = ThreadCache()) {
        cache->Free(header);
        return 1;
    }
    std::lock_guard<std::mutex> lock(gLock);
    // A live block means the manager is initialised, so gShared is there.
    gShared->Free(header);
    return 1;
}

int LMemoryManager::FreeArray(void* aBlock)
{
    return Free(aBlock);
}

int LMemoryManager::CreateHeap(const char16_t* aName, int aParent)
{
    const LHeap::NameCheck name = LHeap::CheckName(aName);
    if (name != LHeap::kNameOk) {
        LHeap::LogNameProblem(name, aName);
        return -1;
    }
    LCreateFault fault = LCreateFault::kNotReady;
    int index = -1;
    {
        std::lock_guard<std::mutex> lock(gLock);
        if (EnsureInitialised()) {
            fault = CreateLocked(aName, aParent, index);
        }
    }
    return ReportCreate(fault, index);
}

int LMemoryManager::CreateHeap(const char16_t* aName, const char16_t* aParentName)
{
    const LHeap::NameCheck name = LHeap::CheckName(aName);
    if (name != LHeap::kNameOk) {
        LHeap::LogNameProblem(name, aName);
        return -1;
    }
    LCreateFault fault = LCreateFault::kNotReady;
    int index = -1;
    {
        std::lock_guard<std::mutex> lock(gLock);
        if (EnsureInitialised()) {
            const int parent = FindLocked(aParentName);
            if (FindLocked(aName) >= 0) {
                fault = LCreateFault::kDuplicate;
            } else if (parent < 0) {
                fault = LCreateFault::kNoParentNamed;
            } else {
                fault = CreateLocked(aName, parent, index);
            }
        }
    }
    return ReportCreate(fault, index);
}

int LMemoryManager::FindHeap(const char16_t* aName)
{
    bool ready = false;
    int index = -1;
    {
        std::lock_guard<std::mutex> lock(gLock);
        ready = EnsureInitialised();
        if (ready) {
            index = FindLocked(aName);
        }
    }
    if (!ready) {
        InitFailure(__LINE__);
    }
    return index;
}

int LMemoryManager::GetFreeHeapIndex()
{
    bool ready = false;
    int index = -1;
    {
        std::lock_guard<std::mutex> lock(gLock);
        ready = EnsureInitialised();
        if (ready && ++gCreatedHeaps < kHeapCount) {
            index = gCreatedHeaps;
        }
    }
    if (!ready) {
        InitFailure(__LINE__);
    } else if (index < 0) {
        Error("WARNING: ", __LINE__, "Out of available heaps.");
    }
    return index;
}

int LMemoryManager::PushHeap(int aIndex)
{
    if (aIndex < 0 || aIndex >= kHeapCount) {
        Error("ERROR: ", __LINE__, "Heap index out of bounds.");
        return 0;
    }
    bool ready = false;
    bool active = false;
    {
        std::lock_guard<std::mutex> lock(gLock);
        ready = EnsureInitialised();
        active = ready && gTable->heaps[aIndex].IsActive();
    }
    if (!ready) {
        InitFailure(__LINE__);
        return 0;
    }
    if (!active) {
        Error("ERROR: ", __LINE__, "Attempted to push dead heap.");
        return 0;
    }
    // The default heap holds the bottom entry of the stack.
    if (tDepth + 1 >= kHeapCount) {
        Error("ERROR: ", __LINE__, "Heap stack index out of bounds.");
        return 0;
    }
    tStack[tDepth++] = aIndex;
    return 1;
}

int LMemoryManager::PopHeap()
{
    if (tDepth > 0) {
        --tDepth;
    }
    return 0;
}

int LMemoryManager::GetAllocationSerial()
{
    return Ready(__LINE__) ? static_cast<int>(gAllocationSerial) : -1;
}

uint32_t LMemoryManager::GetSize(void* aBlock)
{
    if (!aBlock || !ValidHeader(aBlock)) {
        return 0;
    }
    return LHeap::GetSize(aBlock);
}

const char* LMemoryManager::GetFile(void*)
{
    if (Ready(__LINE__)) {
        Error("ERROR: ", __LINE__, "Attempted retrievel in release mode.");
    }
    return nullptr;
}

int LMemoryManager::GetLine(void*)
{
    if (Ready(__LINE__)) {
        Error("ERROR: ", __LINE__, "Attempted retrieval in release mode.");
    }
    return -1;
}

int LMemoryManager::PrintStats(int aHeap)
{
    std::lock_guard<std::mutex> report(gReportLock);
    bool ready = false;
    bool active = false;
    int rows = 0;
    {
        std::lock_guard<std::mutex> lock(gLock);
        ready = EnsureInitialised();
        active = ready && IsActive(aHeap);
        if (active) {
            FormatTree(gTable->heaps[aHeap], 0, rows);
        }
    }
    if (!ready) {
        InitFailure(__LINE__);
        return 0;
    }
    if (!active) {
        char message[64];
        std::snprintf(message, sizeof(message), "Dead heap: %d", aHeap);
        Error("ERROR: ", __LINE__, message);
        return 0;
    }
    LogDirect("--------------------------------------------------------------------\n"
              "heap                 |         locl         |         totl         |\n"
              "heirarchy              memory  peak  allocs   memory  peak  allocs\n"
              "--------------------   ------ ------ ------   ------ ------ ------");
    for (int i = 0; i < rows; ++i) {
        LogDirect(gRows[i]);
    }
    LogDirect("--------------------   ------ ------ ------   ------ ------ ------\n"
              "                     |                      |                      |\n"
              "--------------------------------------------------------------------");
    return 1;
}

int LMemoryManager::ReportLeaks(int aHeap, unsigned, unsigned)
{
    bool ready = false;
    int heaps = 0;
    {
        std::lock_guard<std::mutex> lock(gLock);
        ready = EnsureInitialised();
        if (ready && IsActive(aHeap)) {
            heaps = CountTree(gTable->heaps[aHeap]);
        }
    }
    if (!ready) {
        InitFailure(__LINE__);
        return -2;
    }
    // Each heap of the subtree answers that it keeps no list to report from.
    for (int i = 0; i < heaps; ++i) {
        LHeap::LogLeakReportUnavailable();
    }
    return -heaps;
}

int LMemoryManager::GetHeapStats(int aHeap, int64_t& aBytes, int64_t& aPeak, int64_t& aAllocs)
{
    bool ready = false;
    bool active = false;
    LHeapStats stats;
    {
        std::lock_guard<std::mutex> lock(gLock);
        ready = EnsureInitialised();
        active = ready && IsActive(aHeap);
        if (active) {
            stats = LThreadCache::Sum(aHeap);
        }
    }
    if (!ready) {
        InitFailure(__LINE__);
    }
    if (!active) {
        return 0;
    }
    aBytes = stats.bytes;
    aPeak = stats.peak;
    aAllocs = stats.allocs;
    return 1;
}

int LMemoryManager::GetThreadChunkCount()
{
    const LThreadCache* cache = ThreadCache();
    return cache != nullptr ? cache->GetChunkCount() : 0;
}

int LMemoryManager::GetCurrentHeapIndex()
{
    return CurrentHeap();
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
