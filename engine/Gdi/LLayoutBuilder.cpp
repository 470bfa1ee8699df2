#include "Gdi/LLayoutBuilder.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSBezier.h"
#include "Gdi/LSPolygon.h"
#include "Gdi/LSRectangle.h"
#include "Gdi/LScrollBarParams.h"
#include "Gdi/LSprite.h"
#include "LImage.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "Render/LColor.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "stdlib/LLog.h"

// A setter that refuses a value read from the file is logged, and the build goes on.
#define L_CHECKED(aCall)                                                                            \
    do {                                                                                            \
        if (!(aCall)) {                                                                             \
            L_ASSERT_FAILURE("");                                                                   \
        }                                                                                           \
    } while (false)

namespace {
LString Key(const char* aKey)
{
    return LString(aKey);
}

// A pair of numbers ("400|300"); anything but exactly two numbers is ignored.
bool ReadPair(const LPropertyList* aList, const char* aKey, LVector2& aOut)
{
    bool found = false;
    const LVectorFloat values = aList->GetVectorFloat(Key(aKey), found);
    if (!found || values.GetCount() != 2) {
        return false;
    }
    aOut = LVector2(values[0], values[1]);
    return true;
}

bool ReadFloat(const LPropertyList* aList, const char* aKey, float& aOut)
{
    bool found = false;
    const float value = aList->GetFloat(Key(aKey), found);
    if (found) {
        aOut = value;
    }
    return found;
}

float Clamped(float aValue)
{
    return aValue < 0.0f ? 0.0f : (aValue > 1.0f ? 1.0f : aValue);
}

// "visible": a bool, or a condition script evaluated once, now.
void ApplyVisible(const LPropertyList* aList, LIDisplayObject* aObject)
{
    bool found = false;
    const LString value = aList->GetString(Key("visible"), found);
    if (!found) {
        return;
    }
    if (value.GetLength() >= 6 && value.Mid(0, 6, 0).EqualsNoCase(u"script")) {
        LScriptBuilder* builder = LScriptBuilder::Get();
        LScript script;
        if (builder != nullptr && builder->BuildScript(value, &script)) {
            aObject->SetVisible(script.Evaluate());
        }
        return;
    }
    L_CHECKED(aObject->SetVisible(aList->GetBool(Key("visible"), found)));
}

void ApplyPosition(const LPropertyList* aList, LIDisplayObject* aObject)
{
    LVector2 pair;
    if (ReadPair(aList, "position", pair)) {
        L_CHECKED(aObject->SetPosition(pair.x, pair.y));
    }
}

void ApplyCenter(const LPropertyList* aList, LIDisplayObject* aObject)
{
    LVector2 pair;
    if (ReadPair(aList, "center", pair)) {
        L_CHECKED(aObject->SetCenter(pair.x, pair.y));
    }
}

void ApplyScale(const LPropertyList* aList, LIDisplayObject* aObject)
{
    LVector2 pair;
    if (ReadPair(aList, "scale", pair)) {
        L_CHECKED(aObject->SetScale(pair.x, pair.y));
    }
}

void ApplyRotation(const LPropertyList* aList, const char* aKey, LIDisplayObject* aObject)
{
    float value = 0.0f;
    if (ReadFloat(aList, aKey, value)) {
        L_CHECKED(aObject->SetRotation(value));
    }
}

void ApplyBlend(const LPropertyList* aList, LIDisplayObject* aObject)
{
    float value = 0.0f;
    if (ReadFloat(aList, "blend", value)) {
        L_CHECKED(aObject->SetBlend(value));
    }
}

void ApplyRelativeZ(const LPropertyList* aList, LIDisplayObject* aObject)
{
    float value = 0.0f;
    if (ReadFloat(aList, "relativez", value)) {
        L_CHECKED(aObject->SetRelativeZ(value));
    }
}

// A colour of four numbers alpha|red|green|blue, each clamped; absent: opaque white.
// False when present but not four numbers.
bool ReadColor(const LPropertyList* aList, const char* aKey, LColor& aOut)
{
    aOut = LColor(1.0f, 1.0f, 1.0f, 1.0f);
    bool found = false;
    const LVectorFloat values = aList->GetVectorFloat(Key(aKey), found);
    if (!found) {
        return true;
    }
    if (values.GetCount() != 4) {
        return false;
    }
    aOut = LColor(Clamped(values[0]), Clamped(values[1]), Clamped(values[2]), Clamped(values[3]));
    return true;
}

// The points of "coords" read as pairs; an odd last number is ignored. *aOut is a new
// array of *aCount points (null for none).
bool ReadPoints(const LVectorFloat& aValues, LVector2** aOut, int* aCount)
{
    const int count = aValues.GetCount() / 2;
    *aOut = nullptr;
    *aCount = 0;
    if (count <= 0) {
        return true;
    }
    LVector2* points = L_NEW LVector2[count];
    if (points == nullptr) {
        L_ERROR("Out of memory.");
        return false;
    }
    for (int i = 0; i < count; ++i) {
        points[i] = LVector2(aValues[2 * i], aValues[2 * i + 1]);
    }
    *aOut = points;
    *aCount = count;
    return true;
}

// The points of a polygon or curve entry's "coords"; the messages name the builder.
bool ReadShapePoints(LPropertyList* aList, const char* aBuilder, LVector2** aOut, int* aCount)
{
    bool found = false;
    const LVectorFloat coords = aList->GetVectorFloat(Key("coords"), found);
    if (!found) {
        L_ASSERT_FAILURE(LString(aBuilder) + " failure. 'coords' not found.");
        return false;
    }
    return ReadPoints(coords, aOut, aCount);
}

// The button state a layout letter names, in any case; -1 for none.
int StateOfLetter(const LString& aLetter)
{
    static const struct
    {
        const char16_t* mLetter;
        int mState;
    } kLetters[] = {
        {u"n", XBTNSTATE_NORMAL},      {u"o", XBTNSTATE_OVER},        {u"d", XBTNSTATE_DOWN},
        {u"x", XBTNSTATE_DISABLED},    {u"h", XBTNSTATE_HILIGHTED},   {u"ho", XBTNSTATE_HILIGHTED_OVER},
    };
    for (const auto& letter : kLetters) {
        if (aLetter.EqualsNoCase(letter.mLetter)) {
            return letter.mState;
        }
    }
    return -1;
}

// One entry of a button's "states": its look, built from the same entry as a sprite, a
// shape or a group. A look the button does not take is deleted.
void BuildState(LButton* aButton, LPropertyList* aEntry)
{
    bool found = false;
    const LString type = aEntry != nullptr ? aEntry->GetString(Key("statetype"), found) : LString();
    if (!found) {
        L_ERROR("State creation failure. 'type' undefined.");
        return;
    }
    const LString kind = aEntry->GetString(Key("objecttype"), found);
    if (!found) {
        L_ERROR("State creation failed. Missing content type");
        return;
    }
    LIDisplayObject* object = nullptr;
    if (kind.EqualsNoCase(u"sprite")) {
        object = LLayoutBuilder::BuildSprite(aEntry);
    } else if (kind.EqualsNoCase(u"shape")) {
        object = LLayoutBuilder::BuildShape(aEntry);
    } else if (kind.EqualsNoCase(u"group")) {
        object = LLayoutBuilder::BuildGroup(aEntry, true);
    }
    if (object == nullptr) {
        L_ERROR("State object creation failure.");
        return;
    }
    const int state = StateOfLetter(type);
    if (state < 0 || !aButton->AddButtonStateObject(state, object)) {
        delete object;
    }
}

// Adds a built object to the group; an object the group refuses is deleted, since
// nothing else holds it.
bool Attach(LDisplayGroup* aGroup, LIDisplayObject* aObject)
{
    if (aGroup->AddMember(aObject, true)) {
        return true;
    }
    delete aObject;
    return false;
}
} // namespace

