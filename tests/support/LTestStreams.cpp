#include "support/LTestStreams.h"

#include <cstdio>
#include <cstring>

std::string WrittenBytes(LMemoryStream& aStream)
{
    return std::string(reinterpret_cast<const char*>(aStream.GetBuffer()),
                       static_cast<size_t>(aStream.GetPosition()));
}

std::string Hex(const std::string& aBytes)
{
    std::string text;
    for (unsigned char c : aBytes) {
        char part[4];
        std::snprintf(part, sizeof(part), "%02X", c);
        if (!text.empty()) {
            text += ' ';
        }
        text += part;
    }
    return text;
}

void Load(LMemoryStream& aStream, const std::string& aBytes)
{
    static const unsigned char kNothing = 0;
    aStream.CreateFromBuffer(static_cast<int>(aBytes.size()),
                             aBytes.empty() ? &kNothing : reinterpret_cast<const unsigned char*>(aBytes.data()));
}

bool LLimitedStream::ReadBytes(int aNumBytes, void* aBuffer)
{
    if (aNumBytes > mBudget) {
        return false;
    }
    std::memset(aBuffer, 1, static_cast<size_t>(aNumBytes));
    mBudget -= aNumBytes;
    mPosition += aNumBytes;
    return true;
}

bool LLimitedStream::WriteBytes(int aNumBytes, const void*)
{
    if (aNumBytes > mBudget) {
        return false;
    }
    mBudget -= aNumBytes;
    mPosition += aNumBytes;
    return true;
}
