// What the front-end screens (save, load, options, credits) share when they build their
// display from a layout file: background groups, a group of menu buttons, thumbnail
// textures, the way they match button ids and end a mouse event.
#pragma once
#include <cstdint>

class LDisplayGroup;
class LIButtonListener;
class LIDisplayObject;
class LIMouseListener;
class LPropertyList;
class LString;

class GMMenuLayout
{
public:
    GMMenuLayout() = delete;

    // Adds aMember to aGroup, or deletes it when the group refuses it (or aGroup is
    // null); whether it was added.
    static bool Adopt(LDisplayGroup* aGroup, LIDisplayObject* aMember);
    // The group entry at aPath of aLayout built with its children into aRoot; false (the
    // layout builder logs why) when it gives nothing.
    static bool BuildGroup(LPropertyList* aLayout, const char* aPath, LDisplayGroup* aRoot);
    // A group aId at relative depth aZ in aRoot holding one menu button per entry of the
    // list at aPath, each telling aListener of its clicks; a refused entry is left out
    // (logged). The group, or null when it could not be made.
    static LDisplayGroup* BuildButtons(LPropertyList* aLayout, const char* aPath, const char* aId, float aZ,
                                       LIButtonListener* aListener, LDisplayGroup* aRoot);

    // The texture held under a thumbnail name, else made from
    // "//textures/menu/thumbnails/" + aName, else (when aFallback) from the default
    // picture "riverbank_body.bmp" there, and registered under aName. 0 when there is no
    // picture; a name that could leave the thumbnail folder loads nothing.
    static uint32_t ThumbnailTexture(const LString& aName, bool aFallback);

    // A button id against a name, without regard to case.
    static bool IsId(const LString& aId, const char* aName);
    // Ends the mouse event that is being handled, so no listener below sees it.
    static void InterruptMouse();
    // Whether a change of screen runs (a screen still fading in or out); the mouse event
    // being handled then ends here, so a screen's button acts on nothing meanwhile.
    static bool SwallowWhileScreensChange();
    // Registers aListener with the mouse (priority 0) or takes it away; *aListening keeps
    // whether it is registered, so either is done once.
    static void ListenToMouse(LIMouseListener* aListener, bool aOn, bool* aListening);
    // Takes aDisplay from the display manager, deletes it and sets it to null.
    static void DeleteDisplay(LDisplayGroup*& aDisplay);
    // The timer's seconds, 0 without a timer.
    static double Now();
};
