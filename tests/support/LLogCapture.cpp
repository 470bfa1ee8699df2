#include "support/LLogCapture.h"

#include "container/LString.h"
#include "stdlib/LLog.h"

LLogCapture::LLogCapture()
{
    SetLogDirectory(LString(mDirectory.Path().c_str()));
}

LLogCapture::~LLogCapture()
{
    SetLogDirectory(LString(""));
}

std::string LLogCapture::Bytes() const
{
    return mDirectory.Read("log.txt");
}

std::vector<std::string> LLogCapture::Lines() const
{
    std::vector<std::string> lines;
    const std::string bytes = Bytes();
    size_t start = 0;
    for (;;) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            if (start < bytes.size()) {
                lines.push_back(bytes.substr(start));
            }
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool LLogCapture::Contains(const std::string& aText) const
{
    return Count(aText) > 0;
}

int LLogCapture::Count(const std::string& aText) const
{
    int n = 0;
    for (const std::string& line : Lines()) {
        if (line.find(aText) != std::string::npos) {
            ++n;
        }
    }
    return n;
}

void LLogCapture::Clear()
{
    mDirectory.Write("log.txt", "");
}

std::string LLogCapture::Problems(const std::string& aExpected) const
{
    return ProblemsBut({aExpected.c_str()});
}

std::string LLogCapture::ProblemsBut(std::initializer_list<const char*> aExpected) const
{
    std::string problems;
    for (const std::string& line : Lines()) {
        bool expected = false;
        for (const char* text : aExpected) {
            expected = expected || (text != nullptr && *text != 0 && line.find(text) != std::string::npos);
        }
        if (expected) {
            continue;
        }
        if (line.find("WARNING") != std::string::npos || line.find("ERROR") != std::string::npos ||
            line.find("ASSERT") != std::string::npos) {
            problems += line + "\n";
        }
    }
    return problems;
}
