#include "object/LISerializable.h"

LISerializable::~LISerializable() = default;