LSprite* LLayoutBuilder::BuildSprite(LPropertyList* aList)
{
    if (aList == nullptr) {
        return nullptr;
    }
    bool found = false;
    const LString id = aList->GetString(Key("id"), found);
    if (!found) {
        L_ASSERT_FAILURE("BuildSprite failure. 'id' not found.");
        return nullptr;
    }
    float relativeZ = 0.0f;
    const bool hasRelativeZ = ReadFloat(aList, "relativez", relativeZ);
    LSprite* sprite = L_NEW LSprite();
    if (sprite == nullptr) {
        L_ERROR("BuildSprite failure. Out of memory.");
        return nullptr;
    }
    L_CHECKED(sprite->SetId(id));
    if (hasRelativeZ) {
        L_CHECKED(sprite->SetRelativeZ(relativeZ));
    }
    const LString texture = aList->GetString(Key("texture"), found);
    if (!found) {
        L_ASSERT_FAILURE("BuildSprite failure. 'texture' not found.");
        delete sprite;
        return nullptr;
    }
    LTextureManager* textures = LTextureManager::Get();
    const uint32_t handle = textures != nullptr ? textures->GetHandle(texture) : 0;
    ApplyScale(aList, sprite);
    ApplyCenter(aList, sprite);

    // Pixel corners of the part shown: first and last pixel, inclusive.
    bool hasCorners = false;
    const LVectorFloat corners = aList->GetVectorFloat(Key("texturecoords"), hasCorners);
    LVector2 first(0.0f, 0.0f);
    LVector2 last(0.0f, 0.0f);
    if (hasCorners) {
        first = LVector2(corners[0], corners[1]);
        last = LVector2(corners[2], corners[3]);
    }
    const LVector2* firstArg = hasCorners ? &first : nullptr;
    const LVector2* lastArg = hasCorners ? &last : nullptr;
    if (handle != 0) {
        L_CHECKED(sprite->SetTexture(handle, firstArg, lastArg));
    } else if (textures != nullptr) {
        // Without corners the whole picture is shown, as for a texture already held.
        LImage* image = nullptr;
        if (LImage::CreateFromFile(textures->GetRoot() + texture, &image) && image != nullptr) {
            sprite->SetImage(texture, image, firstArg, lastArg);
        }
        delete image;
    }

    ApplyPosition(aList, sprite);
    ApplyRotation(aList, "rotation", sprite);
    ApplyBlend(aList, sprite);
    ApplyVisible(aList, sprite);
    return sprite;
}

