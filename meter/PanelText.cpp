#include "meter/PanelText.h"

#include <QEvent>
#include <QLabel>

#include <cmath>

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
    if (colour.isValid())
        setTextColour(l, colour);
    return l;
}

namespace {
double relativeLuminance(const QColor &c)
{
    auto channel = [](float v) { return v <= 0.04045f ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

const char *const kTextColourProperty = "textColour";

// Keeps a label's text colour in the shade its background asks for.
class TextShade : public QObject
{
public:
    explicit TextShade(QLabel *label)
        : QObject(label)
    {
        label->installEventFilter(this);
    }

    static void apply(QLabel *label)
    {
        const QColor colour = label->property(kTextColourProperty).value<QColor>();
        QPalette pal = label->palette();
        const QColor shade = shadeOn(colour, pal.color(label->backgroundRole()));
        if (pal.color(QPalette::WindowText) == shade && pal.isBrushSet(QPalette::Active, QPalette::WindowText))
            return;
        pal.setColor(QPalette::WindowText, shade);
        label->setPalette(pal);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange)
            apply(static_cast<QLabel *>(watched));
        return false;
    }
};
} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor shadeOn(const QColor &colour, const QColor &background)
{
    // Light is where black text reads better than white.
    if (contrastRatio(background, Qt::black) >= contrastRatio(background, Qt::white))
        return colour;
    const QColor hsl = colour.toHsl();
    QColor shade = colour;
    for (float lightness = hsl.lightnessF(); lightness <= 1.0f && contrastRatio(shade, background) < kReadableContrast;
         lightness += 0.01f)
        shade =
            QColor::fromHslF(std::max(hsl.hslHueF(), 0.0f), hsl.hslSaturationF(), std::min(lightness, 1.0f)).toRgb();
    return shade;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    if (!label->property(kTextColourProperty).isValid())
        new TextShade(label);
    label->setProperty(kTextColourProperty, colour);
    TextShade::apply(label);
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
