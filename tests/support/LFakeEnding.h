// How a fake stream or movie ends as a real one does, seen by the frame loop: Mark makes
// its owner a frame listener (priority 0.0, after those already there); in the next pass
// the owner's OnFrame takes the mark (Take leaves the frame manager), tells its listener
// and then calls InterruptPass, which ends the rest of that pass.
#pragma once

class LIFrameListener;

class LFakeEnding
{
public:
    explicit LFakeEnding(LIFrameListener* aOwner) : mOwner(aOwner) {}
    ~LFakeEnding() { Leave(); }
    LFakeEnding(const LFakeEnding&) = delete;
    LFakeEnding& operator=(const LFakeEnding&) = delete;

    void Mark();
    // Forgets a mark and leaves the frame manager.
    void Leave();
    // In the owner's OnFrame: whether a mark was due; it is forgotten then.
    bool Take();
    static void InterruptPass();

private:
    LIFrameListener* mOwner;
    bool mEnded = false;
    bool mInFrames = false;
};
