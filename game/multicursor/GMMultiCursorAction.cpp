#include "multicursor/GMMultiCursorAction.h"

bool GMMultiCursorAction::IsButton(int aAction)
{
    return aAction >= USE && aAction <= LOOK;
}