LDisplayGroup* LLayoutBuilder::BuildGroup(LPropertyList* aList, bool aChildren)
{
    if (aList == nullptr) {
        L_ASSERT_FAILURE("BuildGroup failure. NULL arg.");
        return nullptr;
    }
    bool found = false;
    const LString id = aList->GetString(Key("id"), found);
    if (!found) {
        L_ASSERT_FAILURE("BuildGroup failure. 'id' not found.");
        return nullptr;
    }
    float relativeZ = 0.0f;
    const bool hasRelativeZ = ReadFloat(aList, "relativez", relativeZ);
    LDisplayGroup* group = L_NEW LDisplayGroup();
    if (group == nullptr) {
        L_ERROR("BuildGroup failure. Out of memory.");
        return nullptr;
    }
    L_CHECKED(group->SetId(id));
    if (hasRelativeZ) {
        L_CHECKED(group->SetRelativeZ(relativeZ));
    }
    ApplyPosition(aList, group);
    ApplyCenter(aList, group);
    ApplyRotation(aList, "rotation", group);
    ApplyScale(aList, group);
    ApplyBlend(aList, group);
    ApplyVisible(aList, group);
    if (!aChildren) {
        return group;
    }
    if (LPropertyList* sprites = aList->GetList(Key("sprites"))) {
        L_CHECKED(BuildSprites(sprites, group));
    }
    if (LPropertyList* groups = aList->GetList(Key("groups"))) {
        L_CHECKED(BuildGroups(groups, group));
    }
    if (LPropertyList* buttons = aList->GetList(Key("buttons"))) {
        L_CHECKED(BuildButtons(buttons, group, nullptr));
    }
    if (LPropertyList* shapes = aList->GetList(Key("shapes"))) {
        L_CHECKED(BuildShapes(shapes, group));
    }
    return group;
}

