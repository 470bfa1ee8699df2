#include "interview/GMSubtitle.h"

#include "util/GMOptions.h"

namespace {

// Options toggle 0 turns subtitles off.
constexpr int kNoSubtitles = 0;

} // namespace

bool GMSubtitle::SetText(const LString& aText, LIFont* aFont)
{
    mText = aText;
    mFont = aFont;
    mAppendedText = LString();
    mAppendedFont = nullptr;
    return true;
}

bool GMSubtitle::AppendText(const LString& aText, LIFont* aFont)
{
    mAppendedText = aText;
    mAppendedFont = aFont;
    return true;
}

bool GMSubtitle::Show()
{
    GMOptions* options = GMOptions::GetInstance();
    if (options != nullptr && options->GetToggle(kNoSubtitles) != 0) {
        return true;
    }
    mShown = true;
    return true;
}

bool GMSubtitle::FadeOut()
{
    mShown = false;
    return true;
}

void GMSubtitle::Hide()
{
    mShown = false;
}

template class GMStandIn<GMSubtitle>;
