#include "puzzles/crossword/GMCrossWordPuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "container/LVectorInt.h"
#include "container/LVectorString.h"
#include "event/LEventManager.h"
#include "multicursor/GMMultiCursor.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"
#include "util/GMOptions.h"

#include <cctype>

namespace {

GMPuzzleSlot<GMCrossWordPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMCrossWordPuzzle";
    setup.mActiveState = GMCrossWordPuzzle::kActiveState;
    setup.mLayoutFile = "//textures/puzzles/crossword/crossword_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/crossword";
    return setup;
}

const char* const kKinds[2] = {"across", "down"};

int Skill()
{
    GMOptions* options = GMOptions::GetInstance();
    return options != nullptr ? options->GetSkill() : GMOptions::SKILL_MEDIUM;
}

// A whole number of at most six decimal digits.
bool ParseNumber(const LString& aText, int& aOut)
{
    if (aText.GetLength() < 1 || aText.GetLength() > 6) {
        return false;
    }
    int value = 0;
    for (int i = 0; i < aText.GetLength(); ++i) {
        const char16_t digit = aText.At(i);
        if (digit < u'0' || digit > u'9') {
            return false;
        }
        value = value * 10 + (digit - u'0');
    }
    aOut = value;
    return true;
}

LString CellKey(int aRow, int aColumn)
{
    return LString() + aRow + "_" + aColumn;
}

} // namespace

GMCrossWordPuzzle* GMCrossWordPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMCrossWordPuzzle::GMCrossWordPuzzle() : GMPuzzle(Setup())
{
}

GMCrossWordPuzzle::~GMCrossWordPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    ReleaseInput();
    delete mGrid;
    delete mEntries;
}

LTextArea* GMCrossWordPuzzle::GetTypedCell(int aRow, int aColumn) const
{
    return aRow >= 1 && aRow <= kSize && aColumn >= 1 && aColumn <= kSize ? mTyped[Index(aRow, aColumn)] : nullptr;
}

LTextArea* GMCrossWordPuzzle::GetSolvedCell(int aRow, int aColumn) const
{
    return aRow >= 1 && aRow <= kSize && aColumn >= 1 && aColumn <= kSize ? mSolvedCells[Index(aRow, aColumn)] : nullptr;
}

// --- Data ----------------------------------------------------------------------------

bool GMCrossWordPuzzle::GridNumbers(int aRow, int aColumn, int& aAcross, int& aDown) const
{
    if (mGrid == nullptr || aRow < 1 || aRow > kSize || aColumn < 1 || aColumn > kSize) {
        return false;
    }
    bool found = false;
    const LVectorInt numbers = mGrid->GetVectorInt(CellKey(aRow, aColumn), found);
    if (!found) {
        return false;
    }
    aAcross = numbers.GetCount() > 0 ? numbers[0] : 0;
    aDown = numbers.GetCount() > 1 ? numbers[1] : 0;
    return true;
}

bool GMCrossWordPuzzle::GetWord(int aDirection, int aNumber, Word& aOut, LPropertyList** aList) const
{
    LPropertyList* list =
        mEntries != nullptr && aNumber > 0 ? mEntries->GetList(LString(kKinds[aDirection]) + "." + aNumber) : nullptr;
    if (list == nullptr) {
        return false;
    }
    bool found = false;
    Word word;
    word.mAnswer = list->GetString(LString("answer"), found);
    word.mColumn = list->GetInt(LString("column"), found);
    word.mRow = list->GetInt(LString("row"), found);
    word.mLength = list->GetInt(LString(aDirection == ACROSS ? "width" : "height"), found);
    const int lastColumn = word.mColumn + (aDirection == ACROSS ? word.mLength - 1 : 0);
    const int lastRow = word.mRow + (aDirection == DOWN ? word.mLength - 1 : 0);
    if (word.mLength < 1 || word.mColumn < 1 || word.mRow < 1 || lastColumn > kSize || lastRow > kSize ||
        word.mAnswer.GetLength() < word.mLength) {
        return false;
    }
    aOut = word;
    if (aList != nullptr) {
        *aList = list;
    }
    return true;
}

