// The states and events the script fuzz targets evaluate against: a number, a string and
// a boolean state, and two events. Made once per run.
#pragma once
#include "event/LEventManager.h"
#include "state/LStateManager.h"

inline void FuzzScriptWorld()
{
    static const bool sReady = [] {
        LStateManager* states = LStateManager::Get();
        states->SetState(u"sta_n", u"number", u"2", false);
        states->SetState(u"sta_name", u"string", u"abc", false);
        states->SetState(u"sta_flag", u"boolean", u"true", false);
        LEventManager::Get()->AddEvent(u"evt_x", false);
        LEventManager::Get()->AddEvent(u"evt_a", false);
        return true;
    }();
    (void)sReady;
}
