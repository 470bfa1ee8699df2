// The save and load screens of save_screen_layout.txt and load_screen_layout.txt: their
// backgrounds, the dark panels behind the save field (235 x 38), the thumbnail (220 x 170)
// and each of the six load slots (230 x 230, leaving room for the buttons below the grid
// inside the frame), the slot bracket, and the menu buttons cancel and load (160 x 40)
// and the arrows up_arrow and down_arrow (48 x 40).
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

void WriteSaveAndLoadScreens(SampleOutput& aOut)
{
    LCanvas save = SampleArt::Background("SAVE GAME", SampleArt::kNavy, SampleArt::kNight);
    LPixelFont::DrawCentered(save, 400, 290, "Describe this game:", 2.0f, 2.0f, SampleArt::kPaper);
    aOut.WriteImage("textures/menu/save_bg.bmp", save);
    aOut.WriteImage("textures/menu/load_bg.bmp",
                    SampleArt::Background("LOAD GAME", SampleArt::kNavy, SampleArt::kNight));

    struct Panel
    {
        const char* mFile;
        int mWidth;
        int mHeight;
    };
    for (const Panel& panel : {Panel {"panel_field.tga", 235, 38}, Panel {"panel_thumb.tga", 220, 170},
                               Panel {"panel_slot.tga", 230, 230}}) {
        LCanvas canvas(panel.mWidth, panel.mHeight, SampleArt::kShade);
        canvas.Frame(0, 0, panel.mWidth, panel.mHeight, 1, LCanvas::Color {214, 176, 92, 160});
        aOut.WriteImage(std::string("textures/menu/") + panel.mFile, canvas);
    }
    LCanvas bracket(230, 230);
    bracket.Frame(0, 0, 230, 230, 4, SampleArt::kBrass);
    aOut.WriteImage("textures/menu/bracket.tga", bracket);

    aOut.WriteImage("textures/menu/btn_cancel.tga", SampleArt::Button("Cancel", 160, 40, SampleArt::kMenuStates));
    aOut.WriteImage("textures/menu/btn_load.tga", SampleArt::Button("Load", 160, 40, SampleArt::kMenuStates));
    aOut.WriteImage("textures/menu/btn_up_arrow.tga", SampleArt::Button("^", 48, 40, SampleArt::kMenuStates));
    aOut.WriteImage("textures/menu/btn_down_arrow.tga", SampleArt::Button("v", 48, 40, SampleArt::kMenuStates));
}