void GMCrossWordPuzzle::CheckData()
{
    for (int i = 0; mGrid != nullptr && i < mGrid->GetCount(); ++i) {
        const LString key = mGrid->GetKeyAt(i);
        const int bar = key.Find(u"_", 0);
        int row = 0;
        int column = 0;
        if (bar <= 0 || !ParseNumber(key.Mid(0, bar, 0), row) ||
            !ParseNumber(key.Mid(bar + 1, key.GetLength() - bar - 1, 0), column) || row < 1 || row > kSize ||
            column < 1 || column > kSize) {
            L_ERROR("Crossword grid key outside the grid: " + key);
        }
    }
    for (int direction = ACROSS; direction <= DOWN; ++direction) {
        LPropertyList* words = mEntries != nullptr ? mEntries->GetList(LString(kKinds[direction])) : nullptr;
        for (int i = 0; words != nullptr && i < words->GetCount(); ++i) {
            const LString key = words->GetKeyAt(i);
            int number = 0;
            Word word;
            if (words->GetListAt(i) == nullptr || !ParseNumber(key, number) || !GetWord(direction, number, word)) {
                L_ERROR(LString("Crossword word left out: ") + kKinds[direction] + "." + key);
            }
        }
    }
}

// --- Building ------------------------------------------------------------------------

