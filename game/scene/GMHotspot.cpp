
#include "scene/GMHotspot.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIDisplayObject.h"
#include "Gdi/LRenderer.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LGestureAnimManager.h"
#include "Render/LMesh.h"
#include "Render/LNavigationTDO.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMSubtitle.h"
#include "interview/GMVoicedLine.h"
#include "memory/LMemoryManager.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "scene/GMCharacter.h"
#include "scene/GMCloseUp.h"
#include "scene/GMHotspotInterview.h"
#include "scene/GMHotspotNavigate.h"
#include "scene/GMHotspotTarget.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "time/LGameClock.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMOptions.h"

#include <cmath>

namespace {

// The gesture animations of a voice-over whose gesture file is missing, picked at random.
const char16_t* const kFallbackGestures[3] = {u"/SS_M/SS_X1_AL.lia1", u"/SS_M/SS_Y1_AR.lia1", u"/SS_M/SS_A1_AB.lia1"};
// The action lists of "data", in the order of the action table.
const char16_t* const kActionKeys[GMHotspot::ACTION_COUNT] = {u"look", u"collect", u"use", u"analyze", u"talk"};
// The situations of "data.voiceovers" and "data.cutscenes".
const char16_t* const kSituationKeys[GMHotspot::SITUATION_COUNT] = {u"look", u"use", u"satisfied", u"unsatisfied"};

LString Text(const LPropertyList* aList, const char16_t* aPath, bool& aFound)
{
    aFound = false;
    return aList != nullptr ? aList->GetString(LString(aPath), aFound) : LString();
}

// The pieces of aText between "|", empty ones kept, so that positions stay.
LVectorString SplitKeepingEmpty(const LString& aText)
{
    LVectorString out;
    int start = 0;
    const int length = aText.GetLength();
    for (int i = 0; i <= length; ++i) {
        if (i == length || aText.At(i) == u'|') {
            out.Add(i > start ? aText.Mid(start, i - start, 0) : LString());
            start = i + 1;
        }
    }
    return out;
}

// A cut-scene entry that names something: neither empty nor "-".
bool Names(const LString& aValue)
{
    return !aValue.IsEmpty() && aValue != LString(u"-");
}

bool Evaluate(LScript* aScript)
{
    return aScript != nullptr && aScript->Evaluate();
}

} // namespace

GMHotspot::ActionRecord::ActionRecord() = default;

GMHotspot::ActionRecord::~ActionRecord()
{
    delete mEnabled;
    delete mDoneEvents;
    delete mStateChanges;
}

GMHotspot::KindData::~KindData()
{
    delete mEnabled;
}

GMHotspot* GMHotspot::Create(const LPropertyList* aEntry)
{
    if (aEntry == nullptr) {
        L_ERROR("Create failure. NULL arg.");
        return nullptr;
    }
    bool found = false;
    const LString type = Text(aEntry, u"type", found);
    if (!found) {
        L_ASSERT_FAILURE("'type' not found.");
    }
    GMHotspot* hotspot = nullptr;
    int kind = KIND_NONE;
    if (type.EqualsNoCase(u"navigate")) {
        hotspot = L_NEW GMHotspotNavigate();
        kind = KIND_NAVIGATE;
    } else if (type.EqualsNoCase(u"interview")) {
        hotspot = L_NEW GMHotspotInterview();
        kind = KIND_INTERVIEW;
    } else if (type.EqualsNoCase(u"target")) {
        hotspot = L_NEW GMHotspotTarget();
        kind = KIND_TARGET;
    } else if (type.EqualsNoCase(u"general")) {
        hotspot = L_NEW GMHotspot();
        kind = KIND_GENERAL;
    } else {
        L_ERROR(LString("Create failure. Invalid type:") + type);
        return nullptr;
    }
    if (hotspot == nullptr) {
        L_ERROR("Create failure. Out of memory.");
        return nullptr;
    }
    hotspot->mKind = kind;
    hotspot->Load(aEntry);
    if (hotspot->mEventManager != nullptr) {
        hotspot->mEventManager->AddListener(hotspot, 0.0f);
    }
    if (hotspot->mStateManager != nullptr) {
        hotspot->mStateManager->AddListener(hotspot, 0.0f);
    }
    return hotspot;
}

GMHotspot::GMHotspot()
{
    mMouse = LMouse::Get();
    mCursor = GMCursor::GetInstance();
    mMultiCursor = GMMultiCursor::GetInstance();
    mEventManager = LEventManager::Get();
    mStateManager = LStateManager::Get();
}

