#include "Render/LNode.h"

#include "Render/LDrawElement.h"
#include "stdlib/LLog.h"

LNode::~LNode()
{
    for (int i = 0; i < mElements.GetCount(); ++i) {
        delete static_cast<LDrawElement*>(mElements.GetAt(i));
    }
    mElements.RemoveAll();
}

int LNode::Render()
{
    int result = 1;
    for (int i = 0; i < mElements.GetCount(); ++i) {
        result = static_cast<LDrawElement*>(mElements.GetAt(i))->Render() && result;
    }
    return result;
}

int LNode::AddElement(LDrawElement* aElement)
{
    if (aElement == nullptr) {
        L_ERROR("AddElement failure. Null arg.");
        return 0;
    }
    if (mElements.Contains(aElement)) {
        L_ERROR("AddElement failure. Element already added.");
        return 0;
    }
    return mElements.Add(aElement);
}

LDrawElement* LNode::GetElement(int aIndex) const
{
    if (aIndex < 0 || aIndex >= mElements.GetCount()) {
        L_ERROR("GetElement failure. Index out of bounds.");
        return nullptr;
    }
    return static_cast<LDrawElement*>(mElements.GetAt(aIndex));
}

int LNode::RemoveElement(LDrawElement* aElement)
{
    return aElement != nullptr && mElements.Remove(aElement) ? 1 : 0;
}
