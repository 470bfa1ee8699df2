// Sends the messages of the sound and movie stand-ins (compat/media) to the engine's log
// in its line format. Installed by the sound and movie services; their messages may come
// from the audio thread, so the handler writes without allocating.
#pragma once

void InstallMediaLog();
