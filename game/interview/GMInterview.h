// One interview with a witness. Interviews cannot be played yet and none is ever made;
// the operations the scene calls on the current interview are here already.
#pragma once
#include "LVector2.h"
#include "container/LString.h"
#include "object/LBase.h"

class GMIInterviewListener;

class GMInterview : public LBase
{
public:
    GMInterview();
    ~GMInterview() override;

    LString Dump() const override;

    // Where the interview panel stands on the screen.
    void SetInterviewPosition(const LVector2& aPosition) { mPosition = aPosition; }
    const LVector2& GetInterviewPosition() const { return mPosition; }
    // Told 0 when the interview takes over and 1 when it gives control back.
    void SetListener(GMIInterviewListener* aListener) { mListener = aListener; }
    GMIInterviewListener* GetListener() const { return mListener; }
    const LString& GetWitnessId() const { return mWitnessId; }

private:
    LVector2 mPosition {0.0f, 0.0f};
    GMIInterviewListener* mListener = nullptr;
    LString mWitnessId;
};
