#include "platform/ShellCommand.h"

#include <QString>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace orvel {

namespace {
constexpr int kReapMs = 200; ///< how often ended commands are collected while any runs
} // namespace

ShellCommands::ShellCommands(int limit, QObject *parent)
    : QObject(parent)
    , limit_(limit)
{
    reaper_.setInterval(kReapMs);
    connect(&reaper_, &QTimer::timeout, this, &ShellCommands::reap);
}

ShellCommands::~ShellCommands()
{
    reap(); // those still running go on by themselves
}

ShellCommands::Start ShellCommands::run(const QByteArray &command, const ShellVariables &variables, qint64 tag)
{
    reap();
    if (running() >= limit_)
        return {Outcome::Busy, {}};

    // The environment: this process's, with the caller's variables in place of any of the same name.
    std::vector<QByteArray> entries;
    for (char **e = environ; e && *e; ++e) {
        const QByteArray entry(*e);
        const QByteArray name = entry.left(entry.indexOf('='));
        bool replaced = false;
        for (const auto &v : variables)
            replaced = replaced || v.first == name;
        if (!replaced)
            entries.push_back(entry);
    }
    for (const auto &v : variables)
        entries.push_back(v.first + '=' + v.second);
    std::vector<char *> envp;
    for (QByteArray &entry : entries)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        posix_spawn_file_actions_addopen(&files, fd, "/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&files, 3); // never the port, the output file or a pipe of ours
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    // What this process ignores or blocks (a file-size limit, a background read) is not the command's business.
    for (int s : {SIGINT, SIGTERM, SIGPIPE, SIGXFSZ, SIGTTIN, SIGTTOU, SIGCHLD, SIGHUP})
        sigaddset(&defaults, s);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setpgroup(&attr, 0); // a Ctrl+C meant for the recording does not reach it
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    QByteArray text = command;
    char shell[] = "/bin/sh", dashC[] = "-c";
    char *argv[] = {shell, dashC, text.data(), nullptr};
    pid_t pid = -1;
    const int error = posix_spawn(&pid, shell, &files, &attr, argv, envp.data());
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attr);
    if (error != 0)
        return {Outcome::Failed, QString::fromLocal8Bit(std::strerror(error))};
    children_.push_back({pid, tag});
    reaper_.start();
    return {Outcome::Started, {}};
}

void ShellCommands::reap()
{
    std::vector<std::pair<qint64, int>> ended;
    for (auto it = children_.begin(); it != children_.end();) {
        int status = 0;
        const pid_t done = ::waitpid(it->pid, &status, WNOHANG);
        if (done == 0) {
            ++it;
            continue;
        }
        if (done > 0)
            ended.emplace_back(it->tag, WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status));
        it = children_.erase(it); // ended, or not ours to wait for any more
    }
    if (children_.empty())
        reaper_.stop();
    for (const auto &[tag, status] : ended) // told once the list is settled: a listener may start another
        emit finished(tag, status);
}

} // namespace orvel
