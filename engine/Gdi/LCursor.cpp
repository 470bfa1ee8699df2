#include "Gdi/LCursor.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LHashKeyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {
LSingleton<LCursor> sCursor;
constexpr float kMousePriority = -1000.0f;
constexpr float kRelativeZ = 10000.0f;
} // namespace

class LCursor::Group : public LDisplayGroup
{
public:
    explicit Group(LCursor* aCursor) : mCursor(aCursor) {}

    ~Group() override
    {
        if (mCursor != nullptr) {
            mCursor->mGroup = nullptr;
            // The state objects go with the group.
            if (mCursor->mStates != nullptr) {
                mCursor->mStates->RemoveAll();
            }
        }
    }

    // The cursor deletes the group itself.
    void Release() { mCursor = nullptr; }

private:
    LCursor* mCursor;
};

LCursor* LCursor::Get()
{
    return sCursor.Get(L_FILE, __LINE__, "LCursor creation failure.");
}

LCursor::LCursor() : mStates(L_NEW LHashKeyList(7, false))
{
    Group* group = L_NEW Group(this);
    mGroup = group;
    if (mGroup != nullptr) {
        mGroup->SetId(LString("cursorgroup"));
        mGroup->SetRelativeZ(kRelativeZ);
        LDisplayManager* display = LDisplayManager::Get();
        if (display == nullptr || !display->AddMember(mGroup)) {
            L_ERROR("AddMember failure: cursorgroup");
        }
    }
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr || !mouse->AddMember(this, kMousePriority)) {
        L_ERROR("AddMember failure. Mouse listener.");
    }
    SetVisible(true);
}

LCursor::~LCursor()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    if (mGroup != nullptr) {
        static_cast<Group*>(mGroup)->Release();
        // Leaves the root group and deletes the state objects.
        delete mGroup;
        mGroup = nullptr;
    }
    if (mStates != nullptr) {
        mStates->RemoveAll();
        delete mStates;
        mStates = nullptr;
    }
    sCursor.Destroyed(this);
}

LString LCursor::Dump() const
{
    return DumpHead("LCursor") + "]";
}

int LCursor::AddState(const LString& aId, LIDisplayObject* aObject)
{
    if (aObject == nullptr) {
        L_ERROR("AddState failure. Invalid arg.");
        return 0;
    }
    if (mStates == nullptr || mGroup == nullptr) {
        return 0;
    }
    // A state that is not in the list would never be hidden by SetState, and an object
    // the group refuses would be shown by it without being drawn or owned.
    if (mStates->IndexOf(aId) >= 0) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    mStates->AddAt(aId, aObject, true);
    if (mStates->IndexOf(aId) < 0) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    if (!mGroup->AddMember(aObject, true)) {
        mStates->RemoveAt(aId, nullptr);
        return 0;
    }
    return 1;
}

int LCursor::RemoveState(const LString& aId, LIDisplayObject** aOut)
{
    void* value = nullptr;
    if (mStates == nullptr || !mStates->RemoveAt(aId, &value) || value == nullptr) {
        return 0;
    }
    LIDisplayObject* object = static_cast<LIDisplayObject*>(value);
    if (aOut != nullptr) {
        *aOut = object;
    }
    return mGroup != nullptr && mGroup->RemoveMember(object) ? 1 : 0;
}

int LCursor::SetState(const LString& aId)
{
    if (mStates == nullptr || mStates->IndexOf(aId) < 0) {
        L_ERROR("SetState failure. Invalid id:" + aId);
        return 0;
    }
    const int count = mStates->GetCount();
    int result = 1;
    for (int i = 0; i < count; ++i) {
        LString key;
        mStates->GetKeyAt(i, key);
        LIDisplayObject* object = static_cast<LIDisplayObject*>(mStates->GetAt(i));
        if (object == nullptr || !object->SetActive(key == aId)) {
            result = 0;
        }
    }
    return result;
}

void LCursor::SetVisible(bool aVisible)
{
    if (aVisible == mVisible) {
        return;
    }
    mVisible = aVisible;
    if (mGroup == nullptr) {
        return;
    }
    mGroup->SetActive(aVisible);
    if (LMouse* mouse = LMouse::Get()) {
        LVector2 position;
        mGroup->SetPosition(mouse->GetPosition(position));
    }
}

void LCursor::SetRelativeZ(float aZ)
{
    if (mGroup != nullptr) {
        mGroup->SetRelativeZ(aZ);
    }
}

void LCursor::OnButtonDown(int)
{
}

void LCursor::OnMove(const LVector2& aPosition)
{
    if (mGroup != nullptr) {
        mGroup->SetPosition(aPosition);
    }
}

void LCursor::OnButtonUp(int)
{
}
