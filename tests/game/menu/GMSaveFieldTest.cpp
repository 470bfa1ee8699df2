// The save field: activation by a click strictly inside it, the characters it takes and
// refuses, the width limit, backspace, and the blinking caret.
#include "menu/GMSaveField.h"

#include "Gdi/LFontRaster.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "Render/LTextureManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "writers/LImageBytes.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestFont.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Key codes of the keyboard.
constexpr int kKeyMinus = 0x0C;
constexpr int kKeyBackspace = 0x0E;
constexpr int kKeyReturn = 0x1C;
constexpr int kKeyA = 0x1E;
constexpr int kKeyShift = 0x2A;
constexpr int kKeyB = 0x30;
constexpr int kKeySpace = 0x39;

class SaveFieldTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        LFakeTimer::sNow = 0.0;
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//textures"), FromStd(mDirectory.Path())));
        mDirectory.Write("white.bmp", LImageBytes::Bmp(4, 4, LImageBytes::BmpRows(4, 4)));
        // Test font widths: A 5, B 5, space 3.
        mFont.reset(MakeTestFont("savefield"));
        mField = std::make_unique<GMSaveField>();
        ASSERT_EQ(1, mField->Create(mFont.get(), nullptr));
        mField->SetPosition(100.0f, 200.0f);
        mField->SetSize(16.0f, 20.0f);
    }

    void TearDown() override { LKeyboard::Get()->OnKeyUp(kKeyShift); }

    void Press(float aX, float aY)
    {
        LMouse::Get()->OnMove(LVector2(aX, aY));
        LMouse::Get()->OnButtonDown(1);
        LMouse::Get()->OnButtonUp(1);
    }

    void Type(std::initializer_list<int> aKeys)
    {
        for (int key : aKeys) {
            LKeyboard::Get()->OnKeyDown(key);
            LKeyboard::Get()->OnKeyUp(key);
        }
    }

    LTestDirectory mDirectory;
    LLogCapture mLog;
    std::unique_ptr<LFontRaster> mFont;
    std::unique_ptr<GMSaveField> mField;
};

} // namespace

TEST_F(SaveFieldTest, ClickStrictlyInsideActivatesAndShowsTheCaret)
{
    EXPECT_NE(0u, LTextureManager::Get()->GetHandle(LString("savefield_cursor")));
    EXPECT_EQ(LTextureManager::Get()->GetHandle(LString("savefield_cursor")), mField->GetCaret()->GetTexture());
    EXPECT_FALSE(mField->GetCaret()->GetVisible());
    Type({kKeyA});
    Press(100.0f, 210.0f);
    Press(116.0f, 210.0f);
    EXPECT_FALSE(mField->IsFieldActive());
    EXPECT_TRUE(mField->GetText().IsEmpty());

    Press(101.0f, 219.0f);
    EXPECT_TRUE(mField->IsFieldActive());
    EXPECT_TRUE(mField->GetCaret()->GetVisible());
    // The caret flips only once more than half a second has passed.
    LFakeTimer::FrameAt(0.5);
    EXPECT_TRUE(mField->GetCaret()->GetVisible());
    LFakeTimer::FrameAt(0.6);
    EXPECT_FALSE(mField->GetCaret()->GetVisible());
    LFakeTimer::FrameAt(1.2);
    EXPECT_TRUE(mField->GetCaret()->GetVisible());

    mField->SetActive(false);
    EXPECT_FALSE(mField->GetCaret()->GetVisible());
    Type({kKeyA});
    EXPECT_TRUE(mField->GetText().IsEmpty());
}

TEST_F(SaveFieldTest, TakesLettersAndSpacesUpToTheWidthAndBackspaceRemoves)
{
    // A second activation is no second registration.
    mField->SetActive(true);
    mField->SetActive(true);
    EXPECT_FALSE(mLog.Contains("Duplicate found"));
    LKeyboard::Get()->OnKeyDown(kKeyShift);
    // A hyphen and Return are not taken; "AB " is 13 pixels, another letter would make 18.
    Type({kKeyA, kKeyMinus, kKeyB, kKeyReturn, kKeySpace, kKeyA, kKeyB});
    EXPECT_EQ("AB ", ToStd(mField->GetText()));
    EXPECT_EQ("AB ", ToStd(mField->GetTextArea()->GetText()));
    EXPECT_FLOAT_EQ(13.0f, mField->GetCaret()->GetLocalPosition().x);

    Type({kKeyBackspace, kKeyBackspace});
    EXPECT_EQ("A", ToStd(mField->GetText()));
    EXPECT_FLOAT_EQ(5.0f, mField->GetCaret()->GetLocalPosition().x);
    Type({kKeyBackspace, kKeyBackspace});
    EXPECT_TRUE(mField->GetText().IsEmpty());
    EXPECT_FLOAT_EQ(0.0f, mField->GetCaret()->GetLocalPosition().x);
}
