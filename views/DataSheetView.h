#pragma once
// The view of one data list sheet: a column of text lines, all of one height,
// of which only those on screen are ever looked at. A line added at the end
// costs the same however many the sheet holds: nothing is laid out again, the
// lines on screen move up by copying their pixels, and only the new line and
// the one whose selection changed are painted.

#include <QAbstractItemView>

namespace orvel {

class DataSheetView : public QAbstractItemView
{
    Q_OBJECT

public:
    explicit DataSheetView(QWidget *parent = nullptr);

    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;

    /// Height of every line, pixels.
    int lineHeight() const;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &index) const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;

    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void rowsInserted(const QModelIndex &parent, int start, int end) override;

private:
    int rowCount() const;
    /// The line at viewport height `y`, or −1 below the last one.
    int rowAt(int y) const;

    mutable int lineHeight_ = 0; ///< measured once, from the first line's size
};

} // namespace orvel
