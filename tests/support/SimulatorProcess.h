#pragma once
// orvel-cli simulate as a child process: the scenario is written to a file,
// the simulator started with it, and the first line it prints (the terminal's
// path) read. It is ended when this object goes.

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace orvel::test {

/// orvel-cli of this build (tests/support/BuildPaths.cpp).
QString cliProgram();

class SimulatorProcess
{
public:
    SimulatorProcess() = default;
    SimulatorProcess(const SimulatorProcess &) = delete;
    SimulatorProcess &operator=(const SimulatorProcess &) = delete;
    ~SimulatorProcess() { stop(); }

    /// Writes `scenario` to `scenarioFile` and runs `orvel-cli simulate --scenario
    /// scenarioFile --period periodMs` followed by `more`. The terminal's path
    /// (also kept in `path`), or empty when the simulator did not start.
    QString start(const QString &scenarioFile, const QByteArray &scenario, int periodMs = 100,
                  const QStringList &more = {})
    {
        QFile file(scenarioFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(scenario) != scenario.size())
            return {};
        file.close();
        process.start(cliProgram(),
                      QStringList{"simulate", "--scenario", scenarioFile, "--period", QString::number(periodMs)} +
                          more);
        if (process.waitForReadyRead(5000))
            path = QString::fromLocal8Bit(process.readLine()).trimmed();
        return path;
    }

    void stop()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            process.waitForFinished(5000);
        }
    }

    QProcess process;
    QString path;
};

} // namespace orvel::test
