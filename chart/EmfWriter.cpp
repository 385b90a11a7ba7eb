#include "chart/EmfWriter.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextItem>
#include <QTransform>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

namespace orvel {

namespace {

// Record types.
constexpr quint32 EMR_HEADER = 1;
constexpr quint32 EMR_POLYGON = 3;
constexpr quint32 EMR_POLYLINE = 4;
constexpr quint32 EMR_EOF = 14;
constexpr quint32 EMR_SETMAPMODE = 17;
constexpr quint32 EMR_SETBKMODE = 18;
constexpr quint32 EMR_SETPOLYFILLMODE = 19;
constexpr quint32 EMR_SETTEXTALIGN = 22;
constexpr quint32 EMR_SETTEXTCOLOR = 24;
constexpr quint32 EMR_SELECTOBJECT = 37;
constexpr quint32 EMR_CREATEPEN = 38;
constexpr quint32 EMR_CREATEBRUSHINDIRECT = 39;
constexpr quint32 EMR_DELETEOBJECT = 40;
constexpr quint32 EMR_ELLIPSE = 42;
constexpr quint32 EMR_RECTANGLE = 43;
constexpr quint32 EMR_EXTCREATEFONTINDIRECTW = 82;
constexpr quint32 EMR_EXTTEXTOUTW = 84;
constexpr quint32 EMR_POLYGON16 = 86;
constexpr quint32 EMR_POLYLINE16 = 87;
constexpr quint32 EMR_EXTCREATEPEN = 95;

constexpr quint32 kSignature = 0x464D4520; // " EMF"
constexpr quint32 kVersion = 0x00010000;
constexpr quint32 kHeaderSize = 108; // with both header extensions
constexpr quint32 kEofSize = 20;

// Stock objects.
constexpr quint32 NULL_BRUSH = 0x80000005;
constexpr quint32 BLACK_PEN = 0x80000007;
constexpr quint32 NULL_PEN = 0x80000008;
constexpr quint32 WHITE_BRUSH = 0x80000000;
constexpr quint32 SYSTEM_FONT = 0x8000000D;

// Pen, brush and text constants.
constexpr quint32 PS_SOLID = 0;
constexpr quint32 PS_DASH = 1;
constexpr quint32 PS_DOT = 2;
constexpr quint32 PS_DASHDOT = 3;
constexpr quint32 PS_DASHDOTDOT = 4;
constexpr quint32 PS_ENDCAP_FLAT = 0x200;
constexpr quint32 PS_GEOMETRIC = 0x10000;
constexpr quint32 BS_SOLID = 0;
constexpr quint32 MM_TEXT = 1;
constexpr quint32 TRANSPARENT = 1;
constexpr quint32 TA_BASELINE = 24;
constexpr quint32 ALTERNATE = 1;
constexpr quint32 WINDING = 2;
constexpr quint32 GM_COMPATIBLE = 1;
constexpr quint8 DEFAULT_CHARSET = 1;
constexpr int kLogFontPanoseSize = 320;
constexpr int kFaceNameChars = 32;

// Object table: two slots each, so that a new object is selected before the old one is deleted.
constexpr quint32 kPenSlots[2] = {1, 2};
constexpr quint32 kBrushSlots[2] = {3, 4};
constexpr quint32 kFontSlots[2] = {5, 6};
constexpr quint16 kHandles = 7; // slots 1..6 and the reserved 0

quint32 colorRef(const QColor &c)
{
    return static_cast<quint32>(c.red()) | static_cast<quint32>(c.green()) << 8 | static_cast<quint32>(c.blue()) << 16;
}

qint32 toDevice(double v)
{
    const double r = std::round(v);
    return static_cast<qint32>(std::clamp(r, -2.0e9, 2.0e9));
}

/// Little-endian records, each padded to a multiple of four bytes with its size filled in.
class RecordStream
{
public:
    void begin(quint32 type)
    {
        start_ = bytes.size();
        u32(type);
        u32(0);
    }
    void end()
    {
        while (bytes.size() % 4 != 0)
            bytes.append('\0');
        const quint32 size = static_cast<quint32>(bytes.size() - start_);
        qToLittleEndian(size, bytes.data() + start_ + 4);
        ++count;
    }
    void u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        bytes.append(b, 4);
    }
    void i32(qint32 v) { u32(static_cast<quint32>(v)); }
    void u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        bytes.append(b, 2);
    }
    void i16(qint16 v) { u16(static_cast<quint16>(v)); }
    void u8(quint8 v) { bytes.append(static_cast<char>(v)); }
    void f32(float v)
    {
        quint32 bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        u32(bits);
    }
    void rect(const QRect &r) // RECTL, inclusive right and bottom
    {
        i32(r.left());
        i32(r.top());
        i32(r.right());
        i32(r.bottom());
    }
    void zeros(int n) { bytes.append(QByteArray(n, '\0')); }
    qsizetype offsetInRecord() const { return bytes.size() - start_; }

