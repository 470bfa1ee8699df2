// Registers the recording fakes under the creator ids the engine asks for: "rasterizer"
// (LFakeRasterizer), "texture" (LFakeTexture) and "devicecaps" (LFakeDeviceCaps). Call it
// at the start of a test, before anything asks for these services.
#pragma once

void RegisterFakeRender();
