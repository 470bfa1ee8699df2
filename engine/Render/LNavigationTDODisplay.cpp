#include "Render/LNavigationTDODisplay.h"

#include "Gdi/LDisplayManager.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LSPolygon.h"
#include "Gdi/LSRectangle.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LMatrix4.h"
#include "LPolygon.h"
#include "LVector3.h"
#include "Render/LColor.h"
#include "Render/LFrame.h"
#include "Render/LIPathFinding.h"
#include "Render/LMesh.h"
#include "Render/LNavigationTDO.h"
#include "Render/LPosBounds.h"
#include "Render/LSteeringTDO.h"
#include "Render/LWayPoint.h"
#include "Render/LWebPath.h"
#include "container/LHashKeyList.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const kFont = "tahoma10";

// Looks as (alpha, red, green, blue).
const LColor kBackgroundFill(0.65f, 0.0f, 0.0f, 0.0f);
const LColor kBackgroundOutline(1.0f, 0.0f, 0.0f, 0.0f);
const LColor kArea(0.2f, 1.0f, 1.0f, 1.0f);
const LColor kCurrentArea(1.0f, 1.0f, 1.0f, 1.0f);
const LColor kObstacle(1.0f, 1.0f, 0.0f, 0.0f);
const LColor kPick(1.0f, 1.0f, 1.0f, 1.0f);
const LColor kGreen(1.0f, 0.0f, 1.0f, 0.0f);
const LColor kWayPoint(1.0f, 0.0f, 0.0f, 1.0f);
const LColor kWayPointLink(0.7f, 0.0f, 0.0f, 1.0f);

constexpr float kMarkerSize = 2.5f;

const LVector2 kVisibleTargetShape[] = {{0.0f, 6.0f}, {-6.0f, 0.0f}, {0.0f, -6.0f}, {6.0f, 0.0f}};
const LVector2 kWayPointShape[] = {{0.0f, 5.0f}, {-5.0f, 0.0f}, {0.0f, -5.0f}, {5.0f, 0.0f}};
const LVector2 kArrowShape[] = {{0.0f, 0.0f},   {0.0f, 4.0f},  {-10.0f, 4.0f}, {-10.0f, -4.0f},
                                {10.0f, -4.0f}, {10.0f, 4.0f}, {0.0f, 4.0f},   {0.0f, 12.0f}};

template <size_t N>
constexpr int CountOf(const LVector2 (&)[N])
{
    return static_cast<int>(N);
}

// The overlay's labels need its font; without it (a data set or test that has none) the
// overlay simply goes without text.
LIFont* LabelFont()
{
    LFontManager* fonts = LFontManager::Get();
    return fonts != nullptr ? fonts->FindFont(LString(kFont)) : nullptr;
}

LString Numbered(const char* aPrefix, int aNumber)
{
    LString id(aPrefix);
    id += aNumber;
    return id;
}

} // namespace

LNavigationTDODisplay::LNavigationTDODisplay()
{
    SetId(LString("navdisplay"));
    SetPosition(kLeft, kTop);
    const LRectangle boundary(0.0f, 0.0f, kWidth, kHeight);
    SetBoundary(&boundary);
    SetActive(false);
    LDisplayManager* manager = LDisplayManager::Get();
    LDisplayGroup* root = manager != nullptr ? manager->GetRoot() : nullptr;
    if (root == nullptr || !root->AddMember(this, true)) {
        L_ASSERT_FAILURE("LNavigationTDODisplay failure. Not added to the display root.");
    }
}

LNavigationTDODisplay::~LNavigationTDODisplay()
{
    Leave();
    if (mOwnerSlot != nullptr && *mOwnerSlot == this) {
        *mOwnerSlot = nullptr;
    }
    mOwnerSlot = nullptr;
    delete mViewRect;
    mViewRect = nullptr;
    mNavigation = nullptr;
    mPathFinding = nullptr;
    mSteering = nullptr;
}

void LNavigationTDODisplay::Leave()
{
    if (mKeyboardListening) {
        if (LKeyboard* keyboard = LKeyboard::Get()) {
            keyboard->RemoveListener(this);
        }
        mKeyboardListening = false;
    }
    // A developer tool may have registered the overlay with the mouse.
    if (LMouse* mouse = LMouse::Get()) {
        if (mouse->Contains(this)) {
            mouse->RemoveListener(this);
        }
    }
    if (mFrameListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mFrameListening = false;
    }
}

