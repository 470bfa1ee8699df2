// Converter of a scene's "navigation.txt" into the data the navigation is created from.
//
// The file's top-level keys name the areas, each with a nested list holding at least
// "coords". A key "PS(" ground ")(" camera ")" (the "PS" case-sensitive) is a walkable
// area; any other key is an obstacle whose first parenthesised part is its ground. The
// result holds a list "positive" with a copy of each walkable area's list plus "ground"
// and "camera", and a list "negative" with a copy of each obstacle's list plus "ground",
// both under the file's keys and in file order.
#pragma once

class LPropertyList;
class LString;

// *aOut must be null; it receives the new list, which the caller deletes. A top-level
// entry that is not a list is logged and skipped; a key without its parentheses gives an
// empty ground (or camera), logged. False when the file cannot be loaded.
bool ParseNavigation(const LString& aPath, LPropertyList** aOut);
