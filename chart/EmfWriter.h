#pragma once
// A paint device that records what is painted on it as an Enhanced Metafile:
// lines, polylines, polygons, rectangles, ellipses and text become EMF records
// together with the pens, brushes, fonts and colours they are drawn with, so
// that other programs open the picture as vector graphics.
//
// One device unit is a hundredth of a millimetre (2540 dots per inch); the
// picture's frame is its size in those units. Clipping, pixmaps and gradients
// are not recorded (the chart uses none of them); a gradient is drawn in its
// first colour.

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

namespace orvel {

class EmfPaintEngine;

class EmfWriter : public QPaintDevice
{
public:
    /// A picture `size` hundredths of a millimetre wide and high (each side at least 1).
    explicit EmfWriter(QSize size);
    ~EmfWriter() override;
    EmfWriter(const EmfWriter &) = delete;
    EmfWriter &operator=(const EmfWriter &) = delete;

    QPaintEngine *paintEngine() const override;

    /// Size in device units (hundredths of a millimetre).
    QSize size() const { return size_; }

    /// The complete file: header, records and the end-of-file record. Valid once a painter
    /// has ended painting on this device; empty before.
    QByteArray data() const;

    /// Device units per inch.
    static constexpr int kDpi = 2540;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    std::unique_ptr<EmfPaintEngine> engine_;
};

} // namespace orvel
