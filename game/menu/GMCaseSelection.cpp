#include "menu/GMCaseSelection.h"

template class GMStandIn<GMCaseSelection>;
