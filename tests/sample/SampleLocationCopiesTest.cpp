// The generator's copy of a location under another scene id: the viewpoints renamed in
// the file names and the texts, the drawn files copied, too many names refused.
#include "container/LPropertyList.h"
#include "support/LSampleRoots.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

int CopyInto(const LTestDirectory& aDirectory, const std::string& aArguments)
{
    const std::string command = "\"" + LSampleRoots::Generator() + "\" \"" + aDirectory.Path() +
                                "\" --copy-location " + aArguments + " > \"" + aDirectory.Path() + "/gen.out\"";
    return std::system(command.c_str());
}

std::string Value(const LPropertyList& aList, const char* aPath)
{
    bool found = false;
    return ToStd(aList.GetString(LString(aPath), found));
}

} // namespace

TEST(SampleLocationCopies, ACopyRenamesTheViewpointsInNamesAndTextsAndTakesTheDrawnFiles)
{
    LTestDirectory out;
    ASSERT_EQ(0, CopyInto(out, "case01/riverbank case09/elsewhere vp_gate vp_yard"));
    const std::string folder = out.Path() + "/scenes/case09/elsewhere/";
    LPropertyList scene;
    ASSERT_TRUE(scene.Parse(out.Read("scenes/case09/elsewhere/scene.txt").c_str(),
                            static_cast<int>(out.Read("scenes/case09/elsewhere/scene.txt").size())));
    EXPECT_EQ("vp_gate", Value(scene, "defaultviewpoint"));
    EXPECT_EQ("vp_gate_bg.bmp", Value(scene, "viewpoints.vp_gate.background"));
    EXPECT_EQ("vp_yard_hotspots", Value(scene, "viewpoints.vp_yard.hotspots"));
    EXPECT_EQ("vp_gate", Value(scene, "characters.npcs.witness.viewpoints"));
    EXPECT_EQ(nullptr, scene.GetList(LString("viewpoints.vp01")));
    // The way back from the second viewpoint leads to the first one's new name.
    LPropertyList hotspots;
    const std::string yard = out.Read("scenes/case09/elsewhere/vp_yard_hotspots.txt");
    ASSERT_TRUE(hotspots.Parse(yard.c_str(), static_cast<int>(yard.size())));
    EXPECT_EQ("vp_gate", Value(hotspots, "to_vp_gate.typedata.navigate.viewpointid"));
    // The drawn pictures and depth meshes of the source, byte for byte.
    const std::string sample = LSampleRoots::Directory() + "/scenes/case01/riverbank/";
    for (const auto& [source, copy] : {std::pair {"vp01_bg.bmp", "vp_gate_bg.bmp"}, {"vp02_depth.lim", "vp_yard_depth.lim"}}) {
        ASSERT_TRUE(std::filesystem::exists(folder + copy)) << copy;
        EXPECT_EQ(std::filesystem::file_size(sample + source), std::filesystem::file_size(folder + copy)) << copy;
    }
    EXPECT_TRUE(std::filesystem::exists(folder + "cameras.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder + "vp01_bg.bmp"));
}

TEST(SampleLocationCopies, MoreNamesThanTheSourceHasViewpointsAreRefused)
{
    LTestDirectory out;
    EXPECT_NE(0, CopyInto(out, "precinct case09/elsewhere vp_a vp_b"));
    EXPECT_NE(0, CopyInto(out, "case01/nowhere case09/elsewhere vp_a"));
    EXPECT_FALSE(std::filesystem::exists(out.Path() + "/scenes/case09/elsewhere/scene.txt"));
}