GMHotspot::~GMHotspot()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    if (GMMultiCursor* menu = GMMultiCursor::GetInstance()) {
        menu->RemoveListener(this);
    }
    if (LEventManager* events = LEventManager::Get()) {
        events->RemoveListener(this);
    }
    if (LStateManager* states = LStateManager::Get()) {
        states->RemoveListener(this);
    }
    if (GMNavigation* navigation = GMNavigation::GetInstance()) {
        navigation->RemoveListener(this);
    }
    // The interview it started and a collect or sit-down under way must not call back
    // into a deleted hotspot.
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    GMInterview* interview = interviews != nullptr ? interviews->GetCurrentInterview() : nullptr;
    if (interview != nullptr && interview->GetTalkHotspot() == this) {
        interview->SetTalkHotspot(nullptr);
    }
    GMScene* scene = Scene();
    if (GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr) {
        player->RemoveActionListener(this);
    }
    // A witness turning towards its look-at point for this hotspot's talk.
    for (int i = 0; scene != nullptr && i < scene->GetNPCCount(); ++i) {
        if (GMCharacter* npc = scene->GetNPC(i)) {
            npc->RemoveActionListener(this);
        }
    }
    delete mVoice;
    delete mBoundary;
    delete mActiveScript;
    delete mDisplayScript;
    delete mMeshScript;
    delete mKindData;
    delete mObjectOfInterest;
    for (int i = 0; i < SITUATION_COUNT; ++i) {
        delete mVoiceOvers[i];
        delete mCutScenes[i];
    }
}

// --- data -------------------------------------------------------------------------------

LScript* GMHotspot::BuildScript(const LString& aText)
{
    auto* script = L_NEW LScript();
    LScriptBuilder* builder = LScriptBuilder::Get();
    if (script == nullptr || builder == nullptr || !builder->BuildScript(aText, script) || builder->HadSyntaxError()) {
        L_ERROR("Create failure.");
        if (script != nullptr) {
            script->SetRoot(nullptr);
        }
    }
    return script;
}

bool GMHotspot::Load(const LPropertyList* aEntry)
{
    if (aEntry == nullptr) {
        return true;
    }
    const LPropertyList* typeData = aEntry->GetList(LString(u"typedata"));
    if (typeData == nullptr || typeData->GetCount() < 1) {
        L_ASSERT_FAILURE("'typedata' not found.");
    }
    bool found = false;
    mId = Text(aEntry, u"id", found);
    if (!found) {
        L_ASSERT_FAILURE("'id' not found.");
    }
    const LString enabled = Text(aEntry, u"enabled", found);
    if (!found) {
        L_ASSERT_FAILURE("'enabled' not found.");
        mActiveScript = L_NEW LScript();
    } else {
        mActiveScript = BuildScript(enabled);
    }
    ReadDisplay(aEntry);
    ReadMesh(aEntry);
    ReadBoundary(aEntry);
    const LPropertyList* data = aEntry->GetList(LString(u"data"));
    if (data == nullptr) {
        L_ASSERT_FAILURE("'data' not found.");
    }
    ReadData(data);
    UpdateActive();
    return true;
}

const LPropertyList* GMHotspot::LoadKind(const LPropertyList* aEntry, KindData* aRecord, const char* aKind)
{
    mKindData = aRecord;
    const LPropertyList* own = aEntry != nullptr ? aEntry->GetList(LString("typedata.") + aKind) : nullptr;
    if (own == nullptr) {
        L_ASSERT_FAILURE(LString("'typedata.") + aKind + "' not found.");
        return nullptr;
    }
    bool found = false;
    const LString enabled = own->GetString(LString(u"enabled"), found);
    if (!found) {
        L_ASSERT_FAILURE(LString("'type.") + aKind + ".enabled' not found.");
    }
    if (aRecord != nullptr) {
        aRecord->mEnabled = found ? BuildScript(enabled) : L_NEW LScript();
    }
    return own;
}

void GMHotspot::ReadDisplay(const LPropertyList* aEntry)
{
    bool found = false;
    const bool inCloseUp = aEntry->GetBool(LString(u"closeup"), found);
    const LPropertyList* display = aEntry->GetList(LString(u"display"));
    if (display == nullptr) {
        return;
    }
    const LString member = Text(display, u"memberid", found);
    if (!found) {
        L_ASSERT_FAILURE("'display.memberid' not found.");
    }
    const LString visible = Text(display, u"visible", found);
    if (!found) {
        L_ASSERT_FAILURE("'display.visible' not found.");
        mDisplayScript = L_NEW LScript();
    } else {
        mDisplayScript = BuildScript(visible);
    }
    GMScene* scene = Scene();
    LDisplayGroup* group = nullptr;
    if (scene != nullptr) {
        // A close-up's member is in the group of the close-up being shown.
        GMCloseUp* closeUp = inCloseUp ? scene->GetCloseUp() : nullptr;
        group = inCloseUp ? (closeUp != nullptr ? closeUp->GetDisplayGroup() : nullptr) : scene->GetDisplayGroup();
    }
    mDisplayMember = group != nullptr && found ? group->GetMember(member) : nullptr;
    if (mDisplayMember == nullptr) {
        L_ERROR(LString("Scene display member not found: ") + member);
    }
}

void GMHotspot::ReadMesh(const LPropertyList* aEntry)
{
    const LPropertyList* mesh = aEntry->GetList(LString(u"mesh"));
    if (mesh == nullptr) {
        return;
    }
    bool found = false;
    mMeshFrame = Text(mesh, u"id", found);
    const LString active = Text(mesh, u"active", found);
    mMeshScript = BuildScript(found ? active : LString(u"script[true]"));
}

