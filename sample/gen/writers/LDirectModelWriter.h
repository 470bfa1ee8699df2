// Writes a model built in memory (an LDrawElement) in the direct model form, the form of
// scene depth meshes and older character models, which the engine reads but never writes.
//
// Frames are written in the element's frame order. A frame's id is its own, or its index
// + 1 when it has none (0 is never an id); links and bones refer to frames by these ids (a
// bone without a frame id takes the id of the frame of its name). Each subset writes its
// own material, so subset i uses material i. The values the reader drops (the header, the
// number after the frame count and after each world matrix, the subsets' attribute ids
// and the number after a skin's bone count) are written as zeros.
#pragma once

class LDrawElement;
class LIStream;

class LDirectModelWriter
{
public:
    // True when every write succeeded.
    static bool Write(LDrawElement& aElement, LIStream* aStream);
};
