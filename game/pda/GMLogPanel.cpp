#include "pda/GMLogPanel.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LTextArea.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDAScrollContent.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "stdlib/LLog.h"

#include <vector>

namespace {

const char* const kLogData = "//textures/pda/logdata.txt";
const char* const kFont = "tahoma10black";

struct Entry
{
    LString mText;
    float mTime;
};

// The latest raise time of the raised events that the script text names, 0.0 when none.
float TimeOf(const LString& aEvents)
{
    LEventManager* events = LEventManager::Get();
    float time = 0.0f;
    LVectorString pieces;
    aEvents.Split(LString("e["), &pieces);
    for (int i = 1; events != nullptr && i < pieces.GetCount(); ++i) {
        const LString& piece = pieces.GetRef(i);
        const int end = piece.Find(u"]", 0);
        const LString id = end >= 0 ? piece.Mid(0, end, 0) : piece;
        if (id.IsEmpty() || !events->IsRaised(id)) {
            continue;
        }
        if (LEvent* event = events->GetEvent(id); event != nullptr && event->GetTime() > time) {
            time = event->GetTime();
        }
    }
    return time;
}

bool Holds(const LString& aText)
{
    LScriptBuilder* builder = LScriptBuilder::Get();
    LScript script;
    return builder != nullptr && builder->BuildScript(aText, &script) && script.Evaluate();
}

} // namespace

GMLogPanel::GMLogPanel() : GMIPDAPanel(LString("log")), mContent(L_NEW GMPDAScrollContent(LString("logpanel")))
{
}

GMLogPanel::~GMLogPanel()
{
    delete mContent;
    mContent = nullptr;
}

LString GMLogPanel::Dump() const
{
    return DumpHead("GMLogPanel") + "]";
}

bool GMLogPanel::Create(LPropertyList*)
{
    L_ERROR("NYI.");
    return false;
}

LDisplayGroup* GMLogPanel::GetContentGroup() const
{
    return mContent != nullptr ? mContent->GetGroup() : nullptr;
}

bool GMLogPanel::Show()
{
    mEntryCount = 0;
    LDisplayGroup* content = mContent != nullptr ? mContent->Renew() : nullptr;
    bool ok = content != nullptr;
    std::vector<Entry> entries;
    {
        LPropertyList data;
        data.Load(LString(kLogData), true);
        int selected = 0;
        const bool hasCase = GMPDAScrollContent::GetSelectedCase(selected);
        if (!hasCase) {
            L_ASSERT_FAILURE("");
        }
        LPropertyList* list = hasCase ? data.GetList(LString("case0") + selected) : nullptr;
        for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
            LPropertyList* entry = list->GetListAt(i);
            bool found = false;
            const LString events = entry != nullptr ? entry->GetString(LString("events"), found) : LString();
            if (!found || !Holds(events)) {
                continue;
            }
            const LString text = entry->GetString(LString("text"), found);
            const float time = TimeOf(events);
            auto at = entries.begin();
            while (at != entries.end() && at->mTime <= time) {
                ++at;
            }
            entries.insert(at, Entry {text, time});
        }
    }
    float y = kTop;
    for (int i = 0; content != nullptr && i < static_cast<int>(entries.size()); ++i) {
        LTextArea* text = L_NEW LTextArea();
        if (text == nullptr) {
            ok = false;
            continue;
        }
        text->SetId(LString("logentry_") + i);
        text->Create(LString(kFont));
        text->SetWidth(kTextWidth);
        text->SetWrap(true);
        text->SetMultiLine(true);
        text->SetText(entries[i].mText);
        text->Layout();
        text->SetPosition(kTextX, y);
        if (!content->AddMember(text, true)) {
            delete text;
            ok = false;
            continue;
        }
        ++mEntryCount;
        y += text->GetTextHeight() + kGap;
    }
    ok = GMIPDAPanel::Show() && ok;
    ok = mContent != nullptr && mContent->Show(static_cast<int>(y)) && ok;
    return ok;
}

bool GMLogPanel::Hide()
{
    if (mContent != nullptr) {
        mContent->Hide();
    }
    return GMIPDAPanel::Hide();
}
