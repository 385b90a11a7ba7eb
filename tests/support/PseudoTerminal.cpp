#include "tests/support/PseudoTerminal.h"

#include "platform/PortNames.h"

#include <QDir>
#include <QList>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace orvel::test {

PseudoTerminal::PseudoTerminal()
{
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    path_ = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool PseudoTerminal::send(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void PseudoTerminal::hangUp()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}

int openDescriptorCount()
{
    return int(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot).size());
}

IsolatedPorts::IsolatedPorts()
{
    for (int i = 1; i <= kComPortCount; ++i) {
        const QByteArray var = portEnvironmentVariable(comPortName(i)).toLatin1();
        saved_.append(qgetenv(var.constData()));
        qputenv(var.constData(), QByteArray("/nonexistent/orvel-test-") + var);
    }
}

IsolatedPorts::~IsolatedPorts()
{
    for (int i = 1; i <= kComPortCount; ++i) {
        const QByteArray var = portEnvironmentVariable(comPortName(i)).toLatin1();
        const QByteArray &old = saved_[i - 1];
        if (old.isNull())
            qunsetenv(var.constData());
        else
            qputenv(var.constData(), old);
    }
}

void IsolatedPorts::route(int port, const QString &path)
{
    qputenv(portEnvironmentVariable(comPortName(port)).toLatin1().constData(), path.toLocal8Bit());
}

} // namespace orvel::test
