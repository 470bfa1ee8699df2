// The phone's directory: the selected case's contacts ("groups.g07-directory_content.case"
// + N of the phone layout), each a row 20 pixels high with its name, number and a call
// button, listed while its "enabled" script holds (a contact not listed keeps its empty
// row). A call rings under the contact's id; when the ring ends the player takes out the
// phone, the PDA shrinks into the corner and the contact's interview starts as a phone
// call; when it gives control back the PDA grows again and the directory is rebuilt.
//
// A call that cannot be made (no contact entry, no selected case, an interview that
// cannot be selected) is logged and given up: the PDA comes back (growing when it had
// shrunk), takes input again, and the directory shows again.
#pragma once
#include "Gdi/LIButtonListener.h"
#include "LVector2.h"
#include "Sound/LISoundListener.h"
#include "container/LString.h"
#include "interview/GMIInterviewListener.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"

class GMInterview;
class LDisplayGroup;
class LISoundPlayer;
class LPropertyList;
class LSprite;
class LTextArea;
class GMPDAScrollContent;

class GMPhoneDirectoryPanel : public LBase,
                              public LIButtonListener,
                              public LISoundListener,
                              public LIFrameListener,
                              public GMIInterviewListener
{
public:
    static constexpr float kRowTop = 18.0f;
    static constexpr float kRowHeight = 20.0f;
    static constexpr int kContentHeight = 255;
    static constexpr float kStepTime = 0.02f;
    static constexpr float kScaleStep = 0.04f;
    static constexpr float kMoveStep = 0.08f;

    GMPhoneDirectoryPanel();
    GMPhoneDirectoryPanel(const GMPhoneDirectoryPanel&) = delete;
    GMPhoneDirectoryPanel& operator=(const GMPhoneDirectoryPanel&) = delete;
    ~GMPhoneDirectoryPanel() override;

    LString Dump() const override;

    // Keeps the layout (not owned), makes the directory group and the overlay. True.
    bool Create(LPropertyList* aLayout);
    // Builds the contact rows of the selected case into a new content group, the PDA's
    // scroll content, and lays the overlay over the PDA.
    void Show();
    // The content out of the scroll area and deleted, the overlay off the PDA.
    void Hide();
    // Rings aContactId (see the class comment); false when the call is given up.
    bool Call(const LString& aContactId);
    // A call still ringing is hung up (the PDA was closed under it): the ring and the
    // call's texts go and the player's ambient animation resumes. A connected call goes on.
    void HangUpRinging();

    void OnButton(const LString& aId, int aEvent) override;
    void OnSoundEnded(const LString& aId) override;
    void OnFrame() override;
    void OnInterviewEvent(int aCode) override;

    LDisplayGroup* GetGroup() const { return mGroup; }
    LDisplayGroup* GetContentGroup() const;
    LDisplayGroup* GetCallGroup() const { return mCallGroup; }
    LSprite* GetOverlay() const { return mOverlay; }
    LISoundPlayer* GetRing() const { return mRing; }
    bool IsShrinking() const { return mShrinking; }
    bool IsGrowing() const { return mGrowing; }
    float GetScale() const { return mScale; }
    GMInterview* GetInterview() const { return mInterview; }

private:
    // The contact entry of the selected case, or null (logged).
    LPropertyList* FindContact(const LString& aContactId) const;
    LTextArea* MakeText(const LString& aId, float aWidth, const LString& aText, float aX, float aY);
    void DeleteCallGroup();
    void StartAnimation();
    void StopAnimation();
    // Places the PDA group along the move (whole pixels) while the progress lasts.
    void Move();
    void ApplyScale();
    void StartInterview();
    // The call given up: the PDA back (grown when shrunk) and the directory shown again.
    void GiveUp();
    void ResumePlayer() const;
    double Now() const;

    LPropertyList* mLayout = nullptr;
    LDisplayGroup* mGroup = nullptr;
    GMPDAScrollContent* mContent = nullptr;
    LDisplayGroup* mCallGroup = nullptr;
    LSprite* mOverlay = nullptr;
    LISoundPlayer* mRing = nullptr;
    LTextArea* mNameText = nullptr;
    LTextArea* mNumberText = nullptr;
    bool mShrinking = false;
    bool mGrowing = false;
    bool mShrinkDone = false;
    bool mShrunk = false;
    float mScale = 1.0f;
    double mNextStep = 0.0;
    bool mMoving = false;
    LVector2 mTarget {50.0f, 50.0f};
    LVector2 mReturn {0.0f, 0.0f};
    LVector2 mStart {0.0f, 0.0f};
    float mProgress = 1.0f;
    LString mInterviewId;
    GMInterview* mInterview = nullptr;
    bool mFrameListening = false;
};
