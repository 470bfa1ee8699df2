#include "support/LScriptTreeText.h"

#include "script/LScript.h"
#include "script/LScriptOperation.h"
#include "support/LTestStrings.h"

#include <cstdio>

std::string TreeText(const LScript& aScript)
{
    return aScript.GetRoot() ? TreeText(*aScript.GetRoot()) : std::string("<no root>");
}

std::string TreeText(const LScriptOperation& aOperation)
{
    std::string text = std::to_string(aOperation.GetOpCode()) + "(";
    const LScriptOperand* a = aOperation.GetOperandA();
    const LScriptOperand* b = aOperation.GetOperandB();
    if (a) {
        text += TreeText(*a);
    } else if (b) {
        text += "_";
    }
    if (b) {
        text += "," + TreeText(*b);
    }
    return text + ")";
}

std::string TreeText(const LScriptOperand& aOperand)
{
    switch (aOperand.GetType()) {
    case LScriptOperand::TYPE_BOOLEAN:
        return aOperand.GetBoolean() ? "true" : "false";
    case LScriptOperand::TYPE_NUMBER: {
        char number[32];
        std::snprintf(number, sizeof(number), "%g", static_cast<double>(aOperand.GetNumber()));
        return number;
    }
    case LScriptOperand::TYPE_STRING:
        return "'" + ToStd(aOperand.GetString()) + "'";
    case LScriptOperand::TYPE_OPERATION:
        return TreeText(*aOperand.GetOperation());
    default:
        return "?";
    }
}
