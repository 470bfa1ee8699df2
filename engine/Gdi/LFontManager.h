// Reads the font definition file, makes the fonts and hands them out by id. Every font
// lives until exit.
//
// Definition file: a list "fonts" with one nested list per font holding "id" (also the id
// of its texture), "texture" (the atlas file, relative to the root), "rowheight" (pixel
// rows of one band, its marker row included) and optionally "characters" (the characters
// in atlas order; by default the printable ASCII characters from space to tilde).
#pragma once
#include "container/LString.h"
#include "object/LBase.h"

class LHashKeyList;
class LIFont;
class LPropertyList;

class LFontManager : public LBase
{
public:
    static LFontManager* Get();

    LFontManager();
    ~LFontManager() override;

    LString Dump() const override;

    // Makes every font of a definition file, its textures relative to aRoot; false when
    // the file cannot be read or any font failed (the others are still made).
    bool CreateFonts(const LString& aFile, const LString& aRoot);
    bool CreateFonts(const LString& aFile);
    bool CreateFont(LPropertyList* aEntry);
    bool AddFont(const LString& aId, const LString& aPath, int aRowHeight, const LString* aCharacters);
    LIFont* GetFont(const LString& aId) const;
    // The font under aId, or null without a word.
    LIFont* FindFont(const LString& aId) const;
    int GetFontCount() const;
    bool SetRoot(const LString& aRoot);
    const LString& GetRoot() const { return mRoot; }

private:
    LHashKeyList* mFonts = nullptr;
    LString mRoot;
};
