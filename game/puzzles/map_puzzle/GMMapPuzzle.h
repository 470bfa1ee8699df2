// The map on which four clues appear as the player finds them: three through the witness's
// answers (their interview states) and one through the sandcastle's voice clip (its end
// event). Each clue found raises its clue event and opens the map, whose clue pictures
// show as their "show" scripts say at every build; the build that finds all four clue
// events raised raises "evt_mappuzzle_solved" (once). There is no back button and no
// voice-over.
//
// Openings: "sta_mappuzzle_active" true (exact; false does nothing: that showing has no
// way out of its own); an interview state (any case) true, which a false value of the same
// state closes; "evt_1ce09_rg_sounddone" (any case), answered while the sandcastle clue is
// not raised, for a showing that closes on the first frame more than 4.0 s later. A close
// asked for while the map is on top waits for a running screen change to end; while the
// map is not on top nothing closes.
//
// Layout "//textures/puzzles/map_puzzle/map_puzzle.txt": "groups.g01-background" and
// "clues", one group list per clue picture, each with an optional "show" script.
#pragma once
#include "event/LIEventListener.h"
#include "puzzles/GMPuzzle.h"
#include "stdlib/LIFrameListener.h"

class GMMapPuzzle : public GMPuzzle, public LIEventListener, public LIFrameListener
{
public:
    static constexpr const char* kActiveState = "sta_mappuzzle_active";
    static constexpr const char* kSoundDoneEvent = "evt_1ce09_rg_sounddone";
    static constexpr const char* kSandcastle = "evt_mappuzzle_sandcastle";
    static constexpr const char* kSolvedEvent = "evt_mappuzzle_solved";
    static constexpr const char* kCluesList = "clues";
    static constexpr int kInterviewCount = 3;
    // The interview states and the clue events they raise.
    static constexpr const char* kInterviewStates[kInterviewCount] = {
        "sta_interview_113_2A2_CH", "sta_interview_114_2A2_IL", "sta_interview_115_2A2_FG"};
    static constexpr const char* kInterviewClues[kInterviewCount] = {
        "evt_mappuzzle_gate", "evt_mappuzzle_tombstone", "evt_mappuzzle_houdini"};
    // How long the showing opened by the sandcastle's clip lasts.
    static constexpr double kTimedShowing = 4.0;

    static GMMapPuzzle* GetInstance();

    GMMapPuzzle();
    ~GMMapPuzzle() override;

    // The state listener and the event listener (priority 0.0), for the whole run.
    void Register();

    void OnStateChanged(LIState* aState) override;
    void OnEvent(LEvent* aEvent) override;
    // The timed close and a close waiting for a screen change.
    void OnFrame() override;

    // Raises the solved event when the four clue events are raised.
    void CheckSolved();

    bool IsClosePending() const { return mClosePending; }
    bool IsTimed() const { return mTimed; }

protected:
    void BuildPieces() override;
    void OnBuilt() override;
    // An interview state turned false: the map closes when it is on top.
    void OnClosedByState() override;

private:
    void RequestClose();
    void JoinFrames();
    void LeaveFrames();

    double mCloseTime = 0.0;
    bool mTimed = false;
    bool mClosePending = false;
    bool mFrameListening = false;
    bool mEventListening = false;
};
