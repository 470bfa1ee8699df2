// A small posed character for the fuzz targets of animation and lip-sync data: a skeleton
// ("Biped" with "Head", "Jaw" and "Eye") in an element with an animation controller, a
// lip-sync player with the 27 phoneme poses (written once to the fuzz data root), and a
// fake timer that the targets move on between updates.
#pragma once
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LLipSyncCurve.h"
#include "Render/LLipSyncData.h"
#include "Render/LLipSyncPlayer.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeTimer.h"
#include "LFuzzDataRoot.h"
#include "writers/LAnimationBytes.h"
#include "writers/LSkeletonBytes.h"

#include <cstdlib>
#include <memory>

// The skeleton in a new element that owns a new controller.
inline std::unique_ptr<LDrawElement> FuzzSkeleton()
{
    static bool sTimer = false;
    if (!sTimer) {
        RegisterFakeTimer();
        sTimer = true;
    }
    LMatrix4 head;
    LMatrix4::Scaling(&head, 2.0f, 1.0f, 0.5f);
    head[13] = 1.5f;
    const std::string bytes = LSkeletonBytes().Frame(u"Biped").Frame(u"Head", head).Frame(u"Jaw").Frame(u"Eye").Bytes();
    LMemoryStream stream(256, LMemoryStream::GROW_DOUBLE);
    stream.CreateFromBuffer(static_cast<int>(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.data()));
    auto element = std::make_unique<LDrawElement>();
    if (!element->Read(&stream) || element->GetFrameCount() != 4) {
        std::abort();
    }
    element->SetAnimationCtrl(new LAnimationCtrl());
    return element;
}

// Runs aUpdates element updates, moving the fake timer on by growing steps.
inline void FuzzUpdates(LDrawElement& aElement, int aUpdates)
{
    const LMatrix4 world;
    for (int i = 0; i < aUpdates; ++i) {
        LFakeTimer::sNow += 0.04 * (i + 1);
        aElement.Update(&world);
    }
}

// Plays aData (taken over) as lip sync on the skeleton for a few updates.
inline void FuzzLipSync(LLipSyncData* aData)
{
    static LLipSyncPlayer* sPlayer = nullptr;
    if (sPlayer == nullptr) {
        FuzzSkeleton(); // registers the timer before the player's stopwatch asks for one
        LTestDirectory& root = FuzzDataRoot("//fuzzface");
        for (int type = 0; type < LLipSyncCurve::kPhonemeCount; ++type) {
            LQuaternion turn;
            turn.z = 0.01f * type;
            turn.w = 1.0f;
            const std::string pose =
                LAnimationBytes().LiaHeader(1, 1).LiaPoseChannel(type % 2 ? "Jaw" : "Eye", 1, turn, LVector3(0, 1, 0)).Bytes();
            root.Write(ToStd(LString("poses/") + LLipSyncCurve::GetPhonemeName(type) + ".lia"), pose);
        }
        sPlayer = new LLipSyncPlayer();
        if (!sPlayer->LoadAnimation(LString("//fuzzface/poses"), true)) {
            std::abort();
        }
    }
    std::unique_ptr<LDrawElement> element = FuzzSkeleton();
    if (!sPlayer->SetData(aData) || !sPlayer->SetDrawElement(element.get()) || !sPlayer->Play()) {
        std::abort();
    }
    element->SetLipSyncPlayer(sPlayer);
    FuzzUpdates(*element, 6);
    sPlayer->Pause();
    FuzzUpdates(*element, 1);
    sPlayer->Play();
    FuzzUpdates(*element, 2);
    sPlayer->Stop();
}

// Every curve of aData (taken over) names a pose; the data writes back in the binary form
// and reads again with as many curves; then it plays on the skeleton.
inline void FuzzCheckAndPlay(LLipSyncData* aData)
{
    for (int i = 0; i < aData->GetCurveCount(); ++i) {
        if (LLipSyncCurve::GetPhonemeName(aData->GetCurve(i)->mType) == nullptr) {
            std::abort();
        }
    }
    LMemoryStream out(64, LMemoryStream::GROW_DOUBLE);
    if (!aData->Write(&out)) {
        std::abort();
    }
    out.SetPosition(0);
    LLipSyncData copy;
    if (!copy.Read(&out) || copy.GetCurveCount() != aData->GetCurveCount()) {
        std::abort();
    }
    FuzzLipSync(aData);
}