LString LNavigationTDODisplay::Dump() const
{
    LString text("[LNavigationTDODisplay <");
    text += static_cast<const void*>(this);
    text += "> view ";
    text += mViewName;
    text += "]";
    return text;
}

bool LNavigationTDODisplay::AddTo(LDisplayGroup* aGroup, LIDisplayObject* aMember, const char* aId)
{
    if (aMember == nullptr) {
        L_ASSERT_FAILURE(LString("Create failure. Member not made: ") + aId);
        return false;
    }
    if (aId != nullptr) {
        aMember->SetId(LString(aId));
    }
    if (aGroup == nullptr || !aGroup->AddMember(aMember, true)) {
        L_ASSERT_FAILURE(LString("Create failure. Member not added: ") + aMember->GetId());
        delete aMember;
        return false;
    }
    return true;
}

LDisplayGroup* LNavigationTDODisplay::MakeGroup(LDisplayGroup* aParent, const char* aId)
{
    auto* group = L_NEW LDisplayGroup();
    return AddTo(aParent, group, aId) ? group : nullptr;
}

LSPolygon* LNavigationTDODisplay::MakePolygon(const LVector2* aPoints, int aCount, bool aClosed,
                                              const LColor& aColor)
{
    auto* shape = L_NEW LSPolygon();
    if (shape != nullptr) {
        shape->SetPolygon(aPoints, aCount, aClosed);
        shape->SetStrokeColor(aColor);
    }
    return shape;
}

LSRectangle* LNavigationTDODisplay::MakeMarker(const char* aId, const LColor& aColor)
{
    auto* marker = L_NEW LSRectangle();
    if (marker != nullptr) {
        marker->SetRect(LRectangle(kMarkerSize, kMarkerSize));
        marker->SetStrokeColor(aColor);
    }
    return AddTo(mContent, marker, aId) ? marker : nullptr;
}

bool LNavigationTDODisplay::Create(LNavigationTDO* aNavigation, LSteeringTDO* aSteering)
{
    if (aNavigation == nullptr) {
        L_ASSERT_FAILURE("Create failure. NULL arg.");
        return false;
    }
    mNavigation = aNavigation;
    mPathFinding = aNavigation->GetPathFinding();
    mSteering = aSteering;

    auto* background = L_NEW LSRectangle();
    if (background != nullptr) {
        background->SetRect(LRectangle(-1.0f, -1.0f, kWidth + 2.0f, kHeight + 2.0f));
        background->SetFilled(true);
        background->SetFillColor(kBackgroundFill);
        background->SetStrokeColor(kBackgroundOutline);
    }
    AddTo(this, background, "navdisplaybkg");
    mContent = MakeGroup(this, "contentgroup");
    mGroundMeshes = MakeGroup(mContent, "groundmeshes");
    mPositive = MakeGroup(mContent, "positive");
    mNegative = MakeGroup(mContent, "negative");
    mWayPoints = MakeGroup(mContent, "waypointgroup");
    mPathGroup = MakeGroup(mContent, "pathgroup");
    BuildAreas();
    BuildWayPoints();

    if (LIFont* font = LabelFont()) {
        mViewText = L_NEW LTextArea();
        if (mViewText != nullptr) {
            mViewText->Create(font);
        }
        if (AddTo(this, mViewText, "viewname")) {
            mViewText->SetPosition(10.0f, 5.0f);
        } else {
            mViewText = nullptr;
        }
    }

    mPick = MakeMarker("pick", kPick);
    mTarget = MakeMarker("target", kGreen);
    mVisibleTarget = MakePolygon(kVisibleTargetShape, CountOf(kVisibleTargetShape), true, kGreen);
    if (!AddTo(mContent, mVisibleTarget, "visibletarget")) {
        mVisibleTarget = nullptr;
    }
    mPlayer = MakePolygon(kArrowShape, CountOf(kArrowShape), true, kPick);
    if (AddTo(mContent, mPlayer, "player")) {
        mPlayer->SetPosition(kParked, kParked);
    } else {
        mPlayer = nullptr;
    }

    SetView(aNavigation->GetCamera());

    if (LKeyboard* keyboard = LKeyboard::Get()) {
        mKeyboardListening = keyboard->AddListener(this, 0.0f);
    }
    mNavigation->SetPosition(LVector3(kParked, kParked, 0.0f));

    mPath = MakePolygon(nullptr, 0, false, kGreen);
    if (!AddTo(mPathGroup, mPath, "path")) {
        mPath = nullptr;
    }
    if (LFrameManager* frames = LFrameManager::Get()) {
        mFrameListening = frames->AddListener(this, kFramePriority) != 0;
    }
    return true;
}

