// The global allocation operators, replaced to run through the memory manager when the
// build tracks allocations. Linked into every executable as an object file.
#include "memory/LMemoryManager.h"

#if L_TRACK_ALLOC
#include "stdlib/LLog.h"

#include <cstdlib>
#include <new>

namespace {

// The language assumes the plain forms never return null: run the new-handler, and
// stop the program when memory is truly gone.
void* AllocateOrDie(size_t aSize)
{
    for (;;) {
        void* block = LMemoryManager::Allocate(aSize, nullptr, 0);
        if (block) {
            return block;
        }
        std::new_handler handler = std::get_new_handler();
        if (!handler) {
            LogDirectEntry("ASSERT FAILURE: ", L_FILE, __LINE__, "Out of memory; stopping.");
            std::abort();
        }
        handler();
    }
}

} // namespace

void* operator new(size_t aSize)
{
    return AllocateOrDie(aSize);
}

void* operator new[](size_t aSize)
{
    return AllocateOrDie(aSize);
}

void* operator new(size_t aSize, const std::nothrow_t&) noexcept
{
    return LMemoryManager::Allocate(aSize, nullptr, 0);
}

void* operator new[](size_t aSize, const std::nothrow_t&) noexcept
{
    return LMemoryManager::Allocate(aSize, nullptr, 0);
}

void operator delete(void* aBlock) noexcept
{
    LMemoryManager::Free(aBlock);
}

void operator delete[](void* aBlock) noexcept
{
    LMemoryManager::Free(aBlock);
}

void operator delete(void* aBlock, size_t) noexcept
{
    LMemoryManager::Free(aBlock);
}

void operator delete[](void* aBlock, size_t) noexcept
{
    LMemoryManager::Free(aBlock);
}

void operator delete(void* aBlock, const std::nothrow_t&) noexcept
{
    LMemoryManager::Free(aBlock);
}

void operator delete[](void* aBlock, const std::nothrow_t&) noexcept
{
    LMemoryManager::Free(aBlock);
}
#endif
