#include "app/Startup.h"

#include "app/Automesgform.h"
#include "app/Dlgabout.h"
#include "app/Dlgrsport.h"
#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Mesgform.h"
#include "base/Messageshow.h"
#include "base/SettingsFile.h"
#include "export/Dlgexportunit.h"
#include "export/Dlgfitexportunit.h"
#include "export/Viewgraphunit.h"
#include "platform/UserPrompt.h"
#include "recorder/Dlgoption.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/Recording.h"
#include "resources/Strings.h"
#include "views/Analogmeter.h"
#include "views/Comparator.h"
#include "views/Datapagelist.h"
#include "views/Digitalmeter.h"
#include "views/Dlghilow.h"

#include <QDir>
#include <QWidget>

namespace orvel {

namespace {
template <typename Form, typename... Args>
Form *create(std::vector<std::unique_ptr<QWidget>> &windows, Form *&global, Args &&...args)
{
    auto form = std::make_unique<Form>(std::forward<Args>(args)...);
    global = form.get();
    windows.push_back(std::move(form));
    return global;
}
} // namespace

WindowSet::WindowSet()
    : recording_(std::make_unique<Recording>())
{
    setProgramObjects(recording_.get(), &state_, &placement_);
    create(windows_, FormMain, state_, *recording_, placement_);
    // What the windows below the main window are handed: it has placed itself by now.
    WindowContext context{state_, *recording_, placement_};
    context.reading = &FormMain->Acquisition->computation.MeterReading;
    context.linkWindow = FormMain;
    create(windows_, DlgRsPortForm, state_);
    create(windows_, DlgAboutForm);
    create(windows_, AutoMsgForm);
    create(windows_, DigitalMeterForm, context);
    create(windows_, AnalogMeterForm, context);
    create(windows_, DataPageListForm, context);
    context.dataList = DataPageListForm;
    // Made after the recorder, as the order has it: reached when they are asked for.
    context.fitView = [] { FormViewGraphic->exec(); };
    context.exportPages = [](PEGraph &chart, const std::function<void(int)> &loadPage) {
        DlgExportForm->RecorderExport(chart, loadPage);
    };
    create(windows_, DlgHiLowForm);
    create(windows_, ComparatorForm, context);
    create(windows_, GraphicalForm, context);
    create(windows_, DialogOption);
    create(windows_, FormViewGraphic, context);
    create(windows_, DlgFitExportForm, context);
    create(windows_, MsgForm);
    GraphicalForm->setProgressWindow(MsgForm); // made after the recorder, as the order has it
    create(windows_, DlgExportForm, context);
    FormMain->show();
}

WindowSet::~WindowSet()
{
    while (!windows_.empty())
        windows_.pop_back();
    FormMain = nullptr;
    DlgRsPortForm = nullptr;
    DlgAboutForm = nullptr;
    AutoMsgForm = nullptr;
    DigitalMeterForm = nullptr;
    AnalogMeterForm = nullptr;
    DataPageListForm = nullptr;
    DlgHiLowForm = nullptr;
    ComparatorForm = nullptr;
    GraphicalForm = nullptr;
    DialogOption = nullptr;
    FormViewGraphic = nullptr;
    DlgFitExportForm = nullptr;
    MsgForm = nullptr;
    DlgExportForm = nullptr;
    setProgramObjects(nullptr, nullptr, nullptr);
}

QList<QWidget *> WindowSet::windows() const
{
    QList<QWidget *> list;
    for (const auto &w : windows_)
        list.append(w.get());
    return list;
}

void ProbePorts(ProgramState &state)
{
    for (int n = 1; n <= kProbedPorts; ++n) {
        const PortProbe probe = ProbeComDevice(devicePathForPort(n));
        // A network port is offered without connecting: that is left to the open.
        state.PortPresent[n - 1] = probe == PortProbe::Opens || probe == PortProbe::Network;
        state.PortDenied[n - 1] = probe == PortProbe::Denied;
    }
}

void LoadSettings(ProgramState &state)
{
    QStringList lines;
    if (!readSettingsLines(settingsFilePath(state.WorkDir), lines))
        lines.clear(); // a missing file reads like one without values
    const SettingsValues values = parseSettings(lines);
    state.SelectedPort = values.iPort;
    state.HiLimit = values.fHiLimit;
    state.LowLimit = values.fLowLimit;
}

bool SaveSettings(ProgramState &state)
{
    storeSettings(state.SettingsList, state.SelectedPort, state.HiLimit, state.LowLimit);
    const QString path = settingsFilePath(state.WorkDir);
    if (writeSettingsLines(path, state.SettingsList))
        return true;
    TitledMessage(FormMain, LoadStrArg(str::CannotCreateFile, QDir::toNativeSeparators(path)), PromptIcon::Stop);
    return false;
}

} // namespace orvel
