// The message box: its panel and text placement, the three button sets, the mouse held
// while it is open, the answers, and a second question over an open one.
#include "ui/GMMessageBox.h"

#include "Gdi/LButton.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LTextArea.h"
#include "Input/LIMouseListener.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LVectorString.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestApp.h"
#include "support/LTestFont.h"
#include "support/LTestStrings.h"
#include "ui/GMIMessageBoxListener.h"
#include "util/GMCleaner.h"
#include "writers/LImageBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Replies : public GMIMessageBoxListener
{
public:
    void OnMessageBoxReply(const LString& aId, int aAnswer) override
    {
        mHeard.push_back(ToStd(aId) + ":" + std::to_string(aAnswer));
    }
    std::vector<std::string> mHeard;
};

class Clicks : public LIMouseListener
{
public:
    void OnButtonDown(int) override { ++mCount; }
    void OnButtonUp(int) override { ++mCount; }
    void OnMove(const LVector2&) override {}
    int mCount = 0;
};

std::string Button(const char* aId, const char* aPosition)
{
    return std::string("\t") + aId + "\n\t\tid=" + aId + "\n\t\tposition=" + aPosition +
           "\n\t\tstates\n\t\t\tn\n\t\t\t\tstatetype=n\n\t\t\t\tobjecttype=sprite\n\t\t\t\tid=" + aId +
           "_n\n\t\t\t\ttexture=button.tga\n";
}

class MessageBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        ASSERT_TRUE(mRoots.Mounted());
        mRoots.Write("data/textures/menu/messagebox_layout.txt",
                     "background\n\tid=background\n\ttexture=box.tga\nbuttons\n" + Button("ok", "20|100") +
                         Button("cancel", "140|100") + Button("yes", "20|100") + Button("no", "140|100"));
        mRoots.Write("data/textures/menu/box.tga", LImageBytes::Tga(16, 16, 32, 8, std::string(16 * 16 * 4, '\x40')));
        mRoots.Write("data/textures/menu/button.tga", LImageBytes::Tga(40, 20, 32, 8, std::string(40 * 20 * 4, '\x40')));
        mRoots.Write("data/textures/menu/font.tga", TestAtlasTga());
        const LString characters(u"Ao-B ");
        // Made once per process: an earlier test of the program may have made it.
        ASSERT_TRUE(LFontManager::Get()->GetFont(LString("TW_CEN_MT16")) != nullptr ||
                    LFontManager::Get()->AddFont(LString("TW_CEN_MT16"), LString("//textures/menu/font.tga"), 9,
                                                 &characters));
        mBox = GMMessageBox::GetInstance();
        ASSERT_NE(nullptr, mBox);
        ASSERT_TRUE(LMouse::Get()->AddMember(&mOther, 5.0f));
    }

    void TearDown() override
    {
        LMouse::Get()->RemoveListener(&mOther);
        delete GMCleaner::GetInstance();
    }

    static void ClickAt(float aX, float aY)
    {
        LMouse::Get()->OnMove(LVector2(aX, aY));
        LMouse::Get()->OnButtonDown(1);
        LMouse::Get()->OnButtonUp(1);
    }

    static std::string Position(LIDisplayObject* aObject)
    {
        const LVector2 position = aObject->GetPosition();
        return LTestPoint(position.x * 2.0f, position.y * 2.0f); // halves stay whole
    }

    static int Panels()
    {
        LDisplayGroup* root = LDisplayManager::Get()->GetRoot();
        int count = 0;
        for (int i = 0; i < root->GetMemberCount(); ++i) {
            count += root->GetMemberAt(i)->GetId() == LString("messagebox") ? 1 : 0;
        }
        return count;
    }

    LLogCapture mLog;
    GMTestRoots mRoots;
    GMMessageBox* mBox = nullptr;
    Clicks mOther;
    Replies mReplies;
};

} // namespace

TEST_F(MessageBoxTest, PanelAndTextStandWhereTheyShould)
{
    ASSERT_TRUE(mBox->Show(LString("q"), LString("AoB"), GMMessageBox::BUTTONS_OK, &mReplies));
    LDisplayGroup* group = mBox->GetGroup();
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(group, LDisplayManager::Get()->GetRoot()->GetMember(LString("messagebox")));
    EXPECT_EQ("542,398", Position(group)); // (271, 199)
    EXPECT_FLOAT_EQ(9999.0f, group->GetRelativeZ());
    EXPECT_NE(nullptr, group->GetMember(LString("background")));
    // "AoB" is 14 wide: centred in the 257 of the panel.
    ASSERT_NE(nullptr, mBox->GetTextArea());
    EXPECT_EQ(mBox->GetTextArea(), group->GetMember(LString("msgbox_text")));
    EXPECT_EQ("243,150", Position(mBox->GetTextArea()));
    // The lone OK button moves to its place.
    ASSERT_NE(nullptr, mBox->GetButton(0));
    EXPECT_EQ(nullptr, mBox->GetButton(1));
    EXPECT_EQ("172,324", Position(mBox->GetButton(0)));

    std::string wide;
    for (int i = 0; i < 30; ++i) {
        wide += "AoB ";
    }
    ASSERT_TRUE(mBox->Show(LString("q"), FromStd(wide), GMMessageBox::BUTTONS_YES_NO, &mReplies));
    EXPECT_EQ("50,60", Position(mBox->GetTextArea()));
    ASSERT_TRUE(mBox->GetTextArea()->Layout());
    EXPECT_LT(1, mBox->GetTextArea()->GetLineCount());
    EXPECT_EQ(LString("yes"), mBox->GetButton(0)->GetId());
    EXPECT_EQ(LString("no"), mBox->GetButton(1)->GetId());
    EXPECT_EQ("40,200", Position(mBox->GetButton(0)));

    LVectorString lines;
    lines.Add(LString("Ao"));
    lines.Add(LString("B"));
    ASSERT_TRUE(mBox->Show(LString("q"), lines, 7, nullptr));
    EXPECT_EQ(LString("Ao B"), mBox->GetTextArea()->GetText());
    EXPECT_EQ(nullptr, mBox->GetButton(0)); // no such set: no button
    EXPECT_EQ(1, Panels());
}

