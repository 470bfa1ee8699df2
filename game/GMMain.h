// The program's entry: registers the service creators, mounts the symbolic data roots,
// starts the platform with the application, runs the main loop, tears everything down in
// order and reports the memory statistics.
#pragma once

class LApp;

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
    // Starts the platform with the start-up parameters and aApp (ownership passes to the
    // platform), runs it and tears down; 0. When the platform cannot be made or
    // initialised, aApp is deleted and nothing else happens.
    static int RunApplication(LApp* aApp);
};
