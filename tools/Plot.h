#pragma once
// orvel-cli plot: a logger data file drawn as the graph viewer shows it, or
// pages of it as the recorder shows them, into a picture.

#include "tools/Convert.h"

#include <QSize>
#include <QString>

#include <cstdio>
#include <optional>

namespace orvel::cli {

inline constexpr int kNotAPicture = 2500; ///< "orvel-cli: %s: a picture's name ends in .png, .svg or .pdf"

struct PlotOptions
{
    QString in;                      ///< the logger data file
    std::optional<PageSpan> pages;   ///< pages as the recorder shows them; none: the whole recording
    QString out;                     ///< the picture: ".png", ".svg" or ".pdf"
    QSize pixels = QSize(1280, 800); ///< a chart's size (96 dots per inch for SVG and PDF)
};

/// Whether `out` names a picture plot writes (by its extension, in any letter case).
bool isPlotPicture(const QString &out);

/// Reads the file a block at a time (its Y range needs every reading), then
/// paints the viewer's chart of it — every reading, or from 8192 readings on
/// the viewer's reduction — or each page FROM..TO as the recorder shows it,
/// with the marks of its marks file, through the chart's one painting routine,
/// without the cursor. Pages go one under another in a PNG or SVG picture, a
/// page each in a PDF. The picture is written whole or not at all. A file that
/// cannot be read, a page outside the file or a picture that cannot be written:
/// a message on `err` and status 1; a name that is no picture's, status 2. Needs a QGuiApplication (the offscreen
/// platform will do).
int plot(const PlotOptions &options, std::FILE *err = stderr);

} // namespace orvel::cli
