#include "script/LScriptBuilder.h"

#include "container/LFloat.h"
#include "container/LInt.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "script/LScript.h"
#include "script/LScriptOperation.h"
#include "stdlib/LSingleton.h"
#include "stdlib/LLog.h"

namespace {

LSingleton<LScriptBuilder> sBuilder;

struct LOperatorToken
{
    const char16_t* mToken;
    unsigned mOpCode;
};

// The split order: level 0 first (loosest), and within a level the tokens in this order.
const LOperatorToken kLevel0[] = {{u"&", LScriptOperation::OP_AND}, {u"|", LScriptOperation::OP_OR}};
const LOperatorToken kLevel1[] = {
    {u"<=", LScriptOperation::OP_LESS_EQUAL}, {u">=", LScriptOperation::OP_GREATER_EQUAL},
    {u"!=", LScriptOperation::OP_NOT_EQUAL},  {u"<", LScriptOperation::OP_LESS},
    {u">", LScriptOperation::OP_GREATER},     {u"!", LScriptOperation::OP_NOT},
    {u"==", LScriptOperation::OP_EQUAL}};
const LOperatorToken kLevel2[] = {{u"+", LScriptOperation::OP_ADD}, {u"-", LScriptOperation::OP_SUBTRACT}};
const LOperatorToken kLevel3[] = {{u"*", LScriptOperation::OP_MULTIPLY}, {u"/", LScriptOperation::OP_DIVIDE}};

struct LOperatorLevel
{
    const LOperatorToken* mTokens;
    int mCount;
};

const LOperatorLevel kLevels[] = {{kLevel0, 2}, {kLevel1, 7}, {kLevel2, 2}, {kLevel3, 2}};

bool IsLetter(char16_t aChar)
{
    return (aChar >= u'A' && aChar <= u'Z') || (aChar >= u'a' && aChar <= u'z');
}

bool IsDigit(char16_t aChar)
{
    return aChar >= u'0' && aChar <= u'9';
}

bool StartsWithNoCase(const LString& aText, const char16_t* aPrefix)
{
    const int n = LStringLength(aPrefix);
    return aText.GetLength() >= n && aText.Mid(0, n, 0).EqualsNoCase(aPrefix);
}

int ParseInt(const LString& aText)
{
    return LInt(aText).mValue;
}

// Counts the nesting of BuildOperation calls for the lifetime of one call.
class LDepthGuard
{
public:
    explicit LDepthGuard(int& aDepth) : mDepth(aDepth) { ++mDepth; }
    ~LDepthGuard() { --mDepth; }

private:
    int& mDepth;
};

} // namespace

LScriptBuilder* LScriptBuilder::Get()
{
    return sBuilder.Get(L_FILE, __LINE__, "LScriptBuilder creation failure.");
}

LScriptBuilder::LScriptBuilder()
    : mGroups(L_NEW LVectorString())
{
}

LScriptBuilder::~LScriptBuilder()
{
    delete mGroups;
    sBuilder.Destroyed(this);
}

LString LScriptBuilder::Dump() const
{
    return DumpHead("LScriptBuilder") + "]";
}

bool LScriptBuilder::IsScript(const LString& aText)
{
    return StartsWithNoCase(aText, u"script[");
}

void LScriptBuilder::SyntaxError()
{
    mSyntaxError = true;
    L_ASSERT_FAILURE(u"Syntax error.");
}

int LScriptBuilder::AddGroup(const LString& aGroup)
{
    if (mGroups) {
        mGroups->Add(aGroup);
    }
    return mGroupCounter++;
}

LString LScriptBuilder::GetGroup(int aIndex) const
{
    if (!mGroups) {
        return LString();
    }
    return (*mGroups)[aIndex];
}