void GMHotspot::ReadBoundary(const LPropertyList* aEntry)
{
    const LPropertyList* boundary = aEntry->GetList(LString(u"boundary"));
    if (boundary == nullptr) {
        L_ASSERT_FAILURE("'boundary' not found.");
        return;
    }
    bool typed = false;
    const LString type = Text(boundary, u"type", typed);
    if (!typed) {
        L_ASSERT_FAILURE("'boundary.type' not found.");
    }
    bool found = false;
    const LVectorFloat coords = boundary->GetVectorFloat(LString(u"coords"), found);
    // A rectangle needs all four values.
    if (!found || (type.EqualsNoCase(u"rectangle") && coords.GetCount() < 4)) {
        L_ASSERT_FAILURE("'boundary.coords' not found.");
    }
    const LVectorFloat position = boundary->GetVectorFloat(LString(u"position"), found);
    if (!found || position.GetCount() < 2) {
        L_ASSERT_FAILURE("'boundary.position' not found.");
    } else {
        mBoundaryPosition = LVector2(position[0], position[1]);
    }
    if (type.EqualsNoCase(u"rectangle")) {
        if (coords.GetCount() < 4) {
            return;
        }
        const float x = coords[0];
        const float y = coords[1];
        const float w = coords[2];
        const float h = coords[3];
        const LVector2 corners[4] = {LVector2(x, y), LVector2(x + w, y), LVector2(x + w, y + h), LVector2(x, y + h)};
        mBoundary = L_NEW LPolygon(corners, 4, true);
    } else if (type.EqualsNoCase(u"polygon")) {
        mBoundary = L_NEW LPolygon(coords, true);
    } else if (typed) {
        L_ASSERT_FAILURE(LString("'boundary.type' undefined:") + type);
    }
}

LVectorString* GMHotspot::ReadLists(const LPropertyList* aData, const char16_t* aList, int aSituation, bool aKeepEmpty)
{
    const LPropertyList* lists = aData->GetList(LString(aList));
    bool found = false;
    const LString text = Text(lists, kSituationKeys[aSituation], found);
    if (!found || text.IsEmpty()) {
        return nullptr;
    }
    LVectorString pieces;
    if (aKeepEmpty) {
        pieces = SplitKeepingEmpty(text);
    } else {
        text.Split(LString(u"|"), &pieces);
    }
    return pieces.GetCount() > 0 ? L_NEW LVectorString(pieces) : nullptr;
}

void GMHotspot::ReadData(const LPropertyList* aData)
{
    bool found = false;
    const LPropertyList* empty = nullptr;
    const LVectorFloat position = aData != nullptr ? aData->GetVectorFloat(LString(u"multicursor.position"), found) : LVectorFloat();
    if (!found || position.GetCount() < 2) {
        L_ASSERT_FAILURE("'data.multicursor.position' not found.");
    } else {
        mMultiCursorPos = LVector2(position[0], position[1]);
    }
    LString side = Text(aData, u"orientation", found);
    if (!found) {
        side = Text(aData, u"side", found);
    }
    mMultiCursorSide = side.EqualsNoCase(u"left") ? 1 : 0;
    mItem = Text(aData, u"operatingid", found);
    const LString anim = Text(aData, u"collectanim", found);
    if (found) {
        if (anim.EqualsNoCase(u"camera") || anim.EqualsNoCase(u"camera_mid")) {
            mCollectAnim = 5;
        } else if (anim.EqualsNoCase(u"camera_low")) {
            mCollectAnim = 6;
        } else if (anim.EqualsNoCase(u"camera_high")) {
            mCollectAnim = 4;
        } else if (anim.EqualsNoCase(u"table")) {
            mCollectAnim = 3;
        } else {
            mCollectAnim = 2;
        }
    }
    for (int i = 0; i < ACTION_COUNT; ++i) {
        const LPropertyList* action = aData != nullptr ? aData->GetList(LString(kActionKeys[i])) : empty;
        const LString enabled = Text(action, u"enabled", found);
        mActions[i].mEnabled = BuildScript(found ? enabled : LString(u"script[true]"));
        mActions[i].mDoneEvents = L_NEW LVectorString(action != nullptr ? action->GetVectorString(LString(u"doneevents"), found) : LVectorString());
        mActions[i].mStateChanges =
            L_NEW LVectorString(action != nullptr ? action->GetVectorString(LString(u"statechanges"), found) : LVectorString());
    }
    if (aData == nullptr) {
        return;
    }
    ReadObjectOfInterest(aData);
    for (int i = 0; i < SITUATION_COUNT; ++i) {
        mVoiceOvers[i] = ReadLists(aData, u"voiceovers", i, false);
        // A cut-scene list is read by position: its empty entries stay.
        mCutScenes[i] = ReadLists(aData, u"cutscenes", i, true);
    }
}

