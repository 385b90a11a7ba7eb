#include "meter/PanelText.h"

#include <QLabel>

namespace orvel {

QString faceName(LabelFace face)
{
    return face == LabelFace::Symbol ? QStringLiteral("Symbol") : QStringLiteral("Arial");
}

namespace {
void setPanelColours(QWidget *widget, const QColor &colour)
{
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, colour);
    widget->setPalette(pal);
}
} // namespace

void setLcdColours(QWidget *widget)
{
    setPanelColours(widget, kLime);
}

QLabel *blackPanel(QWidget *parent, const char *name, const QColor &colour, int pixelHeight, Qt::Alignment align,
                   const QString &face, PanelEdge edge)
{
    auto *p = new QLabel(parent);
    p->setObjectName(QLatin1String(name));
    p->setTextFormat(Qt::PlainText);
    setPanelColours(p, colour);
    QFont f(face);
    f.setPixelSize(pixelHeight);
    p->setFont(f);
    p->setAlignment(align);
    if (edge == PanelEdge::Sunken)
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return p;
}

QLabel *colouredCaption(QWidget *parent, const QString &text, const QColor &colour)
{
    auto *l = new QLabel(text, parent);
    if (colour.isValid()) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, colour);
        l->setPalette(pal);
    }
    return l;
}

void showLabel(QLabel *panel, const QString &text, LabelFace face, LabelAlign align)
{
    // Only what changes is set: each setting repaints the panel, and the
    // recorder shows a reading's labels again with every reading stored.
    panel->setProperty("face", faceName(face));
    QFont font = panel->font();
    font.setFamily(QStringLiteral("Arial")); // the symbol letters are mapped, any face draws them
    if (font != panel->font())
        panel->setFont(font);
    Qt::Alignment a = Qt::AlignVCenter;
    switch (align) {
    case LabelAlign::Left: a |= Qt::AlignLeft; break;
    case LabelAlign::Right: a |= Qt::AlignRight; break;
    case LabelAlign::Center: a |= Qt::AlignHCenter; break;
    }
    if (a != panel->alignment())
        panel->setAlignment(a);
    panel->setText(labelText(text, face));
}

} // namespace orvel
