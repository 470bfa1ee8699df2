// Frames of the whole game loop: aCount calls of GMApp::Update (clear, frame listeners,
// the 2-D pass), the fake timer moved on by aStep before each. For the frame listeners
// alone, LFakeTimer::Frames.
#pragma once

// False when the application is missing or any frame failed (the later frames still run).
bool GMAppFrames(int aCount, double aStep);
