#pragma once
// The acquisition cycle without windows. One tick reads one frame from the port
// while the event loop keeps running, decodes it, watches for a silent meter
// (a warning on every third failed tick in a row) and a low battery (a warning
// on every such tick), and computes the reading. The windows (or orvel-cli
// monitor) show the warnings and the results.

#include "meter/MeterReading.h"
#include "platform/UserPrompt.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>

class QSocketNotifier;
class QTimer;

namespace orvel {

class SerialDevice;

/// Finds whole frames in the bytes of the line. A whole frame is 15 bytes in a
/// row that start with index 0 and carry each index 0..14 once. Bytes before an
/// index 0 (the tail of a frame, noise) are passed over; a frame that meets a
/// repeated index or index 15 (noise, a lost byte, the next frame running into
/// it) is dropped and the search goes on from that byte. So the bytes of two
/// frames, or of a frame and noise, never make one frame.
class FrameAssembler
{
public:
    /// Takes the line's next byte; true when it completed a frame, which is then
    /// in frame() until the next byte is taken.
    bool take(std::uint8_t byte);
    const Frame &frame() const { return frame_; }
    void clear() { size_ = 0; }

private:
    Frame frame_{};
    int size_ = 0;              ///< bytes of the frame collected so far
    std::uint16_t indexes_ = 0; ///< bit i: index i is among them
};

/// Reads one frame without blocking: discards what waited in the receive
/// buffer, then collects bytes (FrameAssembler) until a whole frame has come,
/// the line has been quiet for the port's interval time-out (30 ms) after the
/// last byte, or the total time-out (12 s) has passed. When no whole frame
/// came, the read counts the bytes that did come (1..14: a short read, which
/// the decoder answers with the last full frame).
class FrameReader : public QObject
{
    Q_OBJECT

public:
    explicit FrameReader(QObject *parent = nullptr);
    ~FrameReader() override;

    /// Starts a read on `port`; a null port or a failed read ends at once (queued) with -1.
    void start(SerialDevice *port);
    /// Ends a running read without a result.
    void cancel();
    bool isRunning() const { return running_; }
    /// The last read ended because the line hung up.
    bool hungUp() const { return hungUp_; }

signals:
    /// The read ended: `count` bytes (0 for none, -1 when the read failed) in `bytes`.
    void finished(int count, const QByteArray &bytes);

private:
    void onReadable();
    void finish(int count);

    SerialDevice *port_ = nullptr;
    QSocketNotifier *notifier_ = nullptr;
    QTimer *gapTimer_ = nullptr;     ///< quiet time after the last byte
    QTimer *totalTimer_ = nullptr;   ///< longest wait for the read
    QTimer *connectTimer_ = nullptr; ///< when a network port that still connects gives up
    FrameAssembler frame_;
    qsizetype seen_ = 0; ///< bytes that came in this read
    bool running_ = false;
    bool hungUp_ = false;
};

inline constexpr int kTickMs = 500;           ///< the link's tick period
inline constexpr int kNoDataWarningEvery = 3; ///< failed ticks in a row that bring the no-data warning
inline constexpr int kNoDataText = 8004;      ///< "No data received."
inline constexpr int kLowBatteryText = 8000;  ///< "The battery power of the DMM is low."

/// One tick after another, as the acquisition timer asks for them.
class AcquisitionCycle : public QObject
{
    Q_OBJECT

public:
    explicit AcquisitionCycle(QObject *parent = nullptr);

    ReadingComputation computation; ///< the current reading and the needles' values
    int iNoDataCount = 0;           ///< ticks in a row without a valid frame
    Frame LastFrame{};              ///< the last 15 bytes read in full

    /// Shows the self-closing warning for text 8004 or 8000 and returns how it
    /// ended (Abort, Retry or Yes). Without one, warnings go on silently.
    std::function<PromptButton(int textId)> showWarning;
    /// The comparator's limits at the moment of the tick.
    std::function<std::pair<double, double>()> limits;

    QTimer TimerGetSd; ///< kTickMs from one tick's end to the next one's start, while ticking

    /// Ticks on `port` until stopTicking() or an aborted tick: the first tick
    /// kTickMs from now, each next one kTickMs after the one before ended, so
    /// that a warning holds the ticks up.
    void startTicking(SerialDevice *port);
    void stopTicking();
    bool ticking() const { return ticking_; }

    /// Starts a tick on `port` (null: the tick fails like a silent line).
    void startTick(SerialDevice *port);
    /// Ends a running tick quietly: no warning, no reading.
    void cancelTick();
    bool tickRunning() const { return reader_.isRunning(); }

    /// The tick's result once its bytes are in (exposed for tests and tools
    /// that read frames themselves).
    void finishTick(int count, const QByteArray &bytes);

signals:
    /// A decoded reading was computed (`outcome` tells what the comparator got).
    void readingReady(const ReadingComputation::Outcome &outcome);
    /// The tick is over; `aborted` when the user ended a warning with Abort,
    /// or when the line hung up.
    void tickEnded(bool aborted);
    /// The line hung up during the tick (after tickEnded(true)): the port gives
    /// nothing more until it is opened again. A network port whose connection
    /// could not be made hangs up so too; its failure() says why.
    void lineHungUp();

private:
    void readFinished(int count, const QByteArray &bytes);
    void TimerGetSdTimer();

    FrameReader reader_;
    bool ticking_ = false;
    SerialDevice *tickPort_ = nullptr;
};

} // namespace orvel
