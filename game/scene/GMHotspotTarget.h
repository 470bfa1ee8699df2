// A place where an item from the inventory is used: a click with an item in hand raises
// "evt_used_" + item + "_" + id and plays the satisfied line (applying the target's data)
// when the item is one it accepts, else the unsatisfied line; a click with nothing in hand
// plays the look line.
#pragma once
#include "scene/GMHotspot.h"

class GMHotspotTarget : public GMHotspot
{
public:
    struct Record : KindData
    {
        LVectorString mSatisfied;
        LVectorString mDoneEvents;
        LVectorString mStateChanges;
    };

    GMHotspotTarget();
    ~GMHotspotTarget() override;

    // The base data, then "typedata.target".
    bool Load(const LPropertyList* aEntry) override;
    // Hovering: the target cursor, highlighted over an item in hand.
    void UpdateCursor() override;
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    // The click on the target.
    void CheckTargetSatisfied();

    const Record* GetRecord() const { return static_cast<const Record*>(mKindData); }
};
