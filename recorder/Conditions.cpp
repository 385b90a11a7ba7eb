#include "recorder/Conditions.h"

#include "meter/DisplayText.h"
#include "meter/FrameDecoder.h"
#include "meter/Getunitfuncstr.h"
#include "meter/MeterReading.h"
#include "resources/Strings.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace orvel {

namespace {
namespace id {
constexpr int Empty = 2401, NoTest = 2402, NeedsValue = 2403, NoValue = 2404, NoUnit = 2405, NeedsRange = 2406,
              Backwards = 2407, TwoUnits = 2408, NoDuration = 2409, DurationRange = 2410, NoCount = 2411,
              NoClock = 2412, Trailing = 2413, NeedsDuration = 2414, StopOnly = 2415, NoAlarmAt = 2416,
              NeedsOutside = 2417, TooLarge = 2418;
} // namespace id

constexpr qint64 kMaxDurationMs = 366LL * 24 * 3600 * 1000;
constexpr qint64 kDayMs = 24LL * 3600 * 1000;

struct Unit
{
    const char16_t *name;
    ConditionUnit unit;
};
// Every spelling a unit may have; the first of each unit is its written form.
constexpr Unit kUnits[] = {
    {u"V", ConditionUnit::Volt},     {u"A", ConditionUnit::Ampere},      {u"F", ConditionUnit::Farad},
    {u"Hz", ConditionUnit::Hertz},   {u"VA", ConditionUnit::VoltAmpere}, {u"ohm", ConditionUnit::Ohm},
    {u"\u2126", ConditionUnit::Ohm}, {u"\u03A9", ConditionUnit::Ohm},    {u"C", ConditionUnit::Celsius},
    {u"°C", ConditionUnit::Celsius}, {u"°F", ConditionUnit::Farad},
};

QString unitName(ConditionUnit unit)
{
    for (const Unit &u : kUnits)
        if (u.unit == unit)
            return QString::fromUtf16(u.name);
    return {};
}

std::optional<ConditionUnit> unitNamed(QStringView text)
{
    for (const Unit &u : kUnits)
        if (text.compare(QStringView(u.name), Qt::CaseInsensitive) == 0)
            return u.unit;
    return std::nullopt;
}

int prefixExponent(char prefix)
{
    switch (prefix) {
    case 'n': return -9;
    case 'u': return -6;
    case 'm': return -3;
    case 'k': return 3;
    case 'M': return 6;
    case 'G': return 9;
    default: return 0;
    }
}

char prefixOf(QChar c)
{
    switch (c.unicode()) {
    case u'n': return 'n';
    case u'u':
    case u'µ':
    case u'μ': return 'u';
    case u'm': return 'm';
    case u'k':
    case u'K': return 'k';
    case u'M': return 'M';
    case u'G': return 'G';
    default: return 0;
    }
}

// The length of the number at the start of `text` ([+|-] digits [. digits] [e [+|-] digits]), 0 for none.
qsizetype numberLength(QStringView text)
{
    qsizetype i = 0;
    auto digits = [&] {
        const qsizetype from = i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        return i - from;
    };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype mantissa = digits();
    // A point belongs to the number only when a digit follows it ("4.9..5.1": the second point starts "..").
    if (i + 1 < text.size() && text[i] == u'.' && text[i + 1] >= u'0' && text[i + 1] <= u'9') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        const qsizetype mark = i++;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (digits() == 0)
            i = mark; // "5E" is no exponent
    }
    return i;
}

// The decimal text times ten to `shift`, read whole so that it rounds like the stored value.
double scaled(const QString &digits, int shift)
{
    const qsizetype e = digits.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    const QString mantissa = e < 0 ? digits : digits.left(e);
    // Far beyond what single precision holds either way, and no overflow.
    const long long written = e < 0 ? 0 : std::strtoll(qPrintable(digits.mid(e + 1)), nullptr, 10);
    const long long exponent = std::clamp(written, -100000LL, 100000LL) + shift;
    return std::strtod(qPrintable(mantissa + QLatin1Char('e') + QString::number(exponent)), nullptr);
}

