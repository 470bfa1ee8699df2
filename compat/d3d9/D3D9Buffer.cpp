// Vertex and index buffers live in memory; draws read them from there.
#include "D3D9Impl.h"

namespace {

// Lock of aSize bytes from aOffset (aSize 0: to the end); false when it does not fit.
bool LockRange(UINT aTotal, UINT aOffset, UINT aSize)
{
    if (aOffset > aTotal) {
        return false;
    }
    return aSize == 0 || aSize <= aTotal - aOffset;
}

} // namespace

D3D9VertexBuffer::D3D9VertexBuffer(D3D9Device* aDevice, UINT aLength, DWORD aUsage, DWORD aFVF, D3DPOOL aPool)
    : D3D9Resource(aDevice), mData(aLength, 0), mUsage(aUsage), mFVF(aFVF), mPool(aPool)
{
}

HRESULT D3D9VertexBuffer::Lock(UINT aOffset, UINT aSize, void** aData, DWORD)
{
    if (!aData || mLocked || !LockRange(Size(), aOffset, aSize)) {
        if (aData) {
            *aData = nullptr;
        }
        return D3DERR_INVALIDCALL;
    }
    mLocked = true;
    *aData = mData.data() + aOffset;
    return D3D_OK;
}

HRESULT D3D9VertexBuffer::Unlock()
{
    if (!mLocked) {
        return D3DERR_INVALIDCALL;
    }
    mLocked = false;
    return D3D_OK;
}

HRESULT D3D9VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* aDesc)
{
    if (!aDesc) {
        return D3DERR_INVALIDCALL;
    }
    *aDesc = D3DVERTEXBUFFER_DESC{D3DFMT_UNKNOWN, D3DRTYPE_VERTEXBUFFER, mUsage, mPool, Size(), mFVF};
    return D3D_OK;
}

D3D9IndexBuffer::D3D9IndexBuffer(D3D9Device* aDevice, UINT aLength, DWORD aUsage, D3DFORMAT aFormat, D3DPOOL aPool)
    : D3D9Resource(aDevice), mData(aLength, 0), mUsage(aUsage), mFormat(aFormat), mPool(aPool)
{
}

HRESULT D3D9IndexBuffer::Lock(UINT aOffset, UINT aSize, void** aData, DWORD)
{
    if (!aData || mLocked || !LockRange(Size(), aOffset, aSize)) {
        if (aData) {
            *aData = nullptr;
        }
        return D3DERR_INVALIDCALL;
    }
    mLocked = true;
    *aData = mData.data() + aOffset;
    return D3D_OK;
}

HRESULT D3D9IndexBuffer::Unlock()
{
    if (!mLocked) {
        return D3DERR_INVALIDCALL;
    }
    mLocked = false;
    return D3D_OK;
}

HRESULT D3D9IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* aDesc)
{
    if (!aDesc) {
        return D3DERR_INVALIDCALL;
    }
    *aDesc = D3DINDEXBUFFER_DESC{mFormat, D3DRTYPE_INDEXBUFFER, mUsage, mPool, Size()};
    return D3D_OK;
}
