#include "event/LPrioritizedListeners.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LPrioritizedListeners::~LPrioritizedListeners() = default;

int LPrioritizedListeners::Add(void* aListener, float aPriority)
{
    if (Contains(aListener)) {
        return 2;
    }
    const int count = mListeners.GetCount();
    int at = count;
    for (int i = 0; i < count; ++i) {
        if (mLowestFirst ? mPriorities[i] > aPriority : mPriorities[i] < aPriority) {
            at = i;
            break;
        }
    }
    if (!mListeners.InsertAt(at, aListener)) {
        return 0;
    }
    if (!mPriorities.InsertAt(at, aPriority)) {
        mListeners.RemoveAt(at, nullptr);
        return 0;
    }
    return 1;
}

int LPrioritizedListeners::Remove(void* aListener)
{
    const int at = mListeners.Find(aListener);
    if (at < 0) {
        return 0;
    }
    mListeners.RemoveAt(at, nullptr);
    mPriorities.RemoveAt(at, nullptr);
    for (Pass* pass = mPasses; pass; pass = pass->mOuter) {
        for (int i = 0; i < pass->mCount; ++i) {
            if (pass->mEntries[i] == aListener) {
                pass->mEntries[i] = nullptr;
            }
        }
    }
    return 1;
}

bool LPrioritizedListeners::AddLogged(void* aListener, float aPriority, const char* aFile, int aLine)
{
    if (!aListener) {
        LogEntry("ERROR: ", aFile, aLine, u"Add listener failure. apListener == NULL.");
        return false;
    }
    if (Add(aListener, aPriority) == 0) {
        LogEntry("ASSERT FAILURE: ", aFile, aLine, u"AddListener failure.");
    }
    return true;
}

bool LPrioritizedListeners::RemoveLogged(void* aListener, const char* aFile, int aLine)
{
    if (!aListener) {
        LogEntry("ERROR: ", aFile, aLine, u"RemoveListener failure. NULL arg.");
        return false;
    }
    if (!Remove(aListener)) {
        LogEntry("ERROR: ", aFile, aLine, u"RemoveListener failure.");
        return false;
    }
    return true;
}

bool LPrioritizedListeners::Contains(void* aListener) const
{
    return mListeners.Find(aListener) >= 0;
}

int LPrioritizedListeners::GetCount() const
{
    return mListeners.GetCount();
}

void LPrioritizedListeners::RemoveAll()
{
    while (mListeners.GetCount() > 0) {
        Remove(mListeners.GetAt(0));
    }
}

bool LPrioritizedListeners::TakeInterrupt()
{
    const bool interrupt = mInterrupt;
    mInterrupt = false;
    return interrupt;
}

void LPrioritizedListeners::Notify(Call aCall, void* aArgument)
{
    if (TakeInterrupt()) {
        return;
    }
    const int count = mListeners.GetCount();
    if (count < 1) {
        return;
    }
    void** entries = L_NEW void*[count];
    if (!entries) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        entries[i] = mListeners.GetAt(i);
    }
    Pass pass {entries, count, mPasses};
    mPasses = &pass;
    for (int i = 0; i < pass.mCount; ++i) {
        if (entries[i]) {
            aCall(entries[i], aArgument);
        }
        if (mInterrupt) {
            mInterrupt = false;
            break;
        }
    }
    mPasses = pass.mOuter;
    delete[] entries;
}
