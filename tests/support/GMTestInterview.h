// A small interview for the interview tests and the sequence fuzz target: the files an
// interview reads, written under the game's roots, and interviews made from data text.
//
// Written: the subtitle strip's background, the five mode tooltips, the topic button pictures of the interview layout
// ("misc.topicbuttonn", "o", "h", "x", each with "left_cap", "middle" (11 pixels wide)
// and "right_cap" (8 x 24, at x 5), and "mark_" + the letter to tell the lists apart), the subtitle list "test_subtitles.txt" (keys "s1" to
// "s4" with the texts "one" to "four", "t_alibi" "Alibi", "t_car" "Car"), the sounds
// "line1", "line2" and "temp" under "//sounds", and the pocket objects "line1" (badge)
// and "line2" (photo); for "line1" also lip-sync data and a gesture file of the role
// "primary".
#pragma once
#include <initializer_list>
#include <memory>
#include <string>

class GMInterview;
class GMTestRoots;

class GMTestInterview
{
public:
    // The files above, and the game's test fonts.
    static void Write(const GMTestRoots& aRoots);
    // Data text of an interview: its fonts ("main" Friz_Quad_TT_8), characters "a"
    // (witness) and "b" (player), and aRest (lines at depth 0) appended.
    static std::string Data(const std::string& aRest);
    // A sequence entry's lines at depth aDepth (TABs), from its keys and values given as
    // "key=value" lines at depth 0 (nested lists indented further by TABs).
    static std::string Indent(const std::string& aLines, int aDepth);
    // A subtitle entry list "subtitles" with one entry per key, all of font "main" and of
    // type aType, at depth 0.
    static std::string Subtitles(std::initializer_list<const char*> aKeys, const char* aType = "replace");
    // Makes an interview from the data text as the manager does ("test.txt", subtitles
    // "test_subtitles.txt"); the result of Create in aCreated when given.
    static std::unique_ptr<GMInterview> Make(const std::string& aData, bool* aCreated = nullptr);
    // Frames 0.1 s apart (LFakeTimer), ending each voiced line of the interview's playing
    // sequence after half a second (once its subtitle has faded in), while the interview
    // is busy, or with aUntilEnded while it runs (at most aFrames frames).
    static void PlayOut(GMInterview* aInterview, bool aUntilEnded = false, int aFrames = 100);
};
