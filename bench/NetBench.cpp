// The program with a probe of its fast time, for bench/network.sh and
// bench/mrclock.sh.

#include "NetProbe.h"
#include "Startup.h"

int main(int argc, char** argv)
{
    return runProgram(argc, argv, netprobe::attach);
}
