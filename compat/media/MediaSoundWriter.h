// Encodes a mono sound into a file through FFmpeg's encoders, for the sample generator:
// Vorbis in Ogg for a ".ogg" name, 16-bit PCM in WAV for a ".wav" name. The output is
// bit-exact (no random stream serial, no version strings), so the same samples give the
// same bytes every time.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes aSamples (values -1 .. 1) at aRate to aPath. False, with the reason in aError,
// when the name's format is unknown, its encoder is missing, or writing fails; a partly
// written file is removed.
bool MediaWriteSound(const std::string& aPath, int aRate, const std::vector<float>& aSamples, std::string& aError);
