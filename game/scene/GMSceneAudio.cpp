#include "scene/GMSceneAudio.h"

#include "container/LHashKeyList.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "scene/GMSceneAudioItem.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "time/LITimer.h"
#include "util/GMOptions.h"

#include <initializer_list>

namespace {

const int kHashShift = 7;
const int kToggleNoMusic = 3;
const int kToggleNoSounds = 4;

} // namespace

GMSceneAudio::GMSceneAudio()
{
    LRandom::SeedFromTime();
}

GMSceneAudio::~GMSceneAudio()
{
    Stop();
    DeleteItems(mSceneItems);
    DeleteItems(mViewpointItems);
    DeleteItems(mRetiringItems);
    delete mSceneItems;
    delete mViewpointItems;
    delete mRetiringItems;
    delete mList;
}

LString GMSceneAudio::Dump() const
{
    return DumpHead("GMSceneAudio") + "]";
}

bool GMSceneAudio::Load(const LString& aFolder)
{
    LPropertyList* list = L_NEW LPropertyList();
    if (!list->Load(aFolder + "audio.txt", true)) {
        delete list;
        return false;
    }
    DeleteItems(mSceneItems);
    DeleteItems(mViewpointItems);
    DeleteItems(mRetiringItems);
    delete mList;
    mList = list;
    if (!mSceneItems) {
        mSceneItems = L_NEW LHashKeyList(kHashShift, false);
        mViewpointItems = L_NEW LHashKeyList(kHashShift, false);
        mRetiringItems = L_NEW LHashKeyList(kHashShift, false);
    }
    LoadItems(LString("audio.scene"), mSceneItems, true);
    mScheduleIds.RemoveAll();
    mScheduleTimes.RemoveAll();
    return true;
}

void GMSceneAudio::LoadItems(const LString& aPath, LHashKeyList* aTable, bool aToggles)
{
    const LPropertyList* items = mList->GetList(aPath);
    if (!items) {
        return;
    }
    GMOptions* options = aToggles ? GMOptions::GetInstance() : nullptr;
    for (int i = 0; i < items->GetCount(); ++i) {
        const LPropertyList* entry = items->GetListAt(i);
        if (!entry) {
            L_WARNING(LString("Audio entry that is no list skipped: ") + items->GetKeyAt(i));
            continue;
        }
        if (options) {
            bool found = false;
            const bool music = entry->GetProperty(LString("id"), found) == LString("music");
            if (options->GetToggle(music ? kToggleNoMusic : kToggleNoSounds)) {
                continue;
            }
        }
        GMSceneAudioItem* item = L_NEW GMSceneAudioItem();
        if (!item->Load(entry, this)) {
            delete item;
            continue;
        }
        if (aTable->IndexOf(item->GetId()) != -1) {
            L_WARNING(LString("Audio item with a repeated id dropped: ") + item->GetId());
            delete item;
            continue;
        }
        aTable->AddAt(item->GetId(), item, true);
    }
}

void GMSceneAudio::Start()
{
    mScheduleIds.RemoveAll();
    mScheduleTimes.RemoveAll();
    for (LHashKeyList* table : {mSceneItems, mViewpointItems}) {
        const int count = table ? table->GetCount() : 0;
        for (int i = 0; i < count; ++i) {
            GMSceneAudioItem* item = static_cast<GMSceneAudioItem*>(table->GetAt(i));
            if (item->IsLooping()) {
                item->Play();
            } else {
                Schedule(item->GetId(), item->GetNextTime());
            }
        }
    }
    if (!mInFramePass) {
        LFrameManager* frames = LFrameManager::Get();
        mInFramePass = frames && frames->AddListener(this, 0.0f);
    }
}

void GMSceneAudio::SetViewpoint(const LString& aViewpoint)
{
    if (!mViewpointItems) {
        L_ERROR("SetViewpoint failure. No audio loaded.");
        return;
    }
    for (int i = 0; i < mViewpointItems->GetCount(); ++i) {
        GMSceneAudioItem* item = static_cast<GMSceneAudioItem*>(mViewpointItems->GetAt(i));
        if (item->IsPlaying() && mRetiringItems->IndexOf(item->GetId()) == -1) {
            // A looping sound would never end: it finishes its current pass instead.
            item->Retire();
            mRetiringItems->AddAt(item->GetId(), item, true);
        } else {
            // A sound of this id already plays to its end: the second one stops here.
            delete item;
        }
    }
    mViewpointItems->RemoveAll();
    LoadItems(LString("audio.") + aViewpoint, mViewpointItems, false);
    if (mViewpointItems->GetCount() > 0) {
        Start();
    }
}

void GMSceneAudio::Stop()
{
    if (!mInFramePass) {
        return;
    }
    mInFramePass = false;
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->RemoveListener(this);
    }
}

void GMSceneAudio::OnFrame()
{
    if (mScheduleIds.GetCount() == 0) {
        return;
    }
    LITimer* timer = LITimer::Get();
    if (!timer || !(timer->GetTime() > mScheduleTimes[0])) {
        return;
    }
    const LString id = mScheduleIds[0];
    mScheduleIds.RemoveAt(0);
    mScheduleTimes.RemoveAt(0, nullptr);
    // An entry of an item deleted with its viewpoint finds nothing and is dropped.
    if (GMSceneAudioItem* item = FindScheduled(id)) {
        item->Play();
    }
}

void GMSceneAudio::OnItemDone(GMSceneAudioItem* apItem)
{
    if (IndexOfItem(mSceneItems, apItem) != -1 || IndexOfItem(mViewpointItems, apItem) != -1) {
        Schedule(apItem->GetId(), apItem->GetNextTime());
        return;
    }
    const int retiring = IndexOfItem(mRetiringItems, apItem);
    if (retiring != -1) {
        LString key;
        mRetiringItems->GetKeyAt(retiring, key);
        mRetiringItems->RemoveAt(key, nullptr);
        delete apItem;
    }
}

int GMSceneAudio::GetSceneItemCount() const
{
    return mSceneItems ? mSceneItems->GetCount() : 0;
}

int GMSceneAudio::GetViewpointItemCount() const
{
    return mViewpointItems ? mViewpointItems->GetCount() : 0;
}

int GMSceneAudio::GetRetiringItemCount() const
{
    return mRetiringItems ? mRetiringItems->GetCount() : 0;
}

void GMSceneAudio::Schedule(const LString& aId, float aTime)
{
    int index = 0;
    while (index < mScheduleTimes.GetCount() && !(mScheduleTimes[index] > aTime)) {
        ++index;
    }
    mScheduleIds.InsertAt(index, aId);
    mScheduleTimes.InsertAt(index, aTime);
}

GMSceneAudioItem* GMSceneAudio::FindScheduled(const LString& aId) const
{
    for (const LHashKeyList* table : {mSceneItems, mViewpointItems}) {
        if (table) {
            if (void* item = table->Get(aId)) {
                return static_cast<GMSceneAudioItem*>(item);
            }
        }
    }
    return nullptr;
}

void GMSceneAudio::DeleteItems(LHashKeyList* aTable)
{
    if (!aTable) {
        return;
    }
    for (int i = 0; i < aTable->GetCount(); ++i) {
        delete static_cast<GMSceneAudioItem*>(aTable->GetAt(i));
    }
    aTable->RemoveAll();
}

int GMSceneAudio::IndexOfItem(const LHashKeyList* aTable, const GMSceneAudioItem* apItem)
{
    for (int i = 0; aTable && i < aTable->GetCount(); ++i) {
        if (aTable->GetAt(i) == apItem) {
            return i;
        }
    }
    return -1;
}
