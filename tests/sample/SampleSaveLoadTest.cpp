// The sample's save and load screens as a player sees them: their buttons lie inside the
// frame drawn on the backgrounds, below the load screen's grid of slots.
#include "LImage.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The inner line of the backgrounds' frame: columns 16 and 783, rows 16 and 583.
constexpr float kFrameFirst = 16.0f;
constexpr float kFrameRight = 783.0f;
constexpr float kFrameBottom = 583.0f;

// The values of an entry's list of numbers aKey at odd (aY) or even places.
std::vector<float> Coordinates(const LPropertyList* aEntry, const char* aKey, bool aY)
{
    bool found = false;
    const LVectorFloat numbers = aEntry->GetVectorFloat(LString(aKey), found);
    std::vector<float> values;
    for (int i = aY ? 1 : 0; i < numbers.GetCount(); i += 2) {
        values.push_back(numbers[i]);
    }
    EXPECT_FALSE(values.empty()) << aKey;
    return values.empty() ? std::vector<float> {1e9f} : values;
}

// Where a sprite entry's picture ends below its position.
float PictureBottom(const LPropertyList* aEntry)
{
    bool found = false;
    LImage* image = nullptr;
    const LString texture = LString("//textures/menu/") + aEntry->GetString(LString("texture"), found);
    EXPECT_TRUE(LImage::CreateFromFile(texture, &image) && image != nullptr) << ToStd(texture);
    const float bottom = Coordinates(aEntry, "position", true)[0] + (image != nullptr ? image->GetHeight() : 1e9f);
    delete image;
    return bottom;
}

} // namespace

TEST(SampleSaveLoad, ButtonsLieInsideTheFrameAndBelowTheGrid)
{
    ASSERT_TRUE(LSampleRoots::Mount());
    LPropertyList save;
    LPropertyList load;
    ASSERT_TRUE(save.Load(LString("//textures/menu/save_screen_layout.txt"), true));
    ASSERT_TRUE(load.Load(LString("//textures/menu/load_screen_layout.txt"), true));
    float buttonsTop = 1e9f;
    for (const LPropertyList* buttons :
         {save.GetList(LString("save_screen.g02-buttons")), load.GetList(LString("load_screen.g02-buttons"))}) {
        ASSERT_NE(nullptr, buttons);
        for (int i = 0; i < buttons->GetCount(); ++i) {
            const std::vector<float> x = Coordinates(buttons->GetListAt(i), "activearea", false);
            const std::vector<float> y = Coordinates(buttons->GetListAt(i), "activearea", true);
            const std::string what = ToStd(buttons->GetKeyAt(i));
            EXPECT_GT(*std::min_element(x.begin(), x.end()), kFrameFirst) << what;
            EXPECT_LT(*std::max_element(x.begin(), x.end()), kFrameRight) << what;
            EXPECT_GT(*std::min_element(y.begin(), y.end()), kFrameFirst) << what;
            EXPECT_LT(*std::max_element(y.begin(), y.end()), kFrameBottom) << what;
            if (buttons == load.GetList(LString("load_screen.g02-buttons"))) {
                buttonsTop = std::min(buttonsTop, *std::min_element(y.begin(), y.end()));
            }
        }
    }
    // Neither a slot's click area nor its panel or bracket reaches down to the buttons.
    const LPropertyList* panels = load.GetList(LString("load_screen.g03-black_background.sprites"));
    const LPropertyList* brackets = load.GetList(LString("load_screen.g04-selection_brackets"));
    ASSERT_TRUE(panels != nullptr && panels->GetCount() == 6);
    ASSERT_TRUE(brackets != nullptr && brackets->GetCount() == 6);
    for (int s = 0; s < 6; ++s) {
        const std::vector<float> y = Coordinates(brackets->GetListAt(s), "activearea", true);
        EXPECT_LT(*std::max_element(y.begin(), y.end()), buttonsTop) << s;
        EXPECT_LT(PictureBottom(brackets->GetListAt(s)), buttonsTop) << s;
        EXPECT_LT(PictureBottom(panels->GetListAt(s)), buttonsTop) << s;
    }
}
