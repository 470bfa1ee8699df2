#include "puzzles/combination/GMCombinationDisplay.h"

#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "container/LPropertyList.h"
#include "stdlib/LLog.h"

GMCombinationDisplay::GMCombinationDisplay() = default;

GMCombinationDisplay::~GMCombinationDisplay() = default;

LString GMCombinationDisplay::Dump() const
{
    return DumpHead("GMCombinationDisplay") + " " + GetCode() + "]";
}

bool GMCombinationDisplay::Create(LPropertyList* aSprites)
{
    mDigits.RemoveAll();
    HideShown();
    for (int i = 0; aSprites != nullptr && i < aSprites->GetCount(); ++i) {
        LSprite* sprite = LLayoutBuilder::BuildSprite(aSprites->GetListAt(i));
        if (sprite == nullptr) {
            continue;
        }
        sprite->SetVisible(false);
        if (!AddMember(sprite, true)) {
            L_ASSERT_FAILURE(LString());
            delete sprite;
        }
    }
    return true;
}

void GMCombinationDisplay::AddDigit(const LString& aDigit)
{
    if (mDigits.GetCount() < kPlaces) {
        mDigits.Append(aDigit);
    }
    Refresh();
}

LString GMCombinationDisplay::GetCode() const
{
    LString code;
    for (int i = 0; i < mDigits.GetCount(); ++i) {
        code += mDigits[i];
    }
    return code;
}

void GMCombinationDisplay::Clear()
{
    mDigits.RemoveAll();
    HideShown();
}

void GMCombinationDisplay::HideShown()
{
    for (LIDisplayObject*& shown : mShown) {
        if (shown != nullptr) {
            shown->SetVisible(false);
            shown = nullptr;
        }
    }
}

void GMCombinationDisplay::Refresh()
{
    HideShown();
    for (int i = 0; i < mDigits.GetCount() && i < kPlaces; ++i) {
        LIDisplayObject* sprite = GetMember(LString("dsp_0") + (i + 1) + "_" + mDigits[i]);
        if (sprite != nullptr) {
            sprite->SetVisible(true);
            mShown[i] = sprite;
        }
    }
}
