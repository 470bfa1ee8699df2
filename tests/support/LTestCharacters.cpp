#include "support/LTestCharacters.h"

#include "LMatrix4.h"
#include "LQuaternion.h"
#include "Render/LCharacter.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LSkinMesh.h"
#include "support/GMTestRoots.h"
#include "support/LFakeTimer.h"
#include "support/LTestModels.h"
#include "container/LPropertyList.h"
#include "writers/LAnimationBytes.h"

#include <memory>

namespace {

const char16_t* const kFrames[] = {u"Biped", u"BN_Neck", u"BN_Head", u"Biped_R_Hand"};

const char* const kActions[] = {
    "Idle_M_SS_CrossArms.lia1", "Pick_ground_M.lia1",       "Pick_table_M.lia1",    "camera_out-up_M.lia1",
    "camera_out-middle_M.lia1", "camera_out-down_M.lia1",   "Chair-sitting_M.lia1", "Chair-rising_M.lia1",
    "Cell-Phone_out_M.lia1",    "Cell-Phone_in_M.lia1",     "Cell-Phone_idle_M.lia1"};

LQuaternion Identity()
{
    LQuaternion q;
    q.w = 1.0f;
    return q;
}

} // namespace

LTestCharacters::FakeTimeFirst::FakeTimeFirst()
{
    RegisterFakeTimer();
    LFakeTimer::sNow = 0.0;
}

std::string LTestCharacters::FigureBytes()
{
    LSkinMesh* skin = LTestModels::SkinMesh({0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 1, 2});
    LFrame* biped = LTestModels::Frame("Biped", LMatrix4(), skin);
    LFrame* neck = LTestModels::Frame("BN_Neck");
    LFrame* head = LTestModels::Frame("BN_Head");
    LFrame* hand = LTestModels::Frame("Biped_R_Hand");
    biped->SetFirstChild(neck);
    neck->SetFirstChild(head);
    neck->SetNextSibling(hand);
    std::unique_ptr<LDrawElement> element(new LDrawElement());
    element->SetRoot(biped);
    return LTestModels::TreeBytes(*element);
}

std::string LTestCharacters::EyedFigureBytes()
{
    LFrame* biped = LTestModels::Frame("Biped");
    LFrame* neck = LTestModels::Frame("BN_Neck");
    LFrame* head = LTestModels::Frame("BN_Head");
    LMatrix4 right;
    LMatrix4 left;
    LMatrix4::Translation(&right, -1.0f, 16.0f, -1.0f);
    LMatrix4::Translation(&left, 1.0f, 16.0f, -1.0f);
    LFrame* rightEye = LTestModels::Frame("BN_R_Eye", right);
    LFrame* leftEye = LTestModels::Frame("BN_L_Eye", left);
    biped->SetFirstChild(neck);
    neck->SetFirstChild(head);
    head->SetFirstChild(rightEye);
    rightEye->SetNextSibling(leftEye);
    std::unique_ptr<LDrawElement> element(new LDrawElement());
    element->SetRoot(biped);
    return LTestModels::TreeBytes(*element);
}

std::string LTestCharacters::AnimationBytes(const char16_t* aName, unsigned aFrames)
{
    LAnimationBytes bytes;
    bytes.Header(LString(aName), 4, aFrames);
    for (const char16_t* frame : kFrames) {
        bytes.PoseChannel(LString(frame), static_cast<int>(aFrames), Identity(),
                          LVector3(0.0f, 0.0f, 0.0f));
    }
    return bytes.Bytes();
}

void LTestCharacters::Write(const GMTestRoots& aRoots)
{
    const std::string figure = FigureBytes();
    aRoots.Write("data/meshes/figure.lim1", figure);
    for (const char* prop : {"camera.lim1", "cell-phone.lim1", "polaroid.lim1", "police-badge.lim1"}) {
        aRoots.Write(std::string("data/meshes/") + prop, figure);
    }
    aRoots.Write("data/animations/idle.lia1", AnimationBytes(u"idle", kIdleFrames));
    aRoots.Write("data/animations/walk.lia1", AnimationBytes(u"walk", kMoveFrames));
    aRoots.Write("data/animations/run.lia1", AnimationBytes(u"run", kMoveFrames));
    for (const char* action : kActions) {
        const std::u16string name(action, action + std::char_traits<char>::length(action));
        aRoots.Write(std::string("data/animations/") + action, AnimationBytes(name.c_str(), kActionFrames));
    }
    aRoots.Write("data/characters/eyes.txt", "eyes\n\tleft=1\n");
}

std::string LTestCharacters::Data(const std::string& aType, const std::string& aGender, const std::string& aExtra)
{
    std::string text = "mesh=figure.lim1\ntype=" + aType + "\n";
    if (!aGender.empty()) {
        text += "gender=" + aGender + "\n";
    }
    text += "animations\n"
            "\tidle\n\t\ta\n\t\t\tfile=idle.lia1\n"
            "\tmove\n\t\twalk\n\t\t\tfile=walk.lia1\n\t\t\tmovespeed=4\n"
            "\t\trun\n\t\t\tfile=run.lia1\n\t\t\tmovespeed=11\n";
    return text + aExtra;
}

int LTestCharacters::Load(LCharacter& aCharacter, const std::string& aData)
{
    LPropertyList data;
    data.Parse(aData.c_str(), static_cast<int>(aData.size()));
    return aCharacter.Load(&data, nullptr);
}
