// Collects the messages of compat's sound and movie stand-ins for the lifetime of the
// object (they may come from the audio thread).
#pragma once
#include <string>
#include <vector>

class LMediaLogCapture
{
public:
    LMediaLogCapture();
    ~LMediaLogCapture();

    std::vector<std::string> Errors() const;
    // True when some error contains aText.
    bool HasError(const std::string& aText) const;
    int ErrorCount() const;
};
