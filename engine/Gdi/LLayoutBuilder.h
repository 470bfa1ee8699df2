// Turns the entries of a layout file (a property list) into the display objects of a
// 2-D screen: sprites, groups, buttons with one look per state, shapes, and the record
// of a scroll bar's buttons and sizes. A screen sets the texture manager's root to its
// own texture directory, loads its layout file, hands sub-lists to these builders by
// dotted path and adds what it gets to its own group.
//
// Every builder reads its keys in a fixed order and hands each value to the object's
// setter. A missing required key refuses the entry (logged; whatever was made for it is
// deleted); a missing optional key leaves the object's default; a refused setter is
// logged and the build goes on. A pair ("400|300") is used only when it holds exactly two
// numbers. "visible" is a bool or a condition script ("script[...]"), evaluated once.
//
// Textures: a sprite's "texture" value is first looked up as a texture id; only when no
// texture of that id is held is the image file (root + value) read, and the texture made
// from it is registered under the value, so a file is read once for the whole run.
//
// Ownership: a returned object belongs to the caller until it joins a group; the list
// builders add what they build to the given group at once and delete whatever the group
// refuses. The property list stays the caller's.
#pragma once

class LButton;
class LDisplayGroup;
class LIButtonListener;
class LIDisplayObject;
class LIShape;
class LPropertyList;
class LSBezier;
class LSPolygon;
class LSRectangle;
class LSprite;
struct LScrollBarParams;

class LLayoutBuilder
{
public:
    LLayoutBuilder() = delete;

    // Single objects: a new object, or null when the entry is refused (or not given).
    static LSprite* BuildSprite(LPropertyList* aList);
    // With aChildren the entry's "sprites", "groups", "buttons" and "shapes" lists are
    // built into the new group, in that order, after the group's own settings.
    static LDisplayGroup* BuildGroup(LPropertyList* aList, bool aChildren);
    // The button is registered with the mouse at its "mouseorder" (0.0 by default) and
    // shows its resolved state; aListener, when given, becomes its listener.
    static LButton* BuildButton(LPropertyList* aList, LIButtonListener* aListener);
    // "type" rectangle, polygon or bezier (any case) picks the kind builder below.
    static LIShape* BuildShape(LPropertyList* aList);
    // The shape object and its geometry from "coords" only.
    static LSRectangle* BuildRectangle(LPropertyList* aList);
    static LSPolygon* BuildPolygon(LPropertyList* aList);
    static LSBezier* BuildBezier(LPropertyList* aList);

    // Every entry of aList in list order, each added to aGroup (sorted). Sprites and
    // shapes: false for an empty list, an entry that gives nothing is logged and skipped.
    // Groups and buttons: true for an empty list, false when the group refused one.
    static bool BuildSprites(LPropertyList* aList, LDisplayGroup* aGroup);
    static bool BuildGroups(LPropertyList* aList, LDisplayGroup* aGroup);
    static bool BuildButtons(LPropertyList* aList, LDisplayGroup* aGroup, LIButtonListener* aListener);
    static bool BuildShapes(LPropertyList* aList, LDisplayGroup* aGroup);

    // Fills aOut from a scroll-bar entry; its three button ids are member paths in aGroup,
    // so the buttons must be built first. aOut is cleared first, so a refusal leaves no
    // stale field. False when one of the three names no button; missing numbers are
    // logged and stay 0.
    static bool BuildScrollBar(LPropertyList* aList, LDisplayGroup* aGroup, LScrollBarParams* aOut);
};
