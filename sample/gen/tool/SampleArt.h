// The look shared by the sample's pictures: its colours, full-screen backgrounds, and
// buttons whose state pictures stand one above the other in one texture (the layout
// files cut them out by "texturecoords").
#pragma once
#include "writers/LCanvas.h"

#include <string>

class SampleArt
{
public:
    static constexpr LCanvas::Color kNavy {18, 28, 52, 255};
    static constexpr LCanvas::Color kNight {6, 8, 16, 255};
    static constexpr LCanvas::Color kBrass {214, 176, 92, 255};
    static constexpr LCanvas::Color kPaper {232, 222, 196, 255};
    static constexpr LCanvas::Color kInk {40, 34, 30, 255};
    static constexpr LCanvas::Color kGrey {120, 120, 128, 255};
    static constexpr LCanvas::Color kShade {0, 0, 0, 160};

    // Menu button states, top to bottom: normal, over, down, disabled, hilight.
    static constexpr const char* kMenuStates = "nodxh";
    // Engine button states, top to bottom: normal, over, down, hilighted, hilighted over.
    static constexpr const char* kEngineStates = "nodh";

    // An 800 x 600 picture: a vertical gradient, a brass frame, and aTitle on top.
    static LCanvas Background(const std::string& aTitle, LCanvas::Color aTop, LCanvas::Color aBottom);
    // One picture per letter of aStates, each aWidth x aHeight, stacked downwards.
    static LCanvas Button(const std::string& aLabel, int aWidth, int aHeight, const std::string& aStates);
    // A picture for one state: a lettered plate, or an arrow for the labels "^" and "v".
    static void DrawButtonState(LCanvas& aCanvas, int aTop, const std::string& aLabel, int aWidth, int aHeight,
                                char aState);
};
