// A condition over raised events and named states, held as a tree of operations that
// the script builder makes from text such as "script[e[evt_a]&!s[sta_b]]". Evaluating
// walks the whole tree against the live event and state managers every time.
#pragma once
#include "object/LObject.h"

class LScriptOperation;

class LScript : public LObject
{
public:
    LScript();
    LScript(const LScript&) = delete;
    LScript& operator=(const LScript&) = delete;
    ~LScript() override;

    LString Dump() const override;

    // The answer: a boolean result is its value; a number is true exactly when it is 0;
    // a string exactly when it is empty; anything else, no root included, is false.
    bool Evaluate();

    const LScriptOperation* GetRoot() const { return mRoot; }
    LScriptOperation* GetRoot() { return mRoot; }
    // Takes ownership of aRoot (null leaves the script without a root); the old root is
    // deleted.
    void SetRoot(LScriptOperation* aRoot);

    // The root operation's block. Both fail for a script without a root: reading fills
    // the existing root, so a script to be read is given one first (SetRoot).
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

private:
    LScriptOperation* mRoot = nullptr;
};
