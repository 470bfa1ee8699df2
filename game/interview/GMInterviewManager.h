// The way to the game's interviews. No interview data is read yet: no interview exists,
// a selection gives null and a start fails, each with a note.
#pragma once
#include "util/GMStandIn.h"

class GMInterview;
class LString;

class GMInterviewManager : public GMStandIn<GMInterviewManager>
{
public:
    static constexpr const char* kClassName = "GMInterviewManager";

    void PreloadInterview(const LString& aId);
    void ClearInterviews();
    // Makes the interview aId current; null (noted) as no interview is listed.
    GMInterview* SelectInterview(const LString& aId);
    GMInterview* GetCurrentInterview() const { return nullptr; }
    // Starts the current interview; false (noted) as there is none.
    bool StartCurrentInterview();
};
