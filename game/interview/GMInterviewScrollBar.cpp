#include "interview/GMInterviewScrollBar.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LScrollBarParams.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <initializer_list>

GMInterviewScrollBar::GMInterviewScrollBar() = default;

GMInterviewScrollBar::~GMInterviewScrollBar()
{
    // The scroll bar lets go of the buttons before the group deletes them.
    delete mScrollBar;
    delete mGroup.Get();
}

LString GMInterviewScrollBar::Dump() const
{
    return DumpHead("GMInterviewScrollBar") + "]";
}

bool GMInterviewScrollBar::Create(LPropertyList* aLayout, LDisplayGroup* aParent)
{
    delete mScrollBar;
    mScrollBar = nullptr;
    delete mGroup.Get();
    mGroup = L_NEW LDisplayGroup();
    if (mGroup == nullptr) {
        L_ERROR("Create failure. Out of memory.");
        return false;
    }
    mGroup->SetId(LString("interviewscrollbar"));
    if (aParent != nullptr && !aParent->AddMember(mGroup, true)) {
        L_ASSERT_FAILURE("Create failure. The scroll bar group was refused.");
    }

    LPropertyList* sprites = aLayout != nullptr ? aLayout->GetList(LString("groups.scrollbar.sprites")) : nullptr;
    if (sprites == nullptr) {
        L_ASSERT_FAILURE("'groups.scrollbar.sprites' not found.");
    } else if (!LLayoutBuilder::BuildSprites(sprites, mGroup)) {
        L_ASSERT_FAILURE("");
    }

    LScrollBarParams params;
    LPropertyList* buttons = aLayout != nullptr ? aLayout->GetList(LString("groups.scrollbar.buttons")) : nullptr;
    if (buttons == nullptr) {
        L_ASSERT_FAILURE("'groups.scrollbar.buttons' not found.");
    } else {
        struct Part
        {
            const char* mKey;
            LButton* LScrollBarParams::*mSlot;
        };
        for (const Part& part : {Part {"btnarrowup", &LScrollBarParams::mUpArrow},
                                 Part {"btnarrowdn", &LScrollBarParams::mDownArrow},
                                 Part {"btnbar", &LScrollBarParams::mBar}}) {
            LButton* button = LLayoutBuilder::BuildButton(buttons->GetList(LString(part.mKey)), nullptr);
            if (button == nullptr) {
                L_ASSERT_FAILURE(LString("'") + part.mKey + "' not found.");
            } else if (!mGroup->AddMember(button, true)) {
                delete button;
            } else {
                params.*part.mSlot = button;
            }
        }
    }
    params.mBarHeight = kBarHeight;
    params.mBarAreaHeight = kBarAreaHeight;
    params.mContentHeight = kContentHeight;
    params.mContentStartPos = LVector2(kContentStartX, kContentStartY);
    params.mScrollAreaHeight = kScrollAreaHeight;
    params.mScrollIncrement = kScrollIncrement;
    params.mHorizontal = 0;
    mScrollBar = L_NEW LScrollBar();
    if (mScrollBar == nullptr || !mScrollBar->Create(params)) {
        L_ASSERT_FAILURE("");
    }
    mGroup->SetBlend(kDimmedBlend);
    return true;
}

bool GMInterviewScrollBar::SetTopicArea(LIDisplayObject* aArea)
{
    return mScrollBar != nullptr && mScrollBar->SetContentGroup(aArea) != 0;
}

bool GMInterviewScrollBar::SetBlend(float aBlend)
{
    return mGroup != nullptr && mGroup->SetBlend(aBlend);
}