// Reads the words of a condition one after another.
class Words
{
public:
    explicit Words(const QString &text)
        : words_(text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
    {}
    bool atEnd() const { return at_ >= words_.size(); }
    QString peek() const { return atEnd() ? QString() : words_[at_]; }
    QString next() { return atEnd() ? QString() : words_[at_++]; }
    qsizetype position() const { return at_; }
    void setPosition(qsizetype p) { at_ = p; }

private:
    QStringList words_;
    qsizetype at_ = 0;
};

// A value: the number, then prefix and unit; `unit` takes the unit named, if any.
std::optional<ConditionValue> parseValue(const QString &text, ConditionUnit &unit, QString &error)
{
    const qsizetype n = numberLength(text);
    if (n == 0) {
        error = LoadStr(id::NoValue).arg(text);
        return std::nullopt;
    }
    ConditionValue v;
    v.digits = text.left(n);
    if (v.digits.startsWith(QLatin1Char('+')))
        v.digits.remove(0, 1);
    QStringView rest = QStringView(text).mid(n);
    unit = ConditionUnit::None;
    if (!rest.isEmpty()) {
        if (const auto u = unitNamed(rest)) { // "F", "C", "ohm": a unit before it is a prefix
            unit = *u;
        } else if (const char p = prefixOf(rest[0])) {
            v.prefix = p;
            rest = rest.mid(1);
            if (!rest.isEmpty()) {
                const auto named = unitNamed(rest);
                if (!named) {
                    error = LoadStr(id::NoUnit).arg(rest.toString());
                    return std::nullopt;
                }
                unit = *named;
            }
        } else {
            error = LoadStr(id::NoUnit).arg(rest.toString());
            return std::nullopt;
        }
    }
    const int shift = prefixExponent(v.prefix);
    v.base = scaled(v.digits, shift);
    const double stored = v.base, micro = scaled(v.digits, shift + 6);
    constexpr double kMax = std::numeric_limits<float>::max();
    if (!std::isfinite(stored) || std::fabs(stored) > kMax || std::fabs(micro) > kMax) {
        error = LoadStr(id::TooLarge).arg(text);
        return std::nullopt;
    }
    v.stored = float(stored);
    v.microF = float(micro);
    return v;
}

std::optional<qint64> parseDuration(const QString &text, QString &error)
{
    const qsizetype n = numberLength(text);
    const QStringView suffix = QStringView(text).mid(n);
    static constexpr struct
    {
        const char16_t *name;
        double ms;
    } units[] = {{u"ms", 1}, {u"s", 1000}, {u"m", 60000}, {u"h", 3600000}};
    for (const auto &u : units) {
        if (n == 0 || text[0] == u'+' || text[0] == u'-' || suffix.compare(QStringView(u.name), Qt::CaseInsensitive))
            continue;
        const double ms = std::round(scaled(text.left(n), 0) * u.ms);
        if (!(ms >= 1 && ms <= double(kMaxDurationMs))) {
            error = LoadStr(id::DurationRange).arg(text);
            return std::nullopt;
        }
        return qint64(ms);
    }
    error = LoadStr(id::NoDuration).arg(text);
    return std::nullopt;
}

std::optional<int> parseClock(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    int fields[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const auto v = digitsValue(parts[i]);
        if (!v || parts[i].size() > 2 || (i > 0 && parts[i].size() != 2))
            return std::nullopt;
        fields[i] = *v;
    }
    if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59)
        return std::nullopt;
    return fields[0] * 3600 + fields[1] * 60 + fields[2];
}

// The words of a value: one, or two when a prefix and unit stand apart ("1.5 V").
QString valueWords(Words &w)
{
    QString text = w.next();
    const QString follower = w.peek();
    if (!follower.isEmpty() && numberLength(text) == text.size() && follower.compare(u"for", Qt::CaseInsensitive) &&
        !follower.startsWith(QLatin1String(".."))) {
        ConditionUnit unit;
        QString error;
        if (parseValue(QStringLiteral("1") + follower, unit, error))
            text += w.next();
    }
    return text;
}

