// Sends the log to a temporary directory for the lifetime of the object, so a test can
// read back exactly the entries its code wrote.
#pragma once
#include "support/LTestDirectory.h"

#include <initializer_list>
#include <string>
#include <vector>

class LLogCapture
{
public:
    LLogCapture();
    ~LLogCapture();

    // The raw bytes of log.txt so far.
    std::string Bytes() const;
    // The entries' lines, split at CR LF.
    std::vector<std::string> Lines() const;
    // True when some line contains aText.
    bool Contains(const std::string& aText) const;
    // Number of lines that contain aText.
    int Count(const std::string& aText) const;
    // The lines that report a problem (a warning, an error or an assertion failure), each
    // ended by a newline, but for those that contain aExpected (a message logged on
    // purpose) when it is given; empty when there is none.
    std::string Problems(const std::string& aExpected = "") const;
    // The same, but for the lines that contain any of aExpected.
    std::string ProblemsBut(std::initializer_list<const char*> aExpected) const;
    // Forgets what was logged so far.
    void Clear();

    const LTestDirectory& Directory() const { return mDirectory; }

private:
    LTestDirectory mDirectory;
};
