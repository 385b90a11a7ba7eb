#include "views/Datapagelist.h"

#include "base/Messages.h"
#include "base/Messageshow.h"
#include "platform/Tiling.h"
#include "platform/WindowPlacement.h"
#include "recorder/Recording.h"
#include "resources/Icons.h"
#include "resources/Strings.h"
#include "views/Analogmeter.h"
#include "views/Digitalmeter.h"

#include <QFont>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <new>

namespace orvel {

TDataPageListForm *DataPageListForm = nullptr;

namespace {
constexpr int kCaption = 103; // "Data list"
constexpr int kIcon = 4;
constexpr int kSheet = 2013;    // "Sheet"
constexpr int kNoMemory = 9006; // "Insufficient system memory !"
} // namespace

// ---- one sheet's lines ----------------------------------------------------------

DataSheetModel::DataSheetModel(const ReadingBuffer &buffer, const MarkList &marks, QObject *parent)
    : QAbstractListModel(parent)
    , buffer_(buffer)
    , marks_(marks)
{}

int DataSheetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : lines_.count();
}

QVariant DataSheetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= lines_.count())
        return {};
    if (role == Qt::DisplayRole)
        return lineText(index.row());
    if (role == Qt::FontRole && marks_.find(lines_.indexAt(index.row())) >= 0) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return {};
}

void DataSheetModel::appendLines(qsizetype first, int count)
{
    if (count <= 0)
        return;
    lines_.reserveNext(); // may throw; nothing has changed yet
    const int row = lines_.count();
    beginInsertRows(QModelIndex(), row, row + count - 1);
    for (int k = 0; k < count; ++k)
        lines_.append(first + k); // consecutive indexes: extends one run, cannot fail
    endInsertRows();
}

QString DataSheetModel::lineText(int row) const
{
    const qsizetype index = lines_.indexAt(row);
    // A line can outlive its record when the buffer is cleared before the list is.
    if (index >= buffer_.count())
        return {};
    QString line = dataListLine(buffer_.at(index), index);
    for (qsizetype p = marks_.find(index); p >= 0 && p < marks_.size() && marks_.at(p).index == index; ++p)
        line += QStringLiteral("   \u25B6 ") + marks_.at(p).text.simplified();
    return line;
}

// ---- the window -------------------------------------------------------------------

TDataPageListForm::TDataPageListForm(const WindowContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , Context(context)
{
    const QSize screen = primaryScreenSize();
    const PlacementContext &place = Context.placement;
    // Below the meters' column where they are made (made alone, where they would be).
    const QRect digital = digitalMeterRect(screen.width(), screen.height(), place.stripHeight);
    const int digitalHeight = DigitalMeterForm ? outerGeometry(DigitalMeterForm).height() : digital.height();
    const int analogHeight =
        AnalogMeterForm ? outerGeometry(AnalogMeterForm).height()
                        : analogMeterRect(screen.width(), place.stripHeight, digitalHeight, place.metrics).height();
    setOuterGeometry(this, dataListRect(screen.width(), screen.height(), place.stripHeight, digitalHeight, analogHeight,
                                        place.taskbarReserve));
    const SizeLimits limits = dataListLimits(screen.width(), screen.height(), place.stripHeight, place.taskbarReserve);
    setSizeLimits(this, limits, NormalSize::Resizable);
    setWindowTitle(LoadStr(kCaption));
    setWindowIcon(programIcon(kIcon));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl);
    CreateSheet();
    // A loaded file's readings are listed in one go, as UM_LIST_ADD would list them one by one.
    connect(&Context.recording, &Recording::loaded, this, [this](qsizetype count) { addLines(0, count); });
    connect(&Context.recording, &Recording::marksChanged, this, [this] {
        for (DataSheetView *view : std::as_const(DataLists))
            view->viewport()->update();
    });
    show();
}

void TDataPageListForm::customEvent(QEvent *event)
{
    switch (int(event->type())) {
    case UM_LIST_ADD: UmListAdd(static_cast<WindowMessage *>(event)->wParam); break;
    case UM_LIST_RESET: UmListReset(); break;
    default: QWidget::customEvent(event);
    }
}

