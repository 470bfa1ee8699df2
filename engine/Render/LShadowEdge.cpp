#include "Render/LShadowEdge.h"
