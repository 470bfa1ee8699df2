#include "scene/GMICharacterListener.h"
