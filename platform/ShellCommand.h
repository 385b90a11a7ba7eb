#pragma once
// Shell commands started and left to run: `/bin/sh -c COMMAND` in a process
// group of its own, standard input, output and error on /dev/null (a command
// that prints a lot prints it nowhere), none of this process's files open in
// it, and the caller's variables added to its environment (data goes there,
// never into the command's text). Nothing waits for a command: one that hangs
// holds nothing up, and one still running when this process ends goes on. At
// most `limit` run at once; one asked for beyond that is not started.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTimer>

#include <vector>

#include <sys/types.h>

namespace orvel {

using ShellVariables = QList<QPair<QByteArray, QByteArray>>;

class ShellCommands : public QObject
{
    Q_OBJECT

public:
    explicit ShellCommands(int limit = 4, QObject *parent = nullptr);
    ~ShellCommands() override;

    enum class Outcome { Started, Busy, Failed };
    struct Start
    {
        Outcome outcome = Outcome::Failed;
        QString error; ///< Failed: why, in the system's words
    };
    /// Starts `command` with `variables` added to the environment; `tag`
    /// comes back with its end.
    Start run(const QByteArray &command, const ShellVariables &variables, qint64 tag);
    /// Commands started that have not ended yet (as last looked at).
    int running() const { return int(children_.size()); }
    int limit() const { return limit_; }

signals:
    /// The command started with `tag` ended with `status` (128 + N when signal N ended it).
    void finished(qint64 tag, int status);

private:
    /// Collects the commands that have ended.
    void reap();

    struct Child
    {
        pid_t pid;
        qint64 tag;
    };
    std::vector<Child> children_;
    int limit_;
    QTimer reaper_;
};

} // namespace orvel
