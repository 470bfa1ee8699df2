// What a scroll bar is made of: its three buttons (not owned) and its sizes along the
// scroll axis, in pixels. The layout builder fills all but the axis, which the caller sets.
#pragma once
#include "LVector2.h"

class LButton;

struct LScrollBarParams
{
    // Scrolls towards the end.
    LButton* mDownArrow = nullptr;
    // Scrolls towards the start.
    LButton* mUpArrow = nullptr;
    // The bar dragged along the track.
    LButton* mBar = nullptr;
    int mBarHeight = 0;
    // The length of the track in which the bar moves.
    int mBarAreaHeight = 0;
    int mContentHeight = 0;
    // Where the content group stands at scroll position 0.
    LVector2 mContentStartPos {0.0f, 0.0f};
    // The visible length of the scroll area.
    int mScrollAreaHeight = 0;
    // Pixels per arrow step.
    int mScrollIncrement = 0;
    // 0: bar and content move along y; any other value: along x.
    int mHorizontal = 0;
};
