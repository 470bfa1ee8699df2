#include "Render/LShadowFace.h"
