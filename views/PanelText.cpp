#include "views/PanelText.h"

#include <QLabel>

namespace orvel {

QString faceName(LabelFace face)
{
    return face == LabelFace::Symbol ? QStringLiteral("Symbol") : QStringLiteral("Arial");
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
