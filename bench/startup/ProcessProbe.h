#pragma once

#include <sys/types.h>

// What /proc tells about one running process, summed over all its threads.
struct ProcessSample {
    long long cpuTicks = 0;        // user + system, in clock ticks
    long long contextSwitches = 0; // voluntary + involuntary, every thread
    long long residentKiB = 0;
    int threads = 0;
    bool valid = false;
};

class ProcessProbe {
public:
    static ProcessSample sample(pid_t pid);
    static double ticksPerSecond();
};
