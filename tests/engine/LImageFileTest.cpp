#include "LImageBMP.h"
#include "LImageTGA.h"
#include "container/LString.h"
#include "stdlib/LIFileSystem.h"
#include "writers/LImageBytes.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ImageFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//root"), FromStd(mDirectory.Path())));
        mDirectory.Write("Picture.TGA", LImageBytes::Tga(2, 1, 24, 0x20, "\1\2\3\4\5\6"));
        mDirectory.Write("wall.bmp", LImageBytes::Bmp(3, 2, LImageBytes::BmpRows(3, 2)));
    }

    LTestDirectory mDirectory;
    LLogCapture mLog;
};

} // namespace

TEST_F(ImageFileTest, ChoosesTheReaderByExtension)
{
    LImage* image = nullptr;
    ASSERT_EQ(1, LImage::CreateFromFile(LString("//root/Picture.TGA"), &image));
    ASSERT_NE(nullptr, image);
    EXPECT_NE(nullptr, dynamic_cast<LImageTGA*>(image));
    EXPECT_EQ(2, image->GetWidth());
    EXPECT_EQ(0xFF060504u, image->GetPixelARGB(1, 0));
    delete image;

    image = nullptr;
    // a name written in another case than on disk is found too
    ASSERT_EQ(1, LImage::CreateFromFile(LString("//root/WALL.Bmp"), &image));
    EXPECT_NE(nullptr, dynamic_cast<LImageBMP*>(image));
    EXPECT_EQ(9, image->GetPitch());
    delete image;
    EXPECT_TRUE(mLog.Lines().empty());
}

TEST_F(ImageFileTest, UnknownExtensionsAndAnOutNotPointingAtNullAreRefused)
{
    mDirectory.Write("photo.png", "not read");
    LImage* image = nullptr;
    EXPECT_EQ(0, LImage::CreateFromFile(LString("//root/photo.png"), &image));
    EXPECT_EQ(0, LImage::CreateFromFile(LString("//root/noextension"), &image));
    EXPECT_EQ(0, LImage::CreateFromFile(LString(""), &image));
    EXPECT_EQ(3, mLog.Count(": Image format not supported:"));
    EXPECT_EQ(nullptr, image);

    LImageTGA existing;
    image = &existing;
    EXPECT_EQ(0, LImage::CreateFromFile(LString("//root/Picture.TGA"), &image));
    EXPECT_EQ(&existing, image);
    EXPECT_EQ(nullptr, existing.GetPixelsConst());
    EXPECT_EQ(0, LImage::CreateFromFile(LString("//root/Picture.TGA"), nullptr));
}

TEST_F(ImageFileTest, MissingAndDamagedFiles)
{
    LImage* image = nullptr;
    EXPECT_EQ(0, LImage::CreateFromFile(LString("//root/missing.tga"), &image));
    EXPECT_TRUE(mLog.Contains("ERROR: .\\LImageTGA.cpp"));
    EXPECT_TRUE(mLog.Contains(": Image creation failure://root/missing.tga"));

    mDirectory.Write("cut.bmp", LImageBytes::Bmp(3, 2, LImageBytes::BmpRows(3, 2)).substr(0, 60));
    EXPECT_EQ(0, LImage::CreateFromFile(LString("//root/cut.bmp"), &image));
    EXPECT_TRUE(mLog.Contains(": Create failure. Could not read data."));
    EXPECT_TRUE(mLog.Contains(": Image creation failure://root/cut.bmp"));
    EXPECT_EQ(nullptr, image);
}

TEST_F(ImageFileTest, ReadersTakeSymbolicPaths)
{
    LImageTGA tga;
    ASSERT_EQ(1, tga.Create(LString("//root/picture.tga")));
    EXPECT_EQ(0xFF030201u, tga.GetPixelARGB(0, 0));
    LImageBMP bmp;
    ASSERT_EQ(1, bmp.Create(LString("//root/wall.bmp")));
    EXPECT_EQ(2, bmp.GetHeight());
    EXPECT_EQ(0, bmp.Create(LString("//nomount/wall.bmp")));
    EXPECT_TRUE(mLog.Contains(": Create failure. size == -1://nomount/wall.bmp"));
    EXPECT_EQ(3, bmp.GetWidth()); // the failed load kept the image
}