bool LScriptBuilder::BuildScript(const LString& aText, LScript* aScript)
{
    if (!aScript) {
        L_ERROR(u"Invalid argument.");
        return false;
    }
    if (mGroups) {
        mGroups->RemoveAll();
    }
    mGroupCounter = 0;
    mDepth = 0;
    mSyntaxError = false;
    // Building a text visits each operand text a bounded number of times; only groups
    // that name groups ("@" written in the text) could make it visit them again and again.
    mBudget = 4 * aText.GetLength() + 64;
    aScript->SetRoot(nullptr);

    LString expression;
    if (!IsScript(aText) || !MatchBracket(aText, 6, expression)) {
        expression = aText;
    }

    LScriptOperation* root = L_NEW LScriptOperation();
    if (!root) {
        L_ERROR(u"BuildScript failure. Out of memory.");
        return false;
    }
    aScript->SetRoot(root);

    const bool isFalse = expression.EqualsNoCase(u"false");
    if (isFalse || expression.EqualsNoCase(u"true")) {
        LScriptOperand* operand = L_NEW LScriptOperand();
        if (operand) {
            operand->SetBoolean(!isFalse);
        }
        root->SetOperandA(operand);
        return true;
    }
    BuildOperation(expression, root, true);
    return true;
}

bool LScriptBuilder::MatchPair(const LString& aText, int aOpen, char16_t aOpenChar,
                               char16_t aCloseChar, LString& aOut) const
{
    const char16_t open[] = {aOpenChar, 0};
    const char16_t close[] = {aCloseChar, 0};
    int search = aOpen + 1;
    for (;;) {
        const int nextOpen = aText.Find(open, search);
        const int nextClose = aText.Find(close, search);
        if (nextClose < 0) {
            return false;
        }
        if (nextOpen < 0 || nextClose < nextOpen) {
            aOut = aText.Mid(aOpen + 1, nextClose - aOpen - 1, 0);
            return true;
        }
        // Pass over one nested pair.
        search = nextClose + 1;
    }
}

bool LScriptBuilder::MatchBracket(const LString& aText, int aOpen, LString& aOut) const
{
    if (MatchPair(aText, aOpen, u'[', u']', aOut)) {
        return true;
    }
    L_ERROR(u"MatchBracket failure. Syntax error.");
    return false;
}

bool LScriptBuilder::MatchParenthesis(const LString& aText, int aOpen, LString& aOut) const
{
    if (MatchPair(aText, aOpen, u'(', u')', aOut)) {
        return true;
    }
    L_ERROR(u"MatchParenthesis failure. Syntax error.");
    return false;
}

// Every "[...]" becomes "[@n]" with the text kept as group n. An unmatched "[" keeps the
// rest of the text and gets "@n" for an empty group; the search always moves on, so the
// loop ends.
void LScriptBuilder::ReplaceBracketGroups(LString& aText)
{
    int search = 0;
    for (;;) {
        const int open = aText.Find(u"[", search);
        if (open < 0) {
            return;
        }
        LString group;
        const bool matched = MatchBracket(aText, open, group);
        if (!matched) {
            SyntaxError();
            group = LString();
        }
        const LString placeholder = LString(u"@") + AddGroup(group);
        const int after = matched ? open + 1 + group.GetLength() : open + 1;
        LString text = aText.Mid(0, open + 1, 0) + placeholder;
        text += aText.Mid(after, aText.GetLength() - after, 0);
        aText = text;
        // Past the placeholder, and past the closing bracket when there is one.
        search = open + 1 + placeholder.GetLength() + (matched ? 1 : 0);
    }
}

// Every "(...)" becomes "@n" with the inner text kept as group n. An unmatched "(" and
// the character after it become the placeholder of an empty group.
void LScriptBuilder::ReplaceParenthesisGroups(LString& aText)
{
    int search = 0;
    for (;;) {
        const int open = aText.Find(u"(", search);
        if (open < 0) {
            return;
        }
        LString group;
        const bool matched = MatchParenthesis(aText, open, group);
        if (!matched) {
            SyntaxError();
            group = LString();
        }
        const LString placeholder = LString(u"@") + AddGroup(group);
        int after = open + 2 + group.GetLength();
        if (after > aText.GetLength()) {
            after = aText.GetLength();
        }
        LString text = aText.Mid(0, open, 0) + placeholder;
        text += aText.Mid(after, aText.GetLength() - after, 0);
        aText = text;
        search = open + placeholder.GetLength();
    }
}