bool LNavigationTDODisplay::BuildAreas()
{
    bool result = true;
    const LHashKeyList& areas = mNavigation->GetWalkableAreas();
    for (int i = 0; i < areas.GetCount(); ++i) {
        const auto* area = static_cast<const LPosBounds*>(areas.GetAt(i));
        LSPolygon* shape = MakePolygon(area->mArea.GetPoints(), area->mArea.GetNumPoints(), true, kArea);
        LString id;
        areas.GetKeyAt(i, id);
        if (shape != nullptr && !id.IsEmpty()) {
            shape->SetId(id);
        }
        result = AddTo(mPositive, shape, id.IsEmpty() ? "area" : nullptr) && result;
    }
    const LHashKeyList& obstacles = mNavigation->GetObstacles();
    for (int i = 0; i < obstacles.GetCount(); ++i) {
        const auto* obstacle = static_cast<const LBounds*>(obstacles.GetAt(i));
        LSPolygon* shape = MakePolygon(obstacle->mArea.GetPoints(), obstacle->mArea.GetNumPoints(), true, kObstacle);
        LString id;
        obstacles.GetKeyAt(i, id);
        if (shape != nullptr && !id.IsEmpty()) {
            shape->SetId(id);
        }
        result = AddTo(mNegative, shape, id.IsEmpty() ? "obstacle" : nullptr) && result;
    }
    return result;
}

bool LNavigationTDODisplay::BuildWayPoints()
{
    int count = 0;
    LWayPoint* wayPoints = nullptr;
    if (mPathFinding == nullptr || !mPathFinding->GetWayPoints(count, wayPoints) || wayPoints == nullptr) {
        return false;
    }
    bool result = true;
    int links = 0;
    LIFont* font = LabelFont();
    for (int i = 0; i < count; ++i) {
        const LWayPoint& point = wayPoints[i];
        LSPolygon* marker = MakePolygon(kWayPointShape, CountOf(kWayPointShape), true, kWayPoint);
        if (marker != nullptr) {
            marker->SetId(Numbered("wp_", i));
            marker->SetPosition(point.mPoint);
        }
        result = AddTo(mWayPoints, marker, nullptr) && result;
        // Each pair once: only links to a later way-point are drawn.
        for (int k = 0; k < point.mLinkCount; ++k) {
            const int other = point.mLinks[k];
            if (other <= i || other >= count) {
                continue;
            }
            const LVector2 ends[] = {point.mPoint, wayPoints[other].mPoint};
            LSPolygon* line = MakePolygon(ends, 2, false, kWayPointLink);
            if (line != nullptr) {
                line->SetId(Numbered("wplink_", links));
            }
            ++links;
            result = AddTo(mWayPoints, line, nullptr) && result;
        }
        if (font == nullptr) {
            continue;
        }
        auto* label = L_NEW LTextArea();
        if (label != nullptr) {
            label->Create(font);
            label->SetId(Numbered("wplabel_", i));
            label->SetText(point.mName);
            label->SetPosition(point.mPoint);
        }
        result = AddTo(mWayPoints, label, nullptr) && result;
    }
    return result;
}

