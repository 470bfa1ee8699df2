#include "Sound/LISoundPlayer.h"

LISoundPlayer::~LISoundPlayer() = default;
