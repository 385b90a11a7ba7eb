#include "recorder/RunPlan.h"

#include "base/SettingsFile.h"
#include "resources/Strings.h"

#include <QDir>
#include <QFile>

namespace orvel {

namespace {
constexpr int kFileName = 2400;
constexpr int kLineError = 2429; ///< "line %1: %2"
} // namespace

std::optional<RunConditions> parseRunPlan(const RunPlan &plan, QString *error)
{
    RunConditions c;
    c.preTrigger = std::clamp(plan.preTrigger, 0, kMaxPreTrigger);
    c.alarmTone = plan.alarmTone;
    c.command = plan.command.trimmed();
    auto fail = [&](const QString &where, int line, const QString &why) {
        if (error)
            *error = where + QStringLiteral(", ") + LoadStr(kLineError).arg(line).arg(why);
        return std::nullopt;
    };
    if (!plan.start.trimmed().isEmpty()) {
        const ParsedCondition p = parseCondition(plan.start, ConditionUse::Start);
        if (!p.condition)
            return fail(QStringLiteral("start"), 1, p.error);
        c.start = p.condition;
    }
    const struct
    {
        const QStringList &texts;
        std::vector<Condition> &into;
        ConditionUse use;
        const char *name;
    } lists[] = {{plan.stops, c.stops, ConditionUse::Stop, "stop"},
                 {plan.alarms, c.alarms, ConditionUse::Alarm, "alarm"}};
    for (const auto &list : lists) {
        for (qsizetype i = 0; i < list.texts.size(); ++i) {
            const ParsedCondition p = parseCondition(list.texts[i], list.use);
            if (!p.condition)
                return fail(QLatin1String(list.name), int(i) + 1, p.error);
            list.into.push_back(*p.condition);
        }
    }
    return c;
}

QString runPlanFilePath(const QString &workDir)
{
    return QDir(workDir).filePath(LoadStr(kFileName));
}

RunPlan readRunPlan(const QString &path)
{
    RunPlan plan;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return plan;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).remove(QLatin1Char('\r'));
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString name = line.left(eq).trimmed().toLower(), value = line.mid(eq + 1);
        if (name == QLatin1String("start"))
            plan.start = value.trimmed();
        else if (name == QLatin1String("pre"))
            plan.preTrigger = std::clamp(value.trimmed().toInt(), 0, kMaxPreTrigger);
        else if (name == QLatin1String("stop") && !value.trimmed().isEmpty())
            plan.stops << value.trimmed();
        else if (name == QLatin1String("alarm") && !value.trimmed().isEmpty())
            plan.alarms << value.trimmed();
        else if (name == QLatin1String("tone"))
            plan.alarmTone = value.trimmed() == QLatin1String("1");
        else if (name == QLatin1String("command"))
            plan.command = value.trimmed();
    }
    return plan;
}

bool writeRunPlan(const QString &path, const RunPlan &plan, QString *error)
{
    // One line a value: a text cannot carry a line end into the next line.
    auto oneLine = [](QString text) {
        return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
    };
    QStringList lines{QStringLiteral("start=") + oneLine(plan.start),
                      QStringLiteral("pre=") + QString::number(plan.preTrigger)};
    for (const QString &s : plan.stops)
        lines << QStringLiteral("stop=") + oneLine(s);
    for (const QString &a : plan.alarms)
        lines << QStringLiteral("alarm=") + oneLine(a);
    lines << QStringLiteral("tone=") + QLatin1Char(plan.alarmTone ? '1' : '0')
          << QStringLiteral("command=") + oneLine(plan.command);
    return writeSettingsLines(path, lines, error);
}

} // namespace orvel