TEST_F(MessageBoxTest, ButtonsAnswerUnderTheCallersIdAndTheMouseIsHeldMeanwhile)
{
    struct Case
    {
        int mSet;
        float mX;
        const char* mHeard;
    };
    // Button 0 at (291, 299), button 1 at (411, 299) on the screen, each 40 x 20.
    for (const Case& c : {Case {GMMessageBox::BUTTONS_OK_CANCEL, 300.0f, "ok:0"}, Case {GMMessageBox::BUTTONS_OK_CANCEL, 420.0f, "cancel:1"},
                          Case {GMMessageBox::BUTTONS_YES_NO, 300.0f, "yes:2"}, Case {GMMessageBox::BUTTONS_YES_NO, 420.0f, "no:3"}}) {
        mReplies.mHeard.clear();
        const std::string id = std::string(c.mHeard).substr(0, std::string(c.mHeard).find(':'));
        ASSERT_TRUE(mBox->Show(FromStd(id), LString("AoB"), c.mSet, &mReplies));
        EXPECT_TRUE(LMouse::Get()->IsLocked());
        ClickAt(10.0f, 10.0f); // outside the panel: nobody hears it, the box stays
        ClickAt(350.0f, 250.0f); // inside the panel, on no button
        EXPECT_EQ(0, mOther.mCount);
        EXPECT_EQ("350,250", LTestPoint(LCursor::Get()->GetGroup()->GetPosition().x,
                                        LCursor::Get()->GetGroup()->GetPosition().y)); // the pointer follows
        EXPECT_TRUE(mBox->IsOpen());
        ClickAt(c.mX, 305.0f);
        EXPECT_EQ((std::vector<std::string> {c.mHeard}), mReplies.mHeard) << c.mHeard;
        EXPECT_FALSE(mBox->IsOpen());
        EXPECT_FALSE(LMouse::Get()->IsLocked());
        EXPECT_EQ(0, Panels());
    }
    // Clicks reach the others again.
    ClickAt(10.0f, 10.0f);
    EXPECT_EQ(2, mOther.mCount);
}

TEST_F(MessageBoxTest, WithoutAListenerTheBoxJustCloses)
{
    ASSERT_TRUE(mBox->Show(LString("q"), LString("AoB"), GMMessageBox::BUTTONS_OK, nullptr));
    ClickAt(367.0f, 371.0f); // the lone OK at (357, 361)
    EXPECT_FALSE(mBox->IsOpen());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    EXPECT_EQ(0, Panels());
}

TEST_F(MessageBoxTest, ASecondQuestionClosesTheFirstWithoutAReply)
{
    Replies first;
    ASSERT_TRUE(mBox->Show(LString("first"), LString("AoB"), GMMessageBox::BUTTONS_YES_NO, &first));
    ASSERT_TRUE(mBox->Show(LString("second"), LString("AoB"), GMMessageBox::BUTTONS_OK_CANCEL, &mReplies));
    EXPECT_EQ(1, Panels());
    ClickAt(420.0f, 305.0f);
    EXPECT_TRUE(first.mHeard.empty());
    EXPECT_EQ((std::vector<std::string> {"second:1"}), mReplies.mHeard);
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    EXPECT_EQ(0, Panels());
}

TEST_F(MessageBoxTest, AReplyMayAskTheNextQuestion)
{
    struct Chain : GMIMessageBoxListener
    {
        void OnMessageBoxReply(const LString& aId, int aAnswer) override
        {
            mHeard.push_back(ToStd(aId) + ":" + std::to_string(aAnswer));
            if (mHeard.size() == 1) {
                GMMessageBox::GetInstance()->Show(LString("again"), LString("Ao"), GMMessageBox::BUTTONS_OK, this);
            }
        }
        std::vector<std::string> mHeard;
    } chain;
    ASSERT_TRUE(mBox->Show(LString("q"), LString("AoB"), GMMessageBox::BUTTONS_YES_NO, &chain));
    ClickAt(300.0f, 305.0f);
    EXPECT_TRUE(mBox->IsOpen());
    EXPECT_TRUE(LMouse::Get()->IsLocked());
    ClickAt(367.0f, 371.0f);
    EXPECT_EQ((std::vector<std::string> {"q:2", "again:0"}), chain.mHeard);
    EXPECT_FALSE(LMouse::Get()->IsLocked());
}
