#include "meter/Acquisition.h"

#include "meter/Rscomm.h"
#include "platform/SerialDevice.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace orvel {

bool FrameAssembler::take(std::uint8_t byte)
{
    if (size_ == kFrameSize)
        size_ = 0; // the last frame was taken: look for the next
    const int index = byte >> 4;
    const auto bit = std::uint16_t(1u << index);
    if (size_ > 0 && (index >= kFrameSize || (indexes_ & bit)))
        size_ = 0; // a damaged frame: look for the next start
    if (size_ == 0) {
        if (index != 0)
            return false;
        indexes_ = 0;
    }
    frame_[std::size_t(size_++)] = byte;
    indexes_ |= bit;
    return size_ == kFrameSize;
}

FrameReader::FrameReader(QObject *parent)
    : QObject(parent)
{
    gapTimer_ = new QTimer(this);
    gapTimer_->setSingleShot(true);
    gapTimer_->setTimerType(Qt::PreciseTimer);
    totalTimer_ = new QTimer(this);
    totalTimer_->setSingleShot(true);
    // No whole frame: what came counts as a short read.
    auto shortRead = [this] { finish(int(std::min<qsizetype>(seen_, kFrameSize - 1))); };
    connect(gapTimer_, &QTimer::timeout, this, shortRead);
    connect(totalTimer_, &QTimer::timeout, this, shortRead);
    // A connection still under way gives up at its deadline: look at it then.
    connectTimer_ = new QTimer(this);
    connectTimer_->setSingleShot(true);
    connect(connectTimer_, &QTimer::timeout, this, &FrameReader::onReadable);
}

FrameReader::~FrameReader() = default;

void FrameReader::start(SerialDevice *port)
{
    cancel();
    running_ = true;
    hungUp_ = false;
    frame_.clear();
    seen_ = 0;
    port_ = port;
    if (!port_ || port_->descriptor() < 0 || port_->hungUp()) {
        hungUp_ = port_ && port_->hungUp();
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
    if (const int ms = port_->connectingMs(); ms >= 0)
        connectTimer_->start(ms + 1);
}

void FrameReader::cancel()
{
    gapTimer_->stop();
    totalTimer_->stop();
    connectTimer_->stop();
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
    char buffer[4 * kFrameSize];
    const auto n = port_->readAvailable(buffer, sizeof buffer);
    if (n < 0) {
        hungUp_ = port_->hungUp();
        finish(-1);
        return;
    }
    seen_ += n;
    for (std::int64_t i = 0; i < n; ++i) {
        if (frame_.take(std::uint8_t(buffer[i]))) {
            finish(kFrameSize);
            return;
        }
    }
    if (n > 0)
        gapTimer_->start(); // wait for the next byte, or the quiet gap after the last
}

void FrameReader::finish(int count)
{
    if (!running_)
        return;
    const QByteArray bytes = count == kFrameSize
                                 ? QByteArray(reinterpret_cast<const char *>(frame_.frame().data()), kFrameSize)
                                 : QByteArray();
    cancel();
    emit finished(count, bytes);
}

AcquisitionCycle::AcquisitionCycle(QObject *parent)
    : QObject(parent)
{
    connect(&reader_, &FrameReader::finished, this, &AcquisitionCycle::readFinished);
    TimerGetSd.setSingleShot(true);
    TimerGetSd.setInterval(kTickMs);
    connect(&TimerGetSd, &QTimer::timeout, this, &AcquisitionCycle::TimerGetSdTimer);
    // Connected before anyone else: a receiver of tickEnded may still stop the ticks.
    connect(this, &AcquisitionCycle::tickEnded, this, [this](bool aborted) {
        if (aborted)
            ticking_ = false;
        else if (ticking_)
            TimerGetSd.start();
    });
}

void AcquisitionCycle::startTicking(SerialDevice *port)
{
    tickPort_ = port;
    ticking_ = true;
    if (!reader_.isRunning())
        TimerGetSd.start();
}

void AcquisitionCycle::stopTicking()
{
    ticking_ = false;
    TimerGetSd.stop();
}

void AcquisitionCycle::TimerGetSdTimer()
{
    if (ticking_)
        startTick(tickPort_);
}

void AcquisitionCycle::readFinished(int count, const QByteArray &bytes)
{
    if (reader_.hungUp()) {
        // Nothing more will come on this port: end the link instead of polling on.
        iNoDataCount = 0;
        emit tickEnded(true);
        emit lineHungUp();
        return;
    }
    finishTick(count, bytes);
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
