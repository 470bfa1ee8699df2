#include "puzzles/pobox/GMPOBoxDial.h"

#include "Gdi/LButton.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "puzzles/pobox/GMPOBoxPuzzle.h"
#include "stdlib/LLog.h"

GMPOBoxDial::GMPOBoxDial() = default;

GMPOBoxDial::~GMPOBoxDial() = default;

LString GMPOBoxDial::Dump() const
{
    return DumpHead("GMPOBoxDial") + " " + GetId() + " " + mValue + "]";
}

bool GMPOBoxDial::Create(LPropertyList* aEntry, GMPOBoxPuzzle* aOwner)
{
    mOwner = aOwner;
    if (aEntry == nullptr) {
        return false;
    }
    bool found = false;
    const LString id = aEntry->GetString(LString("id"), found);
    if (found) {
        SetId(id);
    }
    const LVectorFloat position = aEntry->GetVectorFloat(LString("position"), found);
    if (found && position.GetCount() == 2) {
        SetPosition(position[0], position[1]);
    }
    LSprite* face = LLayoutBuilder::BuildSprite(aEntry->GetList(LString("sprite")));
    if (face == nullptr || !AddMember(face, true)) {
        L_ERROR("Dial without a face: " + GetId());
        delete face;
    } else {
        mFace = face;
        // The face turns about its middle, which stays where the layout puts it; turned
        // about its corner it would swing out over the button and take its clicks.
        const LVectorFloat coords =
            aEntry->GetList(LString("sprite"))->GetVectorFloat(LString("texturecoords"), found);
        if (found && coords.GetCount() == 4 && coords[2] >= coords[0] && coords[3] >= coords[1]) {
            const LVector2 middle((coords[2] - coords[0] + 1.0f) / 2.0f, (coords[3] - coords[1] + 1.0f) / 2.0f);
            face->SetCenter(middle);
            face->SetPosition(middle.x, middle.y);
        }
    }
    // The button is a member: it goes with the dial, its listener.
    LButton* button = LLayoutBuilder::BuildButton(aEntry->GetList(LString("button")), this);
    if (button == nullptr || !AddMember(button, true)) {
        L_ERROR("Dial without a button: " + GetId());
        delete button;
    }
    return true;
}

void GMPOBoxDial::SetValue(int aDigit)
{
    mValue = aDigit >= 0 && aDigit <= 9 ? aDigit : 0;
    if (mFace != nullptr) {
        mFace->SetRotation(static_cast<float>(mValue) * kDegreesPerDigit);
    }
    if (mOwner != nullptr) {
        mOwner->CheckCombination();
    }
}

void GMPOBoxDial::OnButton(const LString&, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    SetValue(mValue + 1);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
}
