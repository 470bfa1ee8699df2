// The ambient sound of a location, read from "audio.txt" in the scene folder: the items
// of the list "audio.scene" sound in every viewpoint, those of "audio." + viewpoint name
// only in that viewpoint. Looping items play from Start on; the others are kept in a
// schedule ascending by time and played by the frame pass when their time has come, and
// scheduled again when their sound ends.
//
// When the viewpoint changes, the former viewpoint's items that still sound retire: they
// play to their end (a looping one to the end of its current pass) and are deleted then. Option toggle 3 leaves out the scene's "music"
// item, toggle 4 its other items.
#pragma once
#include "container/LVectorFloat.h"
#include "container/LVectorString.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"

class GMSceneAudioItem;
class LHashKeyList;
class LPropertyList;

class GMSceneAudio : public LBase, public LIFrameListener
{
public:
    // Seeds the random generator from the current time.
    GMSceneAudio();
    // Deletes every item (which stops its sound) and leaves the frame pass if still in it.
    ~GMSceneAudio() override;

    LString Dump() const override;

    // Reads aFolder + "audio.txt" and makes the scene's items; 0 when the file does not load.
    bool Load(const LString& aFolder);
    // Schedules every item that does not loop, plays every looping one and joins the frame
    // pass (priority 0).
    void Start();
    // Retires or deletes the current viewpoint's items and makes those of aViewpoint; when
    // it has any, starts again (items that sound go on undisturbed).
    void SetViewpoint(const LString& aViewpoint);
    // Leaves the frame pass; sounds that play go on.
    void Stop();

    // Plays the first scheduled item when its time is past.
    void OnFrame() override;

    // From an item whose sound has ended: schedules its next play, or deletes it when it
    // had retired.
    void OnItemDone(GMSceneAudioItem* apItem);

    int GetSceneItemCount() const;
    int GetViewpointItemCount() const;
    int GetRetiringItemCount() const;
    int GetScheduleCount() const { return mScheduleIds.GetCount(); }

private:
    // Makes and loads the items of the list at aPath into aTable; with aToggles the
    // options may leave items out.
    void LoadItems(const LString& aPath, LHashKeyList* aTable, bool aToggles);
    // Inserts after every entry whose time is not greater.
    void Schedule(const LString& aId, float aTime);
    GMSceneAudioItem* FindScheduled(const LString& aId) const;
    static void DeleteItems(LHashKeyList* aTable);
    static int IndexOfItem(const LHashKeyList* aTable, const GMSceneAudioItem* apItem);

    LPropertyList* mList = nullptr;
    LHashKeyList* mSceneItems = nullptr;
    LHashKeyList* mViewpointItems = nullptr;
    LHashKeyList* mRetiringItems = nullptr;
    LVectorString mScheduleIds;
    LVectorFloat mScheduleTimes;
    bool mInFramePass = false;
};
