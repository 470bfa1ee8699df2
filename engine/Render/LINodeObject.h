// The base of every 3-D scene node: a named object with a local and a world matrix and
// two hierarchical on/off flags, visible and enabled. A node may follow a group (any
// node): its effective flags are its own AND the group's, its world matrix is the
// group's world × its local matrix.
//
// Everything is pulled lazily: the effective flags and the world matrix are recomputed
// on the first query after their dirty flag was set. Setters mark nothing dirty except
// an own flag that changes; a caller that changes a group invalidates the members it
// wants to follow. Group links never form a cycle (SetGroup refuses one), and a group's
// destructor clears the links of its members that point at it.
#pragma once
#include "LMatrix4.h"
#include "LVector3.h"
#include "container/LString.h"
#include "container/LVector.h"
#include "object/LIRestorable.h"

#include <cstdint>

class LINodeObject : public LIRestorable
{
public:
    // Both own flags on, all dirty flags set, identity matrices.
    LINodeObject();
    LINodeObject(const LINodeObject&) = delete;
    LINodeObject& operator=(const LINodeObject&) = delete;
    // Clears the group link of the nodes that follow this one, and leaves the group it
    // follows (also as a member, when that group holds it as one).
    ~LINodeObject() override;

    LString Dump() const override;
    // 1.
    int Init(int aParameter) override;
    // Nodes keep nothing in a saved game: both 0.
    int OnLoad(LIStream* aStream, float aSaveTag) override;
    int OnSave(LIStream* aStream) override;

    // 1 when everything drew.
    virtual int Render() = 0;
    // Marks the effective flag dirty when aVisible differs from the own flag; 1.
    virtual int SetVisible(bool aVisible);
    virtual int InvalidateVisible();
    virtual int SetName(const LString& aName);
    virtual int InvalidateTransform();
    virtual int SetEnabled(bool aEnabled);
    virtual int InvalidateEnabled();
    // Recompute the effective value from the group (brought up to date first) and clear
    // the dirty flag; 1.
    virtual int UpdateVisible();
    virtual int UpdateWorldMatrix();
    virtual int UpdateEnabled();

    bool IsVisible();
    bool IsEnabled();
    bool GetOwnVisible() const { return mVisible.mOwn != 0; }
    bool GetOwnEnabled() const { return mEnabled.mOwn != 0; }
    bool IsVisibleDirty() const { return mVisible.mDirty != 0; }
    bool IsEnabledDirty() const { return mEnabled.mDirty != 0; }
    bool IsTransformDirty() const { return mTransformDirty != 0; }

    int GetWorldMatrix(LMatrix4* aOut);
    LMatrix4 GetWorldMatrix();
    int GetLocalMatrix(LMatrix4* aOut) const;
    int SetLocalMatrix(const LMatrix4* aMatrix);

    // Each replaces the whole local matrix; 1.
    int SetRotationX(float aRadians);
    int SetRotationY(float aRadians);
    int SetRotationZ(float aRadians);
    int SetRotationXDegrees(float aDegrees);
    int SetRotationYDegrees(float aDegrees);
    int SetRotationZDegrees(float aDegrees);
    int SetScaling(float aX, float aY, float aZ);
    int SetScaling(const LVector3& aScale);
    int SetTranslation(float aX, float aY, float aZ);
    int SetTranslation(const LVector3& aTranslation);

    // Not provided: each logs "<name> NYI." and gives (0, 0, 0); the Abs forms bring the
    // world matrix up to date first.
    LVector3 GetRotationAbs();
    LVector3 GetRotationRel();
    LVector3 GetScaleAbs();
    LVector3 GetScaleRel();
    LVector3 GetTranslationAbs();
    LVector3 GetTranslationRel();

    const LString& GetName() const { return mId; }
    // The node to follow. Null, this node, and a node that already follows this one
    // (which would make a cycle) are refused with a logged error.
    int SetGroup(LINodeObject* aGroup);
    LINodeObject* GetGroup() const { return mGroup; }
    // Stops following the group.
    void ClearGroup();

private:
    // One hierarchical switch: the effective value, the node's own and the dirty flag.
    struct Flag
    {
        uint8_t mEffective = 1;
        uint8_t mOwn = 1;
        uint8_t mDirty = 1;
    };
    static int Set(Flag& aFlag, bool aValue);
    // Effective = own AND the group's (aGroupValue of the group) when there is a group.
    int Update(Flag& aFlag, bool (LINodeObject::*aGroupValue)());

    int SetLocal(LMatrix4* (*aMake)(LMatrix4*, float), float aValue);
    LVector3 NotProvided(const char* aMessage, bool aAbsolute);

    LString mId;
    LMatrix4 mWorld;
    LMatrix4 mLocal;
    uint8_t mTransformDirty = 1;
    LINodeObject* mGroup = nullptr;
    Flag mEnabled;
    Flag mVisible;
    // The nodes whose group this node is.
    LVector mFollowers {0, 4};
};
