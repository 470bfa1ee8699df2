#include "support/LMediaLogCapture.h"

#include "media/MediaLog.h"

#include <mutex>

namespace {

std::mutex gMutex;
std::vector<std::string> gErrors;

void Collect(int aLevel, const char*, int, const char* aMessage)
{
    if (aLevel == MEDIA_LOG_ERROR) {
        std::lock_guard<std::mutex> lock(gMutex);
        gErrors.push_back(aMessage);
    }
}

} // namespace

LMediaLogCapture::LMediaLogCapture()
{
    {
        std::lock_guard<std::mutex> lock(gMutex);
        gErrors.clear();
    }
    MediaSetLogHandler(&Collect);
}

LMediaLogCapture::~LMediaLogCapture()
{
    MediaSetLogHandler(nullptr);
}

std::vector<std::string> LMediaLogCapture::Errors() const
{
    std::lock_guard<std::mutex> lock(gMutex);
    return gErrors;
}

bool LMediaLogCapture::HasError(const std::string& aText) const
{
    for (const std::string& error : Errors()) {
        if (error.find(aText) != std::string::npos) {
            return true;
        }
    }
    return false;
}

int LMediaLogCapture::ErrorCount() const
{
    return static_cast<int>(Errors().size());
}
