#pragma once
// The data list: every stored reading as one line of text.
//
// The lines are spread over sheets of kLinesPerSheet lines. A sheet is a list
// view over a small model that knows only which buffer entries its lines show;
// a line's text is made from ReadingBuffer when the view paints it, so a
// million readings cost no million strings.

#include "recorder/Marks.h"
#include "recorder/WindowContext.h"
#include "views/DataListLine.h"
#include "views/DataSheetView.h"

#include <QAbstractListModel>
#include <QList>
#include <QWidget>

class QTabWidget;

namespace orvel {

/// The lines of one sheet, made on demand from the reading buffer.
class DataSheetModel : public QAbstractListModel
{
    Q_OBJECT

public:
    DataSheetModel(const ReadingBuffer &buffer, const MarkList &marks, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    /// Adds lines for buffer entries first .. first + count − 1 at once; throws std::bad_alloc.
    void appendLines(qsizetype first, int count);
    /// Text of line `row`; empty when the entry has left the buffer. A marked
    /// reading's line ends in its marks' texts (and is shown in bold).
    QString lineText(int row) const;

private:
    const ReadingBuffer &buffer_;
    const MarkList &marks_;
    LineIndexRuns lines_;
};

class TDataPageListForm : public QWidget
{
    Q_OBJECT

public:
    explicit TDataPageListForm(const WindowContext &context, QWidget *parent = nullptr);

    QTabWidget *PageControl = nullptr;

    int sheetCount() const { return int(DataLists.size()); }
    /// 1-based number of the sheet that receives new lines.
    int currentSheet() const { return iCurrentSheet; }
    /// Lines on sheet `sheet` (1-based); 0 for a sheet that does not exist.
    int lineCount(int sheet) const;
    /// Text of line `row` (0-based) of sheet `sheet` (1-based); empty when there is none.
    QString lineText(int sheet, int row) const;
    /// The list view of sheet `sheet` (1-based), or null.
    DataSheetView *dataList(int sheet) const;

    /// UM_LIST_ADD: lists buffer entry `index` on the current sheet.
    void UmListAdd(int index);
    /// UM_LIST_RESET: drops every sheet and starts again with an empty Sheet1.
    void UmListReset();
    /// Lists buffer entries first .. first + count − 1 as UM_LIST_ADD would one by
    /// one, with the same sheets, in one go (a file that was loaded).
    void addLines(qsizetype first, qsizetype count);

protected:
    void customEvent(QEvent *event) override;

private:
    const WindowContext Context;

    /// Creates sheet iCurrentSheet and makes it the visible page; false (after
    /// telling the user) when memory ran out.
    bool CreateSheet();
    /// Selects and shows the newest line; runs once per turn of the event loop.
    void ShowNewestLine();

    QList<DataSheetView *> DataLists; ///< one list view per sheet, in order
    QList<DataSheetModel *> Lines;    ///< the model behind each list view
    int iCurrentSheet = 1;            ///< 1-based number of the sheet that receives new lines
    bool bShowPending = false;        ///< ShowNewestLine is queued
};

extern TDataPageListForm *DataPageListForm;

} // namespace orvel