void GMHotspot::ReadObjectOfInterest(const LPropertyList* aData)
{
    bool found = false;
    const LString id = Text(aData, u"objectofinterest.id", found);
    GMScene* scene = Scene();
    const LPropertyList* evidence = scene != nullptr ? scene->GetEvidence() : nullptr;
    if (!found || evidence == nullptr) {
        return;
    }
    const LPropertyList* entry = evidence->GetList(id);
    if (entry == nullptr) {
        L_ASSERT_FAILURE("");
        return;
    }
    mObjectOfInterest = L_NEW ObjectOfInterest();
    const LVectorFloat coords = entry->GetVectorFloat(LString(u"coords"), found);
    if (!found || coords.GetCount() < 3) {
        L_ASSERT_FAILURE("'coords' not found.");
    } else {
        mObjectOfInterest->mCoords = LVector3(coords[0], coords[1], coords[2]);
    }
    const LVectorFloat ground = entry->GetVectorFloat(LString(u"vcoords"), found);
    if (found && ground.GetCount() >= 2) {
        mObjectOfInterest->mVCoords = LVector2(ground[0], ground[1]);
    }
    const float radius = entry->GetFloat(LString(u"radius"), found);
    if (found) {
        mObjectOfInterest->mRadius = radius;
    }
}

// --- activity ---------------------------------------------------------------------------

bool GMHotspot::CheckWithin(const LVector2& aPoint)
{
    if (mBoundary == nullptr) {
        if (!mNoBoundaryLogged) {
            mNoBoundaryLogged = true;
            L_ERROR("CheckWithin failure. No boundary defined.");
        }
        return false;
    }
    const LVector2 local(aPoint.x - mBoundaryPosition.x, aPoint.y - mBoundaryPosition.y);
    return mBoundary->Contains(local, false, kBoundaryTolerance);
}

LString GMHotspot::HeldItem() const
{
    return HoldsItem() ? mCursor->GetItemCursor() : LString();
}

bool GMHotspot::HoldsItem() const
{
    if (mCursor == nullptr) {
        return false;
    }
    const int type = mCursor->GetType();
    return type == GMCursor::TYPE_ITEM || type == GMCursor::TYPE_ITEM_HILIGHT;
}

void GMHotspot::UpdateActive()
{
    bool active = Evaluate(mActiveScript);
    if (mKind == KIND_GENERAL && HoldsItem() && mCursor->GetItemCursor() == mItem) {
        active = false;
    }
    if (mDisplayMember != nullptr && mDisplayScript != nullptr) {
        mDisplayMember->SetActive(mDisplayScript->Evaluate());
    }
    if (!mMeshFrame.IsEmpty()) {
        GMScene* scene = Scene();
        LDrawElement* model = scene != nullptr ? scene->GetDepthMesh() : nullptr;
        LFrame* frame = model != nullptr ? model->GetFrame(mMeshFrame, true) : nullptr;
        if (LMesh* mesh = frame != nullptr ? frame->GetMesh() : nullptr) {
            if (Evaluate(mMeshScript)) {
                mesh->SetFlags(LMesh::kShown);
            } else {
                mesh->ClearFlags(LMesh::kShown);
            }
        }
    }
    if (active == mActive) {
        return;
    }
    mActive = active;
    if (!mActive && mRegistered) {
        Register(false);
    } else if (mActive && mInputEnabled && !mRegistered) {
        Register(true);
    }
}

void GMHotspot::Register(bool aRegister)
{
    if (mMouse == nullptr) {
        return;
    }
    if (aRegister) {
        mRegistered = mMouse->AddMember(this, 0.0f);
    } else {
        mMouse->RemoveListener(this);
        mRegistered = false;
    }
}

void GMHotspot::SetInputEnabled(bool aEnabled)
{
    mInputEnabled = aEnabled;
    if (aEnabled) {
        if (mActive && !mRegistered) {
            Register(true);
        }
    } else {
        Register(false);
    }
}

void GMHotspot::Raise(const LString& aId)
{
    if (mEventManager != nullptr && !mEventManager->IsRaised(aId)) {
        mEventManager->AddEvent(aId, true);
    }
}

void GMHotspot::ApplyActionData(const LVectorString* aEvents, const LVectorString* aChanges)
{
    for (int i = 0; aEvents != nullptr && i < aEvents->GetCount(); ++i) {
        Raise(aEvents->GetRef(i));
    }
    if (aChanges == nullptr || mStateManager == nullptr) {
        return;
    }
    // Whole triples only: a trailing partial one is ignored.
    const int triples = aChanges->GetCount() / 3;
    for (int k = 0; k < triples; ++k) {
        const LString& id = aChanges->GetRef(3 * k);
        const LString& type = aChanges->GetRef(3 * k + 1);
        const LString& value = aChanges->GetRef(3 * k + 2);
        if (mStateManager->HasState(id)) {
            mStateManager->SetState(id, value, true);
        } else {
            mStateManager->SetState(id, type, value, true);
        }
    }
}

bool GMHotspot::RenderDisplayMember()
{
    if (mDisplayMember == nullptr || !Evaluate(mDisplayScript)) {
        return true;
    }
    return mDisplayMember->Render(LRenderer::Get());
}

void GMHotspot::OnEvent(LEvent*)
{
    UpdateActive();
}

void GMHotspot::OnStateChanged(LIState*)
{
    UpdateActive();
}

bool GMHotspot::Read(LIStream*)
{
    return false;
}

bool GMHotspot::Write(LIStream*)
{
    return false;
}

