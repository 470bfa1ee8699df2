#include "pda/GMPhone.h"

void GMPhone::Reset()
{
}

template class GMStandIn<GMPhone>;