    QByteArray bytes;
    quint32 count = 0;

private:
    qsizetype start_ = 0;
};

struct PenKey
{
    bool null = true;
    quint32 style = PS_SOLID;
    qint32 width = 0;
    quint32 color = 0;
    bool operator==(const PenKey &) const = default;
};

struct BrushKey
{
    bool null = true;
    quint32 color = 0;
    bool operator==(const BrushKey &) const = default;
};

struct FontKey
{
    QString family;
    qint32 height = 0;
    qint32 weight = 400;
    bool italic = false;
    bool underline = false;
    qint32 escapement = 0;
    bool operator==(const FontKey &) const = default;
};

} // namespace

class EmfPaintEngine final : public QPaintEngine
{
public:
    explicit EmfPaintEngine(QSize size)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , size_(size)
    {}

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;

    bool begin(QPaintDevice *) override
    {
        out_ = RecordStream();
        file_.clear();
        bounds_.reset();
        pen_ = QPen();
        brush_ = QBrush();
        transform_ = QTransform();
        emittedPen_.reset();
        emittedBrush_.reset();
        emittedFont_.reset();
        textColor_.reset();
        fillMode_.reset();
        penSlot_ = brushSlot_ = fontSlot_ = -1;

        record(EMR_SETMAPMODE, {MM_TEXT});
        record(EMR_SETBKMODE, {TRANSPARENT});
        record(EMR_SETTEXTALIGN, {TA_BASELINE});
        return true;
    }

    bool end() override
    {
        // Leave the stock objects selected and free our own.
        select(BLACK_PEN, penSlot_, kPenSlots);
        select(WHITE_BRUSH, brushSlot_, kBrushSlots);
        select(SYSTEM_FONT, fontSlot_, kFontSlots);
        finish();
        return true;
    }

