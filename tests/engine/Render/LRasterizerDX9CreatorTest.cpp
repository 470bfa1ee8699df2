#include "Render/LRasterizerDX9Creator.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

TEST(RasterizerCreator, DumpCarriesItsOwnTagAndTheIdIsRasterizer)
{
    LRasterizerDX9Creator creator;
    EXPECT_EQ(0u, ToStd(creator.Dump()).find("[LRasterizerCreatorDX9 <"));
    EXPECT_EQ("rasterizer", ToStd(creator.GetId()));
}
