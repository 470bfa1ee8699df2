#include "support/LTestNavigation.h"

#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LPathFindingWeb.h"
#include "container/LPropertyList.h"
#include "support/LTestModels.h"

#include <cstdio>

namespace {
// Decimal notation (the data files know no exponents), without trailing zeros.
std::string Floats(const std::vector<float>& aValues)
{
    std::string text;
    for (size_t i = 0; i < aValues.size(); ++i) {
        char number[64];
        std::snprintf(number, sizeof number, "%.4f", static_cast<double>(aValues[i]));
        std::string value(number);
        value.erase(value.find_last_not_of('0') + 1);
        if (value.back() == '.') {
            value.pop_back();
        }
        text += (i ? "|" : "") + (value == "-0" ? "0" : value);
    }
    return text;
}

std::string Field(const std::string& aIndent, const std::string& aKey, const std::string& aValue)
{
    return aValue.empty() || aValue == "-" ? "" : aIndent + aKey + "=" + aValue + "\n";
}
} // namespace

std::string LTestNavigation::Bounds(const std::string& aName, const std::string& aCamera, const std::string& aGround,
                                    const std::vector<float>& aCoords)
{
    return "\t" + aName + "\n" + Field("\t\t", "camera", aCamera) + Field("\t\t", "ground", aGround) +
           Field("\t\t", "coords", Floats(aCoords));
}

std::string LTestNavigation::FileEntry(const std::string& aKey, const std::vector<float>& aCoords)
{
    return aKey + "\n\tcoords=" + Floats(aCoords) + "\n";
}

std::string LTestNavigation::WayPoint(const std::string& aName, float aX, float aY, const std::string& aLinks)
{
    return aName + "\n\tcoords=" + Floats({aX, aY, 0.0f}) + "\n\tlinks=" + aLinks + "\n";
}

std::string LTestNavigation::Data(const std::string& aPositive, const std::string& aNegative)
{
    return "positive\n" + aPositive + "negative\n" + aNegative;
}

std::vector<float> LTestNavigation::Box(float aX0, float aY0, float aX1, float aY1)
{
    return {aX0, aY0, aX1, aY0, aX1, aY1, aX0, aY1};
}

LPropertyList* LTestNavigation::List(const std::string& aText)
{
    LPropertyList* list = new LPropertyList();
    list->Parse(aText.data(), static_cast<int>(aText.size()));
    return list;
}

LDrawElement* LTestNavigation::DepthElement()
{
    LFrame* floor = LTestModels::Frame("floor");
    floor->SetNextSibling(LTestModels::Frame("stairs"));
    LDrawElement* element = new LDrawElement();
    element->SetRoot(floor);
    return element;
}

LPathFindingWeb* LTestNavigation::Web(const std::string& aText)
{
    LPropertyList* list = List(aText);
    LPathFindingWeb* web = new LPathFindingWeb();
    web->Create(list);
    delete list;
    return web;
}
