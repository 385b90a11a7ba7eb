#include "export/ExportChoices.h"

#include "base/FloatText.h"
#include "resources/Strings.h"

#include <cmath>

namespace orvel {

namespace {
constexpr int kPixelsCaption = 324;        // "Pixels"
constexpr int kUnitsCaption = 330;         // "Units"
constexpr int kPageOutOfRange = 2062;      // "Page %d does not exist: ..."
constexpr double kBitmapWidth = 1000.0;    // pixels
constexpr double kBitmapHeight = 681.0;    // pixels
constexpr double kMetafileWidth = 10000.0; // hundredths of a millimetre
constexpr double kMetafileHeight = 6810.0;
constexpr qsizetype kShownNameLength = 30;
constexpr qsizetype kShownNameHead = 3;
constexpr qsizetype kShownNameTail = 24;
} // namespace

bool ExportChoices::chooseKind(ExportKind kind)
{
    if (c_.kind == kind)
        return false;
    applyKind(kind);
    return true;
}

bool ExportChoices::chooseDestination(ExportDestination destination)
{
    if (c_.destination == destination)
        return false;
    applyDestination(destination);
    return true;
}

bool ExportChoices::chooseScope(PageScope scope)
{
    if (c_.scope == scope)
        return false;
    applyScope(scope);
    return true;
}

bool ExportChoices::chooseUnit(SizeUnit unit)
{
    if (c_.unit == unit)
        return false;
    // The boxes follow from the stored size; nothing else changes.
    c_.unit = unit;
    return true;
}

void ExportChoices::applyKind(ExportKind kind)
{
    c_.kind = kind;
    if (kind == ExportKind::Text) {
        c_.clipBoardEnabled = false;
        c_.printerEnabled = false;
        c_.fileEnabled = true;
        applyDestination(ExportDestination::File);
        c_.sizeVisible = false;
        return;
    }
    c_.clipBoardEnabled = c_.fileEnabled = c_.printerEnabled = true;
    applyDestination(ExportDestination::ClipBoard);
    c_.pixelsCaptionId = kPixelsCaption;
    if (kind == ExportKind::BitMap) {
        c_.unitCaptionId = kPixelsCaption;
        c_.pixelsEnabled = true;
        c_.millimetersEnabled = c_.inchesEnabled = c_.pointsEnabled = false;
        c_.width = kBitmapWidth;
        c_.height = kBitmapHeight;
        c_.unit = SizeUnit::Pixels;
    } else {
        c_.unitCaptionId = kUnitsCaption;
        c_.pixelsEnabled = false;
        c_.millimetersEnabled = c_.inchesEnabled = c_.pointsEnabled = true;
        c_.width = kMetafileWidth;
        c_.height = kMetafileHeight;
        c_.unit = SizeUnit::Millimeters;
    }
    c_.sizeVisible = true;
}

void ExportChoices::applyDestination(ExportDestination destination)
{
    c_.destination = destination;
    const bool picture = c_.kind != ExportKind::Text;
    switch (destination) {
    case ExportDestination::ClipBoard:
        c_.fileName.clear();
        c_.browseEnabled = false;
        if (picture) {
            c_.pageAllEnabled = c_.pageEnabled = false;
            c_.thisPageEnabled = true;
            applyScope(PageScope::ThisPage);
        }
        break;
    case ExportDestination::File:
        c_.fileName.clear();
        c_.browseEnabled = true;
        c_.thisPageEnabled = true;
        applyScope(PageScope::ThisPage);
        c_.pageAllEnabled = c_.pageEnabled = !picture;
        break;
    case ExportDestination::Printer:
        c_.browseEnabled = false;
        if (owner_ == ExportOwner::Recorder) {
            c_.pageAllEnabled = c_.thisPageEnabled = c_.pageEnabled = true;
        } else {
            c_.pageAllEnabled = c_.pageEnabled = false;
            c_.thisPageEnabled = true;
            applyScope(PageScope::ThisPage);
        }
        break;
    }
}

void ExportChoices::applyScope(PageScope scope)
{
    c_.scope = scope;
    c_.rangeEnabled = scope == PageScope::Page;
}

QString ExportChoices::widthText() const
{
    return sizeText(c_.width, c_.unit.value_or(SizeUnit::Pixels));
}

QString ExportChoices::heightText() const
{
    return sizeText(c_.height, c_.unit.value_or(SizeUnit::Pixels));
}

bool ExportChoices::setWidthText(const QString &text)
{
    const auto v = storedSize(text, c_.kind.value_or(ExportKind::BitMap), c_.unit.value_or(SizeUnit::Pixels));
    if (v)
        c_.width = *v;
    return v.has_value();
}

bool ExportChoices::setHeightText(const QString &text)
{
    const auto v = storedSize(text, c_.kind.value_or(ExportKind::BitMap), c_.unit.value_or(SizeUnit::Pixels));
    if (v)
        c_.height = *v;
    return v.has_value();
}

QString sizeText(double stored, SizeUnit unit)
{
    switch (unit) {
    case SizeUnit::Millimeters: return floatToText(stored * 0.01);
    case SizeUnit::Inches: return floatToText(stored * (1.0 / 2540.0));
    case SizeUnit::Pixels:
    case SizeUnit::Points: break;
    }
    return floatToText(stored);
}

std::optional<double> storedSize(const QString &text, ExportKind kind, SizeUnit unit)
{
    const std::optional<double> typed = textToFloat(text);
    if (!typed)
        return std::nullopt;
    double stored = *typed;
    if (kind != ExportKind::BitMap) {
        if (unit == SizeUnit::Millimeters)
            stored *= 100.0;
        else if (unit == SizeUnit::Inches)
            stored *= 2540.0;
    }
    const double largest = kind == ExportKind::BitMap ? kMaxExportPixels : kMaxExportUnits;
    // The chart takes whole units: a size must keep at least one after the fraction is cut.
    if (!(std::trunc(stored) >= 1.0) || stored > largest)
        return std::nullopt;
    return stored;
}

QString shownFileName(const QString &name)
{
    if (name.size() <= kShownNameLength)
        return name;
    return name.left(kShownNameHead) + QStringLiteral("...") + name.right(kShownNameTail);
}

PageSpan pageSpan(PageScope scope, const QString &fromText, const QString &toText, int shownPage, int lastPage)
{
    PageSpan span;
    switch (scope) {
    case PageScope::ThisPage: span.from = span.to = shownPage; return span;
    case PageScope::AllPages:
        span.from = 1;
        span.to = lastPage;
        return span;
    case PageScope::Page: break;
    }
    for (const QString *text : {&fromText, &toText}) {
        const std::optional<int> page = textToInt(*text);
        if (!page) {
            span.errorId = str::NotAnInteger;
            span.error = LoadStrArg(str::NotAnInteger, *text);
            return span;
        }
        if (*page < 1 || *page > lastPage) {
            span.errorId = kPageOutOfRange;
            span.error = LoadStrFmt(kPageOutOfRange, *page, lastPage);
            return span;
        }
        (text == &fromText ? span.from : span.to) = *page;
    }
    return span;
}

} // namespace orvel
