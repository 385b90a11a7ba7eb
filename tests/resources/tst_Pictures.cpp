// The meter pictures render at their sizes, and their printed scales lie where
// the needles point: the analog needle turns about (99, 132) of the face with
// the scale at (9, 28), zero at 150°, full scale at 30°; the comparator needle
// turns about (100, 99) of the frame with the scale at (16, 22), the zone
// borders at 110° and 70°.

#include "resources/Pictures.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>

#include <cmath>
#include <functional>
#include <iterator>
#include <tuple>

using namespace orvel;

namespace {

const QPointF kAnalogPivot(99, 132);
const QPoint kAnalogScaleAt(9, 28);
const QPointF kComparatorPivot(100, 99);
const QPoint kComparatorScaleAt(16, 22);

// The picture `under` with `over` drawn on it at `at`, as the windows do.
QImage compose(int under, int over, QPoint at)
{
    QImage image = programBitmap(under).convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.drawImage(at, programBitmap(over));
    painter.end();
    return image;
}

// The colour of the pixel the point at angle `degrees` (counter-clockwise from
// +x, y up) and distance `radius` from `pivot` falls in; transparent outside the image.
QRgb pixelAt(const QImage &image, QPointF pivot, double degrees, double radius)
{
    const double a = degrees * M_PI / 180.0;
    const QPoint p(static_cast<int>(std::floor(pivot.x() + std::cos(a) * radius)),
                   static_cast<int>(std::floor(pivot.y() - std::sin(a) * radius)));
    return image.rect().contains(p) ? image.pixel(p) : qRgba(0, 0, 0, 0);
}

bool isDark(QRgb p)
{
    return qAlpha(p) > 200 && qMax(qRed(p), qMax(qGreen(p), qBlue(p))) < 120;
}

// Printed ink, anti-aliased edges of thin marks included.
bool isInk(QRgb p)
{
    return qAlpha(p) > 200 && qGray(p) < 150;
}

bool isWhite(QRgb p)
{
    return qAlpha(p) > 250 && qRed(p) > 245 && qGreen(p) > 245 && qBlue(p) > 245;
}

bool isBlue(QRgb p)
{
    return qAlpha(p) > 200 && qBlue(p) > qRed(p) + 80 && qBlue(p) > qGreen(p) + 40;
}

bool isGreen(QRgb p)
{
    return qAlpha(p) > 200 && qGreen(p) > qRed(p) + 60 && qGreen(p) > qBlue(p) + 40;
}

bool isRed(QRgb p)
{
    return qAlpha(p) > 200 && qRed(p) > qGreen(p) + 80 && qRed(p) > qBlue(p) + 80;
}

// Calls `visit` with the position, angle and colour of every pixel whose centre
// lies in the ring sector from angle a0 to a1 and radius r0 to r1 about `pivot`,
// until it returns false; returns whether it was stopped.
bool visitSector(const QImage &image, QPointF pivot, double a0, double a1, double r0, double r1,
                 const std::function<bool(QPoint, double, QRgb)> &visit)
{
    double left = pivot.x(), right = pivot.x(), top = pivot.y(), bottom = pivot.y();
    for (double a = a0; a < a1 + 1.0; a += 1.0)
        for (double r : {r0, r1}) {
            const double t = std::min(a, a1) * M_PI / 180.0;
            const double x = pivot.x() + std::cos(t) * r, y = pivot.y() - std::sin(t) * r;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    const QRect pixels = QRect(QPoint(int(std::floor(left)) - 1, int(std::floor(top)) - 1),
                               QPoint(int(std::ceil(right)) + 1, int(std::ceil(bottom)) + 1)) &
                         image.rect();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const double dx = x + 0.5 - pivot.x(), dy = pivot.y() - (y + 0.5);
            const double r = std::hypot(dx, dy), a = std::atan2(dy, dx) * 180.0 / M_PI;
            if (r >= r0 && r <= r1 && a >= a0 && a <= a1 && !visit(QPoint(x, y), a, image.pixel(x, y)))
                return true;
        }
    return false;
}

// Whether any pixel in the sector passes `test`.
bool anyInSector(const QImage &image, QPointF pivot, double a0, double a1, double r0, double r1,
                 const std::function<bool(QRgb)> &test)
{
    return visitSector(image, pivot, a0, a1, r0, r1, [&](QPoint, double, QRgb p) { return !test(p); });
}

// Whether every pixel in the sector passes `test` (and there is one).
bool allInSector(const QImage &image, QPointF pivot, double a0, double a1, double r0, double r1,
                 const std::function<bool(QRgb)> &test)
{
    int seen = 0;
    const bool failed = visitSector(image, pivot, a0, a1, r0, r1, [&](QPoint, double, QRgb p) {
        ++seen;
        return test(p);
    });
    return !failed && seen > 0;
}

// Angle at which value `v` of full scale `full` sits on the analog scales.
double analogAngle(double v, double full)
{
    return 150.0 - 120.0 * v / full;
}

// Radii, from the analog pivot, at which every tick mark is crossed while the
// printed arc and the numbers are not, and at which only the long (labelled)
// ticks reach.
constexpr double kTickBand0 = 91.8, kTickBand1 = 92.8;
constexpr double kMajorBand0 = 95.0, kMajorBand1 = 95.6;
// Radii at which the spaces between ticks are blank.
constexpr double kGapBand1 = 93.5;
// Radii of the numbers, beyond the ticks and within the needle's reach.
constexpr double kLabelBand0 = 96.5, kLabelBand1 = 106.0;

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void picturesRenderAtTheirSizes_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("opaqueBackground");
        QTest::addRow("11 face") << 11 << QSize(198, 178) << true;
        QTest::addRow("30 scale 0-6") << 30 << QSize(180, 62) << false;
        QTest::addRow("13 scale 0-10") << 13 << QSize(180, 60) << false;
        QTest::addRow("15 scale 0-20") << 15 << QSize(180, 62) << false;
        QTest::addRow("17 minus") << 17 << QSize(11, 11) << true;
        QTest::addRow("18 plus") << 18 << QSize(11, 11) << true;
        QTest::addRow("12 comparator frame") << 12 << QSize(201, 122) << true;
        QTest::addRow("16 comparator scale") << 16 << QSize(168, 77) << false;
    }

    void picturesRenderAtTheirSizes()
    {
        QFETCH(int, id);
        QFETCH(QSize, size);
        QFETCH(bool, opaqueBackground);
        QCOMPARE(pictureSize(id), size);

        // The source is drawn in pixels of the picture.
        QSvgRenderer renderer(pictureResourcePath(id));
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.defaultSize(), size);
        QCOMPARE(renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(size)));

        const QImage image = programBitmap(id);
        QCOMPARE(image.size(), size);
        int opaque = 0, dark = 0;
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                opaque += qAlpha(p) > 128;
                dark += isDark(p);
                colours.insert(p);
            }
        const int area = size.width() * size.height();
        QVERIFY2(colours.size() > 2, qPrintable(QString::number(colours.size())));
        if (opaqueBackground) {
            // Panels and signs cover their rectangle (up to rounded corners).
            QVERIFY2(opaque > area * 95 / 100, qPrintable(QString::number(opaque)));
        } else {
            // Scales print on a free background that lets the dial show through.
            QVERIFY2(opaque > area / 50, qPrintable(QString::number(opaque)));
            QVERIFY2(opaque < area / 3, qPrintable(QString::number(opaque)));
            QCOMPARE(qAlpha(image.pixel(size.width() / 2, size.height() - 1)), 0);
        }
        if (id != 17 && id != 18)
            QVERIFY2(dark > 50, qPrintable(QString::number(dark)));
    }

    void picturesDiffer()
    {
        QSet<QByteArray> seen;
        const int ids[] = {11, 12, 13, 15, 16, 17, 18, 30};
        for (int id : ids) {
            const QImage image = programBitmap(id);
            seen.insert(QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(seen.size(), int(std::size(ids)));
    }

    void unknownIdsGiveNothing()
    {
        for (int id : {0, 1, 10, 14, 19, 29, 31}) {
            QVERIFY(pictureResourcePath(id).isEmpty());
            QVERIFY(pictureSize(id).isEmpty());
            QVERIFY(programBitmap(id).isNull());
        }
    }

    void signsAreWhiteOnColour()
    {
        const QImage minus = programBitmap(17);
        const QImage plus = programBitmap(18);
        // The bar through the middle is white on both; the plus has an upright
        // stroke, the minus has none; a coloured square is around them.
        using Test = bool (*)(QRgb);
        const std::tuple<QList<QPoint>, Test, Test> marks[] = {
            {{{3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}}, isWhite, isWhite},
            {{{5, 2}, {5, 3}, {5, 7}, {5, 8}}, isBlue, isWhite},
            {{{0, 0}, {2, 2}, {8, 2}, {2, 8}, {8, 8}, {10, 10}}, isBlue, isRed}};
        for (const auto &[points, onMinus, onPlus] : marks)
            for (QPoint p : points) {
                const QByteArray at = QStringLiteral("%1,%2").arg(p.x()).arg(p.y()).toLatin1();
                QVERIFY2(onMinus(minus.pixel(p)), at);
                QVERIFY2(onPlus(plus.pixel(p)), at);
            }
    }

    void dialsLeaveTheNeedleSweepWhite()
    {
        // Without a scale a dial is plain white wherever the needle passes,
        // from just outside the hub to past its tip, including overload; a
        // dark hub marks the pivot.
        const QImage face = programBitmap(11);
        const QImage frame = programBitmap(12);
        QVERIFY(allInSector(face, kAnalogPivot, 24, 156, 24, 103, isWhite));
        QVERIFY(allInSector(frame, kComparatorPivot, 45, 135, 14, 72, isWhite));
        QVERIFY(isDark(face.pixel(99, 132)));
        QVERIFY(isDark(frame.pixel(100, 99)));
        // The label strip and the sign beside it sit on plain white; the band
        // below the analog hub is not white.
        for (int y = 77; y <= 99; ++y)
            for (int x = 44; x <= 154; ++x)
                QVERIFY2(isWhite(face.pixel(x, y)), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        QVERIFY(!isWhite(face.pixel(99, 140)));
        QVERIFY(!isWhite(face.pixel(20, 150)));
    }

    void analogScalesMatchTheNeedle_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<double>("full");
        QTest::addColumn<int>("divisions");     // tick intervals from 0 to full scale
        QTest::addColumn<int>("majorEvery");    // intervals between labelled ticks
        QTest::addColumn<bool>("colouredEnds"); // blue zero, red full scale
        QTest::addRow("30 scale 0-6") << 30 << 6.0 << 30 << 5 << false;
        QTest::addRow("13 scale 0-10") << 13 << 10.0 << 20 << 4 << true;
        QTest::addRow("15 scale 0-20") << 15 << 20.0 << 20 << 4 << true;
    }

    void analogScalesMatchTheNeedle()
    {
        QFETCH(int, id);
        QFETCH(double, full);
        QFETCH(int, divisions);
        QFETCH(int, majorEvery);
        QFETCH(bool, colouredEnds);
        const QImage dial = compose(11, id, kAnalogScaleAt);
        const QPointF c = kAnalogPivot;
        const double step = 120.0 / divisions;

        // The zero and full-scale marks lie where the needle rests at 0 and at
        // full scale (the ticks below check that they are long ones).
        QVERIFY(anyInSector(dial, c, 149.5, 150.5, kTickBand0, kMajorBand1, isInk));
        QVERIFY(anyInSector(dial, c, 29.5, 30.5, kTickBand0, kMajorBand1, isInk));

        // Every tick lies on its value's needle angle and the gaps between are
        // clear; only every majorEvery-th tick is a long one.
        for (int i = 0; i <= divisions; ++i) {
            const double a = analogAngle(full * i / divisions, full);
            const QString where = QStringLiteral("tick %1 at %2°").arg(i).arg(a);
            QVERIFY2(anyInSector(dial, c, a - 0.6, a + 0.6, kTickBand0, kTickBand1, isInk), qPrintable(where));
            const bool major = i % majorEvery == 0;
            QVERIFY2(anyInSector(dial, c, a - 0.6, a + 0.6, kMajorBand0, kMajorBand1, isInk) == major,
                     qPrintable(where));
            if (i < divisions) {
                const double gap = a - step / 2;
                QVERIFY2(!anyInSector(dial, c, gap - step / 4, gap + step / 4, kTickBand0, kGapBand1, isInk),
                         qPrintable(QStringLiteral("gap at %1°").arg(gap)));
            }
        }

        // The printed arc runs under the needle's tip from zero to full scale,
        // and nothing is printed where the needle goes past full scale or below zero.
        for (double a = 30.5; a <= 149.5; a += 0.5)
            QVERIFY2(anyInSector(dial, c, a - 0.5, a + 0.5, 88.5, 91.5, isInk),
                     qPrintable(QStringLiteral("arc at %1°").arg(a)));
        QVERIFY(!anyInSector(dial, c, 24, 27.5, 80, 100, isInk));
        QVERIFY(!anyInSector(dial, c, 152.5, 156, 80, 100, isInk));

        // Each number stands on its long tick, beyond it, within the picture.
        const QRect scaleRect(kAnalogScaleAt, pictureSize(id));
        for (int i = 0; i <= divisions; i += majorEvery) {
            const double a = analogAngle(full * i / divisions, full);
            const double halfSpan = step * majorEvery / 2;
            double sum = 0;
            int count = 0;
            visitSector(dial, c, a - halfSpan + 0.5, a + halfSpan - 0.5, kLabelBand0, kLabelBand1,
                        [&](QPoint at, double angle, QRgb p) {
                            if (scaleRect.contains(at) && isInk(p)) {
                                sum += angle;
                                ++count;
                            }
                            return true;
                        });
            const QString where = QStringLiteral("number at %1°").arg(a);
            QVERIFY2(count >= 6, qPrintable(where + QStringLiteral(": %1 samples").arg(count)));
            QVERIFY2(std::abs(sum / count - a) < 2.5,
                     qPrintable(where + QStringLiteral(": centre %1°").arg(sum / count)));
        }

        // 0 in blue and the full-scale number in red on the coloured scales.
        QCOMPARE(anyInSector(dial, c, 144, 156, kLabelBand0, kLabelBand1, isBlue), colouredEnds);
        QCOMPARE(anyInSector(dial, c, 24, 36, kLabelBand0, kLabelBand1, isRed), colouredEnds);
        QVERIFY(!anyInSector(dial, c, 36, 144, kLabelBand0, kLabelBand1, [](QRgb p) { return isBlue(p) || isRed(p); }));

        // The scale keeps off the label strip and the sign.
        for (int y = 77; y <= 99; ++y)
            for (int x = 44; x <= 154; ++x)
                QVERIFY2(isWhite(dial.pixel(x, y)), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }

    void comparatorZonesMatchTheNeedle()
    {
        const QImage dial = compose(12, 16, kComparatorScaleAt);
        const QPointF c = kComparatorPivot;

        // The band's colours along the needle's tip region.
        QVERIFY(allInSector(dial, c, 113, 127, 57, 64, isBlue));
        QVERIFY(allInSector(dial, c, 73, 107, 57, 64, isGreen));
        QVERIFY(allInSector(dial, c, 53, 67, 57, 64, isRed));

        // Blue turns green at the lower limit, green turns red at the upper,
        // with the thin dark border marks there; the zones end at the needle's stops.
        const std::pair<double, bool (*)(QRgb)> zoneAt[] = {{112, isBlue}, {108, isGreen},  {72, isGreen},
                                                            {68, isRed},   {128.5, isBlue}, {51.5, isRed}};
        for (const auto &[a, inZone] : zoneAt)
            QVERIFY2(inZone(pixelAt(dial, c, a, 60)), qPrintable(QString::number(a)));
        QVERIFY(anyInSector(dial, c, 109.5, 110.5, 57, 64, isDark));
        QVERIFY(anyInSector(dial, c, 69.5, 70.5, 57, 64, isDark));
        QVERIFY(!anyInSector(dial, c, 85, 95, 57, 64, isDark));
        for (double a : {135.0, 45.0, 140.0, 40.0}) {
            const QRgb p = pixelAt(dial, c, a, 60);
            QVERIFY2(!isBlue(p) && !isRed(p) && !isGreen(p), qPrintable(QString::number(a)));
        }

        // The 70-pixel needle reaches across the band: its tip is beyond it.
        QVERIFY(allInSector(dial, c, 80, 100, 40, 53, isWhite));
        QVERIFY(!anyInSector(dial, c, 73, 107, 67.5, 70, [](QRgb p) {
            // The band's own green, not the anti-aliased edge of the GO mark.
            return std::abs(qRed(p) - 0x1f) < 12 && std::abs(qGreen(p) - 0x9d) < 12 && std::abs(qBlue(p) - 0x3c) < 12;
        }));

        // NG, GO, NG marks beside each zone in its own colour.
        const auto darkBlue = [](QRgb p) { return qAlpha(p) > 200 && qBlue(p) > qRed(p) + 50 && qGray(p) < 140; };
        const auto darkGreen = [](QRgb p) { return qAlpha(p) > 200 && qGreen(p) > qRed(p) + 40 && qGray(p) < 140; };
        const auto darkRed = [](QRgb p) { return qAlpha(p) > 200 && qRed(p) > qGreen(p) + 50 && qGray(p) < 140; };
        QVERIFY(anyInSector(dial, c, 112, 128, 68.5, 85, darkBlue));
        QVERIFY(anyInSector(dial, c, 80, 100, 68.5, 85, darkGreen));
        QVERIFY(anyInSector(dial, c, 52, 68, 68.5, 85, darkRed));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_Pictures.moc"
