// The cut-scene player's tables: the trigger lists of "cutscenes.txt", the entries they
// start, and the timed subtitles of "cutscenes_subtitles.txt".
#include "ui/GMCutScenePlayer.h"

#include "Gdi/LFontManager.h"
#include "container/LPropertyList.h"
#include "event/LEvent.h"
#include "interview/GMSubtitle.h"
#include "memory/LMemoryManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LIState.h"
#include "stdlib/LLog.h"

namespace {

const LString& TablePath()
{
    static const LString path("//dataroot/movies/cutscenes.txt");
    return path;
}

const LString& SubtitlePath()
{
    static const LString path("//dataroot/movies/cutscenes_subtitles.txt");
    return path;
}

LString Value(const LPropertyList* aList, const char* aKey, bool& aFound)
{
    aFound = false;
    return aList != nullptr ? aList->GetString(LString(aKey), aFound) : LString();
}

} // namespace

void GMCutScenePlayer::LoadTables()
{
    mTable = L_NEW LPropertyList();
    if (mTable == nullptr || !mTable->Load(TablePath(), true)) {
        L_ASSERT_FAILURE("Load failure. " + TablePath());
    }
    const int count = mTable != nullptr ? mTable->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        const LPropertyList* entry = mTable->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        bool found = false;
        const LString type = Value(entry, "triggertype", found);
        TriggerList* list = nullptr;
        if (type.EqualsNoCase(u"state")) {
            list = &mStateTriggers;
        } else if (type.EqualsNoCase(u"event")) {
            list = &mEventTriggers;
        } else if (type.EqualsNoCase(u"interview")) {
            list = &mInterviewTriggers;
        } else if (type.EqualsNoCase(u"maptag")) {
            list = &mLocationTriggers;
        }
        if (list != nullptr) {
            Trigger trigger;
            trigger.mName = mTable->GetKeyAt(i);
            trigger.mEntry = entry;
            list->push_back(trigger);
        }
    }
    mSubtitles = L_NEW LPropertyList();
    if (mSubtitles == nullptr || !mSubtitles->Load(SubtitlePath(), true)) {
        L_ASSERT_FAILURE("Load failure. " + SubtitlePath());
    }
}

void GMCutScenePlayer::ClearTables()
{
    for (TriggerList* list : {&mStateTriggers, &mEventTriggers, &mInterviewTriggers, &mLocationTriggers}) {
        for (Trigger& trigger : *list) {
            delete trigger.mScript;
        }
        list->clear();
    }
    delete mTable;
    mTable = nullptr;
    delete mSubtitles;
    mSubtitles = nullptr;
}

// --- triggers ---------------------------------------------------------------------------

bool GMCutScenePlayer::Dependencies(Trigger& aTrigger, bool& aFound)
{
    const LString text = Value(aTrigger.mEntry, "dependencies", aFound);
    if (!aFound) {
        return false;
    }
    if (!aTrigger.mBuilt) {
        // Built once and kept: the lists are walked at every state change and event.
        aTrigger.mBuilt = true;
        auto* script = L_NEW LScript();
        LScriptBuilder* builder = LScriptBuilder::Get();
        if (script == nullptr || builder == nullptr || !builder->BuildScript(text, script) ||
            builder->HadSyntaxError()) {
            L_ASSERT_FAILURE("BuildScript failure. Invalid dependencies: " + aTrigger.mName);
            delete script;
            script = nullptr;
        }
        aTrigger.mScript = script;
    }
    return aTrigger.mScript != nullptr && aTrigger.mScript->Evaluate();
}

bool GMCutScenePlayer::FireFirst(TriggerList& aList, const char* aKey, const LString& aId)
{
    for (Trigger& trigger : aList) {
        bool named = false;
        const LString wanted = Value(trigger.mEntry, aKey, named);
        const bool matches = named && wanted.EqualsNoCase(aId);
        bool hasDependencies = false;
        Value(trigger.mEntry, "dependencies", hasDependencies);
        bool fires = false;
        if (!hasDependencies) {
            fires = matches;
        } else if (wanted.IsEmpty() || matches) {
            fires = Dependencies(trigger, hasDependencies);
        }
        if (fires) {
            PlayCutScene(trigger.mEntry);
            return true;
        }
    }
    return false;
}

bool GMCutScenePlayer::FireFirstWithDependencies(TriggerList& aList, const char* aKey, const LString& aId)
{
    for (Trigger& trigger : aList) {
        bool named = false;
        const LString wanted = Value(trigger.mEntry, aKey, named);
        if (!named || !wanted.EqualsNoCase(aId)) {
            continue;
        }
        bool hasDependencies = false;
        const bool hold = Dependencies(trigger, hasDependencies);
        if (!hasDependencies) {
            L_ASSERT_FAILURE("'dependencies' not found: " + trigger.mName);
            continue;
        }
        if (hold) {
            PlayCutScene(trigger.mEntry);
            return true;
        }
    }
    return false;
}

void GMCutScenePlayer::OnStateChanged(LIState* aState)
{
    // The state manager keeps every id lower-cased; the table's id is lowered in the same
    // way by the comparison.
    if (aState != nullptr) {
        FireFirst(mStateTriggers, "triggerstate", aState->GetId());
    }
}

