#include "views/MeterLayout.h"

#include "meter/Getunitfuncstr.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(PanelFont, FollowsThePanelWidth)
{
    EXPECT_EQ(panelFontPoints(153, 96, kDataFontFactor), 27); // the design width of the number panel
    EXPECT_EQ(panelFontPoints(60, 96, kFuncFontFactor), 27);
    EXPECT_EQ(panelFontPoints(60, 96, kAcDcFontFactor), 12);
    EXPECT_EQ(panelFontPoints(300, 96, kSubDataFontFactor), 34);
    EXPECT_EQ(panelFontPoints(153, 120, kDataFontFactor), 21) << "a denser screen gets smaller points";
    EXPECT_EQ(panelFontPoints(5, 96, kDataFontFactor), 1) << "never below one point";
}

TEST(DigitalMeterLayout, UnitPanelsAreAFifthEachAtTheRight)
{
    const DigitalMeterLayout l = digitalMeterLayout(300, 120, 2);
    EXPECT_EQ(l.funcPanel, QRect(238, 2, 60, 116));
    EXPECT_EQ(l.unitPanel, QRect(178, 2, 60, 116));
    EXPECT_EQ(l.dataPanel, QRect(2, 2, 176, 116));
    EXPECT_EQ(l.subDataPanel.width(), 300);
    EXPECT_EQ(l.subDataPanel.height(), 30);
    EXPECT_EQ(l.subDataPanel.bottom(), l.dataPanel.height() - 1) << "at the bottom of the number panel";
}

TEST(DigitalMeterLayout, AcDcMarkAndTheUnitFontOfAReading)
{
    EXPECT_EQ(acDcMarkRect(QSize(60, 116)), QRect(0, 0, 60, 29));
    EXPECT_EQ(tickUnitFontPoints(60), 30);
    EXPECT_EQ(tickUnitFontPoints(1), 1) << "never below one point";
}

TEST(SymbolFace, DrawsTheLettersItStandsFor)
{
    EXPECT_EQ(symbolFaceText("W"), QString::fromUtf8("Ω"));
    EXPECT_EQ(symbolFaceText("m"), QString::fromUtf8("μ"));
    EXPECT_EQ(symbolFaceText("KW"), QString::fromUtf8("ΚΩ"));
    EXPECT_EQ(symbolFaceText("1.5"), "1.5") << "digits and points stay";
    EXPECT_EQ(labelText("W", LabelFace::Arial), "W");
    EXPECT_EQ(labelText("W", LabelFace::Symbol), QString::fromUtf8("Ω"));
}

} // namespace
} // namespace orvel
