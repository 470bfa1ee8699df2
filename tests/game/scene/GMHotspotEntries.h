// Hotspot entries written in the tests, and the hotspots made from them.
#pragma once
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "scene/GMHotspot.h"
#include "support/LTestStrings.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

// An entry of kind aType (any case) with the id aId, the boundary aBoundary (the lists of
// "boundary"), aData in "data" beside the multi-cursor's position and aTypeData in the
// kind's list.
inline std::string HotspotEntry(const std::string& aType, const std::string& aId, const std::string& aBoundary,
                                const std::string& aData, const std::string& aTypeData = "")
{
    std::string kind = aType;
    std::transform(kind.begin(), kind.end(), kind.begin(), [](unsigned char c) { return std::tolower(c); });
    return "type=" + aType + "\nid=" + aId + "\nenabled=script[true]\n" + aBoundary +
           "data\n\tmulticursor\n\t\tposition=120|100\n" + aData + "typedata\n\t" + kind + "\n\t\tenabled=script[true]\n" +
           aTypeData;
}

inline std::unique_ptr<GMHotspot> MakeHotspot(const std::string& aText)
{
    LPropertyList entry;
    entry.Parse(FromStd(aText));
    return std::unique_ptr<GMHotspot>(GMHotspot::Create(&entry));
}

inline bool Raised(const std::string& aId)
{
    return LEventManager::Get()->IsRaised(FromStd(aId));
}
