#pragma once
// A pseudo-terminal made by the test: the program opens the terminal end by its
// path like a serial port; the test plays the meter on the master end.

#include <QByteArray>
#include <QList>
#include <QString>

namespace orvel::test {

class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return master_ >= 0; }
    QString path() const { return path_; }
    int master() const { return master_; }

    /// Writes `bytes` on the meter's side; true when all were written.
    bool send(const QByteArray &bytes);
    /// Closes the meter's side, as a pulled cable does: the terminal end hangs up.
    void hangUp();

private:
    int master_ = -1;
    int slave_ = -1; ///< kept open so the terminal keeps what is sent before the program opens it
    QString path_;
};

/// Number of file descriptors this process has open.
int openDescriptorCount();

/// Sets ORVEL_COM1 … ORVEL_COM10 to paths that do not exist, so no test reaches
/// a real device; returns an object that restores the previous values.
class IsolatedPorts
{
public:
    IsolatedPorts();
    ~IsolatedPorts();
    IsolatedPorts(const IsolatedPorts &) = delete;
    IsolatedPorts &operator=(const IsolatedPorts &) = delete;

    /// Points COMn at `path` for this test.
    void route(int port, const QString &path);

private:
    QList<QByteArray> saved_;
};

} // namespace orvel::test
