// What the PDA's panels with scrolled content share (map, log, phone directory and the
// inventory): the selected case, a content group of theirs put into the PDA's scroll area
// with its height, and the mouse wheel moving the PDA's scroll bar one step a notch.
//
// A panel keeps one of these as a member. It owns the content group it makes: Renew
// deletes the previous one (taken out of the scroll area first), and so does the
// destructor, which also leaves the mouse.
#pragma once
#include "Input/LIMouseListener.h"
#include "container/LString.h"

class LDisplayGroup;

class GMPDAScrollContent : public LIMouseListener
{
public:
    // The selected case ("sta_selectedcase", a number truncated to an integer) in aCase;
    // false, with aCase untouched, when the state is missing or not a number.
    static bool GetSelectedCase(int& aCase);
    // One step of the PDA's scroll bar: up for a delta of 0 or more, down otherwise.
    static void ScrollStep(float aDelta);

    explicit GMPDAScrollContent(const LString& aId);
    GMPDAScrollContent(const GMPDAScrollContent&) = delete;
    GMPDAScrollContent& operator=(const GMPDAScrollContent&) = delete;
    ~GMPDAScrollContent() override;

    // A new empty content group under the id, the previous one deleted; null (logged) when
    // it cannot be made.
    LDisplayGroup* Renew();
    // Deletes the content group, taking it out of the scroll area first.
    void Delete();
    LDisplayGroup* GetGroup() const { return mGroup; }

    // The content group active and enabled, made the PDA's scroll content with aHeight,
    // and the wheel heard. False when a step fails (the others are still done).
    bool Show(int aHeight);
    // The wheel no longer heard, the content taken out of the scroll area (when it is the
    // content there) and made inactive. The group is kept.
    void Hide();
    bool IsInScrollArea() const;

    void OnButtonDown(int) override {}
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override {}
    void OnWheel(float aDelta) override;

private:
    LString mId;
    LDisplayGroup* mGroup = nullptr;
};
