// The keypad's seven-place display: the digit sprites of every place, hidden, of which the
// entered keys show one per place ("dsp_0" + place + "_" + digit, places 1 to 7).
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "container/LVectorString.h"

class LPropertyList;

class GMCombinationDisplay : public LDisplayGroup
{
public:
    static constexpr int kPlaces = 7;

    GMCombinationDisplay();
    GMCombinationDisplay(const GMCombinationDisplay&) = delete;
    GMCombinationDisplay& operator=(const GMCombinationDisplay&) = delete;
    ~GMCombinationDisplay() override;

    LString Dump() const override;

    // Builds every sprite list of aSprites, hidden (a list that builds nothing is skipped).
    bool Create(LPropertyList* aSprites);
    // Appends aDigit while fewer than seven are held, then shows the held ones.
    void AddDigit(const LString& aDigit);
    // The held key ids joined in order.
    LString GetCode() const;
    // Forgets the held ids and hides what showed.
    void Clear();

    int GetDigitCount() const { return mDigits.GetCount(); }
    LIDisplayObject* GetShown(int aPlace) const { return aPlace >= 0 && aPlace < kPlaces ? mShown[aPlace] : nullptr; }

private:
    void Refresh();
    void HideShown();

    LVectorString mDigits;
    LIDisplayObject* mShown[kPlaces] = {};
};