bool LScriptBuilder::BuildOperation(const LString& aText, LScriptOperation* aOperation,
                                    bool aReplaceBrackets)
{
    if (!aOperation) {
        L_ERROR(u"Invalid argument.");
        return false;
    }
    LDepthGuard guard(mDepth);
    aOperation->Reset();
    if (mDepth >= LScriptOperation::kMaxDepth || --mBudget < 0) {
        // Deeper than any condition needs, or groups that name groups ("(@0)").
        SyntaxError();
        aOperation->SetOperandA(L_NEW LScriptOperand());
        return true;
    }
    LString text(aText);
    if (text.IsEmpty()) {
        mSyntaxError = true;
        L_ASSERT_FAILURE(u"BuildOperation failure. Syntax error.");
    }
    if (aReplaceBrackets) {
        ReplaceBracketGroups(text);
    }
    ReplaceParenthesisGroups(text);

    for (const LOperatorLevel& level : kLevels) {
        for (int i = 0; i < level.mCount; ++i) {
            const LOperatorToken& token = level.mTokens[i];
            const int at = text.ReverseFind(token.mToken);
            if (at < 0) {
                continue;
            }
            aOperation->SetOpCode(token.mOpCode);
            const int tokenLength = LStringLength(token.mToken);
            const LString left = text.Mid(0, at, 0);
            const int rightStart = at + tokenLength;
            const LString right = text.Mid(rightStart, text.GetLength() - rightStart, 0);
            if (!left.IsEmpty()) {
                LScriptOperation* sub = L_NEW LScriptOperation();
                LScriptOperand* operand = L_NEW LScriptOperand();
                if (sub && operand) {
                    BuildOperation(left, sub, false);
                    operand->SetOperation(sub);
                    aOperation->SetOperandA(operand);
                } else {
                    delete sub;
                    delete operand;
                }
            }
            if (!right.IsEmpty()) {
                LScriptOperation* sub = L_NEW LScriptOperation();
                LScriptOperand* operand = L_NEW LScriptOperand();
                if (sub && operand) {
                    BuildOperation(right, sub, false);
                    operand->SetOperation(sub);
                    aOperation->SetOperandB(operand);
                } else {
                    delete sub;
                    delete operand;
                }
            }
            return true;
        }
    }
    BuildLeaf(text, aOperation);
    return true;
}

void LScriptBuilder::BuildLeaf(const LString& aText, LScriptOperation* aOperation)
{
    const char16_t first = aText.At(0);
    if (first == u'@') {
        // A parenthesis group: built into this same operation.
        const int index = ParseInt(aText.Mid(1, aText.GetLength() - 1, 0));
        BuildOperation(GetGroup(index), aOperation, false);
        return;
    }

    static const struct {
        const char16_t* mPrefix;
        unsigned mOpCode;
    } kChecks[] = {{u"event[@", LScriptOperation::OP_CHECK_EVENT},
                   {u"e[@", LScriptOperation::OP_CHECK_EVENT},
                   {u"state[@", LScriptOperation::OP_CHECK_STATE},
                   {u"s[@", LScriptOperation::OP_CHECK_STATE}};
    for (const auto& check : kChecks) {
        if (!StartsWithNoCase(aText, check.mPrefix)) {
            continue;
        }
        // The group number runs from after the prefix to before the last character.
        const int start = LStringLength(check.mPrefix);
        const int index = ParseInt(aText.Mid(start, aText.GetLength() - 1 - start, 0));
        aOperation->SetOpCode(check.mOpCode);
        LScriptOperand* operand = L_NEW LScriptOperand();
        if (operand) {
            operand->SetString(GetGroup(index));
        }
        aOperation->SetOperandA(operand);
        return;
    }

    aOperation->SetOpCode(LScriptOperation::OP_VALUE);
    LScriptOperand* operand = L_NEW LScriptOperand();
    aOperation->SetOperandA(operand);
    if (!operand) {
        return;
    }
    if (IsLetter(first)) {
        operand->SetString(aText);
    } else if (IsDigit(first)) {
        operand->SetNumber(LFloat(aText).mValue);
    } else {
        SyntaxError();
    }
}
