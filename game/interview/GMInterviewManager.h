// The way to the game's interviews. It reads the interview index
// ("//interviews/interviews.txt") and the pocket objects, keeps a cache of interviews by
// id (filled by preloading, emptied at every viewpoint change), the current interview,
// and the one interview panel that every witness and expert interview shows itself in:
// the group "interviewgroup" with its pictures and buttons, the five mode buttons, the
// meter and the topic scroll bar.
//
// Ownership: a cached interview belongs to the cache. An interview that a selection makes
// without caching it belongs to the manager as well: a later selection replaces and
// deletes it, but an interview still running is kept until it has ended (deleted in the
// next frame after its end); every one left is deleted at exit.
#pragma once
#include "container/LHashKeyList.h"
#include "container/LString.h"
#include "container/LVector.h"
#include "object/LBase.h"
#include "object/LWatch.h"
#include "stdlib/LIFrameListener.h"

class GMInterview;
class GMInterviewMeter;
class GMInterviewScrollBar;
class LDisplayGroup;
class LPropertyList;

class GMInterviewManager : public LBase, public LIFrameListener
{
public:
    // The manager, made on first use with its data loaded and its panel built, and
    // registered with the game cleaner; null when it cannot be made (logged) and after the
    // cleaner has deleted it.
    static GMInterviewManager* GetInstance();
    // The manager if it exists; never makes it.
    static GMInterviewManager* Peek();

    GMInterviewManager();
    GMInterviewManager(const GMInterviewManager&) = delete;
    GMInterviewManager& operator=(const GMInterviewManager&) = delete;
    ~GMInterviewManager() override;

    LString Dump() const override;

    // A fresh empty cache, the index and the pocket objects; missing files are logged and
    // leave empty lists. True.
    bool LoadData();
    // The shared panel from "//textures/interview/interview_layout.txt"; missing parts are
    // logged and left out. True.
    bool BuildLayout();

    // Makes the interview aId current: the cached one, or a new one read from the index
    // and its data file (not cached): an expert interview when the file's "type" is
    // "expert" (any case), else a witness interview. Null when there is no index and when
    // the data file does not load (logged).
    GMInterview* SelectInterview(const LString& aId);
    // Creates and caches the interview aId unless it belongs to a case other than the
    // selected one ("sta_selectedcase"; then 1 without loading). 0 when it cannot be made.
    bool PreloadInterview(const LString& aId);
    // Deletes every cached interview (one still running is kept until it has ended) and
    // starts an empty cache; the current interview is forgotten when it was one of them.
    void ClearInterviews();
    // Raises "evt_interview" + id + "_started" and starts the current interview; false
    // without one.
    bool StartCurrentInterview();

    GMInterview* GetCurrentInterview() const { return mCurrent; }
    const LString& GetCurrentId() const { return mCurrentId; }
    bool IsExpert() const { return mExpert; }
    // The shared panel's parts, each written in turn; false as soon as one is missing.
    bool GetInterviewDisplay(LDisplayGroup** aPanel, LDisplayGroup** aModeGroup, GMInterviewMeter** aMeter,
                             GMInterviewScrollBar** aScrollBar) const;
    // "//interviews/pocketobjects.txt" as loaded; null before LoadData.
    const LPropertyList* GetPocketObjects() const { return mPocketObjects; }
    // The interview cached under aId, or null.
    GMInterview* GetCached(const LString& aId) const;
    int GetCachedCount() const { return mCache != nullptr ? mCache->GetCount() : 0; }
    // Interviews made from their data files so far.
    int GetCreatedCount() const { return mCreated; }

    // Deletes the interviews kept until their end once they have ended.
    void OnFrame() override;

private:
    // Lets go of the current interview: deleted when the manager owns it (kept while it
    // runs).
    void DropCurrent();
    // Deletes the interview now, or keeps it until its end when it is running.
    void Retire(GMInterview* aInterview);
    void PurgeRetired();
    void DeleteCache();
    bool NewCache();

    LPropertyList* mPocketObjects = nullptr;
    // Interview id -> interview (owned).
    LHashKeyList* mCache = nullptr;
    GMInterview* mCurrent = nullptr;
    bool mExpert = false;
    LString mCurrentId;
    LPropertyList* mIndex = nullptr;
    // Made here, but once shown the display tree may take them down first: watched.
    LWatch<LDisplayGroup> mPanel;
    LWatch<LDisplayGroup> mModeGroup;
    LWatch<GMInterviewMeter> mMeter;
    GMInterviewScrollBar* mScrollBar = nullptr;
    // The current interview is the manager's own (made by a selection, not cached).
    bool mOwnsCurrent = false;
    // Owned interviews let go of while they ran, deleted once they have ended.
    LVector mRetired;
    bool mListening = false;
    int mCreated = 0;
};