    void updateState(const QPaintEngineState &newState) override
    {
        const DirtyFlags flags = newState.state();
        if (flags & DirtyPen)
            pen_ = newState.pen();
        if (flags & DirtyBrush)
            brush_ = newState.brush();
        if (flags & DirtyTransform)
            transform_ = newState.transform();
        if (flags & DirtyFont)
            font_ = newState.font();
    }

    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF &r = rects[i];
            if (transform_.type() > QTransform::TxScale) {
                const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
                drawPolygon(corners, 4, ConvexMode);
                continue;
            }
            const QRectF m = transform_.mapRect(r).normalized();
            const QRect box(QPoint(toDevice(m.left()), toDevice(m.top())),
                            QPoint(toDevice(m.right()), toDevice(m.bottom())));
            applyPen();
            applyBrush();
            out_.begin(EMR_RECTANGLE);
            out_.rect(box); // the rectangle's edges; drawn up to the right and bottom edge
            out_.end();
            include(QRectF(m).adjusted(-penHalfWidth(), -penHalfWidth(), penHalfWidth(), penHalfWidth()));
        }
    }

    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QPointF ends[2] = {lines[i].p1(), lines[i].p2()};
            poly(ends, 2, false);
        }
    }

    void drawEllipse(const QRectF &r) override
    {
        if (transform_.type() > QTransform::TxScale) {
            QPainterPath path;
            path.addEllipse(r);
            drawPath(path);
            return;
        }
        const QRectF m = transform_.mapRect(r).normalized();
        applyPen();
        applyBrush();
        out_.begin(EMR_ELLIPSE);
        out_.rect(
            QRect(QPoint(toDevice(m.left()), toDevice(m.top())), QPoint(toDevice(m.right()), toDevice(m.bottom()))));
        out_.end();
        include(m.adjusted(-penHalfWidth(), -penHalfWidth(), penHalfWidth(), penHalfWidth()));
    }

    void drawPath(const QPainterPath &path) override
    {
        const bool fill = brushKey().null == false;
        if (fill)
            setFillMode(path.fillRule());
        for (const QPolygonF &polygon : path.toSubpathPolygons()) {
            const bool closed = polygon.size() > 2 && polygon.isClosed();
            poly(polygon.constData(), static_cast<int>(polygon.size()), fill && closed);
        }
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (mode == PolylineMode) {
            poly(points, count, false);
            return;
        }
        setFillMode(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        poly(points, count, true);
    }

    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QString text = item.text();
        if (text.isEmpty())
            return;
        const QFont font = item.font();
        const double scale = std::sqrt(std::abs(transform_.determinant()));
        const double pixels =
            (font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * EmfWriter::kDpi / 72.0) * scale;
        // Rotation of the text; the device's Y axis points down, so a turn to the left is negative.
        const double angle = std::atan2(transform_.m12(), transform_.m11()) * 180.0 / std::numbers::pi;
        int escapement = static_cast<int>(std::lround(-angle * 10.0)) % 3600;
        if (escapement < 0)
            escapement += 3600;

        FontKey key;
        key.family = QFontInfo(font).family(); // the face actually used, not an alias
        key.height = -std::max(1, static_cast<qint32>(std::lround(pixels)));
        key.weight = std::clamp(static_cast<int>(font.weight()), 1, 1000);
        key.italic = font.italic();
        key.underline = font.underline();
        key.escapement = escapement;
        applyFont(key);
        const quint32 color = colorRef(pen_.color());
        if (textColor_ != color) {
            record(EMR_SETTEXTCOLOR, {color});
            textColor_ = color;
        }

        // Character advances along the base line, from the font's own metrics.
        const QFontMetricsF metrics(font, paintDevice());
        std::vector<qint32> dx;
        dx.reserve(static_cast<std::size_t>(text.size()));
        double previous = 0.0;
        for (qsizetype i = 1; i <= text.size(); ++i) {
            const double position = text.size() <= 256 ? metrics.horizontalAdvance(text.left(i))
                                                       : previous + metrics.horizontalAdvance(text[i - 1]);
            dx.push_back(static_cast<qint32>(std::lround(position * scale) - std::lround(previous * scale)));
            previous = position;
        }

        const QPointF reference = transform_.map(p);
        const QRectF box =
            transform_.mapRect(QRectF(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent()));
        include(box);
        const quint32 chars = static_cast<quint32>(text.size());
        const quint32 offString = 76;
        const quint32 offDx = offString + ((chars * 2 + 3) / 4) * 4;

        out_.begin(EMR_EXTTEXTOUTW);
        out_.rect(deviceRect(box));
        out_.u32(GM_COMPATIBLE);
        out_.f32(1.0f); // page units are hundredths of a millimetre already
        out_.f32(1.0f);
        out_.i32(toDevice(reference.x()));
        out_.i32(toDevice(reference.y()));
        out_.u32(chars);
        out_.u32(offString);
        out_.u32(0);        // no clipping or opaque rectangle
        out_.rect(QRect()); // (0, 0, -1, -1): unused
        out_.u32(offDx);
        for (QChar c : text)
            out_.u16(c.unicode());
        while (out_.offsetInRecord() < offDx)
            out_.u8(0);
        for (qint32 d : dx)
            out_.i32(d);
        out_.end();
    }

    Type type() const override { return QPaintEngine::User; }

    QByteArray file() const { return file_; }

