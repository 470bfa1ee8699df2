// Turns condition texts into script trees. A text is "script[" + expression + "]"; the
// expression is built from event checks e[id] / event[id], state checks s[id] / state[id],
// numbers, words, "true"/"false", parentheses and the operators of the table below.
//
// Building first takes every bracket group (the ids) and every parenthesis group out of
// the text, replacing each by "@" + its number, then splits the text at the last
// occurrence of the loosest operator present. Levels bind from loosest to tightest:
//   0: &  |        1: <=  >=  !=  <  >  !  ==        2: +  -        3: *  /
// and within a level a token listed earlier binds looser, so "&" binds looser than "|"
// and "!a==b" means "!(a==b)". A faulty text is built as far as it goes; its faults are
// logged and show as missing or valueless operands, which evaluate to false.
#pragma once
#include "container/LString.h"
#include "object/LBase.h"

class LScript;
class LScriptOperation;
class LVectorString;

class LScriptBuilder : public LBase
{
public:
    static LScriptBuilder* Get();

    LScriptBuilder();
    LScriptBuilder(const LScriptBuilder&) = delete;
    LScriptBuilder& operator=(const LScriptBuilder&) = delete;
    ~LScriptBuilder() override;

    LString Dump() const override;

    // Replaces aScript's tree by the one built from aText. True for every text (faults
    // only reach the log); false only without a script to fill.
    bool BuildScript(const LString& aText, LScript* aScript);
    // Builds aText into aOperation; aReplaceBrackets takes the bracket groups out first.
    bool BuildOperation(const LString& aText, LScriptOperation* aOperation, bool aReplaceBrackets);

    // Find the "]" (or ")") that closes the opening character at aOpen and put the text
    // between them into aOut; false, with aOut unchanged, when there is none.
    bool MatchBracket(const LString& aText, int aOpen, LString& aOut) const;
    bool MatchParenthesis(const LString& aText, int aOpen, LString& aOut) const;

    // Whether aText has the script form "script[" ... (any case): for owners that accept
    // either a script or some other value in the same place.
    static bool IsScript(const LString& aText);
    // Whether the last BuildScript met a syntax error (an unmatched bracket or
    // parenthesis, an empty operand, a leaf that is no operand form).
    bool HadSyntaxError() const { return mSyntaxError; }

private:
    bool MatchPair(const LString& aText, int aOpen, char16_t aOpenChar, char16_t aCloseChar,
                   LString& aOut) const;
    void ReplaceBracketGroups(LString& aText);
    void ReplaceParenthesisGroups(LString& aText);
    void BuildLeaf(const LString& aText, LScriptOperation* aOperation);
    int AddGroup(const LString& aGroup);
    LString GetGroup(int aIndex) const;
    void SyntaxError();

    LVectorString* mGroups = nullptr;
    int mGroupCounter = 0;
    int mDepth = 0;
    // BuildOperation calls left in the current build.
    int mBudget = 0;
    bool mSyntaxError = false;
};
