#include "meter/Getunitfuncstr.h"

#include "base/FloatText.h"
#include "meter/FrameDecoder.h"

namespace orvel {

int GetRangePrefixExp(int iFunction, const QString &sExponent)
{
    const int e = textToInt(sExponent).value_or(0);
    switch (iFunction) {
    case fn::VoltAC:
    case fn::VoltDC:
    case fn::VoltDCAC: return (e == -2 || e == -1) ? -3 : 0;
    case fn::Capacitance: // the exponent counts in microfarads
        if (e >= -3 && e <= -1)
            return -9;
        if (e >= 0 && e <= 3)
            return -6;
        return 0;
    case fn::Ohm:
    case fn::OhmFlag8:
    case fn::Frequency: return (e / 3) * 3;
    case fn::AmpAC:
    case fn::AmpDC:
    case fn::AmpDCAC:
        if (e == -4 || e == -3)
            return -6;
        if (e == -2 || e == -1)
            return -3;
        return 0;
    case fn::VoltAmp: return (e >= 4 && e <= 6) ? 3 : 0;
    default: return 0;
    }
}

QString GetPrefixLabel(int, int iPrefixExp)
{
    switch (iPrefixExp) {
    case -9: return QStringLiteral("n");
    case -6: return QStringLiteral("u");
    case -3: return QStringLiteral("m");
    case 3: return QStringLiteral("K");
    case 6: return QStringLiteral("M");
    default: return {};
    }
}

QString GetUnitLabel(std::uint32_t dwMode)
{
    switch (functionOf(dwMode)) {
    case fn::Volt:
    case fn::VoltAC:
    case fn::VoltDC:
    case fn::VoltDCAC: return QStringLiteral("V");
    case fn::Capacitance: return QStringLiteral("F");
    case fn::Celsius: return QStringLiteral("C");
    case fn::Fahrenheit: return QStringLiteral("F");
    case fn::Ohm:
    case fn::OhmFlag8: return QStringLiteral("W");
    case fn::AmpAC:
    case fn::AmpDC:
    case fn::AmpDCAC: return QStringLiteral("A");
    case fn::VoltAmp: return QStringLiteral("VA");
    case fn::Frequency: return QStringLiteral("Hz");
    default: return {};
    }
}

LabelStyle labelStyleFor(int iFunction)
{
    LabelStyle style;
    if (iFunction == fn::Celsius || iFunction == fn::Fahrenheit) {
        style.prefixFace = LabelFace::Symbol;
        style.prefixAlign = LabelAlign::Right;
        style.unitAlign = LabelAlign::Left;
    } else if (isResistance(iFunction)) {
        style.unitFace = LabelFace::Symbol;
    }
    return style;
}

QString symbolFaceText(const QString &text)
{
    // The symbol face's Greek letters in the places of A..Z and a..z.
    static const char16_t upper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
    static const char16_t lower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
    QString out = text;
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if (u >= 'A' && u <= 'Z')
            c = QChar(upper[u - 'A']);
        else if (u >= 'a' && u <= 'z')
            c = QChar(lower[u - 'a']);
    }
    return out;
}

QString labelText(const QString &text, LabelFace face)
{
    return face == LabelFace::Symbol ? symbolFaceText(text) : text;
}

} // namespace orvel
