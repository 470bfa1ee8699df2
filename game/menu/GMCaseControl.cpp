#include "menu/GMCaseControl.h"

template class GMStandIn<GMCaseControl>;
