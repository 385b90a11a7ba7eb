#include "views/DataSheetView.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QStyledItemDelegate>

#include <algorithm>

namespace orvel {

namespace {

/// Paints a line as the standard delegate does (the style's item panel, the
/// text with the style's margins, a focus frame), but the text as one plain
/// run at its base line, without laying it out as a paragraph first; a line
/// too long for the window is cut at its edge.
class DataLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QWidget *widget = o.widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &o, painter, widget);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect text = o.rect.adjusted(margin, 0, -margin, 0); // a line has no icon and no check box
        const QPalette::ColorGroup group = !(o.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (o.state & QStyle::State_Active) ? QPalette::Normal
                                                                              : QPalette::Inactive;
        painter->save();
        painter->setClipRect(text, Qt::IntersectClip);
        painter->setFont(o.font);
        painter->setPen(
            o.palette.color(group, o.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        const QFontMetrics &fm = o.fontMetrics;
        painter->drawText(QPoint(text.left(), text.top() + (text.height() - fm.height()) / 2 + fm.ascent()), o.text);
        painter->restore();
        if (o.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(o);
            focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &o, widget);
            focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
            focus.backgroundColor =
                o.palette.color(group, o.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
        }
    }
};

/// A scroll bar that repaints only when what it shows changes: a sheet of
/// thousands of lines grows by one and scrolls to it with every reading, which
/// moves the handle by a pixel only every so many lines. The range grows
/// before the value follows it, so what it shows is judged once both are set,
/// in the same turn of the event loop, before the window is painted.
class SteadyScrollBar : public QScrollBar
{
public:
    using QScrollBar::QScrollBar;

protected:
    void sliderChange(SliderChange change) override
    {
        if ((change != SliderRangeChange && change != SliderValueChange) || isSliderDown()) {
            QScrollBar::sliderChange(change);
            return;
        }
        if (checkQueued_)
            return;
        checkQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                checkQueued_ = false;
                if (look() != painted_)
                    QScrollBar::sliderChange(SliderValueChange);
            },
            Qt::QueuedConnection);
    }

    void paintEvent(QPaintEvent *event) override
    {
        painted_ = look();
        QScrollBar::paintEvent(event);
    }

private:
    /// What a painting shows: the handle, and whether an arrow is at its end.
    struct Look
    {
        QRect handle;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look &) const = default;
    };

    Look look() const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
                value() == minimum(), value() == maximum()};
    }

    Look painted_;
    bool checkQueued_ = false;
};

} // namespace

DataSheetView::DataSheetView(QWidget *parent)
    : QAbstractItemView(parent)
{
    setVerticalScrollBar(new SteadyScrollBar(Qt::Vertical, this));
    setItemDelegate(new DataLineDelegate(this));
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // a line too long for the window is cut short
    setSelectionBehavior(SelectRows);
}

int DataSheetView::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int DataSheetView::lineHeight() const
{
    if (lineHeight_ > 0)
        return lineHeight_;
    if (rowCount() == 0 || !itemDelegate())
        return fontMetrics().height() + 2; // until there is a line to measure
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex first = model()->index(0, 0, rootIndex());
    lineHeight_ = std::max(1, itemDelegate()->sizeHint(option, first).height());
    return lineHeight_;
}

int DataSheetView::rowAt(int y) const
{
    const int content = y + verticalOffset();
    if (content < 0)
        return -1;
    const int row = content / lineHeight();
    return row < rowCount() ? row : -1;
}

QRect DataSheetView::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.parent() != rootIndex())
        return {};
    const int h = lineHeight();
    return {0, index.row() * h - verticalOffset(), viewport()->width(), h};
}

QModelIndex DataSheetView::indexAt(const QPoint &point) const
{
    const int row = rowAt(point.y());
    return row >= 0 && point.x() >= 0 && point.x() < viewport()->width() ? model()->index(row, 0, rootIndex())
                                                                         : QModelIndex();
}

