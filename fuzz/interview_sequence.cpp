// Reads the input (after its first byte) as an interview sequence entry of a small
// interview whose two characters stand in the current scene, plays it and runs frames, ending each voiced line a few frames after it
// starts; the first byte sets how soon lines end and whether space is pressed midway.
// At most 120 frames of a quarter second each, so times beyond half a minute never come.
#include "Input/LKeyboard.h"
#include "container/LPropertyList.h"
#include "interview/GMISequenceListener.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewSequence.h"
#include "scene/GMCharacter.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMTestInterview.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzRecords.h"
#include "support/LTestCharacters.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

struct Ends : GMISequenceListener
{
    void OnSequenceDone() override { ++mCount; }
    int mCount = 0;
};

const char* const kTopics = "topics\n\talibi\n\t\tname=t_alibi\n\t\tlevel=1\n\t\tmodes\n\t\t\tstra\n\t\t\t\ttype=good\n";

GMInterview* Interview()
{
    static std::unique_ptr<GMInterview> sInterview;
    if (sInterview == nullptr) {
        RegisterFakeRender();
        RegisterFakeTimer();
        RegisterFakeSoundManager();
        LFakeSoundManager::sRefuseUnfound = true;
        static GMTestRoots sRoots;
        GMTestInterview::Write(sRoots);
        // The interview's characters "a" and "b": the witness and the player of a scene.
        LTestCharacters::Write(sRoots);
        auto* scene = new GMScene();
        for (const char* name : {"player", "witness"}) {
            auto* character = new GMCharacter();
            const bool player = name[0] == 'p';
            LTestCharacters::Load(*character, LTestCharacters::Data(player ? "player" : "npc", ""));
            if (!scene->AddCharacter(LString(name), character, player)) {
                delete character;
            }
        }
        GMSceneManager::GetInstance()->SetScene(scene);
        sInterview = GMTestInterview::Make(GMTestInterview::Data(kTopics));
    }
    return sInterview.get();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize < 1 || aSize > (1u << 13)) {
        return 0;
    }
    GMInterview* interview = Interview();
    LFuzzForgetRecords();
    LPropertyList entry;
    entry.Parse(reinterpret_cast<const char*>(aData) + 1, static_cast<int>(aSize - 1));
    const int lineFrames = 1 + (aData[0] & 7);
    const bool space = (aData[0] & 0x80) != 0;
    Ends ends;
    {
        GMInterviewSequence sequence;
        sequence.Create(LString("evt_fuzz_done"), &entry, interview);
        sequence.Play(&ends);
        int playing = 0;
        for (int frame = 0; frame < 120 && !sequence.IsFinished(); ++frame) {
            LFakeTimer::FrameAt(LFakeTimer::sNow + 0.25);
            LFakeSoundPlayer* line = LFakeSoundPlayer::Find(LString("sequenceSound"));
            playing = line != nullptr ? playing + 1 : 0;
            if (line != nullptr && playing >= lineFrames) {
                line->MarkEnded();
            }
            if (space && frame == 60) {
                LKeyboard::Get()->OnKeyDown(GMInterviewSequence::kSpaceKey);
                LKeyboard::Get()->OnKeyUp(GMInterviewSequence::kSpaceKey);
            }
        }
    }
    return 0;
}
