#include "memory/LHeap.h"

#include "stdlib/LLog.h"

#include <cstdio>

LHeap::NameCheck LHeap::CheckName(const char16_t* aName)
{
    if (!aName) {
        return kNameMissing;
    }
    for (int length = 0; aName[length] != 0; ++length) {
        if (length >= kNameCapacity) {
            return kNameTooLong;
        }
    }
    return kNameOk;
}

void LHeap::LogNameProblem(NameCheck aProblem, const char16_t* aName)
{
    if (aProblem == kNameMissing) {
        LogDirectEntry("ERROR: ", L_FILE, __LINE__, "No heap name provided.");
    } else if (aProblem == kNameTooLong) {
        LogDirectEntry("ERROR: ", L_FILE, __LINE__, "apName length out of bounds (32 chars max):", aName);
    }
}

void LHeap::Init(const char16_t* aName)
{
    int length = 0;
    while (length < kNameCapacity && aName[length] != 0) {
        mName[length] = aName[length];
        ++length;
    }
    mName[length] = 0;
    mActive = true;
    mParent = nullptr;
    mPrevSibling = nullptr;
    mNextSibling = nullptr;
    mFirstChild = nullptr;
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

void LHeap::FormatStatsRow(char* aOut, size_t aCapacity, int aDepth, const LHeapStats& aOwn,
                           const LHeapStats& aTree) const
{
    char name[kNameCapacity + 1];
    for (int i = 0; i <= kNameCapacity; ++i) {
        name[i] = static_cast<char>(mName[i] & 0xFF);
    }
    char indent[65];
    int used = 0;
    for (int i = 0; i < aDepth && used < 64; ++i) {
        indent[used++] = ' ';
        indent[used++] = ' ';
    }
    indent[used] = 0;
    int width = 20 - 2 * aDepth;
    if (width < 0) {
        width = 0;
    }
    std::snprintf(aOut, aCapacity, "%s%-*s   %6lld %6lld %6lld   %6lld %6lld %6lld", indent, width, name,
                  static_cast<long long>(aOwn.bytes), static_cast<long long>(aOwn.peak),
                  static_cast<long long>(aOwn.allocs), static_cast<long long>(aTree.bytes),
                  static_cast<long long>(aTree.peak), static_cast<long long>(aTree.allocs));
}

void LHeap::LogLeakReportUnavailable()
{
    LogDirectEntry("WARNING: ", L_FILE, __LINE__, "Unavailable in release mode.");
}
