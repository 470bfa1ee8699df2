#include "pda/GMPDAMinimized.h"

template class GMStandIn<GMPDAMinimized>;