bool TDataPageListForm::CreateSheet()
{
    try {
        DataLists.reserve(DataLists.size() + 1);
        Lines.reserve(Lines.size() + 1);
        const QString caption = LoadStr(kSheet) + QString::number(iCurrentSheet);
        auto sheet = std::make_unique<QWidget>();
        sheet->setObjectName(QStringLiteral("ts") + caption);
        auto *list = new DataSheetView(sheet.get());
        list->setObjectName(QStringLiteral("DataList"));
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        auto *model = new DataSheetModel(Context.recording.buffer(), Context.recording.marks(), list);
        list->setModel(model);
        auto *fill = new QVBoxLayout(sheet.get());
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(list);
        PageControl->addTab(sheet.get(), caption);
        sheet.release(); // the page control owns it now
        DataLists.append(list);
        Lines.append(model);
        PageControl->setCurrentIndex(iCurrentSheet - 1);
        return true;
    } catch (const std::bad_alloc &) {
        ShowCodedMessage(this, str::ErrorCaption, kNoMemory);
        return false;
    }
}

void TDataPageListForm::UmListAdd(int index)
{
    if (index >= 0)
        addLines(index, 1);
}

void TDataPageListForm::addLines(qsizetype first, qsizetype count)
{
    count = std::min(count, Context.recording.buffer().count() - first); // never read past the buffer
    while (first >= 0 && count > 0) {
        // A sheet whose creation failed is tried again; without it the lines are dropped.
        if (iCurrentSheet > sheetCount() && !CreateSheet())
            return;
        const int page = iCurrentSheet - 1;
        PageControl->setCurrentIndex(page); // the sheet the lines go on is the one shown
        DataSheetModel *model = Lines[page];
        const int n = int(std::min<qsizetype>(count, kLinesPerSheet - model->rowCount()));
        try {
            model->appendLines(first, n);
        } catch (const std::bad_alloc &) {
            ShowCodedMessage(this, str::ErrorCaption, kNoMemory);
            return;
        }
        first += n;
        count -= n;
        if (model->rowCount() >= kLinesPerSheet) {
            ++iCurrentSheet;
            CreateSheet();
        }
    }
    // Selecting and scrolling per line would cost more than the line itself when
    // a file loads; once per turn of the event loop shows the same.
    if (!bShowPending) {
        bShowPending = true;
        QMetaObject::invokeMethod(this, &TDataPageListForm::ShowNewestLine, Qt::QueuedConnection);
    }
}

void TDataPageListForm::ShowNewestLine()
{
    bShowPending = false;
    // The newest line is on the current sheet, or on the one before when the
    // current sheet was only just started.
    for (int page = std::min(iCurrentSheet, sheetCount()) - 1; page >= 0; --page) {
        const int rows = Lines[page]->rowCount();
        if (rows == 0)
            continue;
        const QModelIndex last = Lines[page]->index(rows - 1);
        DataLists[page]->setCurrentIndex(last);
        DataLists[page]->scrollTo(last);
        return;
    }
}

void TDataPageListForm::UmListReset()
{
    DataLists.clear();
    Lines.clear();
    while (PageControl->count() > 0) {
        QWidget *sheet = PageControl->widget(PageControl->count() - 1);
        PageControl->removeTab(PageControl->count() - 1);
        delete sheet;
    }
    iCurrentSheet = 1;
    CreateSheet();
}

int TDataPageListForm::lineCount(int sheet) const
{
    return sheet >= 1 && sheet <= sheetCount() ? Lines[sheet - 1]->rowCount() : 0;
}

QString TDataPageListForm::lineText(int sheet, int row) const
{
    if (row < 0 || row >= lineCount(sheet))
        return {};
    return Lines[sheet - 1]->lineText(row);
}

DataSheetView *TDataPageListForm::dataList(int sheet) const
{
    return sheet >= 1 && sheet <= sheetCount() ? DataLists[sheet - 1] : nullptr;
}

} // namespace orvel
