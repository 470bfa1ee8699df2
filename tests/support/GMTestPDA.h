// The PDA over a bare scene, for the tests of the PDA's panels: the recording fakes (the
// timer at 1.0), fresh roots holding the sample's PDA files, the subtitle strip's picture
// and the test fonts, case 1 selected. Start makes a scene current and shows it (so it is
// the PDA's listener and the bar is up), which builds the PDA from the files written so
// far; the destructor takes the scene back and deletes the game cleaner.
#pragma once
#include "support/GMTestRoots.h"

#include <memory>

class GMPDA;
class GMScene;

class GMTestPDA
{
public:
    GMTestPDA();
    ~GMTestPDA();
    GMTestPDA(const GMTestPDA&) = delete;
    GMTestPDA& operator=(const GMTestPDA&) = delete;

    // Whether the roots, the sample's files and the fonts are in place.
    bool Prepared() const { return mPrepared; }
    // The scene made current and shown, the PDA built; false when one fails.
    bool Start();
    // Opens the PDA without the zoom; false when it does not open.
    bool Open();

    const GMTestRoots& Roots() const { return mRoots; }
    GMScene* Scene() const { return mScene.get(); }
    GMPDA* PDA() const { return mPDA; }

    // Sets "sta_selectedcase" to the case aCase (not notified).
    static void SelectCase(const char* aCase);

private:
    GMTestRoots mRoots;
    bool mPrepared = false;
    std::unique_ptr<GMScene> mScene;
    GMPDA* mPDA = nullptr;
};
