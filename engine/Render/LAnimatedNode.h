// A scene node whose draw elements are animated: besides drawing them it updates their
// animation and frame matrices under a world matrix and recomputes their skinned meshes.
#pragma once
#include "Render/LNode.h"

class LMatrix4;

class LAnimatedNode : public LNode
{
public:
    LAnimatedNode() = default;

    // The AND of the elements' Render; 1 without elements.
    int Render() override;
    // Animation, posing, lip sync and frame matrices of every element under aWorld; 1.
    virtual int Update(const LMatrix4* aWorld);
    // The skin update of every skinned mesh of every element; the AND of the results.
    virtual int UpdateSkins();
};
