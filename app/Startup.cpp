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
template <typename Form> Form *create(std::vector<std::unique_ptr<QWidget>> &windows, Form *&global)
{
    auto form = std::make_unique<Form>();
    global = form.get();
    windows.push_back(std::move(form));
    return global;
}
} // namespace

WindowSet::WindowSet()
    : recording_(std::make_unique<Recording>())
{
    setProgramRecording(recording_.get());
    create(windows_, FormMain);
    create(windows_, DlgRsPortForm);
    create(windows_, DlgAboutForm);
    create(windows_, AutoMsgForm);
    create(windows_, DigitalMeterForm);
    create(windows_, AnalogMeterForm);
    create(windows_, DataPageListForm);
    create(windows_, DlgHiLowForm);
    create(windows_, ComparatorForm);
    create(windows_, GraphicalForm);
    create(windows_, DialogOption);
    create(windows_, FormViewGraphic);
    create(windows_, DlgFitExportForm);
    create(windows_, MsgForm);
    create(windows_, DlgExportForm);
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
    setProgramRecording(nullptr);
}

QList<QWidget *> WindowSet::windows() const
{
    QList<QWidget *> list;
    for (const auto &w : windows_)
        list.append(w.get());
    return list;
}

void ProbePorts()
{
    for (int n = 1; n <= kProbedPorts; ++n) {
        const PortProbe probe = ProbeComDevice(devicePathForPort(n));
        // A network port is offered without connecting: that is left to the open.
        PortPresent[n - 1] = probe == PortProbe::Opens || probe == PortProbe::Network;
        PortDenied[n - 1] = probe == PortProbe::Denied;
    }
}

void LoadSettings()
{
    QStringList lines;
    if (!readSettingsLines(settingsFilePath(WorkDir), lines))
        lines.clear(); // a missing file reads like one without values
    const SettingsValues values = parseSettings(lines);
    SelectedPort = values.iPort;
    HiLimit = values.fHiLimit;
    LowLimit = values.fLowLimit;
}

bool SaveSettings(double hiLimit, double lowLimit)
{
    storeSettings(SettingsList, SelectedPort, hiLimit, lowLimit);
    const QString path = settingsFilePath(WorkDir);
    if (writeSettingsLines(path, SettingsList))
        return true;
    TitledMessage(FormMain, LoadStrArg(str::CannotCreateFile, QDir::toNativeSeparators(path)), PromptIcon::Stop);
    return false;
}

} // namespace orvel