LIShape* LLayoutBuilder::BuildShape(LPropertyList* aList)
{
    if (aList == nullptr) {
        return nullptr;
    }
    bool found = false;
    const LString type = aList->GetString(Key("type"), found);
    if (!found) {
        L_ASSERT_FAILURE("BuildShape failure. 'type' not found.");
        return nullptr;
    }
    LIShape* shape = nullptr;
    if (type.EqualsNoCase(u"rectangle")) {
        shape = BuildRectangle(aList);
    } else if (type.EqualsNoCase(u"polygon")) {
        shape = BuildPolygon(aList);
    } else if (type.EqualsNoCase(u"bezier")) {
        shape = BuildBezier(aList);
    }
    if (shape == nullptr) {
        return nullptr;
    }
    const LString id = aList->GetString(Key("id"), found);
    if (!found) {
        L_ASSERT_FAILURE("BuildShape failure. 'id' not found.");
        delete shape;
        return nullptr;
    }
    L_CHECKED(shape->SetId(id));
    const bool stroked = aList->GetBool(Key("stroked"), found);
    if (found) {
        shape->SetStroked(stroked);
    }
    LColor color;
    if (!ReadColor(aList, "strokecolor", color)) {
        L_ASSERT_FAILURE("BuildShape failure.");
        delete shape;
        return nullptr;
    }
    shape->SetStrokeColor(color);
    const bool filled = aList->GetBool(Key("filled"), found);
    if (found) {
        shape->SetFilled(filled);
    }
    if (!ReadColor(aList, "fillcolor", color)) {
        L_ASSERT_FAILURE("BuildShape failure.");
        delete shape;
        return nullptr;
    }
    shape->SetFillColor(color);
    const bool antialiased = aList->GetBool(Key("antialiased"), found);
    if (found) {
        shape->SetAntialiased(antialiased);
    }
    ApplyRelativeZ(aList, shape);
    ApplyScale(aList, shape);
    ApplyCenter(aList, shape);
    ApplyPosition(aList, shape);
    ApplyRotation(aList, "rotation", shape);
    ApplyBlend(aList, shape);
    ApplyVisible(aList, shape);
    return shape;
}

LSRectangle* LLayoutBuilder::BuildRectangle(LPropertyList* aList)
{
    if (aList == nullptr) {
        return nullptr;
    }
    LSRectangle* shape = L_NEW LSRectangle();
    if (shape == nullptr) {
        L_ERROR("BuildRectangle failure. Out of memory.");
        return nullptr;
    }
    bool found = false;
    const LVectorFloat coords = aList->GetVectorFloat(Key("coords"), found);
    if (!found) {
        L_ASSERT_FAILURE("BuildRectangle failure. 'coords' not found.");
        delete shape;
        return nullptr;
    }
    if (coords.GetCount() != 4) {
        L_ASSERT_FAILURE("BuildRectangle failure. Invalid number of coords.");
        delete shape;
        return nullptr;
    }
    const LRectangle rect(coords[0], coords[1], coords[2], coords[3]);
    if (!shape->SetRect(rect)) {
        L_ASSERT_FAILURE("BuildRectangle failure.");
    }
    shape->SetBoundary(&rect);
    return shape;
}

