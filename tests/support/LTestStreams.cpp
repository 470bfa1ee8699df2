#include "support/LTestStreams.h"

#include "object/LIRestorable.h"

#include <gtest/gtest.h>

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

std::string SavedBlock(LIRestorable& aObject)
{
    LMemoryStream stream(1024, -1);
    EXPECT_EQ(1, aObject.OnSave(&stream));
    return WrittenBytes(stream);
}

int LoadBlock(LIRestorable& aObject, const std::string& aBytes)
{
    LMemoryStream stream(16, -1);
    Load(stream, aBytes);
    return aObject.OnLoad(&stream, 0.0f);
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
