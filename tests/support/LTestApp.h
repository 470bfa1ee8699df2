// An application for platform tests. It counts its calls into a record that outlives it
// (the platform deletes its application), writes each input call to the record's call
// list, forwards keys to LKeyboard and the mouse to LMouse as the application shell does
// (the position clamped to 800 x 600 in place, the wheel as the difference from the last
// total), and runs a hook on each Update with the frame number (1 first).
#pragma once
#include "Render/LApp.h"

#include <functional>
#include <string>
#include <vector>

struct LTestAppRecord
{
    int mInit = 0;
    int mUpdate = 0;
    int mQuit = 0;
    int mActivate = 0;
    int mDeactivate = 0;
    bool mDeleted = false;
    std::vector<std::string> mCalls;
};

class LTestApp : public LApp
{
public:
    explicit LTestApp(LTestAppRecord* aRecord, std::function<void(int)> aOnUpdate = nullptr);
    ~LTestApp() override;

    bool Init() override;
    bool Update() override;
    void OnQuit() override;
    void OnActivate() override;
    void OnDeactivate() override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;
    void OnButtonDown(const char16_t* aDevice, int aButton) override;
    void OnButtonUp(const char16_t* aDevice, int aButton) override;
    void OnMove(const char16_t* aDevice, LVector2& aValue) override;

private:
    LTestAppRecord* mRecord;
    std::function<void(int)> mOnUpdate;
    float mLastWheel = 0.0f;
};

// "x,y" of a position with whole-number coordinates.
std::string LTestPoint(float aX, float aY);