void GMCutScenePlayer::OnEvent(LEvent* aEvent)
{
    if (aEvent != nullptr) {
        FireFirst(mEventTriggers, "triggerevent", aEvent->GetId());
    }
}

bool GMCutScenePlayer::PlayForInterview(const LString& aInterviewId)
{
    return FireFirstWithDependencies(mInterviewTriggers, "triggerinterview", aInterviewId);
}

bool GMCutScenePlayer::PlayForLocation(const LString& aLocationId)
{
    return FireFirstWithDependencies(mLocationTriggers, "triggerlocation", aLocationId);
}

void GMCutScenePlayer::PlayCutScene(const LPropertyList* aEntry)
{
    bool found = false;
    const LString movie = Value(aEntry, "movie", found);
    if (!found) {
        L_ASSERT_FAILURE("'movie' not found.");
    }
    const LVectorString events = aEntry->GetVectorString(LString("doneevents"), found);
    if (found) {
        mDoneEvents = events;
    }
    const LString scene = Value(aEntry, "targetscene", found);
    if (found) {
        SetTarget(scene, Value(aEntry, "targetvp", found));
    }
    Play(movie);
}

// --- subtitles --------------------------------------------------------------------------

void GMCutScenePlayer::ClearSubtitles()
{
    mSubtitleTrack = nullptr;
    mSubtitleRecord = nullptr;
    mFonts.clear();
    mSubtitleIndex = 0;
    mNextSubtitleTime = -1.0;
}

void GMCutScenePlayer::SetUpSubtitles(const LString& aMovie)
{
    ClearSubtitles();
    const LPropertyList* chosen = nullptr;
    const int count = mSubtitles != nullptr ? mSubtitles->GetCount() : 0;
    for (int i = 0; i < count && chosen == nullptr; ++i) {
        const LPropertyList* entry = mSubtitles->GetListAt(i);
        bool found = false;
        const LString movie = Value(entry, "movie", found);
        if (found && movie.EqualsNoCase(aMovie)) {
            chosen = entry;
        }
    }
    if (chosen == nullptr) {
        return;
    }
    const LPropertyList* fonts = chosen->GetList(LString("fonts"));
    if (fonts == nullptr) {
        L_ASSERT_FAILURE("'fonts' not found.");
    } else {
        LFontManager* fontManager = LFontManager::Get();
        for (int i = 0; i < fonts->GetCount(); ++i) {
            const LString* id = fonts->GetAt(i).GetString();
            LIFont* font = id != nullptr && fontManager != nullptr ? fontManager->GetFont(*id) : nullptr;
            if (font == nullptr) {
                L_ASSERT_FAILURE("Font not found.");
                continue;
            }
            mFonts.emplace_back(fonts->GetKeyAt(i), font);
        }
    }
    mSubtitleTrack = chosen->GetList(LString("subtitles"));
    if (mSubtitleTrack == nullptr) {
        L_ASSERT_FAILURE("'subtitles' not found.");
        return;
    }
    mSubtitleStart = Now();
    StepSubtitle(0);
}

void GMCutScenePlayer::StepSubtitle(int aIndex)
{
    mSubtitleRecord = nullptr;
    mNextSubtitleTime = -1.0;
    const int count = mSubtitleTrack != nullptr ? mSubtitleTrack->GetCount() : 0;
    // Plain values among the records are passed over.
    for (mSubtitleIndex = aIndex; mSubtitleIndex < count; ++mSubtitleIndex) {
        mSubtitleRecord = mSubtitleTrack->GetListAt(mSubtitleIndex);
        if (mSubtitleRecord != nullptr) {
            break;
        }
    }
    if (mSubtitleRecord == nullptr) {
        return;
    }
    bool found = false;
    float time = mSubtitleRecord->GetFloat(LString("time"), found);
    if (!found) {
        L_ASSERT_FAILURE("'time' not found.");
    }
    if (!(time >= 0.0f)) {
        time = 0.0f;
    }
    mNextSubtitleTime = mSubtitleStart + time;
}

void GMCutScenePlayer::ShowDueSubtitle(double aNow)
{
    if (mSubtitleTrack == nullptr || mSubtitleRecord == nullptr || mNextSubtitleTime < 0.0 ||
        aNow < mNextSubtitleTime) {
        return;
    }
    bool hasText = false;
    bool hasFont = false;
    const LString text = Value(mSubtitleRecord, "subtitle", hasText);
    const LString key = Value(mSubtitleRecord, "font", hasFont);
    GMSubtitle* strip = GMSubtitle::GetInstance();
    if (!hasText || !hasFont) {
        L_ASSERT_FAILURE("'subtitle' or 'font' not found.");
    } else if (strip != nullptr) {
        bool found = false;
        const LString action = Value(mSubtitleRecord, "action", found);
        if (found && action == LString("add")) {
            strip->AppendText(text, FindFont(key));
        } else {
            strip->SetText(text, FindFont(key));
        }
        if (!strip->IsShown()) {
            strip->Show();
        }
    }
    StepSubtitle(mSubtitleIndex + 1);
}

LIFont* GMCutScenePlayer::FindFont(const LString& aKey) const
{
    for (const auto& [key, font] : mFonts) {
        if (key == aKey) {
            return font;
        }
    }
    return nullptr;
}
