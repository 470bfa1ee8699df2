#include "ui/GMIMessageBoxListener.h"

GMIMessageBoxListener::~GMIMessageBoxListener() = default;

void GMIMessageBoxListener::OnMessageBoxShown() {}

void GMIMessageBoxListener::OnMessageBoxClosed() {}
