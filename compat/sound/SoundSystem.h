// The one mixer and output behind the FSOUND_ calls, shared with the movie stand-in's
// sound. Internal to compat.
#pragma once

class SoundMixer;

SoundMixer& SoundSystemMixer();
// True between FSOUND_Init and FSOUND_Close.
bool SoundSystemActive();
