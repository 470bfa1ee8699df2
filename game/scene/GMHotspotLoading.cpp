// The hotspot's making and loading: Create by type, and the entry's region, display
// member, mesh, actions, voice-over and cut-scene lists and object of interest.
#include "scene/GMHotspot.h"

#include "Gdi/LDisplayGroup.h"
#include "LPolygon.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "scene/GMCloseUp.h"
#include "scene/GMHotspotInterview.h"
#include "scene/GMHotspotNavigate.h"
#include "scene/GMHotspotTarget.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"

namespace {

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

} // namespace

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
    GMScene* scene = GMSceneManager::GetCurrentScene();
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
    GMScene* scene = GMSceneManager::GetCurrentScene();
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
