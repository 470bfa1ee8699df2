#include "interview/GMIVoicedLineListener.h"

GMIVoicedLineListener::~GMIVoicedLineListener() = default;