LSPolygon* LLayoutBuilder::BuildPolygon(LPropertyList* aList)
{
    if (aList == nullptr) {
        return nullptr;
    }
    LSPolygon* shape = L_NEW LSPolygon();
    if (shape == nullptr) {
        L_ERROR("BuildPolygon failure. Out of memory.");
        return nullptr;
    }
    LVector2* points = nullptr;
    int count = 0;
    if (!ReadShapePoints(aList, "BuildPolygon", &points, &count)) {
        delete shape;
        return nullptr;
    }
    if (!shape->SetPolygon(points, count, true)) {
        L_ASSERT_FAILURE("BuildPolygon failure.");
    }
    if (shape->GetPolygon() != nullptr) {
        shape->SetBoundary(shape->GetPolygon());
    }
    delete[] points;
    return shape;
}

LSBezier* LLayoutBuilder::BuildBezier(LPropertyList* aList)
{
    if (aList == nullptr) {
        return nullptr;
    }
    LSBezier* shape = L_NEW LSBezier();
    if (shape == nullptr) {
        L_ERROR("BuildBezier failure. Out of memory.");
        return nullptr;
    }
    LVector2* points = nullptr;
    int count = 0;
    if (!ReadShapePoints(aList, "BuildBezier", &points, &count)) {
        delete shape;
        return nullptr;
    }
    if (!shape->Create(count, points, true)) {
        L_ASSERT_FAILURE("BuildBezier failure.");
    }
    delete[] points;
    return shape;
}

LButton* LLayoutBuilder::BuildButton(LPropertyList* aList, LIButtonListener* aListener)
{
    if (aList == nullptr) {
        return nullptr;
    }
    bool found = false;
    const LString id = aList->GetString(Key("id"), found);
    if (!found) {
        L_ERROR("BuildButton failure. 'id' not found.");
        return nullptr;
    }
    LButton* button = L_NEW LButton();
    if (button == nullptr) {
        L_ERROR("BuildButton failure. Out of memory.");
        return nullptr;
    }
    L_CHECKED(button->SetId(id));
    ApplyRelativeZ(aList, button);
    float order = 0.0f;
    ReadFloat(aList, "mouseorder", order);
    button->SetMouseOrder(nullptr, order);
    ApplyPosition(aList, button);
    ApplyCenter(aList, button);
    ApplyRotation(aList, "rot", button);
    ApplyScale(aList, button);
    ApplyBlend(aList, button);
    const bool enabled = aList->GetBool(Key("enabled"), found);
    if (found) {
        L_CHECKED(button->SetEnabled(enabled));
    }
    ApplyVisible(aList, button);
    const bool hilighted = aList->GetBool(Key("hilighted"), found);
    if (found) {
        L_CHECKED(button->SetHilighted(hilighted));
    }
    if (LPropertyList* states = aList->GetList(Key("states"))) {
        for (int i = 0; i < states->GetCount(); ++i) {
            BuildState(button, states->GetListAt(i));
        }
    }
    button->UpdateStateObjects();
    if (aListener != nullptr) {
        button->SetListener(aListener);
    }
    return button;
}

bool LLayoutBuilder::BuildSprites(LPropertyList* aList, LDisplayGroup* aGroup)
{
    if (aList == nullptr || aGroup == nullptr) {
        L_ERROR("BuildSprites failure. NULL arg.");
        return false;
    }
    const int count = aList->GetCount();
    if (count == 0) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        LSprite* sprite = BuildSprite(aList->GetListAt(i));
        if (sprite == nullptr) {
            L_ASSERT_FAILURE("BuildSprites failure.");
            continue;
        }
        Attach(aGroup, sprite);
    }
    return true;
}

bool LLayoutBuilder::BuildGroups(LPropertyList* aList, LDisplayGroup* aGroup)
{
    if (aList == nullptr || aGroup == nullptr) {
        L_ERROR("BuildGroups failure. NULL arg.");
        return false;
    }
    bool result = true;
    for (int i = 0; i < aList->GetCount(); ++i) {
        LDisplayGroup* group = BuildGroup(aList->GetListAt(i), true);
        if (group != nullptr && !Attach(aGroup, group)) {
            result = false;
        }
    }
    return result;
}

