#pragma once

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

// One program started by a bench, with its own environment additions; ended when dropped.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // Variables set to an empty string are removed from the child's environment. Its standard
    // error goes to `errorFile` when one is named, else nowhere.
    bool start(const std::vector<std::string> &argv, const std::map<std::string, std::string> &env,
               const std::string &errorFile = {});
    pid_t pid() const { return m_pid; }
    // True while it runs; once it ended, exitCode() tells how.
    bool isRunning();
    int exitCode() const { return m_exitCode; }
    void stop();

private:
    pid_t m_pid = -1;
    int m_exitCode = -1;
};