bool LNavigationTDODisplay::SetupGroundMeshes(int aCount, LFrame* const* aFrames)
{
    if (mGroundMeshes == nullptr) {
        L_ASSERT_FAILURE("SetupGroundMeshes failure. Not created.");
        return false;
    }
    while (mGroundMeshes->GetMemberCount() > 0) {
        delete mGroundMeshes->GetMemberAt(0);
    }
    if (aFrames == nullptr || aCount <= 0) {
        return true;
    }
    bool result = true;
    int triangles = 0;
    for (int i = 0; i < aCount; ++i) {
        const LFrame* frame = aFrames[i];
        const LMesh* mesh = frame != nullptr ? frame->GetMesh() : nullptr;
        if (mesh == nullptr) {
            continue;
        }
        mesh->ForEachTriangle(frame->GetWorldMatrix(), [&](const LVector3* aCorners) {
            const LVector2 corners[] = {{aCorners[0].x, aCorners[0].z},
                                        {aCorners[1].x, aCorners[1].z},
                                        {aCorners[2].x, aCorners[2].z}};
            LSPolygon* shape = MakePolygon(corners, 3, true, kGreen);
            if (shape != nullptr) {
                shape->SetId(Numbered("tri_", triangles));
            }
            ++triangles;
            result = AddTo(mGroundMeshes, shape, nullptr) && result;
        });
    }
    mGroundMeshes->SetVisible(mShowGroundMeshes);
    return result;
}

bool LNavigationTDODisplay::SetView(const LString& aCamera)
{
    int currentCount = 0;
    LPosBounds** current = nullptr;
    if (mNavigation == nullptr || !mNavigation->GetPosBoundsCurrent(currentCount, current) || currentCount <= 0) {
        return false;
    }
    const LHashKeyList& areas = mNavigation->GetWalkableAreas();
    LRectangle view;
    bool found = false;
    for (int i = 0; i < areas.GetCount(); ++i) {
        const auto* area = static_cast<const LPosBounds*>(areas.GetAt(i));
        if (!(area->mCamera == aCamera)) {
            continue;
        }
        const LRectangle box(area->mArea);
        if (found) {
            view.Union(box);
        } else {
            view = box;
            found = true;
        }
    }
    if (!found) {
        return false;
    }
    if (!FitContentRect(&view)) {
        return false;
    }
    delete mViewRect;
    mViewRect = L_NEW LRectangle(view);
    mViewName = aCamera;
    ColourAreas();
    if (mViewText != nullptr) {
        mViewText->SetText(mViewName);
        mViewText->SetActive(true);
    }
    return true;
}

void LNavigationTDODisplay::ColourAreas()
{
    if (mPositive == nullptr || mNavigation == nullptr) {
        return;
    }
    const LHashKeyList& areas = mNavigation->GetWalkableAreas();
    for (int i = 0; i < areas.GetCount(); ++i) {
        const auto* area = static_cast<const LPosBounds*>(areas.GetAt(i));
        LString id;
        areas.GetKeyAt(i, id);
        auto* shape = dynamic_cast<LSPolygon*>(mPositive->GetMember(id));
        if (shape != nullptr) {
            shape->SetStrokeColor(area->mCamera == mViewName ? kCurrentArea : kArea);
        }
    }
}

bool LNavigationTDODisplay::FitContentRect(const LRectangle* aRect)
{
    if (aRect == nullptr) {
        L_ASSERT_FAILURE("FitContentRect failure. NULL arg.");
        return false;
    }
    const float width = aRect->GetWidth();
    const float height = aRect->GetHeight();
    // A view without extent would scale everything to infinity.
    if (!(width > 0.0f || height > 0.0f) || !std::isfinite(width) || !std::isfinite(height)) {
        L_ASSERT_FAILURE("FitContentRect failure. Empty rectangle.");
        return false;
    }
    if (mContent == nullptr) {
        L_ASSERT_FAILURE("FitContentRect failure. Not created.");
        return false;
    }
    const float scale = width > height ? (kWidth - 2.0f * kMargin) / width : (kHeight - 2.0f * kMargin) / height;
    const float centreX = aRect->GetX() + width * 0.5f;
    const float centreY = aRect->GetY() + height * 0.5f;
    mContent->SetScale(scale, -scale);
    // With y up, a ground point (x, y) lands at (px + s x, py - s y) of the overlay.
    mContent->SetPosition(kWidth * 0.5f - scale * centreX, kHeight * 0.5f + scale * centreY);
    mScaleFactor = scale;
    mViewFitted = true;
    return true;
}

bool LNavigationTDODisplay::ResetView()
{
    return FitContentRect(mViewRect);
}

