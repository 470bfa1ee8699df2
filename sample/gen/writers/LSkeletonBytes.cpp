#include "writers/LSkeletonBytes.h"

#include "container/LHashKeyList.h"
#include "stdlib/LMemoryStream.h"

LSkeletonBytes& LSkeletonBytes::Frame(const LString& aName, const LMatrix4& aRest)
{
    mFrames.emplace_back(aName, aRest);
    return *this;
}

std::string LSkeletonBytes::Bytes() const
{
    LMemoryStream stream(256, LMemoryStream::GROW_DOUBLE);
    const int count = static_cast<int>(mFrames.size());
    Write(&stream, count > 0);
    for (int i = 0; i < count; ++i) {
        const LString& name = mFrames[i].first;
        Write(&stream, LHashKeyList::Hash(name, 7, false));
        Write(&stream, name);
        Write(&stream, false); // no mesh
        mFrames[i].second.Write(&stream);
        mFrames[i].second.Write(&stream);
        // The root's first child starts the chain of the others, each the next one's
        // sibling.
        Write(&stream, i == 0 && count > 1);
        if (i > 0) {
            Write(&stream, i + 1 < count);
        }
    }
    if (count > 0) {
        Write(&stream, false); // the root has no sibling
    }
    return std::string(reinterpret_cast<const char*>(stream.GetBuffer()), static_cast<size_t>(stream.GetPosition()));
}
