#include "support/GMTestRoots.h"

#include "GMMain.h"
#include "support/LTestStrings.h"

GMTestRoots::GMTestRoots() : mMounted(GMMain::MountRoots(FromStd(mDirectory.Path())))
{
}