private:
    void record(quint32 type, std::initializer_list<quint32> values)
    {
        out_.begin(type);
        for (quint32 v : values)
            out_.u32(v);
        out_.end();
    }

    QRect deviceRect(const QRectF &r) const
    {
        return QRect(QPoint(static_cast<int>(std::floor(r.left())), static_cast<int>(std::floor(r.top()))),
                     QPoint(static_cast<int>(std::ceil(r.right())), static_cast<int>(std::ceil(r.bottom()))));
    }

    void include(const QRectF &r)
    {
        const QRect d = deviceRect(r);
        bounds_ = bounds_ ? bounds_->united(d) : d;
    }

    PenKey penKey() const
    {
        PenKey key;
        if (pen_.style() == Qt::NoPen || pen_.color().alpha() == 0)
            return key;
        key.null = false;
        const double scale = pen_.isCosmetic() ? 1.0 : std::sqrt(std::abs(transform_.determinant()));
        key.width = pen_.widthF() <= 0.0 ? 0 : std::max(1, static_cast<qint32>(std::lround(pen_.widthF() * scale)));
        key.color = colorRef(pen_.color());
        switch (pen_.style()) {
        case Qt::DashLine: key.style = PS_DASH; break;
        case Qt::DotLine: key.style = PS_DOT; break;
        case Qt::DashDotLine: key.style = PS_DASHDOT; break;
        case Qt::DashDotDotLine: key.style = PS_DASHDOTDOT; break;
        case Qt::CustomDashLine: key.style = PS_DASH; break;
        default: key.style = PS_SOLID; break;
        }
        return key;
    }

    double penHalfWidth() const
    {
        const PenKey key = penKey();
        return key.null ? 0.0 : std::max(key.width, 1) / 2.0;
    }

    BrushKey brushKey() const
    {
        BrushKey key;
        if (brush_.style() == Qt::NoBrush)
            return key;
        QColor color = brush_.color();
        if (brush_.gradient() && !brush_.gradient()->stops().isEmpty())
            color = brush_.gradient()->stops().first().second;
        if (color.alpha() == 0)
            return key;
        key.null = false;
        key.color = colorRef(color);
        return key;
    }

    /// Selects `object` in place of the kind's current one and frees the one it replaces.
    void select(quint32 object, int &slot, const quint32 (&table)[2])
    {
        record(EMR_SELECTOBJECT, {object});
        if (slot >= 0)
            record(EMR_DELETEOBJECT, {table[slot]});
        slot = -1;
    }

    int nextSlot(int slot) const { return slot == 0 ? 1 : 0; }

    void applyPen()
    {
        const PenKey key = penKey();
        if (emittedPen_ == key)
            return;
        emittedPen_ = key;
        if (key.null) {
            select(NULL_PEN, penSlot_, kPenSlots);
            return;
        }
        const int slot = nextSlot(penSlot_);
        if (key.style == PS_SOLID) {
            out_.begin(EMR_CREATEPEN);
            out_.u32(kPenSlots[slot]);
            out_.u32(PS_SOLID);
            out_.i32(key.width); // LOGPEN width is a point; only its x counts
            out_.i32(0);
            out_.u32(key.color);
            out_.end();
        } else {
            // Dashed and dotted pens wider than a pixel need a geometric pen.
            out_.begin(EMR_EXTCREATEPEN);
            out_.u32(kPenSlots[slot]);
            out_.u32(0); // no brush bitmap
            out_.u32(0);
            out_.u32(0);
            out_.u32(0);
            out_.u32(PS_GEOMETRIC | PS_ENDCAP_FLAT | key.style);
            out_.u32(static_cast<quint32>(std::max(key.width, 1)));
            out_.u32(BS_SOLID);
            out_.u32(key.color);
            out_.u32(0); // hatch
            out_.u32(0); // no style entries
            out_.end();
        }
        const int old = penSlot_;
        record(EMR_SELECTOBJECT, {kPenSlots[slot]});
        if (old >= 0)
            record(EMR_DELETEOBJECT, {kPenSlots[old]});
        penSlot_ = slot;
    }

    void applyBrush()
    {
        const BrushKey key = brushKey();
        if (emittedBrush_ == key)
            return;
        emittedBrush_ = key;
        if (key.null) {
            select(NULL_BRUSH, brushSlot_, kBrushSlots);
            return;
        }
        const int slot = nextSlot(brushSlot_);
        out_.begin(EMR_CREATEBRUSHINDIRECT);
        out_.u32(kBrushSlots[slot]);
        out_.u32(BS_SOLID);
        out_.u32(key.color);
        out_.u32(0);
        out_.end();
        const int old = brushSlot_;
        record(EMR_SELECTOBJECT, {kBrushSlots[slot]});
        if (old >= 0)
            record(EMR_DELETEOBJECT, {kBrushSlots[old]});
        brushSlot_ = slot;
    }

    void applyFont(const FontKey &key)
    {
        if (emittedFont_ == key)
            return;
        emittedFont_ = key;
        const int slot = nextSlot(fontSlot_);
        out_.begin(EMR_EXTCREATEFONTINDIRECTW);
        out_.u32(kFontSlots[slot]);
        const qsizetype logFontStart = out_.offsetInRecord();
        out_.i32(key.height);
        out_.i32(0); // width: from the height
        out_.i32(key.escapement);
        out_.i32(key.escapement); // orientation
        out_.i32(key.weight);
        out_.u8(key.italic ? 1 : 0);
        out_.u8(key.underline ? 1 : 0);
        out_.u8(0); // strike-out
        out_.u8(DEFAULT_CHARSET);
        out_.u8(0); // output precision
        out_.u8(0); // clip precision
        out_.u8(0); // quality
        out_.u8(0); // pitch and family
        const QString face = key.family.left(kFaceNameChars - 1);
        for (QChar c : face)
            out_.u16(c.unicode());
        out_.zeros((kFaceNameChars - static_cast<int>(face.size())) * 2);
        // Full name, style, version, vendor, culture and PANOSE: not given.
        out_.zeros(kLogFontPanoseSize - static_cast<int>(out_.offsetInRecord() - logFontStart));
        out_.end();
        const int old = fontSlot_;
        record(EMR_SELECTOBJECT, {kFontSlots[slot]});
        if (old >= 0)
            record(EMR_DELETEOBJECT, {kFontSlots[old]});
        fontSlot_ = slot;
    }

    void setFillMode(Qt::FillRule rule)
    {
        const quint32 mode = rule == Qt::WindingFill ? WINDING : ALTERNATE;
        if (fillMode_ != mode) {
            record(EMR_SETPOLYFILLMODE, {mode});
            fillMode_ = mode;
        }
    }

    /// A polyline, or a polygon filled with the brush and outlined with the pen.
    void poly(const QPointF *points, int count, bool polygon)
    {
        if (count < 2)
            return;
        std::vector<QPoint> mapped;
        mapped.reserve(static_cast<std::size_t>(count));
        bool small = true;
        for (int i = 0; i < count; ++i) {
            const QPointF m = transform_.map(points[i]);
            const QPoint d(toDevice(m.x()), toDevice(m.y()));
            small = small && d.x() >= std::numeric_limits<qint16>::min() &&
                    d.x() <= std::numeric_limits<qint16>::max() && d.y() >= std::numeric_limits<qint16>::min() &&
                    d.y() <= std::numeric_limits<qint16>::max();
            mapped.push_back(d);
        }
        const auto [minX, maxX] =
            std::minmax_element(mapped.begin(), mapped.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
        const auto [minY, maxY] =
            std::minmax_element(mapped.begin(), mapped.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
        const QRect box(QPoint(minX->x(), minY->y()), QPoint(maxX->x(), maxY->y()));
        applyPen();
        if (polygon)
            applyBrush();
        const double half = penHalfWidth();
        include(QRectF(box).adjusted(-half, -half, half, half));

        if (small) {
            out_.begin(polygon ? EMR_POLYGON16 : EMR_POLYLINE16);
            out_.rect(box);
            out_.u32(static_cast<quint32>(count));
            for (const QPoint &d : mapped) {
                out_.i16(static_cast<qint16>(d.x()));
                out_.i16(static_cast<qint16>(d.y()));
            }
        } else {
            out_.begin(polygon ? EMR_POLYGON : EMR_POLYLINE);
            out_.rect(box);
            out_.u32(static_cast<quint32>(count));
            for (const QPoint &d : mapped) {
                out_.i32(d.x());
                out_.i32(d.y());
            }
        }
        out_.end();
    }

    void finish()
    {
        const QRect frame(0, 0, size_.width(), size_.height()); // right and bottom are width − 1, height − 1
        // Whatever was drawn beyond the frame is not part of the picture.
        QRect bounds = bounds_ ? bounds_->intersected(frame) : QRect();
        if (bounds.isEmpty())
            bounds = QRect(QPoint(0, 0), QPoint(-1, -1));

        // The reference device is as big as the picture, at 100 device units to the millimetre.
        const qint32 mmWidth = std::max(1, (size_.width() + 99) / 100);
        const qint32 mmHeight = std::max(1, (size_.height() + 99) / 100);

        RecordStream header;
        header.begin(EMR_HEADER);
        header.rect(bounds);
        header.rect(frame);
        header.u32(kSignature);
        header.u32(kVersion);
        header.u32(kHeaderSize + static_cast<quint32>(out_.bytes.size()) + kEofSize);
        header.u32(out_.count + 2); // with the header and the end-of-file record
        header.u16(kHandles);
        header.u16(0);
        header.u32(0); // no description
        header.u32(0);
        header.u32(0); // no palette
        header.i32(mmWidth * 100);
        header.i32(mmHeight * 100);
        header.i32(mmWidth);
        header.i32(mmHeight);
        header.u32(0); // no pixel format
        header.u32(0);
        header.u32(0); // no OpenGL
        header.i32(mmWidth * 1000);
        header.i32(mmHeight * 1000);
        header.end();
        Q_ASSERT(header.bytes.size() == kHeaderSize);

        RecordStream eof;
        eof.begin(EMR_EOF);
        eof.u32(0);  // no palette entries
        eof.u32(16); // where they would start
        eof.u32(kEofSize);
        eof.end();

        file_ = header.bytes + out_.bytes + eof.bytes;
    }

    QSize size_;
    RecordStream out_;
    QByteArray file_;
    std::optional<QRect> bounds_;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    QTransform transform_;
    std::optional<PenKey> emittedPen_;
    std::optional<BrushKey> emittedBrush_;
    std::optional<FontKey> emittedFont_;
    std::optional<quint32> textColor_;
    std::optional<quint32> fillMode_;
    int penSlot_ = -1; ///< index into kPenSlots of the selected pen; −1: a stock pen
    int brushSlot_ = -1;
    int fontSlot_ = -1;
};

EmfWriter::EmfWriter(QSize size)
    : size_(std::max(size.width(), 1), std::max(size.height(), 1))
    , engine_(std::make_unique<EmfPaintEngine>(size_))
{}

EmfWriter::~EmfWriter() = default;

QPaintEngine *EmfWriter::paintEngine() const
{
    return engine_.get();
}

QByteArray EmfWriter::data() const
{
    return engine_->file();
}

int EmfWriter::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return size_.width() / 100;
    case PdmHeightMM: return size_.height() / 100;
    case PdmNumColors: return 1 << 24;
    case PdmDepth: return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return kDpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}

} // namespace orvel
