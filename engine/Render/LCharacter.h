// The animated node of a person: one draw element loaded from a model, an idle animation
// and move animations, a position and facing direction (pulled from a steering object
// when one is attached), a visible flag and an optional lip-sync player.
//
// The steering works in the ground plane as x/y; the character stands in x/z with y up,
// so positions and directions taken from it have y and z swapped.
//
// With a shadow path the character casts stencil shadows: one shadow volume per skinned
// mesh, read from that cache file, or built and written to it when it is missing or does
// not fit the model.
#pragma once
#include "object/LWatched.h"
#include "LVector3.h"
#include "Render/LAnimatedNode.h"
#include "container/LString.h"

#include <cstdint>

class LAnimation;
class LAnimationCtrl;
class LAnimationTrack;
class LCamera;
class LISteering;
class LLight;
class LLipSyncPlayer;
class LPropertyList;
class LShadowVolume;

// Players, scenes and interviews that bind a character without owning it watch it.
class LCharacter : public LAnimatedNode, public LWatched
{
public:
    // Blend weight change per second and start weights of the plays below.
    static constexpr float kFadeRate = 4.0f;
    // Flags of PlayAnimation, PlayGestureAnimation and the idle animation.
    static constexpr unsigned int kPlayFlags = 1;
    static constexpr unsigned int kGestureFlags = 49;
    static constexpr unsigned int kIdleFlags = 12;

    struct MoveRecord
    {
        LAnimation* mAnimation = nullptr;
        float mSpeed = 0.0f;
    };

    LCharacter();
    LCharacter(const LCharacter&) = delete;
    LCharacter& operator=(const LCharacter&) = delete;
    ~LCharacter() override;

    LString Dump() const override;

    // Loads the model ("mesh" under "//meshes/"; a path ending in "1" is the tree form,
    // else the direct form) with an animation controller, then "type", "gender",
    // "headtype" and the "animations" list ("idle" and "move" entries). Missing keys and
    // animation files are logged and loading goes on; a model that cannot be read stops
    // it there with an empty element and 0.
    virtual int Load(const LPropertyList* aData, const LString* aShadowPath);
    // World matrix from position and direction: look-at toward (x, y, -z) of the
    // direction, then the translation; a zero direction becomes (0, 0, 1). 1.
    virtual int UpdateTransform();

    int Render() override;
    int SetVisible(bool aVisible) override;
    int Update(const LMatrix4* aWorld) override;
    int UpdateSkins() override;

    // Starts the idle animation the first time; then takes position and direction from
    // the steering, when there is one. 1 (also hidden, and without steering).
    int UpdateSteering();

    // Null (logged) without a loaded model.
    LAnimationCtrl* GetAnimationCtrl() const;
    LAnimationTrack* GetTrack(int aIndex) const;
    LVector3* GetPosition() { return &mPosition; }
    const LVector3& GetDirection() const { return mDirection; }
    void SetPosition(const LVector3& aPosition) { mPosition = aPosition; }
    void SetDirection(const LVector3& aDirection) { mDirection = aDirection; }
    int SetSteering(LISteering* aSteering);
    LISteering* GetSteering() const { return mSteering; }
    // Takes the animation; the one replaced is deleted.
    int SetIdleAnimation(LAnimation* aAnimation);
    LAnimation* GetIdleAnimation() const { return mIdleAnimation; }
    // Takes the n animations; the old records are deleted with their animations.
    int SetMoveAnimations(int aCount, LAnimation* aAnimations[], const float aSpeeds[]);
    int GetMoveCount() const { return mMoveCount; }
    // By index counted from 1; null outside 1 .. count.
    const MoveRecord* GetMove(int aIndex) const;

    // Main track, replace mode: weight 0, rate 4.0, flags 1, speed 1.0.
    int PlayAnimation(LAnimation* aAnimation);
    // A blend track: weight 0, rate 4.0, flags 49 (fade in, frozen, hold the last frame).
    int PlayGestureAnimation(LAnimation* aAnimation);
    // Time of the track that plays the animation (previous time unchanged); 0 when none.
    int SetAnimationTime(LAnimation* aAnimation, float aTime);
    // Marks that track ended, so it fades out unless it loops; 0 when none.
    int EndAnimation(LAnimation* aAnimation);
    // Empties every blend track (1 .. 6) that plays an animation.
    int StopBlendTracks();

    // One volume per frame with a skinned mesh, in frame order; 0 (logged) without any.
    int CreateShadow();
    // While visible with shadows: each volume updated for the light and built for the
    // camera; the AND of the results (1 otherwise).
    int UpdateShadow(const LLight* aLight, LCamera* aCamera);
    // While visible with shadows: each volume drawn into the stencil buffer. aValue is
    // not used.
    int RenderShadow(float aValue);
    bool HasShadows() const { return mShadowsEnabled != 0; }
    int GetShadowVolumeCount() const { return mShadowVolumeCount; }
    LShadowVolume* GetShadowVolume(int aIndex) const
    {
        return aIndex >= 0 && aIndex < mShadowVolumeCount ? mShadowVolumes[aIndex] : nullptr;
    }

    // Loads the lip-sync data (text form) and the pose folder and binds them to the
    // element; 0 (no player) on failure.
    int StartLipSync(const LString& aDataName, const LString& aAnimationName);
    int PlayLipSync();
    int StopLipSync();
    LLipSyncPlayer* GetLipSyncPlayer() const { return mLipSyncPlayer; }

    bool IsPlayer() const { return mIsPlayer != 0; }
    bool IsFemale() const { return mFemale != 0; }
    bool GetVisible() const { return mVisible != 0; }
    const LString& GetHeadType() const { return mHeadType; }
    LDrawElement* GetDrawElement() const;

    // Whether the point's x and z lie in the x/z bounding rectangle of the triangle.
    static bool InTriangleBounds(const LVector3& aPoint, const LVector3& aA, const LVector3& aB,
                                 const LVector3& aC);
    // Whether the point lies in the triangle (x/z) by the signs of the edge cross products.
    static bool InTriangle(const LVector3& aPoint, const LVector3& aA, const LVector3& aB, const LVector3& aC);

    // Reads the animation at "//animations/" + aFile by its ending; a file that cannot be
    // read leaves an empty animation (logged).
    static LAnimation* ReadAnimation(const LString& aFile);

protected:
    // Replace mode on the main track: weight, rate 4.0, flags 12, speed 1.0.
    int SetBaseAnimation(LAnimation* aAnimation, float aWeight);

private:
    bool LoadModel(const LString& aFile);
    int LoadAnimations(const LPropertyList* aAnimations);
    void FreeMoves();
    void ClearLipSync();
    // The cache file at aPath read (and bound), or the volumes built and written there.
    void LoadShadows(const LString& aPath);
    bool ReadShadows(const LString& aPath);
    bool WriteShadows(const LString& aPath);
    void FreeShadows();

    uint8_t mIsPlayer = 0;
    LVector3 mDirection {0.0f, 0.0f, 1.0f};
    LAnimation* mIdleAnimation = nullptr;
    MoveRecord* mMoves = nullptr;
    int mMoveCount = 0;
    LISteering* mSteering = nullptr;
    uint8_t mIdleStarted = 0;
    uint8_t mFemale = 0;
    uint8_t mShadowsEnabled = 0;
    int mShadowVolumeCount = 0;
    LShadowVolume** mShadowVolumes = nullptr;
    LVector3 mPosition;
    uint8_t mVisible = 1;
    LString mHeadType {"ma"};
    LLipSyncPlayer* mLipSyncPlayer = nullptr;
};