bool LNavigationTDODisplay::SetPickPosition(const LVector2& aPoint)
{
    if (mPick == nullptr) {
        return false;
    }
    return mPick->SetPosition(aPoint);
}

void LNavigationTDODisplay::OnKeyDown(int aKey)
{
    // The overlay sits under every scene; only an activated one speaks.
    if (!GetActive()) {
        return;
    }
    LString message("aKey:");
    message += aKey;
    L_ASSERT_FAILURE(message);
}

void LNavigationTDODisplay::OnKeyUp(int /*aKey*/) {}

void LNavigationTDODisplay::OnMove(const LVector2& /*aPosition*/) {}

void LNavigationTDODisplay::OnButtonUp(int /*aButton*/) {}

bool LNavigationTDODisplay::ScreenToGround(const LVector2& aScreen, LVector2& aOut)
{
    if (mContent == nullptr) {
        return false;
    }
    const LMatrix4* world = mContent->GetWorldMatrix();
    LMatrix4 inverse;
    if (world == nullptr || LMatrix4::Inverse(&inverse, world) == nullptr) {
        return false;
    }
    // Matrices carry y upwards; the content's own y is mirrored once more.
    const LVector3 screen(aScreen.x, -aScreen.y, 0.0f);
    LVector3 local;
    LMatrix4::TransformCoord(&local, &inverse, &screen);
    aOut = LVector2(local.x, -local.y);
    return std::isfinite(aOut.x) && std::isfinite(aOut.y);
}

void LNavigationTDODisplay::OnButtonDown(int /*aButton*/)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr || mNavigation == nullptr) {
        return;
    }
    LVector2 position;
    mouse->GetPosition(position);
    if (!HitTest(position)) {
        return;
    }
    LVector2 point;
    if (!ScreenToGround(position, point)) {
        return;
    }
    SetPickPosition(point);
    LVector2 valid = point;
    mNavigation->FindValidPoint(point, valid);
    mNavigation->ClampToBounds(kClickClampDistance, kClickClampStep, valid);
    mNavigation->SetTarget(LVector3(valid.x, valid.y, 0.0f));
    mNavigation->SetEnabled(true);
    if (mSteering != nullptr) {
        mSteering->SetMoving(true, 1);
    }
    mouse->Interrupt();
}

void LNavigationTDODisplay::OnFrame()
{
    if (mNavigation == nullptr) {
        return;
    }
    const LVector3& position = *mNavigation->GetPosition();
    const LVector3& target = *mNavigation->GetTarget();
    const LVector3& next = *mNavigation->GetNextPoint();
    // Before the first path lookup, and after a reset, there is no route to draw.
    LWebPath* path = mPathFinding != nullptr ? mPathFinding->GetLastPath() : nullptr;
    if (mPath != nullptr) {
        LPolygon route;
        if (path != nullptr && path->Exists()) {
            route.AddPoint(position.x, position.y);
            for (int i = 0; i < path->mWayPoints.GetCount(); ++i) {
                const LWayPoint* wayPoint = mPathFinding->GetWayPoint(path->mWayPoints[i]);
                if (wayPoint != nullptr) {
                    route.AddPoint(wayPoint->mPoint);
                }
            }
            route.AddPoint(target.x, target.y);
        }
        route.SetClosed(false);
        mPath->SetPolygon(route);
    }
    if (mVisibleTarget != nullptr) {
        mVisibleTarget->SetPosition(next.x, next.y);
    }
    if (mTarget != nullptr) {
        mTarget->SetPosition(target.x, target.y);
    }
    if (mPlayer != nullptr) {
        mPlayer->SetPosition(position.x, position.y);
        const LVector3* direction = mSteering != nullptr ? mSteering->GetDirection() : nullptr;
        if (direction != nullptr) {
            const float length = std::sqrt(direction->x * direction->x + direction->y * direction->y);
            if (length > 0.0f) {
                const float cosine = std::clamp(direction->y / length, -1.0f, 1.0f);
                float degrees = std::acos(cosine) * kRadiansToDegrees;
                if (direction->x < 0.0f) {
                    degrees = -degrees;
                }
                mPlayer->SetRotation(degrees);
            }
        }
    }
}
