#include "meter/Simulator.h"

#include "base/FloatText.h"
#include "resources/Strings.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>

namespace orvel {

namespace {
constexpr int kBadCount = 2110;       // "line %d: the repeat count must be a whole number from 1 up"
constexpr int kBadDisplay = 2111;     // "line %d: '%s' is not a display of four digits"
constexpr int kBadAnnunciator = 2112; // "line %d: unknown annunciator '%s'"

QString lineError(int id, int line, const QString &arg = {})
{
    return LoadStrArg(id, arg).replace(QLatin1String("%d"), QString::number(line));
}

bool setAnnunciator(DisplayState &s, const QString &word)
{
    const QString w = word.toLower();
    if (w == QLatin1String("ac"))
        s.ac = true;
    else if (w == QLatin1String("dc"))
        s.dc = true;
    else if (w == QLatin1String("v"))
        s.volt = true;
    else if (w == QLatin1String("a"))
        s.amp = true;
    else if (w == QLatin1String("f"))
        s.farad = true;
    else if (w == QLatin1String("ohm"))
        s.ohm = true;
    else if (w == QLatin1String("hz"))
        s.hertz = true;
    else if (word == QLatin1String("n"))
        s.prefixes |= kPrefixNano;
    else if (word == QLatin1String("u"))
        s.prefixes |= kPrefixMicro;
    else if (word == QLatin1String("m"))
        s.prefixes |= kPrefixMilli;
    else if (word == QLatin1String("k") || word == QLatin1String("K"))
        s.prefixes |= kPrefixKilo;
    else if (word == QLatin1String("M"))
        s.prefixes |= kPrefixMega;
    else if (w == QLatin1String("flag8"))
        s.flag8 = true;
    else if (w == QLatin1String("flag13"))
        s.flag13 = true;
    else if (w == QLatin1String("lowbat"))
        s.lowBattery = true;
    else
        return false;
    return true;
}

// A step showing `text` with the annunciators of `words`; the texts here are all valid.
ScenarioStep step(int repeat, const QString &text, const char *words)
{
    ScenarioStep s;
    s.repeat = repeat;
    s.display = displayFromText(text).value_or(DisplayState{});
    for (const QString &w : QString::fromLatin1(words).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        setAnnunciator(s.display, w);
    return s;
}
} // namespace

std::optional<QList<ScenarioStep>> parseScenario(const QString &text, QString *error)
{
    QList<ScenarioStep> steps;
    const QStringList lines = text.split(QLatin1Char('\n'));
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\r]+"));
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(blanks, Qt::SkipEmptyParts);
        const auto repeat = textToInt(words.value(0));
        if (!repeat || *repeat < 1) {
            if (error)
                *error = lineError(kBadCount, lineNo);
            return std::nullopt;
        }
        const auto display = displayFromText(words.value(1));
        if (!display) {
            if (error)
                *error = lineError(kBadDisplay, lineNo, words.value(1));
            return std::nullopt;
        }
        ScenarioStep s{*display, *repeat};
        for (qsizetype w = 2; w < words.size(); ++w) {
            if (!setAnnunciator(s.display, words[w])) {
                if (error)
                    *error = lineError(kBadAnnunciator, lineNo, words[w]);
                return std::nullopt;
            }
        }
        steps.append(s);
    }
    return steps;
}

QList<ScenarioStep> tourScenario(std::uint32_t seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    QList<ScenarioStep> steps;

    // A battery voltage that drifts slowly, with a little noise: 1.4xx V.
    for (int i = 0; i < 60; ++i) {
        const double v = 1.45 + 0.03 * std::sin(i / 9.0) + 0.0015 * noise(rng);
        steps.append(step(1, formatC("%.3f", v), "DC V"));
    }
    // Mains: 23x.x V AC.
    for (int i = 0; i < 12; ++i)
        steps.append(step(1, formatC("%.1f", 230.0 + 1.5 * std::sin(i / 2.0) + 0.2 * noise(rng)), "AC V"));
    // A sensor's output: 1x.xx mV.
    for (int i = 0; i < 12; ++i)
        steps.append(step(1, formatC("%.2f", 12.5 + 0.6 * std::sin(i / 3.0) + 0.05 * noise(rng)), "DC V m"));
    // A 4.7 kilo-ohm resistor, then open probes.
    for (int i = 0; i < 10; ++i)
        steps.append(step(1, formatC("%.3f", 4.7 + 0.004 * noise(rng)), "ohm k"));
    steps.append(step(6, QStringLiteral("_0.L_"), "ohm M"));
    // A 47 nF capacitor.
    for (int i = 0; i < 8; ++i)
        steps.append(step(1, formatC("%.2f", 47.1 + 0.08 * noise(rng)), "F n"));
    // Mains frequency.
    for (int i = 0; i < 8; ++i)
        steps.append(step(1, formatC("%.2f", 50.0 + 0.03 * noise(rng)), "Hz"));
    // A current draw: 12x.x mA DC.
    for (int i = 0; i < 10; ++i)
        steps.append(step(1, formatC("%.1f", 123.0 + 4.0 * std::sin(i / 2.5) + 0.3 * noise(rng)), "DC A m"));
    // Room temperature in Celsius, then Fahrenheit.
    for (int i = 0; i < 8; ++i)
        steps.append(step(1, QString::number(22 + (i / 3)) + QLatin1Char('C'), ""));
    for (int i = 0; i < 8; ++i)
        steps.append(step(1, QString::number(72 + (i / 3)) + QLatin1Char('F'), ""));
    // The battery runs low for a moment.
    steps.append(step(3, QStringLiteral("1.438"), "DC V lowbat"));
    // Range change: a blank display.
    steps.append(step(3, QStringLiteral("____"), ""));
    return steps;
}

