#include "export/ExportDialog.h"

#include "base/Messageshow.h"
#include "chart/ChartExport.h"
#include "chart/ChartModel.h"
#include "platform/UserPrompt.h"
#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace orvel {

static_assert(kMaxExportPixels <= kMaxBitmapSide, "the dialog never asks for a bitmap side the chart refuses");
static_assert(kMaxExportUnits <= kMaxMetafileSide, "the dialog never asks for a metafile side the chart refuses");

namespace id {
constexpr int Caption = 107, Export = 307, MetaFile = 308, BitMap = 309, Text = 310, Destination = 311, ClipBoard = 312,
              File = 313, Browse = 314, Printer = 315, PageScope = 316, PageAll = 317, ThisPage = 318, Page = 319,
              From = 320, To = 321, ObjectSize = 322, NoSpecificSize = 323, Millimeters = 325, Inches = 326,
              Points = 327, Width = 328, Slash = 329, Cancel = 331;
constexpr int Untitled = 2041, CsvFilter = 2044, BmpFilter = 2060, EmfFilter = 2061, WmfRefused = 2063,
              BitmapTooLarge = 2064, MetafileTooLarge = 2065, PrinterFailed = 2066, NoFileName = 9013;
} // namespace id

TExportDialog::TExportDialog(ExportOwner owner, QWidget *parent)
    : QDialog(parent, kFixedDialogFlags)
    , Choices(owner)
{
    setWindowTitle(LoadStr(id::Caption));
    BuildControls();
    syncControls();
    centreOnScreen(this);
}

