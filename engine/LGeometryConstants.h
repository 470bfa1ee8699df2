// The fixed tolerances of the engine's geometry. Operations that take a tolerance
// argument get it from their caller; these are the ones built into the algorithms.
#pragma once

// The general epsilon: coordinates and slopes closer than this count as equal, and a
// zero difference in x is replaced by it when a slope is computed.
inline constexpr float kGeometryEpsilon = 2.7e-5f;
// Two slopes closer than this are parallel.
inline constexpr float kParallelSlopeEpsilon = 5.4e-5f;
// A slope steeper than this (in magnitude) is vertical.
inline constexpr float kVerticalSlope = 36000.0f;
// Tolerance with which plane normals are normalised.
inline constexpr float kPlaneNormalTolerance = 0.0001f;
// The bounds of an empty box: min is +kEmptyBoxBound, max is -kEmptyBoxBound.
inline constexpr float kEmptyBoxBound = 1e37f;
