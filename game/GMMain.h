// The program's entry: start-up, the run, and the reports at exit.
#pragma once

class GMMain
{
public:
    // Runs the program; the result is the process's exit code.
    static int Run(int aArgc, char** aArgv);
};
