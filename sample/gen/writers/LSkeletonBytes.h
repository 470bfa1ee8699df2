// Tree-form model files (".lim1") of a skeleton without meshes: the first frame is the
// root and every later frame one of its children, in order. For the sample generator,
// the animation tests, fuzz targets and benchmarks, which pose such skeletons.
#pragma once
#include "LMatrix4.h"
#include "container/LString.h"

#include <string>
#include <utility>
#include <vector>

class LSkeletonBytes
{
public:
    // A frame with its rest matrix (also written as its world matrix).
    LSkeletonBytes& Frame(const LString& aName, const LMatrix4& aRest = LMatrix4());
    std::string Bytes() const;

private:
    std::vector<std::pair<LString, LMatrix4>> mFrames;
};