void GMCrossWordPuzzle::BuildPieces()
{
    mSolved = false;
    mBusy = false;
    delete mGrid;
    delete mEntries;
    mGrid = L_NEW LPropertyList();
    mEntries = L_NEW LPropertyList();
    if (mGrid == nullptr || !mGrid->Load(LString(kGridFile), true)) {
        L_ASSERT_FAILURE(LString());
    }
    if (mEntries == nullptr || !mEntries->Load(LString(kEntriesFile), true)) {
        L_ASSERT_FAILURE(LString());
    }
    CheckData();
    LDisplayGroup* root = GetRoot();
    LPropertyList* layout = GetLayout();
    LPropertyList* fold = layout != nullptr ? layout->GetList(LString("groups.g09-fold")) : nullptr;
    mFold = fold != nullptr ? LLayoutBuilder::BuildGroup(fold, true) : nullptr;
    if (mFold != nullptr) {
        mFold->SetVisible(false);
        if (!root->AddMember(mFold, true)) {
            delete mFold;
            mFold = nullptr;
        }
    }
    if (mFold == nullptr) {
        L_ASSERT_FAILURE(LString());
    }
    LPropertyList* selection = layout != nullptr ? layout->GetList(LString("groups.g03-selection")) : nullptr;
    LIDisplayObject** marks[2] = {&mHighlight, &mCaret};
    for (int i = 0; i < 2; ++i) {
        LPropertyList* list = selection != nullptr && i < selection->GetCount() ? selection->GetListAt(i) : nullptr;
        LSprite* sprite = list != nullptr ? LLayoutBuilder::BuildSprite(list) : nullptr;
        if (sprite == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        if (i == 1) {
            sprite->SetId(LString("cursorSprite"));
        }
        sprite->SetVisible(false);
        sprite->SetRelativeZ(10.0f);
        sprite->SetBlend(0.3f);
        if (!root->AddMember(sprite, true)) {
            delete sprite;
            continue;
        }
        *marks[i] = sprite;
    }
    for (int i = 0; i < 4; ++i) {
        LPropertyList* list =
            layout != nullptr ? layout->GetList(LString("groups.g0") + (i + 5) + "-circle" + (i + 1)) : nullptr;
        LSprite* circle = list != nullptr ? LLayoutBuilder::BuildSprite(list) : nullptr;
        if (circle == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        circle->SetVisible(false);
        circle->SetRelativeZ(10.0f);
        if (!root->AddMember(circle, true)) {
            delete circle;
            continue;
        }
        mCircles[i] = circle;
    }
    bool found = false;
    const LVectorInt x = layout != nullptr ? layout->GetVectorInt(LString("groups.g04-coords.x"), found) : LVectorInt();
    const LVectorInt y = layout != nullptr ? layout->GetVectorInt(LString("groups.g04-coords.y"), found) : LVectorInt();
    BuildCells(x, y);
    LoadEntries(ACROSS);
    LoadEntries(DOWN);
}

void GMCrossWordPuzzle::BuildCells(const LVectorInt& aX, const LVectorInt& aY)
{
    if (aX.GetCount() > kSize || aY.GetCount() > kSize) {
        L_ERROR("Crossword coordinates beyond 15 left out: groups.g04-coords");
    }
    mColumns = aX.GetCount() < kSize ? aX.GetCount() : kSize;
    mRows = aY.GetCount() < kSize ? aY.GetCount() : kSize;
    for (int c = 0; c < mColumns; ++c) {
        mColumnX[c] = static_cast<float>(aX[c]);
    }
    for (int r = 0; r < mRows; ++r) {
        mRowY[r] = static_cast<float>(aY[r]);
    }
    for (int r = 0; r < mRows; ++r) {
        for (int c = 0; c < mColumns; ++c) {
            const struct
            {
                const char* mPrefix;
                const char* mFont;
                float mDx;
                float mDy;
                bool mVisible;
                LTextArea** mSlot;
            } cells[2] = {{"text", kTypedFont, 3.0f, -3.0f, true, &mTyped[r * kSize + c]},
                          {"solvedtext", kSolvedFont, 8.0f, 3.0f, false, &mSolvedCells[r * kSize + c]}};
            for (const auto& cell : cells) {
                auto* area = L_NEW LTextArea();
                if (area == nullptr || !area->Create(LString(cell.mFont))) {
                    L_ASSERT_FAILURE(LString());
                    delete area;
                    continue;
                }
                area->SetId(LString(cell.mPrefix) + r + "_" + c);
                area->SetPosition(mColumnX[c] + cell.mDx, mRowY[r] + cell.mDy);
                area->SetRelativeZ(5.0f);
                area->SetWidth(kCellWidth);
                area->SetMultiLine(false);
                area->SetWrap(false);
                area->SetText(LString());
                area->SetVisible(cell.mVisible);
                if (!GetRoot()->AddMember(area, true)) {
                    delete area;
                    continue;
                }
                *cell.mSlot = area;
            }
        }
    }
}

void GMCrossWordPuzzle::LoadEntries(int aDirection)
{
    LPropertyList* words = mEntries != nullptr ? mEntries->GetList(LString(kKinds[aDirection])) : nullptr;
    LEventManager* events = LEventManager::Get();
    const int skill = Skill();
    for (int i = 0; words != nullptr && i < words->GetCount(); ++i) {
        int number = 0;
        Word word;
        LPropertyList* list = nullptr;
        if (!ParseNumber(words->GetKeyAt(i), number) || !GetWord(aDirection, number, word, &list)) {
            continue;
        }
        bool fill = events != nullptr && events->IsRaised(LString("evt_crossword_") + kKinds[aDirection] + "_" + number);
        bool found = false;
        const LString level = list->GetString(LString("level"), found);
        if (!fill && found) {
            fill = (level.EqualsNoCase(LString("novice")) && skill == GMOptions::SKILL_EASY) ||
                   (level.EqualsNoCase(LString("standard")) && skill <= GMOptions::SKILL_MEDIUM);
        }
        if (fill) {
            FillIn(aDirection, word);
        }
    }
}

void GMCrossWordPuzzle::FillIn(int aDirection, const Word& aWord)
{
    for (int i = 0; i < aWord.mLength; ++i) {
        const int row = aWord.mRow + (aDirection == DOWN ? i : 0);
        const int column = aWord.mColumn + (aDirection == ACROSS ? i : 0);
        const LString letter = aWord.mAnswer.Mid(i, 1, 0);
        if (LTextArea* solved = GetSolvedCell(row, column)) {
            solved->SetText(letter);
            solved->SetVisible(true);
        }
        if (LTextArea* typed = GetTypedCell(row, column)) {
            typed->SetText(letter);
            typed->SetVisible(false);
        }
    }
}

void GMCrossWordPuzzle::OnBuilt()
{
    LMouse* mouse = LMouse::Get();
    mMouseListening = mouse != nullptr && mouse->AddMember(this, 0.0f);
    LKeyboard* keyboard = LKeyboard::Get();
    mKeyboardListening = keyboard != nullptr && keyboard->AddListener(this, 0.0f);
    if (!mMouseListening || !mKeyboardListening) {
        L_ASSERT_FAILURE(LString());
    }
    if (GMMultiCursor* menu = GMMultiCursor::GetInstance()) {
        menu->Hide(true);
    }
}

void GMCrossWordPuzzle::ReleaseInput()
{
    if (mMouseListening) {
        mMouseListening = false;
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
    if (mKeyboardListening) {
        mKeyboardListening = false;
        if (LKeyboard* keyboard = LKeyboard::Get()) {
            keyboard->RemoveListener(this);
        }
    }
    LeaveFrames();
}

void GMCrossWordPuzzle::DeletePieces()
{
    // The display objects go with the root group.
    mFold = nullptr;
    mHighlight = nullptr;
    mCaret = nullptr;
    for (LIDisplayObject*& circle : mCircles) {
        circle = nullptr;
    }
    mTyped.fill(nullptr);
    mSolvedCells.fill(nullptr);
    mColumns = 0;
    mRows = 0;
    delete mGrid;
    mGrid = nullptr;
    delete mEntries;
    mEntries = nullptr;
}

void GMCrossWordPuzzle::OnLeave()
{
    if (LDisplayGroup* root = GetRoot()) {
        root->SetEnabled(false);
        root->UpdateAll();
    }
    if (mMouseListening) {
        mMouseListening = false;
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
    if (mKeyboardListening) {
        mKeyboardListening = false;
        if (LKeyboard* keyboard = LKeyboard::Get()) {
            keyboard->RemoveListener(this);
        }
    }
}

// --- Selecting -----------------------------------------------------------------------

bool GMCrossWordPuzzle::TypedVisible(int aRow, int aColumn) const
{
    LTextArea* typed = GetTypedCell(aRow, aColumn);
    return typed != nullptr && typed->GetVisible();
}

void GMCrossWordPuzzle::Deselect(bool aHide)
{
    if (aHide) {
        if (mHighlight != nullptr) {
            mHighlight->SetVisible(false);
        }
        if (mCaret != nullptr) {
            mCaret->SetVisible(false);
        }
    }
    mColumn = -1;
    mRow = -1;
}

void GMCrossWordPuzzle::OnButtonDown(int)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        return;
    }
    LVector2 at;
    mouse->GetPosition(at);
    if (!(at.x > kLeft && at.x < kRight && at.y > kTop && at.y < kBottom)) {
        Deselect(false);
        return;
    }
    const int column = 1 + static_cast<int>((at.x - kFirstX) / kPitchX);
    const int row = 1 + static_cast<int>((at.y - kFirstY) / kPitchY);
    Select(row, column);
}

void GMCrossWordPuzzle::Select(int aRow, int aColumn)
{
    int numbers[2] = {0, 0};
    if (!GridNumbers(aRow, aColumn, numbers[ACROSS], numbers[DOWN])) {
        return;
    }
    int direction = mDirection;
    Word word;
    if (numbers[direction] == 0 || !TypedVisible(aRow, aColumn) || !GetWord(direction, numbers[direction], word)) {
        Deselect(true);
        return;
    }
    if (aRow == mRow && aColumn == mColumn) {
        // The other direction, when the cell has a word there.
        const int other = 1 - direction;
        Word crossing;
        if (numbers[other] != 0 && GetWord(other, numbers[other], crossing)) {
            direction = other;
        }
    }
    mDirection = direction;
    mEntry = numbers[direction];
    LPropertyList* list = nullptr;
    GetWord(mDirection, mEntry, word, &list);
    if (mHighlight != nullptr && list != nullptr) {
        bool found = false;
        mHighlight->SetPosition(list->GetFloat(LString("x"), found), list->GetFloat(LString("y"), found));
        mHighlight->SetScale(list->GetFloat(LString("width"), found), list->GetFloat(LString("height"), found));
        mHighlight->SetVisible(true);
        mHighlight->UpdateAll();
    }
    mColumn = aColumn;
    mRow = aRow;
    PlaceCaret();
    if (GetRoot() != nullptr) {
        GetRoot()->UpdateAll();
    }
}

void GMCrossWordPuzzle::PlaceCaret()
{
    if (mCaret == nullptr) {
        return;
    }
    const bool shown = mColumn >= 1 && mColumn <= mColumns && mRow >= 1 && mRow <= mRows && mHighlight != nullptr &&
                       mHighlight->GetVisible();
    if (shown) {
        mCaret->SetPosition(mColumnX[mColumn - 1], mRowY[mRow - 1]);
    }
    mCaret->SetVisible(shown);
}

// --- Typing --------------------------------------------------------------------------

void GMCrossWordPuzzle::OnKeyUp(int aKey)
{
    LTextArea* cell = GetTypedCell(mRow, mColumn);
    LKeyboard* keyboard = LKeyboard::Get();
    if (mBusy || cell == nullptr || keyboard == nullptr) {
        return;
    }
    const char ch = keyboard->KeyToChar(aKey);
    Word word;
    const bool inWord = GetWord(mDirection, mEntry, word);
    int& position = mDirection == ACROSS ? mColumn : mRow;
    if (std::isalnum(static_cast<unsigned char>(ch)) != 0 || ch == ' ') {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        const char text[2] = {upper, 0};
        cell->SetText(LString(text));
        mBusy = true;
        CheckEntries();
        if (inWord) {
            const int last = (mDirection == ACROSS ? word.mColumn : word.mRow) + word.mLength - 1;
            while (position < last) {
                ++position;
                if (TypedVisible(mRow, mColumn)) {
                    break;
                }
            }
        }
        mBusy = false;
    } else if (ch == 8) {
        cell->SetText(LString());
        if (inWord) {
            const int first = mDirection == ACROSS ? word.mColumn : word.mRow;
            while (position > first) {
                --position;
                if (TypedVisible(mRow, mColumn)) {
                    break;
                }
            }
        }
    } else {
        return;
    }
    PlaceCaret();
}

void GMCrossWordPuzzle::CheckEntries()
{
    int numbers[2] = {0, 0};
    if (!GridNumbers(mRow, mColumn, numbers[ACROSS], numbers[DOWN])) {
        return;
    }
    for (int direction = ACROSS; direction <= DOWN; ++direction) {
        if (numbers[direction] != 0) {
            CheckWord(direction, numbers[direction]);
        }
    }
}

void GMCrossWordPuzzle::CheckWord(int aDirection, int aNumber)
{
    Word word;
    if (!GetWord(aDirection, aNumber, word)) {
        return;
    }
    LString typed;
    for (int i = 0; i < word.mLength; ++i) {
        LTextArea* cell = GetTypedCell(word.mRow + (aDirection == DOWN ? i : 0), word.mColumn + (aDirection == ACROSS ? i : 0));
        typed += cell != nullptr ? cell->GetText() : LString();
    }
    if (!typed.EqualsNoCase(word.mAnswer)) {
        return;
    }
    RaiseEvent(LString("evt_crossword_") + kKinds[aDirection] + "_" + aNumber);
    for (int i = 0; i < word.mLength; ++i) {
        const int row = word.mRow + (aDirection == DOWN ? i : 0);
        const int column = word.mColumn + (aDirection == ACROSS ? i : 0);
        LTextArea* cell = GetTypedCell(row, column);
        LTextArea* solved = GetSolvedCell(row, column);
        if (cell != nullptr && solved != nullptr) {
            solved->SetText(cell->GetText());
            solved->SetVisible(true);
            cell->SetVisible(false);
        }
    }
    if (aDirection == mDirection) {
        if (mHighlight != nullptr) {
            mHighlight->SetVisible(false);
        }
        if (mCaret != nullptr) {
            mCaret->SetVisible(false);
        }
    }
    CheckSolved();
}

// --- Solving -------------------------------------------------------------------------

int GMCrossWordPuzzle::CountSolved() const
{
    int count = 0;
    for (LTextArea* cell : mSolvedCells) {
        count += cell != nullptr && cell->GetText().GetLength() > 0 ? 1 : 0;
    }
    return count;
}

void GMCrossWordPuzzle::CheckSolved()
{
    if (mSolved || CountSolved() != LETTER_CELLS) {
        return;
    }
    mSolved = true;
    RaiseEvent(LString(kSolvedEvent));
    mStep = 0;
    mAudioDone = false;
    mNextStep = LITimer::Now() + kCircleDelays[0];
    JoinFrames();
    mStartingVoice = true;
    PlayVoice(LString(kSolvedAudio), LString(kSolvedVoice));
    mStartingVoice = false;
}

void GMCrossWordPuzzle::OnVoiceEnded(const LString&)
{
    if (!mSolved) {
        return;
    }
    mAudioDone = true;
    // Without the voice the circles keep their times.
    if (!mStartingVoice) {
        mNextStep = LITimer::Now() + kFoldDelay;
    }
}

void GMCrossWordPuzzle::OnFrame()
{
    if (LITimer::Now() <= mNextStep) {
        return;
    }
    // Circles 3, 1, 4, 2, then the fold once the voice has ended.
    static constexpr int kOrder[4] = {3, 1, 4, 2};
    if (mStep < 4) {
        if (LIDisplayObject* circle = GetCircle(kOrder[mStep])) {
            circle->SetVisible(true);
        }
        ++mStep;
        if (mStep < 4) {
            mNextStep = LITimer::Now() + kCircleDelays[mStep];
        }
        return;
    }
    if (mAudioDone) {
        if (mFold != nullptr) {
            mFold->SetVisible(true);
        }
        LeaveFrames();
    }
}

void GMCrossWordPuzzle::JoinFrames()
{
    if (!mFrameListening) {
        LFrameManager* frames = LFrameManager::Get();
        mFrameListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
    }
}

void GMCrossWordPuzzle::LeaveFrames()
{
    if (mFrameListening) {
        mFrameListening = false;
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
}
