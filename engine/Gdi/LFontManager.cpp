#include "Gdi/LFontManager.h"

#include "Gdi/LFontRaster.h"
#include "LImage.h"
#include "Render/LTextureManager.h"
#include "container/LHashKeyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"
#include "container/LPropertyList.h"

namespace {
LSingleton<LFontManager> sManager;
} // namespace

LFontManager* LFontManager::Get()
{
    if (sManager.Peek() != nullptr || sManager.IsDestroyed()) {
        return sManager.Peek();
    }
    LFontManager* manager = L_NEW LFontManager();
    if (manager == nullptr || manager->mFonts == nullptr) {
        delete manager;
        L_ERROR("LFontManager creation failure.");
        return nullptr;
    }
    return sManager.Install(manager);
}

LFontManager::LFontManager() : mFonts(L_NEW LHashKeyList(7, false))
{
}

LFontManager::~LFontManager()
{
    sManager.Destroyed(this);
    if (mFonts != nullptr) {
        for (int i = 0; i < mFonts->GetCount(); ++i) {
            delete static_cast<LIFont*>(mFonts->GetAt(i));
        }
        mFonts->RemoveAll();
        delete mFonts;
        mFonts = nullptr;
    }
}

LString LFontManager::Dump() const
{
    return DumpHead("LFontManager") + "]";
}

bool LFontManager::SetRoot(const LString& aRoot)
{
    const LString root = LTextureManager::NormalRoot(aRoot);
    if (root.IsEmpty()) {
        L_ASSERT_FAILURE("SetRoot failure. Invalid arg.");
        return false;
    }
    mRoot = root;
    return true;
}

bool LFontManager::CreateFonts(const LString& aFile)
{
    return CreateFonts(aFile, mRoot);
}

bool LFontManager::CreateFonts(const LString& aFile, const LString& aRoot)
{
    LPropertyList* file = L_NEW LPropertyList();
    if (file == nullptr || !file->Load(aFile, true)) {
        delete file;
        L_ASSERT_FAILURE("CreateFonts failure.");
        return false;
    }
    LPropertyList* fonts = file->GetList(LString("fonts"));
    if (fonts == nullptr) {
        delete file;
        L_ASSERT_FAILURE("'fonts' undefined.");
        return false;
    }
    const LString saved = mRoot;
    mRoot = aRoot;
    bool result = true;
    for (int i = 0; i < fonts->GetCount(); ++i) {
        result = CreateFont(fonts->GetListAt(i)) && result;
    }
    mRoot = saved;
    delete file;
    return result;
}

bool LFontManager::CreateFont(LPropertyList* aEntry)
{
    if (aEntry == nullptr) {
        L_ASSERT_FAILURE("CreateFont failure.");
        return false;
    }
    if (mRoot.IsEmpty()) {
        L_ASSERT_FAILURE("CreateFont failure. Root undefined.");
        return false;
    }
    bool found = false;
    const LString id = aEntry->GetString(LString("id"), found);
    if (!found) {
        L_ASSERT_FAILURE("'id' not found.");
    }
    const LString texture = aEntry->GetString(LString("texture"), found);
    if (!found) {
        L_ASSERT_FAILURE("'texture' not found.");
    }
    const int rowHeight = aEntry->GetInt(LString("rowheight"), found);
    if (!found) {
        L_ASSERT_FAILURE("'rowheight' not found.");
    }
    // A band needs its marker row and one row of glyph; anything less never advances.
    if (rowHeight < 2) {
        L_ERROR(LString("CreateFont failure. Invalid row height: ") + rowHeight);
        return false;
    }
    const LString characters = aEntry->GetString(LString("characters"), found);
    return AddFont(id, mRoot + texture, rowHeight, found ? &characters : nullptr);
}

bool LFontManager::AddFont(const LString& aId, const LString& aPath, int aRowHeight, const LString* aCharacters)
{
    if (mFonts->Get(aId) != nullptr) {
        L_ERROR("CreateFont failure. Duplicate id exists:" + aId);
        return false;
    }
    if (aRowHeight < 2) {
        L_ERROR(LString("CreateFont failure. Invalid row height: ") + aRowHeight);
        return false;
    }
    LImage* image = nullptr;
    if (!LImage::CreateFromFile(aPath, &image) || image == nullptr) {
        delete image;
        return false;
    }
    LFontRaster* font = L_NEW LFontRaster(aId, aCharacters, image, aRowHeight);
    delete image;
    // The list's add answers the key's hash, which is 0 for the empty id too: look again.
    if (font == nullptr || (mFonts->AddAt(aId, font, true) == 0 && mFonts->Get(aId) != font)) {
        L_ERROR("Add failure.");
        delete font;
        return false;
    }
    return true;
}

int LFontManager::GetFontCount() const
{
    return mFonts != nullptr ? mFonts->GetCount() : 0;
}

LIFont* LFontManager::FindFont(const LString& aId) const
{
    return mFonts != nullptr ? static_cast<LIFont*>(mFonts->Get(aId)) : nullptr;
}

LIFont* LFontManager::GetFont(const LString& aId) const
{
    LIFont* font = FindFont(aId);
    if (font == nullptr) {
        L_ERROR("GetFont failure. ID not found:" + aId);
    }
    return font;
}
