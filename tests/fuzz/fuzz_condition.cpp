// The conditions of an unattended recording, as the dialog and orvel-cli take them.
//
// Invariants: a text either parses or says what is wrong with it; a condition
// that parses, written out, parses back to the same condition for the same
// use, and a judge armed on it judges a reading and the time without trouble.

#include "meter/MeterReading.h"
#include "recorder/Conditions.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QCoreApplication>

#include <cstdint>

using namespace orvel;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const ConditionUse use : {ConditionUse::Start, ConditionUse::Stop, ConditionUse::Alarm}) {
        const ParsedCondition parsed = parseCondition(text, use);
        FUZZ_CHECK(parsed.condition.has_value() == parsed.error.isEmpty());
        if (!parsed.condition)
            continue;
        const QString written = conditionText(*parsed.condition);
        const ParsedCondition again = parseCondition(written, use);
        FUZZ_CHECK(again.condition == parsed.condition);
        FUZZ_CHECK(conditionText(*again.condition) == written);
        ConditionJudge judge(*parsed.condition);
        const QDateTime armed(QDate(2024, 5, 1), QTime(12, 0));
        judge.arm(armed);
        TMeterReading r;
        r.sValue = r.szDisplay = QStringLiteral("1.234");
        r.sExponent = QStringLiteral("-3");
        r.szUnit = QStringLiteral("V");
        const ConditionSample sample = conditionSample(r);
        judge.judge({armed.toMSecsSinceEpoch(), &sample, 1, 3.0, 1.0});
        judge.judge({armed.toMSecsSinceEpoch() + 1000, nullptr, 1, 3.0, 1.0});
    }
    return 0;
}
