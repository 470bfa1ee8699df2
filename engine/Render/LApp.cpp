#include "Render/LApp.h"

LApp::~LApp() = default;

void LApp::OnButtonDown(const char16_t*, int)
{
}

void LApp::OnButtonUp(const char16_t*, int)
{
}

void LApp::OnMove(const char16_t*, LVector2&)
{
}

void LApp::OnQuit()
{
}

bool LApp::Init()
{
    return true;
}

void LApp::OnKeyDown(int)
{
}

void LApp::OnKeyUp(int)
{
}

bool LApp::Update()
{
    return true;
}

void LApp::OnActivate()
{
}

void LApp::OnDeactivate()
{
}
