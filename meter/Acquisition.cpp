#include "meter/Acquisition.h"

#include "meter/Rscomm.h"
#include "platform/SerialDevice.h"

#include <QSocketNotifier>
#include <QTimer>

namespace orvel {

FrameReader::FrameReader(QObject *parent)
    : QObject(parent)
{
    gapTimer_ = new QTimer(this);
    gapTimer_->setSingleShot(true);
    gapTimer_->setTimerType(Qt::PreciseTimer);
    totalTimer_ = new QTimer(this);
    totalTimer_->setSingleShot(true);
    connect(gapTimer_, &QTimer::timeout, this, [this] { finish(int(bytes_.size())); });
    connect(totalTimer_, &QTimer::timeout, this, [this] { finish(int(bytes_.size())); });
}

FrameReader::~FrameReader() = default;

void FrameReader::start(SerialDevice *port)
{
    cancel();
    running_ = true;
    bytes_.clear();
    port_ = port;
    if (!port_ || port_->descriptor() < 0) {
        QTimer::singleShot(0, this, [this] { finish(-1); });
        return;
    }
    port_->purgeReceive(); // start on fresh data: frames are never queued
    CommTimeouts t;
    port_->getTimeouts(t);
    gapTimer_->setInterval(int(t.readInterval > 0 ? t.readInterval : kReadIntervalMs));
    totalTimer_->start(int(t.readTotalConstant > 0 ? t.readTotalConstant : kReadTotalMs));
    notifier_ = new QSocketNotifier(port_->descriptor(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &FrameReader::onReadable);
}

void FrameReader::cancel()
{
    gapTimer_->stop();
    totalTimer_->stop();
    if (notifier_) {
        notifier_->setEnabled(false);
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
    port_ = nullptr;
    running_ = false;
}

void FrameReader::onReadable()
{
    if (!running_ || !port_)
        return;
    char buffer[kFrameSize];
    const auto n = port_->readAvailable(buffer, kFrameSize - bytes_.size());
    if (n < 0) {
        finish(bytes_.isEmpty() ? -1 : int(bytes_.size()));
        return;
    }
    bytes_.append(buffer, qsizetype(n));
    if (bytes_.size() >= kFrameSize)
        finish(int(bytes_.size()));
    else if (n > 0)
        gapTimer_->start(); // wait for the next byte, or the quiet gap after the last
}

void FrameReader::finish(int count)
{
    if (!running_)
        return;
    const QByteArray bytes = bytes_;
    cancel();
    emit finished(count, bytes);
}

AcquisitionCycle::AcquisitionCycle(QObject *parent)
    : QObject(parent)
{
    connect(&reader_, &FrameReader::finished, this, &AcquisitionCycle::finishTick);
}

void AcquisitionCycle::startTick(SerialDevice *port)
{
    reader_.start(port);
}

void AcquisitionCycle::cancelTick()
{
    reader_.cancel();
}

void AcquisitionCycle::finishTick(int count, const QByteArray &bytes)
{
    const auto frame = frameOfRead(reinterpret_cast<const std::uint8_t *>(bytes.constData()), count, LastFrame);
    const auto decoded = frame ? decodeFrame(*frame) : std::nullopt;
    if (!decoded) {
        if (++iNoDataCount < kNoDataWarningEvery) {
            emit tickEnded(false);
            return;
        }
        iNoDataCount = 0;
        const PromptButton answer = showWarning ? showWarning(kNoDataText) : PromptButton::Yes;
        emit tickEnded(answer == PromptButton::Abort);
        return;
    }
    iNoDataCount = 0;
    computation.takeFrame(*decoded);
    if (computation.lowBattery()) {
        const PromptButton answer = showWarning ? showWarning(kLowBatteryText) : PromptButton::Yes;
        if (answer == PromptButton::Abort) {
            emit tickEnded(true); // the reading is not shown
            return;
        }
    }
    const auto [hi, low] = limits ? limits() : std::pair<double, double>{0.0, 0.0};
    emit readingReady(computation.complete(hi, low));
    emit tickEnded(false);
}

} // namespace orvel
