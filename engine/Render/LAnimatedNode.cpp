#include "Render/LAnimatedNode.h"

#include "Render/LDrawElement.h"
#include "Render/LMesh.h"
#include "Render/LSkinMesh.h"

int LAnimatedNode::Render()
{
    return LNode::Render();
}

int LAnimatedNode::Update(const LMatrix4* aWorld)
{
    for (int i = 0; i < GetElementCount(); ++i) {
        static_cast<LDrawElement*>(GetElements().GetAt(i))->Update(aWorld);
    }
    return 1;
}

int LAnimatedNode::UpdateSkins()
{
    int result = 1;
    for (int i = 0; i < GetElementCount(); ++i) {
        const auto* element = static_cast<LDrawElement*>(GetElements().GetAt(i));
        for (int m = 0; m < element->GetMeshCount(); ++m) {
            LMesh* mesh = element->GetMesh(m);
            if (mesh != nullptr && mesh->GetType() == LMesh::kSkinned) {
                result = static_cast<LSkinMesh*>(mesh)->UpdateSkin() && result;
            }
        }
    }
    return result;
}
