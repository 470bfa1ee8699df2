// A compact text of a script tree, so tests can state whole trees at once: an operation
// is its op code followed by its operands in parentheses, "_" for an absent operand A
// before a present B; an operand is true/false, a number, 'text' or a nested operation;
// an empty operand is "?". So script[e[evt_a]&!s[sta_b]] is 14(1('evt_a'),11(_,2('sta_b'))).
#pragma once
#include <string>

class LScript;
class LScriptOperation;
class LScriptOperand;

std::string TreeText(const LScript& aScript);
std::string TreeText(const LScriptOperation& aOperation);
std::string TreeText(const LScriptOperand& aOperand);
