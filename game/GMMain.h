// The program's entry: registers the service creators, mounts the symbolic data roots,
// starts the platform with the application, runs the main loop, tears everything down in
// order and reports the memory statistics.
#pragma once
#include <functional>

class LApp;
class LString;

class GMMain
{
public:
    // Runs the program; the result is the process's exit code.
    static int Run(int aArgc, char** aArgv);

    // Adds every service creator to the registry in the start-up order; true only when
    // all were taken (every one is tried).
    static bool RegisterComponents();
    // Logs the current directory and mounts the symbolic roots under it.
    static void MountRoots();
    // Mounts the ten symbolic roots under aDirectory ("//gameroot" is aDirectory itself,
    // "//dataroot" its "data" folder, the others folders of that) and points the texture
    // manager at "//textures"; false when a mount was refused (all are tried).
    static bool MountRoots(const LString& aDirectory);

    // Makes the application object; null when it cannot be made.
    using AppCreator = std::function<LApp*()>;
    // Makes and initialises the platform with the start-up parameters; only then makes
    // the application (ownership passes to the platform), starts it, runs the main loop
    // until the window closes and tears down: the platform with the application, the
    // game's cleaner, the engine's cleaner, then the memory report. 0 after that; 1
    // (logged) when the platform or the application cannot be made or started, the
    // platform made (and the application it holds) deleted.
    static int RunApplication(const AppCreator& aCreateApp);
};
