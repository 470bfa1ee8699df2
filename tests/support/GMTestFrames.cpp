#include "support/GMTestFrames.h"

#include "GMApp.h"
#include "support/LFakeTimer.h"

bool GMAppFrames(int aCount, double aStep)
{
    GMApp* app = GMApp::GetInstance();
    bool all = app != nullptr;
    for (int i = 0; app != nullptr && i < aCount; ++i) {
        LFakeTimer::sNow += aStep;
        all = app->Update() && all;
    }
    return all;
}