void GMHotspot::SendToLab()
{
    SendPairs(u"_CL_S", u"_CL_R");
    SendPairs(u"_RE_S", u"_RE_R");
}

void GMHotspot::SendPairs(const char16_t* aFirst, const char16_t* aSecond)
{
    GMOptions* options = GMOptions::GetInstance();
    const int skill = options != nullptr ? options->GetSkill() : GMOptions::SKILL_MEDIUM;
    const float delay = skill == GMOptions::SKILL_EASY ? 8.0f : skill == GMOptions::SKILL_HARD ? 32.0f : 16.0f;
    const LString sent = mItem + aFirst;
    if (mItem.IsEmpty() || mEventManager == nullptr || mEventManager->IsRaised(sent)) {
        return;
    }
    mEventManager->AddEvent(sent, true);
    if (LGameClock* clock = LGameClock::Get()) {
        clock->ScheduleEvent(mItem + aSecond, delay, -1);
    }
}

bool GMHotspot::PlayActionCutScene(int aSituation)
{
    const LVectorString* list = aSituation >= 0 && aSituation < SITUATION_COUNT ? mCutScenes[aSituation] : nullptr;
    if (list == nullptr || list->GetCount() < 1 || list->GetCount() > 5) {
        return false;
    }
    const int count = list->GetCount();
    const LString movie = list->GetRef(0);
    const LString scene = count > 1 ? list->GetRef(1) : LString();
    const LString viewpoint = count > 2 ? list->GetRef(2) : LString();
    const LString state = count > 3 ? list->GetRef(3) : LString();
    const LString event = count > 4 ? list->GetRef(4) : LString();
    if (mCursor != nullptr) {
        mCursor->SetVisible(true);
    }
    GMCutScenePlayer* player = GMCutScenePlayer::GetInstance();
    if (player == nullptr) {
        return false;
    }
    if (Names(scene)) {
        player->SetTarget(scene, Names(viewpoint) ? viewpoint : LString());
    } else if (Names(viewpoint)) {
        player->SetTarget(LString(u"-"), viewpoint);
    }
    LVectorString changes;
    if (Names(state)) {
        changes.Add(state);
        changes.Add(LString(u"boolean"));
        changes.Add(LString(u"true"));
    }
    player->SetStateChanges(changes);
    LVectorString events;
    if (Names(event)) {
        events.Add(event);
    }
    player->SetDoneEvents(events);
    player->Play(movie);
    return true;
}

// --- scene helpers ----------------------------------------------------------------------

GMScene* GMHotspot::Scene() const
{
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    return scenes != nullptr ? scenes->GetScene() : nullptr;
}

GMCharacter* GMHotspot::SceneCharacter(const LString& aKey) const
{
    GMScene* scene = Scene();
    return scene != nullptr ? scene->GetCharacter(aKey) : nullptr;
}

void GMHotspot::SetSceneInput(bool aEnabled)
{
    if (mInCloseUp) {
        return;
    }
    if (GMScene* scene = Scene()) {
        scene->SetInputEnabled(aEnabled);
        scene->SetMouseLock(!aEnabled);
    }
}

void GMHotspot::SetSceneHotspots(bool aEnabled)
{
    if (GMScene* scene = Scene()) {
        scene->SetHotspotsEnabled(aEnabled);
    }
}

void GMHotspot::RefreshScene()
{
    if (GMScene* scene = Scene()) {
        scene->UpdateHotspots();
    }
}

LString GMHotspot::PlayedEvent(const LString& aVoiceOverId) const
{
    const int dot = aVoiceOverId.Find(u".", 0);
    const LString stem = dot >= 0 ? aVoiceOverId.Mid(0, dot, 0) : aVoiceOverId;
    return LString(u"evt_") + mId + u"_" + stem + u"_played";
}

int GMHotspot::ActionIndex(int aCode)
{
    switch (aCode) {
    case GMMultiCursorAction::USE:
        return ACTION_USE;
    case GMMultiCursorAction::COLLECT:
        return ACTION_COLLECT;
    case GMMultiCursorAction::ANALYZE:
        return ACTION_ANALYZE;
    case GMMultiCursorAction::TALK:
        return ACTION_TALK;
    case GMMultiCursorAction::LOOK:
        return ACTION_LOOK;
    default:
        return -1;
    }
}

// --- input ------------------------------------------------------------------------------

void GMHotspot::OnMove(const LVector2& aPosition)
{
    if (!mInputEnabled) {
        return;
    }
    const bool inside = CheckWithin(aPosition);
    if (inside && mMouse != nullptr) {
        mMouse->Interrupt();
    }
    if (inside != mHover) {
        mHover = inside;
        UpdateCursor();
    }
}

void GMHotspot::UpdateCursor()
{
    if (mCursor == nullptr) {
        return;
    }
    if (mHover) {
        mCursor->SetCursor(GMCursor::TYPE_ROLLOVER, mId);
    } else {
        mCursor->ReleaseCursor(mId);
    }
}

void GMHotspot::OnButtonUp(int aButton)
{
    if (mInputEnabled && aButton == 1) {
        mPressed = false;
    }
}