bool LLayoutBuilder::BuildShapes(LPropertyList* aList, LDisplayGroup* aGroup)
{
    if (aList == nullptr || aGroup == nullptr) {
        L_ERROR("BuildShapes failure. NULL arg.");
        return false;
    }
    const int count = aList->GetCount();
    if (count == 0) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        LIShape* shape = BuildShape(aList->GetListAt(i));
        if (shape == nullptr) {
            L_ASSERT_FAILURE("BuildShapes failure.");
            continue;
        }
        Attach(aGroup, shape);
    }
    return true;
}

bool LLayoutBuilder::BuildButtons(LPropertyList* aList, LDisplayGroup* aGroup, LIButtonListener* aListener)
{
    if (aList == nullptr || aGroup == nullptr) {
        L_ERROR("BuildButtons failure. NULL arg.");
        return false;
    }
    bool result = true;
    for (int i = 0; i < aList->GetCount(); ++i) {
        LButton* button = BuildButton(aList->GetListAt(i), aListener);
        if (button != nullptr && !Attach(aGroup, button)) {
            result = false;
        }
    }
    return result;
}

bool LLayoutBuilder::BuildScrollBar(LPropertyList* aList, LDisplayGroup* aGroup, LScrollBarParams* aOut)
{
    if (aOut != nullptr) {
        *aOut = LScrollBarParams();
    }
    if (aList == nullptr || aGroup == nullptr || aOut == nullptr) {
        L_ERROR("BuildScrollBar failure. NULL arg.");
        return false;
    }
    static const struct
    {
        const char* mKey;
        const char* mMissing;
        LButton* LScrollBarParams::*mField;
    } kButtons[] = {
        {"downarrowid", "'downarrowid' not found.", &LScrollBarParams::mDownArrow},
        {"uparrowid", "'uparrowid' not found.", &LScrollBarParams::mUpArrow},
        {"barid", "'barid' not found.", &LScrollBarParams::mBar},
    };
    bool found = false;
    for (const auto& part : kButtons) {
        const LString path = aList->GetString(Key(part.mKey), found);
        if (!found) {
            L_ASSERT_FAILURE(part.mMissing);
        }
        LIDisplayObject* member = nullptr;
        if (!aGroup->GetMember(path, &member) || member == nullptr) {
            L_ERROR("Scrollbar group not found.");
            return false;
        }
        // The scroll bar drives these as buttons: anything else would be misused.
        LButton* button = dynamic_cast<LButton*>(member);
        if (button == nullptr) {
            L_ERROR("Scrollbar member is not a button: " + path);
            return false;
        }
        aOut->*part.mField = button;
    }
    static const struct
    {
        const char* mKey;
        const char* mMissing;
        int LScrollBarParams::*mField;
    } kSizes[] = {
        {"barheight", "'barheight' not found.", &LScrollBarParams::mBarHeight},
        {"barareaheight", "'barareaheight' not found.", &LScrollBarParams::mBarAreaHeight},
        {"contentheight", "'contentheight' not found.", &LScrollBarParams::mContentHeight},
    };
    for (const auto& size : kSizes) {
        aOut->*size.mField = aList->GetInt(Key(size.mKey), found);
        if (!found) {
            L_ASSERT_FAILURE(size.mMissing);
        }
    }
    const LVectorFloat start = aList->GetVectorFloat(Key("contentstartpos"), found);
    if (found) {
        aOut->mContentStartPos = LVector2(start[0], start[1]);
    } else {
        L_ASSERT_FAILURE("'contentstartpos' not found.");
    }
    aOut->mScrollAreaHeight = aList->GetInt(Key("scrollareaheight"), found);
    if (!found) {
        L_ASSERT_FAILURE("'scrollareaheight' not found.");
    }
    aOut->mScrollIncrement = aList->GetInt(Key("scrollincrement"), found);
    if (!found) {
        L_ASSERT_FAILURE("'scrollincrement' not found.");
    }
    return true;
}
