#include "ChildProcess.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

bool ChildProcess::start(const std::vector<std::string> &argv,
                         const std::map<std::string, std::string> &env,
                         const std::string &errorFile) {
    m_pid = fork();
    if (m_pid < 0)
        return false;
    if (m_pid == 0) {
        for (const auto &[key, value] : env) {
            if (value.empty())
                unsetenv(key.c_str());
            else
                setenv(key.c_str(), value.c_str(), 1);
        }
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        const int errors = errorFile.empty()
                               ? devNull
                               : open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(errors < 0 ? devNull : errors, STDERR_FILENO);
        std::vector<char *> args;
        for (const auto &a : argv)
            args.push_back(const_cast<char *>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return true;
}

bool ChildProcess::isRunning() {
    if (m_pid <= 0)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == 0)
        return true;
    m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    m_pid = -1;
    return false;
}

void ChildProcess::stop() {
    if (!isRunning())
        return;
    kill(m_pid, SIGTERM);
    for (int i = 0; i < 50 && isRunning(); ++i)
        usleep(100 * 1000);
    if (isRunning()) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
}