QList<ScenarioStep> batteryScenario(std::uint32_t seed)
{
    // A small lithium cell (its capacity shrunk so that a round fits half an
    // hour): open-circuit voltage by state of charge, an ohmic resistance and
    // one polarisation stage, stepped frame by frame.
    constexpr double dt = kBatteryFrameMs / 1000.0; // s
    constexpr double capacity = 1200.0;             // A·s
    constexpr double r0 = 0.08, r1 = 0.05, tau = 15.0;
    constexpr double light = 0.5, heavy = 1.5, charging = -3.0; // A
    constexpr int lightFrames = 200, heavyFrames = 120, restFrames = 240, settleFrames = 120;
    constexpr double cutOff = 3.05, full = 4.2, taperedOff = 0.1; // V, V, A
    auto openCircuit = [](double soc) {
        return 3.3 + 0.75 * soc + 0.15 * std::exp(-25.0 * (1.0 - soc)) - 0.35 * std::exp(-20.0 * soc); // 4.2 V full
    };
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 0.0012);
    QList<ScenarioStep> steps;
    double soc = 1.0, vp = 0.0; // state of charge, polarisation (V)
    auto frame = [&](double current, std::optional<double> held = {}) {
        vp += (current * r1 - vp) * dt / tau;
        soc = std::clamp(soc - current * dt / capacity, 0.0, 1.0);
        const double v = held.value_or(openCircuit(soc) - current * r0 - vp) + noise(rng);
        const qsizetype i = steps.size();
        const bool lowBattery = i >= kFirstLowBattery && (i - kFirstLowBattery) % kLowBatteryEvery < 2;
        steps.append(step(1, formatC("%.3f", v), lowBattery ? "DC V lowbat" : "DC V"));
        return v;
    };
    // Discharge: light and heavy load by turns, down to the cut-off under load.
    for (bool done = false; !done;)
        for (const auto &[current, frames] : {std::pair{light, lightFrames}, std::pair{heavy, heavyFrames}})
            for (int i = 0; i < frames && !done; ++i)
                done = frame(current) < cutOff;
    for (int i = 0; i < restFrames; ++i) // the load off: the voltage recovers
        frame(0.0);
    while (frame(charging) < full) // constant current up to the full voltage
        ;
    // Held there while the current tapers off (a full cell rests at `full`).
    for (double current = charging; current < -taperedOff && soc < 1.0;) {
        current = (openCircuit(soc) - vp - full) / r0;
        frame(current, full);
    }
    for (int i = 0; i < settleFrames; ++i)
        frame(0.0);
    return steps;
}

std::optional<QList<ScenarioStep>> builtInScenario(const QString &name)
{
    if (name == QLatin1String("battery"))
        return batteryScenario();
    if (name == QLatin1String("tour"))
        return tourScenario();
    return std::nullopt;
}

std::optional<MeterFault> faultFromName(const QString &name)
{
    static const std::pair<const char *, MeterFault> kNames[] = {{"noise", MeterFault::Noise},
                                                                 {"drop", MeterFault::Drop},
                                                                 {"stall", MeterFault::Stall},
                                                                 {"burst", MeterFault::Burst},
                                                                 {"hangup", MeterFault::HangUp}};
    for (const auto &[text, fault] : kNames)
        if (name == QLatin1String(text))
            return fault;
    return std::nullopt;
}

ScenarioPlayer::ScenarioPlayer(QList<ScenarioStep> steps)
    : steps_(std::move(steps))
{
    if (steps_.isEmpty())
        steps_.append(ScenarioStep{});
}

const DisplayState &ScenarioPlayer::next()
{
    if (shown_ >= steps_[step_].repeat) {
        shown_ = 0;
        step_ = (step_ + 1) % steps_.size();
    }
    ++shown_;
    return steps_[step_].display;
}

} // namespace orvel
