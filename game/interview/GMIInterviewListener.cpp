#include "interview/GMIInterviewListener.h"

GMIInterviewListener::~GMIInterviewListener() = default;