void GMHotspot::OnButtonDown(int aButton)
{
    if (!mInputEnabled || aButton != 1 || mVoicePlaying) {
        return;
    }
    mTalkPending = false;
    mPressed = true;
    Click(false);
}

void GMHotspot::OnDoubleClick(int aButton)
{
    if (!mInputEnabled || aButton != 1) {
        return;
    }
    Click(true);
}

void GMHotspot::Click(bool aRun)
{
    GMNavigation* navigation = GMNavigation::GetInstance();
    if (!mHover) {
        if (navigation != nullptr) {
            navigation->RemoveListener(this);
        }
        // A turn towards this hotspot is no longer wanted.
        GMScene* scene = Scene();
        if (GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr) {
            player->RemoveActionListener(this);
        }
        return;
    }
    if (mKind == KIND_GENERAL && HoldsItem()) {
        return;
    }
    bool pending = false;
    if (mObjectOfInterest != nullptr && navigation != nullptr) {
        LNavigationTDO* walker = navigation->GetNavigation();
        const LVector3* at = walker != nullptr ? walker->GetPosition() : nullptr;
        const float dx = at != nullptr ? at->x - mObjectOfInterest->mVCoords.x : 0.0f;
        const float dz = at != nullptr ? at->y - mObjectOfInterest->mVCoords.y : 0.0f;
        if (std::sqrt(dx * dx + dz * dz) > mObjectOfInterest->mRadius) {
            navigation->SetListener(this);
            pending = navigation->WalkTo(mObjectOfInterest->mVCoords, true, aRun ? 2 : 1, true);
            if (!pending) {
                navigation->RemoveListener(this);
            }
        } else {
            pending = TurnToObject();
        }
    }
    if (mMouse != nullptr) {
        mMouse->Interrupt();
    }
    if (!pending) {
        ActByKind(aRun);
    }
}

bool GMHotspot::TurnToObject()
{
    GMScene* scene = Scene();
    GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr;
    return player != nullptr && mObjectOfInterest != nullptr && player->TurnTo(mObjectOfInterest->mCoords, this);
}

void GMHotspot::ActByKind(bool aRun)
{
    switch (mKind) {
    case KIND_NAVIGATE:
        static_cast<GMHotspotNavigate*>(this)->Go(aRun);
        break;
    case KIND_INTERVIEW: {
        auto* interview = static_cast<GMHotspotInterview*>(this);
        if (interview->GetBargainingItem().IsEmpty()) {
            ShowMultiCursor();
        } else {
            interview->StartInterview();
        }
        break;
    }
    case KIND_TARGET:
        static_cast<GMHotspotTarget*>(this)->CheckTargetSatisfied();
        break;
    case KIND_GENERAL:
        ShowMultiCursor();
        break;
    default:
        break;
    }
}

void GMHotspot::OnNavigationEvent(const LString&)
{
    if (TurnToObject()) {
        return;
    }
    ActByKind(false);
}

void GMHotspot::ContinueAction()
{
    if (mKind == KIND_NAVIGATE) {
        return;
    }
    if (mKind == KIND_INTERVIEW && mTalkPending) {
        mTalkPending = false;
        const auto* record = static_cast<GMHotspotInterview*>(this)->GetRecord();
        GMScene* scene = Scene();
        GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr;
        if (record != nullptr && record->mSeated && player != nullptr) {
            player->PlayAction(GM_ACTION_CHAIR_SIT, this);
        } else {
            OnTalk();
        }
        return;
    }
    ActByKind(false);
}

void GMHotspot::TrackTargetDone()
{
    switch (mKind) {
    case KIND_NAVIGATE:
        break;
    case KIND_INTERVIEW:
    case KIND_GENERAL:
        ShowMultiCursor();
        break;
    case KIND_TARGET:
        static_cast<GMHotspotTarget*>(this)->CheckTargetSatisfied();
        break;
    default:
        L_ERROR("TrackTargetDone failure. Invalid type.");
        break;
    }
}

// --- the multi-cursor and the actions ---------------------------------------------------

void GMHotspot::ShowMultiCursor()
{
    if (mMultiCursor == nullptr) {
        return;
    }
    mMultiCursor->SetSide(mMultiCursorSide);
    bool look = Evaluate(mActions[ACTION_LOOK].mEnabled);
    const LVectorString* looks = mVoiceOvers[SITUATION_LOOK];
    if (look && looks != nullptr && looks->GetCount() > 0 && mEventManager != nullptr &&
        mEventManager->IsRaised(PlayedEvent(looks->GetRef(0)))) {
        look = false;
    }
    mMultiCursor->SetActionEnabled(GMMultiCursorAction::LOOK, look);
    mMultiCursor->SetActionEnabled(GMMultiCursorAction::COLLECT, Evaluate(mActions[ACTION_COLLECT].mEnabled));
    mMultiCursor->SetActionEnabled(GMMultiCursorAction::USE, Evaluate(mActions[ACTION_USE].mEnabled));
    mMultiCursor->SetActionEnabled(GMMultiCursorAction::ANALYZE, Evaluate(mActions[ACTION_ANALYZE].mEnabled));
    mMultiCursor->SetActionEnabled(GMMultiCursorAction::TALK, mKind == KIND_INTERVIEW);
    if (mCursor != nullptr && mCursor->GetType() == GMCursor::TYPE_ITEM) {
        mCursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
    }
    mMultiCursor->SetListener(this);
    mMultiCursor->ShowAt(mMultiCursorPos);
    SetSceneHotspots(false);
}

