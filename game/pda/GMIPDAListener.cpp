#include "pda/GMIPDAListener.h"

GMIPDAListener::~GMIPDAListener() = default;
