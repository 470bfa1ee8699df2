// Distinct placeholder pointers for the values held by the container tests.
#pragma once

inline int gTestPointerTargets[5];
inline void* const A = &gTestPointerTargets[0];
inline void* const B = &gTestPointerTargets[1];
inline void* const C = &gTestPointerTargets[2];
inline void* const D = &gTestPointerTargets[3];
inline void* const X = &gTestPointerTargets[4];
