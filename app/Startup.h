#pragma once

#include <functional>

class Program;
struct Module1;

// Called once inside the event loop, when the control window is loaded and
// sharing has begun (a benchmark's probe, for example).
using StartHook = std::function<void(Program& program, Module1& m)>;

// The whole program: reads the command line, starts the clock and runs it
// until it ends. Returns the exit status; a start-up error is said on
// standard error and, where nobody sees that, in a message box.
int runProgram(int argc, char** argv, const StartHook& started = {});
