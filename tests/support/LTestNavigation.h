// Navigation fixtures for the tests, the fuzz target and the benchmark: the texts of
// navigation data and way-point lists, a depth mesh with the ground frames "floor" and
// "stairs", and a way-point web made from a list's text.
#pragma once
#include <string>
#include <vector>

class LDrawElement;
class LPathFindingWeb;
class LPropertyList;

class LTestNavigation
{
public:
    // An entry of the "positive"/"negative" form, one level below those lists: aCamera
    // empty for an obstacle, an absent field when its text is "-".
    static std::string Bounds(const std::string& aName, const std::string& aCamera, const std::string& aGround,
                              const std::vector<float>& aCoords);
    // A top-level entry of "navigation.txt" with its coords.
    static std::string FileEntry(const std::string& aKey, const std::vector<float>& aCoords);
    // A way-point entry of "waypoints.txt"; aLinks names separated by "|".
    static std::string WayPoint(const std::string& aName, float aX, float aY, const std::string& aLinks);
    // "positive" with aPositive below it and "negative" with aNegative.
    static std::string Data(const std::string& aPositive, const std::string& aNegative);
    // The corners of the rectangle from (aX0, aY0) to (aX1, aY1), counter-clockwise.
    static std::vector<float> Box(float aX0, float aY0, float aX1, float aY1);

    // A property list of the text (8-bit).
    static LPropertyList* List(const std::string& aText);
    // A depth mesh of two frames without meshes, "floor" and its sibling "stairs".
    static LDrawElement* DepthElement();
    // A web made from the text of a way-point list.
    static LPathFindingWeb* Web(const std::string& aText);
};
