// Told the multi-cursor's answer, one of the GMMultiCursorAction codes.
#pragma once
#include "multicursor/GMMultiCursorAction.h"

class GMIMultiCursorListener
{
public:
    static constexpr int ACTION_NONE = GMMultiCursorAction::NONE;
    static constexpr int ACTION_USE = GMMultiCursorAction::USE;
    static constexpr int ACTION_COLLECT = GMMultiCursorAction::COLLECT;
    static constexpr int ACTION_ANALYZE = GMMultiCursorAction::ANALYZE;
    static constexpr int ACTION_TALK = GMMultiCursorAction::TALK;
    static constexpr int ACTION_LOOK = GMMultiCursorAction::LOOK;

    virtual ~GMIMultiCursorListener();
    virtual void OnAction(int aAction) = 0;
};
