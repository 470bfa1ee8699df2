#include "profiler/GMProfilingComputer.h"

template class GMStandIn<GMProfilingComputer>;
