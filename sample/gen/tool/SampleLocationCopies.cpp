// Copies of the sample's locations under other scene ids, for the places the game is sent
// to (the target scenes of the puzzles' cut scenes, whose movies the sample may leave out:
// a missing movie counts as ended). A copy takes every file of the source location's
// folder, hand-written and drawn, and renames its viewpoints, in the order of the source's
// scene.txt, to the names given, in the file names and wherever the texts name them; the
// source's further viewpoints keep their names. A puzzle that needs a target adds its row
// to kCopies (and the copy's folder to .gitignore: the copies are drawn by the build).
//
// "sample_gen <data directory> --copy-location <source> <scene id> <viewpoint>..." makes a
// single copy after drawing the rest.
#include "SampleContent.h"
#include "SampleOutput.h"

#include "container/LPropertyList.h"

#include <cctype>
#include <string>
#include <utility>
#include <vector>

namespace {

struct LocationCopy
{
    const char* mSource;
    const char* mScene;
    std::vector<std::string> mViewpoints;
};

const std::vector<LocationCopy> kCopies = {
    {"case01/riverbank", "case02/lisa_apt_upstairs", {"vp_stairs_bedroom"}},
    {"case01/riverbank", "case02/hotel_room", {"vp_dead_body"}},
    {"case01/riverbank", "case02/stokes_upstairs", {"vp_bedroom"}},
    {"case01/riverbank", "case01/castillosecretapt", {"vp_start"}},
    {"case01/riverbank", "case03/chase", {"vp_kitbath"}},
    {"case01/riverbank", "case04/upsstore", {"vp_mailboxesleft"}},
    // Where the last case starts.
    {"case01/riverbank", "case04/victimshotel", {"vp01", "vp02"}},
};

bool IsNameCharacter(char aCharacter)
{
    return std::isalnum(static_cast<unsigned char>(aCharacter)) != 0;
}

// aText with every whole occurrence of an old name replaced by its new name, all at once
// (a name counts when no letter or digit touches it on either side).
std::string Rename(const std::string& aText, const std::vector<std::pair<std::string, std::string>>& aNames)
{
    std::string out;
    size_t at = 0;
    while (at < aText.size()) {
        bool replaced = false;
        for (const auto& [from, to] : aNames) {
            const size_t end = at + from.size();
            if (aText.compare(at, from.size(), from) == 0 && (at == 0 || !IsNameCharacter(aText[at - 1])) &&
                (end == aText.size() || !IsNameCharacter(aText[end]))) {
                out += to;
                at = end;
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += aText[at++];
        }
    }
    return out;
}

} // namespace

bool CopyLocation(SampleOutput& aOut, const std::string& aSource, const std::string& aScene,
                  const std::vector<std::string>& aViewpoints)
{
    const std::string from = "scenes/" + aSource + "/";
    const std::string sceneText = SampleOutput::ReadSource(from + "scene.txt");
    LPropertyList scene;
    scene.Parse(sceneText.data(), static_cast<int>(sceneText.size()));
    LPropertyList* viewpoints = scene.GetList(LString("viewpoints"));
    if (viewpoints == nullptr || aViewpoints.empty() || aViewpoints.size() > static_cast<size_t>(viewpoints->GetCount())) {
        return aOut.Fail("cannot copy the location " + aSource + ": it has no scene.txt or fewer viewpoints than " +
                         std::to_string(aViewpoints.size()));
    }
    std::vector<std::pair<std::string, std::string>> names;
    for (size_t i = 0; i < aViewpoints.size(); ++i) {
        const LString key = viewpoints->GetKeyAt(static_cast<int>(i));
        std::string old;
        for (int c = 0; c < key.GetLength(); ++c) {
            old += static_cast<char>(key.At(c));
        }
        names.emplace_back(old, aViewpoints[i]);
    }
    for (const std::string& file : aOut.ListFolder(from)) {
        std::string bytes = SampleOutput::ReadSource(from + file);
        if (bytes.empty()) {
            bytes = aOut.ReadWritten(from + file);
        } else {
            bytes = Rename(bytes, names);
        }
        if (!aOut.Write("scenes/" + aScene + "/" + Rename(file, names), bytes)) {
            return false;
        }
    }
    return true;
}

void WriteLocationCopies(SampleOutput& aOut)
{
    for (const LocationCopy& copy : kCopies) {
        if (!CopyLocation(aOut, copy.mSource, copy.mScene, copy.mViewpoints)) {
            return;
        }
    }
}