void GMHotspot::OnAction(int aAction)
{
    if (mMultiCursor != nullptr) {
        mMultiCursor->RemoveListener(this);
        mMultiCursor->Hide(false);
    }
    if (mCursor != nullptr) {
        mCursor->SetCursor(GMCursor::TYPE_DEFAULT, LString());
    }
    mTalkPending = false;
    GMScene* scene = Scene();
    GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr;
    const int index = ActionIndex(aAction);
    switch (aAction) {
    case GMMultiCursorAction::LOOK:
        SetSceneInput(false);
        if (!PlayVoiceOver(SITUATION_LOOK) && !PlayActionCutScene(SITUATION_LOOK)) {
            SetSceneInput(true);
            if (mCursor != nullptr) {
                mCursor->SetVisible(true);
            }
        }
        break;
    case GMMultiCursorAction::COLLECT:
    case GMMultiCursorAction::ANALYZE:
        mCurrentAction = index;
        if (mInCloseUp) {
            AddItem();
        } else if (mCollectAnim != 0 && player != nullptr) {
            SetSceneHotspots(false);
            SetInputEnabled(false);
            player->PlayAction(mCollectAnim, this);
            if (aAction == GMMultiCursorAction::COLLECT) {
                // The rest follows at the animation's taking point.
                return;
            }
        } else {
            AddItem();
            ApplyActionData(mActions[index].mDoneEvents, mActions[index].mStateChanges);
            RefreshScene();
        }
        if (aAction == GMMultiCursorAction::ANALYZE) {
            SendToLab();
        }
        break;
    case GMMultiCursorAction::USE:
        if (!mItem.IsEmpty() && mCursor != nullptr) {
            mCursor->SetItemCursor(mItem);
        }
        RefreshScene();
        SetSceneInput(false);
        if (!PlayVoiceOver(SITUATION_USE) && !PlayActionCutScene(SITUATION_USE)) {
            SetSceneInput(true);
        }
        break;
    case GMMultiCursorAction::TALK:
        Talk();
        return;
    default:
        if (mCursor != nullptr) {
            mCursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
            mCursor->ReleaseCursor(LString());
        }
        break;
    }
    // The common end.
    const bool collects = aAction == GMMultiCursorAction::COLLECT || aAction == GMMultiCursorAction::ANALYZE;
    if (aAction == GMMultiCursorAction::LOOK || aAction == GMMultiCursorAction::USE || (collects && mInCloseUp)) {
        ApplyActionData(mActions[index].mDoneEvents, mActions[index].mStateChanges);
    }
    RefreshScene();
    if (mInCloseUp) {
        if (GMScene* current = Scene()) {
            current->SetInputEnabled(false);
            if (GMCloseUp* closeUp = current->GetCloseUp()) {
                closeUp->Refresh();
            }
        }
    } else if (aAction != GMMultiCursorAction::LOOK) {
        SetSceneHotspots(true);
    }
}

void GMHotspot::AddItem()
{
    if (mItem.IsEmpty()) {
        return;
    }
    GMPDA* pda = GMPDA::GetInstance();
    GMInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    if (inventory != nullptr) {
        inventory->AddItem(mItem);
    }
}

void GMHotspot::Talk()
{
    AddItem();
    ApplyActionData(mActions[ACTION_TALK].mDoneEvents, mActions[ACTION_TALK].mStateChanges);
    GMScene* scene = Scene();
    if (scene != nullptr) {
        scene->SetInputEnabled(false);
    }
    const GMHotspotInterview::Record* record =
        mKind == KIND_INTERVIEW ? static_cast<GMHotspotInterview*>(this)->GetRecord() : nullptr;
    GMCharacter* witness = record != nullptr && !record->mWitness.IsEmpty() ? SceneCharacter(record->mWitness) : nullptr;
    if (witness != nullptr && witness->SetInterviewMode(true, this)) {
        witness->SetAmbientSuspended(true);
        mTalkPending = true;
        return;
    }
    GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr;
    if (record != nullptr && record->mSeated && player != nullptr) {
        player->PlayAction(GM_ACTION_CHAIR_SIT, this);
        return;
    }
    OnTalk();
}

bool GMHotspot::OnTalk()
{
    const GMHotspotInterview::Record* record =
        mKind == KIND_INTERVIEW ? static_cast<GMHotspotInterview*>(this)->GetRecord() : nullptr;
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    GMInterview* interview = record != nullptr && interviews != nullptr ? interviews->SelectInterview(record->mInterviewId) : nullptr;
    if (interview != nullptr) {
        interview->SetInterviewPosition(record->mPosition);
        interview->SetTalkHotspot(this);
    }
    GMScene* scene = Scene();
    if (interview != nullptr && scene != nullptr && scene->StartInterview()) {
        return true;
    }
    L_ASSERT_FAILURE("Start interview failure.");
    // Nothing else will give the scene its input back.
    if (scene != nullptr) {
        scene->SetInputEnabled(true);
        scene->SetHotspotsEnabled(true);
        scene->SetMouseLock(false);
    }
    return false;
}