void DataSheetView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int h = lineHeight();
    const int top = index.row() * h;
    const int height = viewport()->height();
    QScrollBar *bar = verticalScrollBar();
    int value = bar->value();
    switch (hint) {
    case EnsureVisible:
        if (top < value)
            value = top;
        else if (top + h > value + height)
            value = top + h - height;
        break;
    case PositionAtTop: value = top; break;
    case PositionAtBottom: value = top + h - height; break;
    case PositionAtCenter: value = top - (height - h) / 2; break;
    }
    bar->setValue(value);
}

QModelIndex DataSheetView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int count = rowCount();
    if (count == 0)
        return {};
    const int page = std::max(1, viewport()->height() / lineHeight());
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : 0;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious: --row; break;
    case MoveDown:
    case MoveNext: ++row; break;
    case MovePageUp: row -= page; break;
    case MovePageDown: row += page; break;
    case MoveHome: row = 0; break;
    case MoveEnd: row = count - 1; break;
    case MoveLeft:
    case MoveRight: break;
    }
    return model()->index(std::clamp(row, 0, count - 1), 0, rootIndex());
}

int DataSheetView::horizontalOffset() const
{
    return 0;
}

int DataSheetView::verticalOffset() const
{
    return verticalScrollBar()->value();
}

bool DataSheetView::isIndexHidden(const QModelIndex &) const
{
    return false;
}

void DataSheetView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    const int count = rowCount();
    if (count == 0 || !selectionModel())
        return;
    const int h = lineHeight();
    const int first = std::clamp((rect.top() + verticalOffset()) / h, 0, count - 1);
    const int last = std::clamp((rect.bottom() + verticalOffset()) / h, 0, count - 1);
    const QItemSelection selection(model()->index(std::min(first, last), 0, rootIndex()),
                                   model()->index(std::max(first, last), 0, rootIndex()));
    selectionModel()->select(selection, command);
}

QRegion DataSheetView::visualRegionForSelection(const QItemSelection &selection) const
{
    QRegion region;
    for (const QItemSelectionRange &range : selection) {
        if (!range.isValid() || range.parent() != rootIndex())
            continue;
        const QRect top = visualRect(model()->index(range.top(), 0, rootIndex()));
        const QRect bottom = visualRect(model()->index(range.bottom(), 0, rootIndex()));
        region += top.united(bottom).intersected(viewport()->rect());
    }
    return region;
}

void DataSheetView::paintEvent(QPaintEvent *event)
{
    const int count = rowCount();
    if (count == 0)
        return;
    QPainter painter(viewport());
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const QRect area = event->rect();
    const int h = lineHeight();
    const int first = std::max(0, (area.top() + verticalOffset()) / h);
    const int last = std::min(count - 1, (area.bottom() + verticalOffset()) / h);
    const QModelIndex current = currentIndex();
    const bool focus = hasFocus() && current.isValid();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        QStyleOptionViewItem option = base;
        option.rect = visualRect(index);
        if (selectionModel() && selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (focus && index == current)
            option.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

void DataSheetView::scrollContentsBy(int dx, int dy)
{
    // The lines on screen move by their pixels; only what comes into view is painted.
    viewport()->scroll(dx, dy);
}

void DataSheetView::updateGeometries()
{
    const int h = lineHeight();
    QScrollBar *bar = verticalScrollBar();
    bar->setSingleStep(h);
    bar->setPageStep(viewport()->height());
    bar->setRange(0, std::max(0, rowCount() * h - viewport()->height()));
    QAbstractItemView::updateGeometries();
}

void DataSheetView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end);
    if (parent != rootIndex())
        return;
    // A sheet showing its last line goes on showing it, scrolled in the same
    // step as it grows (its scroll bar sees the range and the value together).
    QScrollBar *bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    updateGeometries();
    if (atEnd)
        bar->setValue(bar->maximum());
    // Lines below the new ones move down (lines are only ever added at the end, where there are none).
    const QRect from = visualRect(model()->index(start, 0, rootIndex()));
    viewport()->update(QRect(0, from.top(), viewport()->width(), viewport()->height() - from.top()));
}

} // namespace orvel