// A range: "LO..HI", "LO .. HI", "LO ..HI", "LO.. HI", each end maybe with its unit apart.
bool parseRange(Words &w, Condition &c, QString &error, const QString &keyword)
{
    const qsizetype start = w.position();
    QString text;
    while (!w.atEnd() && w.peek().compare(u"for", Qt::CaseInsensitive))
        text += w.next();
    const qsizetype dots = text.indexOf(QLatin1String(".."));
    if (text.isEmpty() || dots < 0) {
        w.setPosition(start);
        error = LoadStr(keyword == QLatin1String("outside") ? id::NeedsOutside : id::NeedsRange).arg(keyword);
        return false;
    }
    ConditionUnit lowUnit, highUnit;
    const auto low = parseValue(text.left(dots), lowUnit, error);
    if (!low)
        return false;
    const auto high = parseValue(text.mid(dots + 2), highUnit, error);
    if (!high)
        return false;
    if (lowUnit != ConditionUnit::None && highUnit != ConditionUnit::None && lowUnit != highUnit) {
        error = LoadStr(id::TwoUnits).arg(unitName(lowUnit), unitName(highUnit));
        return false;
    }
    if (low->base > high->base) {
        error = LoadStr(id::Backwards).arg(text.left(dots), text.mid(dots + 2));
        return false;
    }
    c.low = *low;
    c.high = *high;
    c.unit = lowUnit != ConditionUnit::None ? lowUnit : highUnit;
    return true;
}

QString valueText(const ConditionValue &v, ConditionUnit unit)
{
    return v.digits + (v.prefix ? QString(QLatin1Char(v.prefix)) : QString()) + unitName(unit);
}

QString valueDisplay(const ConditionValue &v, ConditionUnit unit, const QString &readingUnit)
{
    const double shown = scaled(v.digits, 0);
    QString text = QString::number(shown, 'f', 3);
    const QString u = unit == ConditionUnit::None ? readingUnit : unitName(unit);
    if (v.prefix || !u.isEmpty())
        text += QLatin1Char(' ') + (v.prefix ? QString(QLatin1Char(v.prefix)) : QString()) + u;
    return text;
}

QString clockText(const Condition &c)
{
    const int s = c.clockSeconds;
    QString t =
        QStringLiteral("%1:%2").arg(s / 3600, 2, 10, QLatin1Char('0')).arg(s / 60 % 60, 2, 10, QLatin1Char('0'));
    if (c.clockHasSeconds)
        t += QStringLiteral(":%1").arg(s % 60, 2, 10, QLatin1Char('0'));
    return t;
}
} // namespace

QString durationText(qint64 ms)
{
    if (ms % 3600000 == 0)
        return QString::number(ms / 3600000) + QLatin1Char('h');
    if (ms % 60000 == 0)
        return QString::number(ms / 60000) + QLatin1Char('m');
    if (ms % 1000 == 0)
        return QString::number(ms / 1000) + QLatin1Char('s');
    return QString::number(ms) + QStringLiteral("ms");
}

ParsedCondition parseCondition(const QString &text, ConditionUse use)
{
    Words w(text);
    ParsedCondition out;
    QString &error = out.error;
    if (w.atEnd()) {
        error = LoadStr(id::Empty);
        return out;
    }
    Condition c;
    const QString keyword = w.next();
    const QString word = keyword.toLower();
    auto needValue = [&](ConditionValue &into) {
        if (w.atEnd() || !w.peek().compare(u"for", Qt::CaseInsensitive)) {
            error = LoadStr(id::NeedsValue).arg(word);
            return false;
        }
        const auto v = parseValue(valueWords(w), c.unit, error);
        if (v)
            into = *v;
        return v.has_value();
    };
    auto needDuration = [&](qint64 &into) {
        if (w.atEnd()) {
            error = LoadStr(id::NeedsDuration).arg(word);
            return false;
        }
        const auto d = parseDuration(w.next(), error);
        into = d.value_or(0);
        return d.has_value();
    };
    bool ok = false;
    if (word == u"above") {
        c.test = ConditionTest::Above;
        ok = needValue(c.low);
    } else if (word == u"below") {
        c.test = ConditionTest::Below;
        ok = needValue(c.high);
    } else if (word == u"inside") {
        c.test = ConditionTest::Inside;
        ok = parseRange(w, c, error, word);
    } else if (word == u"outside" && !w.peek().compare(u"limits", Qt::CaseInsensitive)) {
        w.next();
        c.test = ConditionTest::OutsideLimits;
        ok = true;
    } else if (word == u"outside") {
        c.test = ConditionTest::Outside;
        ok = parseRange(w, c, error, word);
    } else if (word == u"overload") {
        c.test = ConditionTest::Overload;
        ok = true;
    } else if (word == u"silent") {
        c.test = ConditionTest::Silent;
        ok = needDuration(c.durationMs);
    } else if (word == u"after") {
        c.test = ConditionTest::After;
        ok = needDuration(c.durationMs);
    } else if (word == u"readings") {
        c.test = ConditionTest::Readings;
        const QString n = w.next();
        bool number = false;
        c.count = n.toLongLong(&number);
        ok = number && c.count >= 1 && !n.startsWith(QLatin1Char('+'));
        if (!ok)
            error = LoadStr(id::NoCount).arg(n);
    } else if (word == u"at") {
        c.test = ConditionTest::At;
        const QString t = w.next();
        const auto seconds = parseClock(t);
        ok = seconds.has_value();
        c.clockSeconds = seconds.value_or(0);
        c.clockHasSeconds = t.count(QLatin1Char(':')) == 2;
        if (!ok)
            error = LoadStr(id::NoClock).arg(t);
    } else {
        error = LoadStr(id::NoTest).arg(keyword);
        return out;
    }
    if (!ok)
        return out;
    if (!w.atEnd() && !w.peek().compare(u"for", Qt::CaseInsensitive)) {
        w.next();
        if (w.atEnd()) {
            error = LoadStr(id::NeedsDuration).arg(QStringLiteral("for"));
            return out;
        }
        const auto d = parseDuration(w.next(), error);
        if (!d)
            return out;
        c.forMs = *d;
    }
    if (!w.atEnd()) {
        error = LoadStr(id::Trailing).arg(w.next());
        return out;
    }
    if ((c.test == ConditionTest::After || c.test == ConditionTest::Readings) && use != ConditionUse::Stop) {
        error = LoadStr(id::StopOnly).arg(word);
        return out;
    }
    if (c.test == ConditionTest::At && use == ConditionUse::Alarm) {
        error = LoadStr(id::NoAlarmAt);
        return out;
    }
    out.condition = c;
    return out;
}

