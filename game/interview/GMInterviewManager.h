// The way to the game's interviews. No interview data is read yet: no interview exists,
// a selection gives null and a start fails, each with a note. The pocket objects list of
// the voiced lines is read.
#pragma once
#include "util/GMStandIn.h"

class GMInterview;
class LPropertyList;
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
    // "//interviews/pocketobjects.txt" (loaded on first use): per sound name of a voiced
    // line, the "anim" and "object" the player shows; null when it does not load.
    const LPropertyList* GetPocketObjects();

    ~GMInterviewManager() override;

private:
    LPropertyList* mPocketObjects = nullptr;
    bool mPocketObjectsRead = false;
};
