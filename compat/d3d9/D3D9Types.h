// Value types shared by the Direct3D 9 and D3DX stand-ins: row-vector, left-handed
// conventions as on Direct3D (a point is a row vector multiplied on the left).
#pragma once
#include "win32/WinTypes.h"

using D3DCOLOR = DWORD; // A8R8G8B8

struct D3DVECTOR
{
    float x, y, z;
};

struct D3DCOLORVALUE
{
    float r, g, b, a;
};

struct D3DMATRIX
{
    union {
        struct {
            float _11, _12, _13, _14;
            float _21, _22, _23, _24;
            float _31, _32, _33, _34;
            float _41, _42, _43, _44;
        };
        float m[4][4];
    };
};

struct D3DXVECTOR2
{
    float x, y;
};

struct D3DXVECTOR3 : D3DVECTOR
{
};

struct D3DXVECTOR4
{
    float x, y, z, w;
};

struct D3DXQUATERNION
{
    float x, y, z, w;
};

struct D3DXMATRIX : D3DMATRIX
{
};

struct D3DXPLANE
{
    float a, b, c, d;
};

#define D3DCOLOR_ARGB(a, r, g, b)                                                              \
    (static_cast<D3DCOLOR>((((a) & 0xff) << 24) | (((r) & 0xff) << 16) | (((g) & 0xff) << 8) | \
                           ((b) & 0xff)))