QString conditionText(const Condition &c)
{
    QString t;
    switch (c.test) {
    case ConditionTest::Above: t = QStringLiteral("above ") + valueText(c.low, c.unit); break;
    case ConditionTest::Below: t = QStringLiteral("below ") + valueText(c.high, c.unit); break;
    case ConditionTest::Inside:
    case ConditionTest::Outside:
        t = QLatin1String(c.test == ConditionTest::Inside ? "inside " : "outside ") + valueText(c.low, c.unit) +
            QStringLiteral("..") + valueText(c.high, c.unit);
        break;
    case ConditionTest::OutsideLimits: t = QStringLiteral("outside limits"); break;
    case ConditionTest::Overload: t = QStringLiteral("overload"); break;
    case ConditionTest::Silent: t = QStringLiteral("silent ") + durationText(c.durationMs); break;
    case ConditionTest::After: t = QStringLiteral("after ") + durationText(c.durationMs); break;
    case ConditionTest::Readings: t = QStringLiteral("readings ") + QString::number(c.count); break;
    case ConditionTest::At: t = QStringLiteral("at ") + clockText(c); break;
    }
    if (c.forMs > 0)
        t += QStringLiteral(" for ") + durationText(c.forMs);
    return t;
}

QString conditionDisplay(const Condition &c, const QString &readingUnit)
{
    const QString unit = readingUnit == QLatin1String("W") ? QStringLiteral("Ω") : readingUnit;
    QString t;
    switch (c.test) {
    case ConditionTest::Above: t = QStringLiteral("above ") + valueDisplay(c.low, c.unit, unit); break;
    case ConditionTest::Below: t = QStringLiteral("below ") + valueDisplay(c.high, c.unit, unit); break;
    case ConditionTest::Inside:
    case ConditionTest::Outside:
        t = QLatin1String(c.test == ConditionTest::Inside ? "inside " : "outside ") +
            valueDisplay(c.low, c.unit, unit) + QStringLiteral(" .. ") + valueDisplay(c.high, c.unit, unit);
        break;
    default: return conditionText(c);
    }
    if (c.forMs > 0)
        t += QStringLiteral(" for ") + durationText(c.forMs);
    return t;
}

ConditionUnit unitOfLabel(const QString &label)
{
    if (label == QLatin1String("W"))
        return ConditionUnit::Ohm; // the ohm sign in the symbol face
    return unitNamed(label).value_or(ConditionUnit::None);
}