void TExportDialog::BuildControls()
{
    auto radio = [](QWidget *parent, int textId, const char *name) {
        auto *b = new QRadioButton(LoadStr(textId), parent);
        b->setObjectName(QLatin1String(name));
        return b;
    };

    gbExportType = new QGroupBox(LoadStr(id::Export), this);
    rbtnMetaFile = radio(gbExportType, id::MetaFile, "rbtnMetaFile");
    rbtnBitMap = radio(gbExportType, id::BitMap, "rbtnBitMap");
    rbtnText = radio(gbExportType, id::Text, "rbtnText");
    auto *typeLayout = new QVBoxLayout(gbExportType);
    for (QWidget *w : {rbtnMetaFile, rbtnBitMap, rbtnText})
        typeLayout->addWidget(w);
    typeLayout->addStretch();

    gbExportDestination = new QGroupBox(LoadStr(id::Destination), this);
    rbtnClipBoard = radio(gbExportDestination, id::ClipBoard, "rbtnClipBoard");
    rbtnFile = radio(gbExportDestination, id::File, "rbtnFile");
    rbtnPrinter = radio(gbExportDestination, id::Printer, "rbtnPrinter");
    btnBrowse = new QPushButton(LoadStr(id::Browse), gbExportDestination);
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    btnBrowse->setAutoDefault(false);
    stxFileName = new QLabel(gbExportDestination);
    stxFileName->setObjectName(QStringLiteral("stxFileName"));
    stxFileName->setFrameShape(QFrame::StyledPanel);
    stxFileName->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    auto *destinationLayout = new QGridLayout(gbExportDestination);
    destinationLayout->addWidget(rbtnClipBoard, 0, 0);
    destinationLayout->addWidget(rbtnFile, 1, 0);
    destinationLayout->addWidget(btnBrowse, 1, 1);
    destinationLayout->addWidget(stxFileName, 2, 0, 1, 2);
    destinationLayout->addWidget(rbtnPrinter, 3, 0);

    gbPageScope = new QGroupBox(LoadStr(id::PageScope), this);
    rbtnPageAll = radio(gbPageScope, id::PageAll, "rbtnPageAll");
    rbtnThisPage = radio(gbPageScope, id::ThisPage, "rbtnThisPage");
    rbtnPage = radio(gbPageScope, id::Page, "rbtnPage");
    lblFrom = new QLabel(LoadStr(id::From), gbPageScope);
    editPageFrom = new QLineEdit(gbPageScope);
    editPageFrom->setObjectName(QStringLiteral("editPageFrom"));
    lblTo = new QLabel(LoadStr(id::To), gbPageScope);
    editPageTo = new QLineEdit(gbPageScope);
    editPageTo->setObjectName(QStringLiteral("editPageTo"));
    auto *scopeLayout = new QGridLayout(gbPageScope);
    scopeLayout->addWidget(rbtnPageAll, 0, 0, 1, 4);
    scopeLayout->addWidget(rbtnThisPage, 1, 0, 1, 4);
    scopeLayout->addWidget(rbtnPage, 2, 0, 1, 4);
    scopeLayout->addWidget(lblFrom, 3, 0);
    scopeLayout->addWidget(editPageFrom, 3, 1);
    scopeLayout->addWidget(lblTo, 3, 2);
    scopeLayout->addWidget(editPageTo, 3, 3);

    gbObjectSize = new QGroupBox(LoadStr(id::ObjectSize), this);
    rbtnPixels = radio(gbObjectSize, id::NoSpecificSize, "rbtnPixels");
    rbtnMillimeters = radio(gbObjectSize, id::Millimeters, "rbtnMillimeters");
    rbtnInches = radio(gbObjectSize, id::Inches, "rbtnInches");
    rbtnPoints = radio(gbObjectSize, id::Points, "rbtnPoints");
    lblWidth = new QLabel(LoadStr(id::Width), gbObjectSize);
    editWidth = new QLineEdit(gbObjectSize);
    editWidth->setObjectName(QStringLiteral("editWidth"));
    lblSlash = new QLabel(LoadStr(id::Slash), gbObjectSize);
    editHigh = new QLineEdit(gbObjectSize);
    editHigh->setObjectName(QStringLiteral("editHigh"));
    lblUnit = new QLabel(gbObjectSize);
    auto *sizeLayout = new QGridLayout(gbObjectSize);
    sizeLayout->addWidget(rbtnPixels, 0, 0, 1, 2);
    sizeLayout->addWidget(rbtnMillimeters, 0, 2, 1, 3);
    sizeLayout->addWidget(rbtnInches, 1, 0, 1, 2);
    sizeLayout->addWidget(rbtnPoints, 1, 2, 1, 3);
    sizeLayout->addWidget(lblWidth, 2, 0);
    sizeLayout->addWidget(editWidth, 2, 1);
    sizeLayout->addWidget(lblSlash, 2, 2);
    sizeLayout->addWidget(editHigh, 2, 3);
    sizeLayout->addWidget(lblUnit, 2, 4);

    btnExport = new QPushButton(LoadStr(id::Export), this);
    btnExport->setObjectName(QStringLiteral("btnExport"));
    btnExport->setDefault(true);
    btnCancel = new QPushButton(LoadStr(id::Cancel), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(gbExportType, 0, 0);
    grid->addWidget(gbExportDestination, 0, 1);
    grid->addWidget(gbPageScope, 1, 0);
    grid->addWidget(gbObjectSize, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnExport);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    auto onToggle = [this](QRadioButton *b, auto handler, auto choice) {
        connect(b, &QRadioButton::toggled, this, [this, handler, choice](bool on) { (this->*handler)(choice, on); });
    };
    onToggle(rbtnMetaFile, &TExportDialog::kindToggled, ExportKind::MetaFile);
    onToggle(rbtnBitMap, &TExportDialog::kindToggled, ExportKind::BitMap);
    onToggle(rbtnText, &TExportDialog::kindToggled, ExportKind::Text);
    onToggle(rbtnClipBoard, &TExportDialog::destinationToggled, ExportDestination::ClipBoard);
    onToggle(rbtnFile, &TExportDialog::destinationToggled, ExportDestination::File);
    onToggle(rbtnPrinter, &TExportDialog::destinationToggled, ExportDestination::Printer);
    onToggle(rbtnPageAll, &TExportDialog::scopeToggled, PageScope::AllPages);
    onToggle(rbtnThisPage, &TExportDialog::scopeToggled, PageScope::ThisPage);
    onToggle(rbtnPage, &TExportDialog::scopeToggled, PageScope::Page);
    onToggle(rbtnPixels, &TExportDialog::unitToggled, SizeUnit::Pixels);
    onToggle(rbtnMillimeters, &TExportDialog::unitToggled, SizeUnit::Millimeters);
    onToggle(rbtnInches, &TExportDialog::unitToggled, SizeUnit::Inches);
    onToggle(rbtnPoints, &TExportDialog::unitToggled, SizeUnit::Points);
    connect(btnBrowse, &QPushButton::clicked, this, &TExportDialog::btnBrowseClick);
    connect(btnExport, &QPushButton::clicked, this, &TExportDialog::btnExportClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TExportDialog::syncControls()
{
    const ExportControls &c = Choices.controls();
    auto check = [](QRadioButton *b, bool on) {
        const QSignalBlocker quiet(b);
        // Qt keeps one button of a group checked; a group with no choice yet shows none.
        b->setAutoExclusive(false);
        b->setChecked(on);
        b->setAutoExclusive(true);
    };
    check(rbtnMetaFile, c.kind == ExportKind::MetaFile);
    check(rbtnBitMap, c.kind == ExportKind::BitMap);
    check(rbtnText, c.kind == ExportKind::Text);
    check(rbtnClipBoard, c.destination == ExportDestination::ClipBoard);
    check(rbtnFile, c.destination == ExportDestination::File);
    check(rbtnPrinter, c.destination == ExportDestination::Printer);
    check(rbtnPageAll, c.scope == PageScope::AllPages);
    check(rbtnThisPage, c.scope == PageScope::ThisPage);
    check(rbtnPage, c.scope == PageScope::Page);
    check(rbtnPixels, c.unit == SizeUnit::Pixels);
    check(rbtnMillimeters, c.unit == SizeUnit::Millimeters);
    check(rbtnInches, c.unit == SizeUnit::Inches);
    check(rbtnPoints, c.unit == SizeUnit::Points);

    rbtnClipBoard->setEnabled(c.clipBoardEnabled);
    rbtnFile->setEnabled(c.fileEnabled);
    rbtnPrinter->setEnabled(c.printerEnabled);
    btnBrowse->setEnabled(c.browseEnabled);
    stxFileName->setText(shownFileName(c.fileName));
    rbtnPageAll->setEnabled(c.pageAllEnabled);
    rbtnThisPage->setEnabled(c.thisPageEnabled);
    rbtnPage->setEnabled(c.pageEnabled);
    for (QWidget *w : {static_cast<QWidget *>(lblFrom), static_cast<QWidget *>(editPageFrom),
                       static_cast<QWidget *>(lblTo), static_cast<QWidget *>(editPageTo)})
        w->setEnabled(c.rangeEnabled);
    gbObjectSize->setVisible(c.sizeVisible);
    rbtnPixels->setText(LoadStr(c.pixelsCaptionId));
    lblUnit->setText(LoadStr(c.unitCaptionId));
    rbtnPixels->setEnabled(c.pixelsEnabled);
    rbtnMillimeters->setEnabled(c.millimetersEnabled);
    rbtnInches->setEnabled(c.inchesEnabled);
    rbtnPoints->setEnabled(c.pointsEnabled);
    editWidth->setText(Choices.widthText());
    editHigh->setText(Choices.heightText());
}

void TExportDialog::kindToggled(ExportKind kind, bool on)
{
    if (on && Choices.chooseKind(kind))
        syncControls();
}

void TExportDialog::destinationToggled(ExportDestination destination, bool on)
{
    if (on && Choices.chooseDestination(destination))
        syncControls();
}

void TExportDialog::scopeToggled(PageScope scope, bool on)
{
    if (on && Choices.chooseScope(scope))
        syncControls();
}

void TExportDialog::unitToggled(SizeUnit unit, bool on)
{
    if (!on)
        return;
    // What was typed counts in the unit it was typed in.
    commitSize(editWidth, true);
    commitSize(editHigh, false);
    if (Choices.chooseUnit(unit))
        syncControls();
}

bool TExportDialog::commitSize(QLineEdit *box, bool width)
{
    const QString shown = width ? Choices.widthText() : Choices.heightText();
    const QString typed = box->text();
    if (typed == shown)
        return true;
    if (width ? Choices.setWidthText(typed) : Choices.setHeightText(typed))
        return true;
    box->setText(shown);
    showError(str::NotAFloat, LoadStrArg(str::NotAFloat, typed));
    return false;
}

void TExportDialog::btnBrowseClick()
{
    FileRequest request;
    request.fileName = LoadStr(id::Untitled);
    request.promptOverwrite = true;
    request.owner = this;
    switch (Choices.controls().kind.value_or(ExportKind::Text)) {
    case ExportKind::Text:
        request.defaultExtension = QStringLiteral("csv");
        request.filter = LoadStr(id::CsvFilter);
        break;
    case ExportKind::BitMap:
        request.defaultExtension = QStringLiteral("bmp");
        request.filter = LoadStr(id::BmpFilter);
        break;
    case ExportKind::MetaFile:
        request.defaultExtension = QStringLiteral("emf");
        request.filter = LoadStr(id::EmfFilter);
        break;
    }
    const QString name = prompt().saveFileName(request);
    if (name.isEmpty())
        return;
    if (Choices.controls().kind == ExportKind::MetaFile && metafileFormatFor(name) == MetafileFormat::Wmf) {
        showError(id::WmfRefused, LoadStr(id::WmfRefused));
        return;
    }
    Choices.setFileName(name);
    stxFileName->setText(shownFileName(name));
}

void TExportDialog::btnExportClick()
{
    const bool widthTaken = commitSize(editWidth, true);
    const bool heightTaken = commitSize(editHigh, false);
    if (widthTaken && heightTaken)
        accept();
}

void TExportDialog::prepare(ExportKind kind, const QString &from, const QString &to)
{
    Choices.chooseKind(kind);
    Choices.chooseScope(PageScope::ThisPage);
    Choices.setFileName(QString());
    syncControls();
    editPageFrom->setText(from);
    editPageTo->setText(to);
}

bool TExportDialog::checkFileName()
{
    const ExportControls &c = Choices.controls();
    if (c.destination != ExportDestination::File || !c.fileName.isEmpty())
        return true;
    ShowCodedMessage(this, str::ErrorCaption, id::NoFileName);
    return false;
}

PEError TExportDialog::exportChart(PEGraph &chart, bool printDialog)
{
    const ExportControls &c = Choices.controls();
    chart.SetPEnarg1(static_cast<int>(std::trunc(c.width)));
    chart.SetPEnarg2(static_cast<int>(std::trunc(c.height)));
    chart.SetPEstrarg1(c.fileName);
    const bool bitmap = c.kind == ExportKind::BitMap;
    bool done = false;
    switch (c.destination.value_or(ExportDestination::ClipBoard)) {
    case ExportDestination::ClipBoard: done = chart.SetPEactions(bitmap ? gBmpToClip : gMetaToClip); break;
    case ExportDestination::File: done = chart.SetPEactions(bitmap ? gBmpToFile : gMetaToFile); break;
    case ExportDestination::Printer: done = chart.printMonochrome(printDialog ? gPrintDialog : gPrintGraph);
    }
    return done ? PEError::None : chart.lastError();
}

void TExportDialog::reportFailure(const PEGraph &chart, PEError error)
{
    switch (error) {
    case PEError::None:
    case PEError::Cancelled: return;
    case PEError::NoFileName: ShowCodedMessage(this, str::ErrorCaption, id::NoFileName); return;
    case PEError::SizeOutOfRange: {
        const int textId = Choices.controls().kind == ExportKind::BitMap ? id::BitmapTooLarge : id::MetafileTooLarge;
        showError(textId, LoadStrFmt(textId, chart.PEnarg1(), chart.PEnarg2()));
        return;
    }
    case PEError::CannotWrite:
        showError(str::CannotCreateFile,
                  LoadStrArg(str::CannotCreateFile, QDir::toNativeSeparators(Choices.controls().fileName)));
        return;
    case PEError::UnsupportedFormat: showError(id::WmfRefused, LoadStr(id::WmfRefused)); return;
    case PEError::PrinterFailed:
    case PEError::UnknownAction: {
        const QPrinter &printer = programPrinter();
        const QString where = printer.outputFileName().isEmpty() ? printer.printerName()
                                                                 : QDir::toNativeSeparators(printer.outputFileName());
        showError(id::PrinterFailed, LoadStrArg(id::PrinterFailed, where));
        return;
    }
    }
}

void TExportDialog::showError(int id, const QString &text)
{
    const bool platformText = id >= str::CannotOpenFile && id <= str::NotAnInteger;
    if (!platformText) {
        MessageShowText(this, str::ErrorCaption, id, text, {PromptButton::Ok}, PromptIcon::Stop);
        return;
    }
    TitledMessage(this, text, PromptIcon::Stop);
}

} // namespace orvel
