#include "menu/GMIntro.h"

void GMIntro::OnLeave()
{
}

void GMIntro::OnHidden()
{
}

void GMIntro::OnShow()
{
}

template class GMStandIn<GMIntro>;