ConditionSample conditionSample(const TMeterReading &r)
{
    ConditionSample s;
    s.unit = unitOfLabel(r.szUnit);
    s.capacitance = r.iFunction == fn::Capacitance;
    if (const auto v = displayNumberTimesTen(r.sValue, r.sExponent)) {
        s.valid = s.number = true;
        s.stored = float(*v);
    } else if (r.sValue.contains(QLatin1Char('L'))) {
        s.valid = s.overload = true;
        s.negative = r.sValue.contains(QLatin1Char('-'));
    }
    if (const auto shown = displayNumber(r.szDisplay)) {
        s.shownNumber = true;
        s.shown = float(*shown);
    }
    return s;
}

void ConditionJudge::arm(const QDateTime &now)
{
    armedMs_ = lastValidMs_ = now.toMSecsSinceEpoch();
    held_ = fired_ = mismatch_ = limitsUnset_ = false;
    sinceMs_ = 0;
    if (c_.test == ConditionTest::At) {
        const QTime time = QTime(0, 0).addSecs(c_.clockSeconds);
        QDateTime target = now;
        target.setTime(time);
        if (target < now) { // passed today: tomorrow
            target = now.addDays(1);
            target.setTime(time);
        }
        targetMs_ = target.toMSecsSinceEpoch();
        if (targetMs_ < armedMs_) // a time that a change of clock skips
            targetMs_ = armedMs_ + kDayMs;
    }
}

ConditionJudge::Truth ConditionJudge::truth(const ConditionMoment &m)
{
    const ConditionSample *r = m.reading;
    auto valueTruth = [&](auto &&holds) {
        if (!r || !r->valid)
            return Truth::Unknown;
        mismatch_ = c_.unit != ConditionUnit::None && r->unit != c_.unit;
        if (mismatch_)
            return Truth::False;
        if (r->overload) // beyond every number on its side
            return holds(r->negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity(),
                         c_.low.stored, c_.high.stored)
                       ? Truth::True
                       : Truth::False;
        const bool micro = r->capacitance;
        return holds(r->stored, micro ? c_.low.microF : c_.low.stored, micro ? c_.high.microF : c_.high.stored)
                   ? Truth::True
                   : Truth::False;
    };
    switch (c_.test) {
    case ConditionTest::Above: return valueTruth([](float v, float lo, float) { return v > lo; });
    case ConditionTest::Below: return valueTruth([](float v, float, float hi) { return v < hi; });
    case ConditionTest::Inside: return valueTruth([](float v, float lo, float hi) { return v >= lo && v <= hi; });
    case ConditionTest::Outside: return valueTruth([](float v, float lo, float hi) { return v < lo || v > hi; });
    case ConditionTest::OutsideLimits: {
        limitsUnset_ = !(m.hiLimit > m.lowLimit);
        if (!r || !r->valid)
            return Truth::Unknown;
        if (limitsUnset_)
            return Truth::False;
        if (!r->shownNumber) // an overload lies beyond the limit on its side
            return r->overload ? Truth::True : Truth::Unknown;
        return r->shown > float(m.hiLimit) || r->shown < float(m.lowLimit) ? Truth::True : Truth::False;
    }
    case ConditionTest::Overload: return r ? (r->overload ? Truth::True : Truth::False) : Truth::Unknown;
    case ConditionTest::Silent:
        if (r && r->valid) {
            lastValidMs_ = m.nowMs;
            return Truth::False;
        }
        return m.nowMs - lastValidMs_ >= c_.durationMs ? Truth::True : Truth::False;
    case ConditionTest::After: return m.nowMs - armedMs_ >= c_.durationMs ? Truth::True : Truth::False;
    case ConditionTest::Readings: return m.stored >= c_.count ? Truth::True : Truth::False;
    case ConditionTest::At: return m.nowMs >= targetMs_ ? Truth::True : Truth::False;
    }
    return Truth::Unknown;
}

bool ConditionJudge::judge(const ConditionMoment &m)
{
    const Truth t = truth(m);
    if (t == Truth::Unknown)
        return false; // a blank display, or the time alone for a test of readings: as it was
    if (t == Truth::False) {
        held_ = fired_ = false;
        return false;
    }
    if (!held_) {
        held_ = true;
        sinceMs_ = m.nowMs;
    }
    if (fired_ || m.nowMs - sinceMs_ < c_.forMs)
        return false;
    fired_ = true;
    return true;
}

} // namespace orvel
