// Conversions between LString and std::string for assertions (8-bit, low byte).
#pragma once
#include "container/LString.h"

#include <ostream>
#include <string>

std::string ToStd(const LString& aText);
LString FromStd(const std::string& aText);

// Lets gtest print LString values in failure messages.
void PrintTo(const LString& aText, std::ostream* aOut);
