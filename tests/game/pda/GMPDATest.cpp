// The PDA that cannot open yet: never open, its listener kept, its inventory owned, and
// on the engine's cleaner.
#include "pda/GMPDA.h"

#include "pda/GMIPDAListener.h"
#include "pda/GMInventoryPanel.h"
#include "stdlib/LCleaner.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

namespace {

struct Listener : GMIPDAListener
{
    void OnPDAEvent(int aCode) override { mHeard = aCode; }
    int mHeard = -1;
};

} // namespace

TEST(PDA, KeepsItsListenerAndInventoryOnTheEngineCleaner)
{
    LLogCapture log;
    GMPDA* pda = GMPDA::GetInstance();
    ASSERT_NE(nullptr, pda);
    EXPECT_EQ(pda, LCleaner::Get()->GetInstanceAt(0));
    EXPECT_FALSE(pda->IsOpen());
    pda->Close();
    ASSERT_NE(nullptr, pda->GetInventoryPanel());

    Listener first;
    Listener second;
    EXPECT_EQ(0, pda->SetListener(nullptr));
    EXPECT_EQ(0, pda->RemoveListener(nullptr));
    EXPECT_EQ(1, log.Count("SetListener failure. NULL arg."));
    EXPECT_EQ(1, log.Count("RemoveListener failure. NULL arg."));
    EXPECT_EQ(1, pda->SetListener(&first));
    EXPECT_EQ(0, pda->RemoveListener(&second));
    pda->NotifyListener(GMIPDAListener::EVENT_MINIMIZED);
    EXPECT_EQ(1, first.mHeard);
    EXPECT_EQ(1, pda->RemoveListener(&first));
    pda->NotifyListener(GMIPDAListener::EVENT_OPENED);
    EXPECT_EQ(1, first.mHeard);

    delete LCleaner::Get();
    EXPECT_EQ(nullptr, GMPDA::GetInstance());
}
