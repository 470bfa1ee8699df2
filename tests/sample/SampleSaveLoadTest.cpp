// The sample's save and load screens as a player sees them: their buttons lie inside the
// frame drawn on the backgrounds, and the load screen's buttons clear its grid of slots.
#include "LImage.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The inner line of the backgrounds' frame: columns 16 and 783, rows 16 and 583.
constexpr float kFrameFirst = 16.0f;
constexpr float kFrameRight = 783.0f;
constexpr float kFrameBottom = 583.0f;

struct Box
{
    float mLeft = 0.0f;
    float mTop = 0.0f;
    float mRight = 0.0f;
    float mBottom = 0.0f;
};

// The bounds of an entry's "activearea" polygon.
Box Area(const LPropertyList* aEntry)
{
    bool found = false;
    const LVectorFloat points = aEntry->GetVectorFloat(LString("activearea"), found);
    EXPECT_TRUE(found && points.GetCount() >= 6) << ToStd(aEntry->GetString(LString("id"), found));
    Box box {1e9f, 1e9f, -1e9f, -1e9f};
    for (int i = 0; i + 1 < points.GetCount(); i += 2) {
        box.mLeft = std::min(box.mLeft, points[i]);
        box.mRight = std::max(box.mRight, points[i]);
        box.mTop = std::min(box.mTop, points[i + 1]);
        box.mBottom = std::max(box.mBottom, points[i + 1]);
    }
    return box;
}

// Where a sprite entry's picture ends below its position.
float PictureBottom(const LPropertyList* aEntry)
{
    bool found = false;
    const LVectorFloat position = aEntry->GetVectorFloat(LString("position"), found);
    const LString texture = aEntry->GetString(LString("texture"), found);
    LImage* image = nullptr;
    const bool loaded = LImage::CreateFromFile(LString("//textures/menu/") + texture, &image) && image != nullptr;
    EXPECT_TRUE(loaded) << ToStd(texture);
    const float bottom = loaded && position.GetCount() == 2 ? position[1] + static_cast<float>(image->GetHeight()) : 1e9f;
    delete image;
    return bottom;
}

} // namespace

TEST(SampleSaveLoad, ButtonsLieInsideTheFrameAndBelowTheGrid)
{
    ASSERT_TRUE(LSampleRoots::Mount());
    const struct
    {
        const char* mFile;
        const char* mButtons;
    } screens[] = {{"//textures/menu/save_screen_layout.txt", "save_screen.g02-buttons"},
                   {"//textures/menu/load_screen_layout.txt", "load_screen.g02-buttons"}};
    for (const auto& screen : screens) {
        LPropertyList layout;
        ASSERT_TRUE(layout.Load(LString(screen.mFile), true)) << screen.mFile;
        const LPropertyList* buttons = layout.GetList(LString(screen.mButtons));
        ASSERT_NE(nullptr, buttons) << screen.mButtons;
        for (int i = 0; i < buttons->GetCount(); ++i) {
            const Box box = Area(buttons->GetListAt(i));
            const std::string what = std::string(screen.mButtons) + " " + ToStd(buttons->GetKeyAt(i));
            EXPECT_GT(box.mLeft, kFrameFirst) << what;
            EXPECT_GT(box.mTop, kFrameFirst) << what;
            EXPECT_LT(box.mRight, kFrameRight) << what;
            EXPECT_LT(box.mBottom, kFrameBottom) << what;
        }
    }

    // Neither a slot's click area nor its panel or bracket reaches down to the buttons.
    LPropertyList layout;
    ASSERT_TRUE(layout.Load(LString("//textures/menu/load_screen_layout.txt"), true));
    const LPropertyList* buttons = layout.GetList(LString("load_screen.g02-buttons"));
    const LPropertyList* panels = layout.GetList(LString("load_screen.g03-black_background.sprites"));
    const LPropertyList* brackets = layout.GetList(LString("load_screen.g04-selection_brackets"));
    ASSERT_NE(nullptr, buttons);
    ASSERT_NE(nullptr, panels);
    ASSERT_NE(nullptr, brackets);
    float buttonsTop = 1e9f;
    for (int i = 0; i < buttons->GetCount(); ++i) {
        buttonsTop = std::min(buttonsTop, Area(buttons->GetListAt(i)).mTop);
    }
    ASSERT_EQ(6, panels->GetCount());
    ASSERT_EQ(6, brackets->GetCount());
    for (int s = 0; s < 6; ++s) {
        EXPECT_LT(Area(brackets->GetListAt(s)).mBottom, buttonsTop) << s;
        EXPECT_LT(PictureBottom(brackets->GetListAt(s)), buttonsTop) << s;
        EXPECT_LT(PictureBottom(panels->GetListAt(s)), buttonsTop) << s;
    }
}
