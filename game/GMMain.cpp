#include "GMMain.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

int GMMain::Run(int, char**)
{
    const unsigned firstSerial = static_cast<unsigned>(LMemoryManager::GetAllocationSerial());

    // The application itself arrives with the platform layer and the application shell.

    const unsigned lastSerial = static_cast<unsigned>(LMemoryManager::GetAllocationSerial());
    LMemoryManager::PrintStats(0);
    LMemoryManager::ReportLeaks(0, firstSerial, lastSerial);
    return 0;
}
