#pragma once

#include <map>
#include <sys/types.h>

// What /proc tells about one running process, summed over all its threads.
struct ProcessSample {
    long long cpuTicks = 0;                   // user + system, in clock ticks
    std::map<int, long long> contextSwitches; // voluntary + involuntary, by thread id
    long long residentKiB = 0;
    int threads = 0;
    bool valid = false;
};

class ProcessProbe {
public:
    static ProcessSample sample(pid_t pid);
    static double ticksPerSecond();
    // Context switches between two samples, over the threads alive at the second; a thread that
    // ended in between takes its count along.
    static long long switchesBetween(const ProcessSample &a, const ProcessSample &b);
};
