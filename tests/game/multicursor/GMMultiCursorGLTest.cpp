// A whole run of the game's application that ends with the action menu open over the
// subtitle strip: the menu goes with the display tree after the singletons it reaches,
// and the exit stays clean.
#include "GMApp.h"
#include "GMMain.h"

#include "interview/GMSubtitle.h"
#include "multicursor/GMMultiCursor.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFrameListener.h"
#include "support/GMTestRoots.h"
#include "support/LLogCapture.h"
#include "support/LSdlEvents.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"
#include "writers/LImageBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Opens the menu and shows a line at the first frame, closes the window at the third.
struct Frames : LIFrameListener
{
    void OnFrame() override
    {
        if (++mFrame == 1) {
            GMSubtitle* strip = GMSubtitle::GetInstance();
            strip->Show();
            GMMultiCursor* menu = GMMultiCursor::GetInstance();
            menu->SetActionEnabled(GMMultiCursorAction::TALK, true);
            menu->ShowAt(LVector2(200.0f, 100.0f));
        } else if (mFrame == 3) {
            LSdlEvents::Close();
        }
    }
    int mFrame = 0;
};

} // namespace

TEST(GMMultiCursorRun, TheProgramExitsCleanlyWithTheMenuOpen)
{
    LLogCapture log;
    ASSERT_TRUE(GMMain::RegisterComponents());
    GMTestRoots roots;
    ASSERT_TRUE(roots.Mounted());
    roots.Write("data/textures/multicursor.tga", LImageBytes::Tga(256, 256, 32, 8, std::string(256 * 256 * 4, '\x40')));
    roots.Write("data/textures/subtitleBG.tga", LImageBytes::Tga(16, 16, 32, 8, std::string(16 * 16 * 4, '\x20')));
    Frames frames;
    ASSERT_TRUE(LFrameManager::Get()->AddListener(&frames, 0.0f));
    EXPECT_EQ(0, GMMain::RunApplication([]() -> LApp* { return GMApp::GetInstance(); }));
    EXPECT_EQ(3, frames.mFrame);
    // Gone with the game cleaner.
    EXPECT_EQ(nullptr, GMCleaner::Peek());
    for (const std::string& line : log.Lines()) {
        const bool fault = line.find("ERROR") != std::string::npos || line.find("ASSERT") != std::string::npos;
        EXPECT_FALSE(fault && (line.find("multicursor") != std::string::npos || line.find("GMSubtitle") != std::string::npos ||
                               line.find("LToolTip") != std::string::npos || line.find("LFrameManager") != std::string::npos ||
                               line.find("LFader") != std::string::npos))
            << line;
    }
    EXPECT_TRUE(log.Contains("allocs"));
}