void GMHotspot::OnPlayerActionPoint()
{
    AddItem();
    const int index = mCurrentAction;
    if (index >= 0 && index < ACTION_COUNT) {
        ApplyActionData(mActions[index].mDoneEvents, mActions[index].mStateChanges);
    }
    if (index == ACTION_COLLECT) {
        // A collect with an animation ends here: the other hotspots take clicks again.
        RefreshScene();
        SetSceneHotspots(true);
    }
    SetInputEnabled(false);
}

void GMHotspot::OnPlayerActionDone(int aAction)
{
    if (aAction == GM_ACTION_CHAIR_SIT) {
        OnTalk();
        return;
    }
    RefreshScene();
    if (GMScene* scene = Scene()) {
        scene->SetInputEnabled(true);
        scene->SetHotspotsEnabled(true);
    }
}

// --- voice-overs ------------------------------------------------------------------------

bool GMHotspot::PlayVoiceOver(int aSituation)
{
    const LVectorString* list = aSituation >= 0 && aSituation < SITUATION_COUNT ? mVoiceOvers[aSituation] : nullptr;
    if (list == nullptr || list->GetCount() < 1) {
        return false;
    }
    LString id = list->GetRef(0);
    GMOptions* options = GMOptions::GetInstance();
    if (list->GetCount() > 2 && options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY) {
        id = list->GetRef(2);
    }
    const LString speaker = list->GetCount() > 1 ? list->GetRef(1) : LString(kPlayerKey);
    Raise(PlayedEvent(id));
    return StartVoice(id, speaker, LString(u"hotspotSound"), true);
}

bool GMHotspot::StartVoice(const LString& aId, const LString& aSpeakerKey, const LString& aSoundName, bool aFallbackGesture)
{
    delete mVoice;
    mVoice = L_NEW GMVoicedLine(this);
    if (mVoice == nullptr) {
        return false;
    }
    GMCharacter* speaker = SceneCharacter(aSpeakerKey);
    mVoice->SetStream(aSoundName, GMVoicedLine::SoundFile(aId));
    mVoice->SetGestures(LString(u"//gestures/") + aId + u".gk");
    mVoice->BindRole(0, speaker);
    mVoice->SetLipSync(speaker, LString(u"//dataroot/lipsync/") + aId + u".dat");
    bool found = false;
    const LString subtitle = GMVoicedLine::VoiceOverText(aId, found);
    mVoice->SetSubtitle(subtitle, found, GMVoicedLine::VoiceOverFont());
    if (!mVoice->Play()) {
        delete mVoice;
        mVoice = nullptr;
        return false;
    }
    mSpeaker = speaker;
    // Without its own gestures a line may move the player with one of three at random.
    LGestureAnimManager* animations = aFallbackGesture && mVoice->GetGestures() == nullptr ? LGestureAnimManager::Get() : nullptr;
    LAnimation* fallback = nullptr;
    if (animations != nullptr) {
        animations->SetRoot(LString(u"//animations"));
        const unsigned int handle = animations->CreateAnimation(LString(kFallbackGestures[LRandom::Next() % 3]));
        fallback = handle != 0 ? animations->GetAnimation(handle) : nullptr;
    }
    if (GMScene* scene = Scene()) {
        scene->SetInputEnabled(false);
        scene->SetHotspotsEnabled(false);
    }
    mVoicePlaying = true;
    if (fallback != nullptr) {
        GMScene* scene = Scene();
        if (GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr) {
            player->PlayGestureAnimation(fallback);
        }
    }
    if (mCursor != nullptr) {
        mCursor->ReleaseCursor(mId);
    }
    return true;
}

void GMHotspot::OnLineEnded(GMVoicedLine*)
{
    OnVoiceOverDone();
}

LISoundPlayer* GMHotspot::GetVoiceSound() const
{
    return mVoice != nullptr ? mVoice->GetSound() : nullptr;
}

LGesturePlayer* GMHotspot::GetGesturePlayer() const
{
    return mVoice != nullptr ? mVoice->GetGestures() : nullptr;
}

void GMHotspot::EndVoice()
{
    mVoicePlaying = false;
    // A line that ended on its own has faded the strip already.
    if (mVoice == nullptr || mVoice->IsPlaying()) {
        if (GMSubtitle* strip = GMSubtitle::GetInstance()) {
            strip->FadeOut();
        }
    }
    // Deleted from inside its own end notice: the line touches nothing of itself after
    // telling its listener.
    delete mVoice;
    mVoice = nullptr;
}

void GMHotspot::OnVoiceOverDone()
{
    EndVoice();
    if (!mInCloseUp) {
        if (GMScene* scene = Scene()) {
            scene->SetInputEnabled(true);
            scene->SetMouseLock(false);
        }
    }
    if (mCursor != nullptr) {
        mCursor->SetVisible(true);
    }
    if (!mInCloseUp) {
        SetSceneHotspots(true);
    }
}
