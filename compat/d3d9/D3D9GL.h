// Inside compat only: the OpenGL declarations the Direct3D stand-in uses (compatibility
// profile; every entry point is exported by the system's GL library).
#pragma once
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
