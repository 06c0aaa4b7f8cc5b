#pragma once

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace daylark::test {

/// How a child process ended.
struct ChildEnd
{
    bool killed = false; ///< ended by SIGKILL
    int status = -1;     ///< its exit status when it exited
};

/// Runs `program` with `args` and `environment` (NAME=value each), its output in `output` (both
/// streams), and waits for it.
inline ChildEnd runChild(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment, const std::string& output)
{
    std::vector<std::string> argStore{program};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStore) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> envStore = environment;
    std::vector<char*> envp;
    for (std::string& entry : envStore) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    const int error =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ChildEnd end;
    if (error != 0) {
        return end;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    end.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    end.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return end;
}

} // namespace daylark::test
