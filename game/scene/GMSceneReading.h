// The small readings that GMScene's source files share: values of the scene's data files,
// its optional files, pictures, scripts and text states.
#pragma once
#include "Gdi/LSprite.h"
#include "LImage.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LStateManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"

namespace GMSceneReading {

const char16_t* const kSceneGroupName = u"scenegroup";

// A value of a list, an assertion failure naming aMissing (when given) when it is not there.
inline LString Text(const LPropertyList* aList, const LString& aKey, const char* aMissing)
{
    bool found = false;
    const LString value = aList != nullptr ? aList->GetString(aKey, found) : LString();
    if (!found && aMissing != nullptr) {
        L_ASSERT_FAILURE(aMissing);
    }
    return value;
}

inline bool Float(const LPropertyList* aList, const LString& aKey, const char* aMissing, float& aOut)
{
    bool found = false;
    const float value = aList != nullptr ? aList->GetFloat(aKey, found) : 0.0f;
    if (!found) {
        if (aMissing != nullptr) {
            L_ASSERT_FAILURE(aMissing);
        }
        return false;
    }
    aOut = value;
    return true;
}

// An optional file of the location: null, without a message, when it is not there.
inline bool OptionalExists(const LString& aPath)
{
    LIFileSystem* files = LIFileSystem::Get();
    return files != nullptr && files->PathExists(aPath, true);
}

// A script of a data file; an empty text (a script that fails) evaluates false.
inline bool Evaluate(const LString& aText)
{
    LScriptBuilder* builder = LScriptBuilder::Get();
    LScript script;
    return builder != nullptr && builder->BuildScript(aText, &script) && script.Evaluate();
}

// Creates or replaces a text state.
inline void SetTextState(const char16_t* aId, const LString& aValue, bool aNotify)
{
    if (LStateManager* states = LStateManager::Get()) {
        states->SetState(LString(aId), LString(u"string"), aValue, aNotify);
    }
}

inline LSprite* LoadPicture(const LString& aPath, const LString& aId)
{
    LImage* image = nullptr;
    if (!LImage::CreateFromFile(aPath, &image) || image == nullptr) {
        L_ASSERT_FAILURE(LString(u"Image not found: ") + aPath);
        delete image;
        return nullptr;
    }
    LSprite* sprite = L_NEW LSprite();
    if (sprite != nullptr) {
        sprite->SetId(aId);
        if (!sprite->SetImage(aPath, image, nullptr, nullptr)) {
            L_ASSERT_FAILURE(LString(u"Image not loaded: ") + aPath);
        }
    }
    delete image;
    return sprite;
}

} // namespace GMSceneReading
