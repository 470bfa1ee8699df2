// A renderable node: it owns draw elements, drawn in insertion order. Animated nodes and
// characters derive from it.
#pragma once
#include "Render/LINodeObject.h"
#include "container/LVector.h"

class LDrawElement;

class LNode : public LINodeObject
{
public:
    LNode() = default;
    // Deletes the draw elements.
    ~LNode() override;

    // The AND of the elements' Render, every element drawn; 1 without elements.
    int Render() override;

    // Takes the element; null and an element already held are refused (logged, 0).
    int AddElement(LDrawElement* aElement);
    // Null, with "GetElement failure. Index out of bounds.", outside 0 to count − 1.
    LDrawElement* GetElement(int aIndex) const;
    const LVector& GetElements() const { return mElements; }
    int GetElementCount() const { return mElements.GetCount(); }
    // 1 when the element was held and is handed back (not deleted), else 0.
    int RemoveElement(LDrawElement* aElement);

private:
    LVector mElements;
};
