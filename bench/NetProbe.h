#pragma once

class Program;
struct Module1;

// For the network benchmark only: after every tick, Start, hold, continue and
// received state, the fast time and the monotonic moment are written into a
// small shared file named by QUENDRASIL_PROBE, which the benchmark reads from
// outside for master and followers at the same instant. Layout, int64 each:
//   0 change count (odd while writing)   1 fast time   2 moment (ns, CLOCK_MONOTONIC)
//   3 time base (ms)   4 running   5 states received   6 moment of the last one
namespace netprobe {
void attach(Program& program, Module1& m);
}
