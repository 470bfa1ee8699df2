// A long session's memory: runs a cycle (a location loaded and unloaded, say) aWarmUp
// times to fill the caches that a repeated cycle finds, then up to aLast, and fails the
// test unless the main heap's bytes and blocks and the calling thread's small-block
// chunks end every later cycle where the warm-up left them. The tracked allocator's.
#pragma once
#include <functional>

void ExpectSteadyHeap(const std::function<void()>& aCycle, int aWarmUp, int aLast);
