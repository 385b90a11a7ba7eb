#include "chart/ChartPrint.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>

namespace orvel {

QRectF printTarget(const QRectF &page)
{
    QRectF target = page;
    target.setHeight(std::min(page.height(), page.width() * 0.75));
    return target;
}

namespace {

void paintOnPage(QPainter &painter, QPrinter &printer, const ChartModel &model, const ChartStyle &style)
{
    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    paintChart(painter, printTarget(page), model, style);
}

} // namespace

ChartPrintJob::ChartPrintJob(QPrinter &printer)
    : printer_(printer)
    , target_(printer.outputFileName())
{}

ChartPrintJob::~ChartPrintJob()
{
    finish();
}

bool ChartPrintJob::addPage(const ChartModel &model, const ChartStyle &style)
{
    if (failed_ || finished_)
        return false;
    if (!toFile()) {
        // A printer: every page is a print-out of its own.
        if (!printChart(printer_, model, style))
            failed_ = true;
        return !failed_;
    }
    if (painter_) {
        if (!printer_.newPage()) {
            failed_ = true;
            return false;
        }
    } else {
        // Written beside the target under a name of its own, renamed over it at the end.
        QTemporaryFile part(target_ + QStringLiteral(".XXXXXX"));
        part.setAutoRemove(false);
        if (!part.open()) {
            failed_ = true;
            return false;
        }
        part_ = part.fileName();
        // A print-out file is readable like any other the printer makes.
        part.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                            QFileDevice::ReadOther);
        part.close();
        printer_.setOutputFileName(part_);
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&printer_)) {
            failed_ = true;
            return false;
        }
    }
    paintOnPage(*painter_, printer_, model, style);
    return true;
}

bool ChartPrintJob::finish()
{
    if (finished_)
        return !failed_;
    finished_ = true;
    if (painter_ && painter_->isActive() && !painter_->end())
        failed_ = true;
    painter_.reset();
    if (toFile()) {
        printer_.setOutputFileName(target_);
        if (!part_.isEmpty()) {
            // rename() replaces the target in one step.
            if (failed_ ||
                std::rename(QFile::encodeName(part_).constData(), QFile::encodeName(target_).constData()) != 0) {
                failed_ = true;
                QFile::remove(part_);
            }
        }
    }
    return !failed_;
}

bool printChart(QPrinter &printer, const ChartModel &model, const ChartStyle &style)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    paintOnPage(painter, printer, model, style);
    return painter.end();
}

} // namespace orvel
