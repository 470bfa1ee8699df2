#include "GMMain.h"

int main(int aArgc, char** aArgv)
{
    return GMMain::Run(aArgc, aArgv);
}
