#include "ui/GMCutScenePlayer.h"

#include "stdlib/LLog.h"

namespace {

// The strings of a list joined with "|".
LString Joined(const LVectorString& aList)
{
    LString text;
    for (int i = 0; i < aList.GetCount(); ++i) {
        if (i > 0) {
            text += "|";
        }
        text += aList.GetRef(i);
    }
    return text;
}

void Append(LVectorString& aList, const LVectorString& aMore)
{
    for (int i = 0; i < aMore.GetCount(); ++i) {
        aList.Add(aMore.GetRef(i));
    }
}

} // namespace

GMCutScenePlayer::~GMCutScenePlayer()
{
    delete mHandedOver;
    mHandedOver = nullptr;
}

void GMCutScenePlayer::Note(const char* aName, const LString& aArguments)
{
    mCalls.Add(LString(aName) + "(" + aArguments + ")");
}

void GMCutScenePlayer::SetTarget(const LString& aScene, const LString& aViewpoint)
{
    mTargetScene = aScene;
    mTargetViewpoint = aViewpoint;
    Note("SetTarget", aScene + "|" + aViewpoint);
}

void GMCutScenePlayer::SetDoneEvents(const LVectorString& aEvents)
{
    mDoneEvents = aEvents;
    Note("SetDoneEvents", Joined(aEvents));
}

void GMCutScenePlayer::SetStateChanges(const LVectorString& aChanges)
{
    mStateChanges = aChanges;
    Note("SetStateChanges", Joined(aChanges));
}

void GMCutScenePlayer::AddDoneEvents(const LVectorString& aEvents)
{
    Append(mDoneEvents, aEvents);
    Note("AddDoneEvents", Joined(aEvents));
}

void GMCutScenePlayer::AddStateChanges(const LVectorString& aChanges)
{
    Append(mStateChanges, aChanges);
    Note("AddStateChanges", Joined(aChanges));
}

void GMCutScenePlayer::SetHandedOver(LBase* aObject)
{
    if (aObject == nullptr || aObject == mHandedOver) {
        return;
    }
    delete mHandedOver;
    mHandedOver = aObject;
    Note("SetHandedOver", LString());
}

void GMCutScenePlayer::SetDeferredLoad(bool aDeferred)
{
    mDeferredLoad = aDeferred;
    Note("SetDeferredLoad", LString(aDeferred ? "true" : "false"));
}

void GMCutScenePlayer::Play(const LString& aMovie)
{
    mQueue.InsertAt(0, aMovie);
    Note("Play", aMovie);
    L_NOTE("Play: movies cannot be played yet: " + aMovie);
}

void GMCutScenePlayer::PlayList(const LVectorString& aMovies)
{
    mQueue = aMovies;
    Note("PlayList", Joined(aMovies));
    L_NOTE("PlayList: movies cannot be played yet: " + Joined(aMovies));
}

bool GMCutScenePlayer::PlayForInterview(const LString& aInterviewId)
{
    Note("PlayForInterview", aInterviewId);
    return false;
}

bool GMCutScenePlayer::PlayForLocation(const LString& aLocationId)
{
    Note("PlayForLocation", aLocationId);
    return false;
}

template class GMStandIn<GMCutScenePlayer>;
