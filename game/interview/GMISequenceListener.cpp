#include "interview/GMISequenceListener.h"

GMISequenceListener::~GMISequenceListener() = default;
