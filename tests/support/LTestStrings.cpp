#include "support/LTestStrings.h"

std::string ToStd(const LString& aText)
{
    std::string out;
    const char16_t* units = aText.GetBuffer();
    for (int i = 0; i < aText.GetLength(); ++i) {
        out.push_back(static_cast<char>(units[i] & 0xFF));
    }
    return out;
}

LString FromStd(const std::string& aText)
{
    return LString(aText.c_str());
}

void PrintTo(const LString& aText, std::ostream* aOut)
{
    *aOut << '"' << ToStd(aText) << '"';
}
