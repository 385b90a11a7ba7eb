#include "views/PanelText.h"

#include <QLabel>

namespace orvel {

QString faceName(LabelFace face)
{
    return face == LabelFace::Symbol ? QStringLiteral("Symbol") : QStringLiteral("Arial");
}

void setLcdColours(QWidget *widget)
{
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0x00));
    widget->setPalette(pal);
}

QLabel *lcdPanel(QWidget *parent, const char *name, int pixelHeight, Qt::Alignment align)
{
    auto *p = new QLabel(parent);
    p->setObjectName(QLatin1String(name));
    setLcdColours(p);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelHeight);
    p->setFont(f);
    p->setAlignment(align);
    return p;
}

void showLabel(QLabel *panel, const QString &text, LabelFace face, LabelAlign align)
{
    panel->setProperty("face", faceName(face));
    QFont font = panel->font();
    font.setFamily(QStringLiteral("Arial")); // the symbol letters are mapped, any face draws them
    panel->setFont(font);
    Qt::Alignment a = Qt::AlignVCenter;
    switch (align) {
    case LabelAlign::Left: a |= Qt::AlignLeft; break;
    case LabelAlign::Right: a |= Qt::AlignRight; break;
    case LabelAlign::Center: a |= Qt::AlignHCenter; break;
    }
    panel->setAlignment(a);
    panel->setText(labelText(text, face));
}

} // namespace orvel
