// The enhanced metafile: a sound file that other programs can open, with the
// chart's lines, texts and colours as records.

#include "ChartTestData.h"
#include "EmfReader.h"

#include "chart/ChartExport.h"
#include "chart/EmfWriter.h"

#include <QFile>
#include <QPainter>
#include <QSet>
#include <QTest>

using namespace orvel;
using namespace orvel::test;

namespace {

constexpr quint32 colorRef(int r, int g, int b)
{
    return static_cast<quint32>(r) | static_cast<quint32>(g) << 8 | static_cast<quint32>(b) << 16;
}

ChartStyle emfStyle()
{
    ChartStyle s;
    s.deskColor = QColor(0xEF, 0xEF, 0xEF);
    s.graphBackColor = Qt::black;
    s.graphForeColor = QColor(0x80, 0x00, 0x80);
    s.subsetColor = QColor(0x00, 0x00, 0xFF);
    s.gridStyle = gDot;
    s.showCursor = false;
    return s;
}

/// The header's checks that every file must pass.
void verifyHeader(const QByteArray &file, const EmfParse &parse, QSize frameSize)
{
    QVERIFY2(parse.error.isEmpty(), qPrintable(parse.error));
    const EmfRecordView &h = parse.records.first();
    QCOMPARE(h.size, 108u); // with both header extensions
    QCOMPARE(h.u32(40), 0x464D4520u);
    QCOMPARE(h.u32(44), 0x00010000u);
    QCOMPARE(h.u32(48), static_cast<quint32>(file.size()));
    QCOMPARE(h.u32(52), static_cast<quint32>(parse.records.size()));
    QVERIFY(h.u16(56) >= 1);
    QCOMPARE(h.u16(58), quint16(0));
    QCOMPARE(h.u32(60), 0u); // no description
    QCOMPARE(h.u32(68), 0u); // no palette

    const QRect frame = h.rect(24);
    QCOMPARE(frame, QRect(0, 0, frameSize.width(), frameSize.height()));

    // Bounds in device units, the frame in hundredths of a millimetre: convert by the reference device.
    const QSize device(h.i32(72), h.i32(76));
    const QSize mm(h.i32(80), h.i32(84));
    QVERIFY(device.width() > 0 && device.height() > 0 && mm.width() > 0 && mm.height() > 0);
    const QRect bounds = h.rect(8);
    QVERIFY(!bounds.isEmpty());
    const double sx = mm.width() * 100.0 / device.width();
    const double sy = mm.height() * 100.0 / device.height();
    QVERIFY(bounds.left() * sx >= frame.left() && (bounds.right() + 1) * sx <= frame.right() + 1);
    QVERIFY(bounds.top() * sy >= frame.top() && (bounds.bottom() + 1) * sy <= frame.bottom() + 1);
    QCOMPARE(h.i32(100), mm.width() * 1000); // micrometres of the reference device
    QCOMPARE(h.i32(104), mm.height() * 1000);

    const EmfRecordView &eof = parse.records.last();
    QCOMPARE(eof.size, 20u);
    QCOMPARE(eof.u32(8), 0u);
    QCOMPARE(eof.u32(16), 20u);
}

/// Objects are selected only while they exist; indexes stay within the handle table.
void verifyObjects(const EmfParse &parse)
{
    const quint16 handles = parse.records.first().u16(56);
    QSet<quint32> live;
    for (const EmfRecordView &r : parse.records) {
        switch (r.type) {
        case emr::CreatePen:
        case emr::CreateBrushIndirect:
        case emr::ExtCreateFontIndirectW:
        case emr::ExtCreatePen: {
            const quint32 index = r.u32(8);
            QVERIFY(index > 0 && index < handles);
            QVERIFY2(!live.contains(index), "object created over a live one");
            live.insert(index);
            break;
        }
        case emr::SelectObject: {
            const quint32 index = r.u32(8);
            QVERIFY((index & 0x80000000u) || live.contains(index));
            break;
        }
        case emr::DeleteObject: QVERIFY(live.remove(r.u32(8))); break;
        default: break;
        }
    }
}

} // namespace

class TestEmfWriter : public QObject
{
    Q_OBJECT

private slots:
    void chartBecomesASoundMetafileOfLinesTextsAndColours()
    {
        ChartModel model;
        model.setData(demoData(200, -62.0, 72.0));
        const QSize size(10000, 6810); // the export dialog's default: 100 × 68.1 mm
        const QByteArray file = chartEmf(size, model, emfStyle());
        const EmfParse parse = readEmf(file);
        verifyHeader(file, parse, size);
        verifyObjects(parse);
        // The desk covers the whole picture.
        QCOMPARE(parse.records.first().rect(8), QRect(0, 0, size.width(), size.height()));

        QFile out(chartOutputPath(QStringLiteral("chart.emf")));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);

        // The line of 200 points is one polyline of 200 points.
        bool fullLine = false; // stays false when there is no polyline at all
        for (const EmfRecordView &r : parse.ofType(emr::Polyline16)) {
            const quint32 count = r.u32(24);
            QCOMPARE(r.size, ((28 + count * 4 + 3) / 4) * 4);
            fullLine = fullLine || count == 200;
            for (quint32 k = 0; k < count; ++k) { // every point within the record's bounds
                const QPoint p(r.i16(28 + 4 * static_cast<int>(k)), r.i16(30 + 4 * static_cast<int>(k)));
                QVERIFY(r.rect(8).contains(p));
            }
        }
        QVERIFY(fullLine);

        // Texts: titles, tick labels with three decimals, time labels.
        const QStringList texts = parse.texts();
        for (const char *text : {"Data Logger", "Reading(V)", "Time", "0.000", "9:05:00.0"})
            QVERIFY2(texts.contains(QLatin1String(text)), text);
        for (const EmfRecordView &r : parse.ofType(emr::ExtTextOutW)) {
            const quint32 chars = r.u32(44);
            QCOMPARE(r.u32(48), 76u);
            QVERIFY(r.u32(72) + 4 * chars <= r.size); // the character advances fit
            QVERIFY(r.u32(72) >= 76 + 2 * chars);
        }

        // Colours: the line's pen, the dotted grid, the black graph, black text on the light desk.
        QSet<quint32> penColours;
        for (const EmfRecordView &r : parse.ofType(emr::CreatePen))
            penColours.insert(r.u32(24));
        QVERIFY(penColours.contains(colorRef(0, 0, 255)));
        bool dottedGrid = false;
        for (const EmfRecordView &r : parse.ofType(emr::ExtCreatePen))
            dottedGrid = dottedGrid || ((r.u32(28) & 0xF) == 2 && r.u32(40) == colorRef(0x80, 0, 0x80));
        QVERIFY(dottedGrid);
        QSet<quint32> brushColours;
        for (const EmfRecordView &r : parse.ofType(emr::CreateBrushIndirect))
            brushColours.insert(r.u32(16));
        QVERIFY(brushColours.contains(colorRef(0, 0, 0)));
        QVERIFY(brushColours.contains(colorRef(0xEF, 0xEF, 0xEF)));
        QVERIFY(!parse.ofType(emr::SetTextColor).isEmpty());
        QCOMPARE(parse.ofType(emr::SetTextColor).first().u32(8), colorRef(0, 0, 0));

        // The Y-axis title is turned a quarter to the left.
        bool turnedFont = false;
        for (const EmfRecordView &r : parse.ofType(emr::ExtCreateFontIndirectW)) {
            QCOMPARE(r.size, 332u);
            QVERIFY(r.i32(12) < 0); // a character height
            turnedFont = turnedFont || r.i32(20) == 900;
        }
        QVERIFY(turnedFont);
    }

    void rectanglesEllipsesAndLargeCoordinates()
    {
        EmfWriter emf(QSize(50000, 40000));
        QPainter painter(&emf);
        painter.fillRect(QRectF(100, 200, 300, 400), QColor(10, 20, 30));
        painter.setPen(QPen(Qt::red, 10));
        painter.drawLine(QPointF(0, 0), QPointF(45000, 39000)); // beyond 16-bit coordinates
        painter.setBrush(Qt::green);
        painter.drawEllipse(QRectF(1000, 1000, 500, 500));
        painter.drawText(QPointF(2000, 3000), QStringLiteral("Ω 1.000"));
        painter.end();
        const QByteArray file = emf.data();
        const EmfParse parse = readEmf(file);
        verifyHeader(file, parse, {50000, 40000});
        verifyObjects(parse);

        const QList<EmfRecordView> rects = parse.ofType(emr::Rectangle);
        QCOMPARE(rects.size(), 1);
        QCOMPARE(rects.first().rect(8), QRect(QPoint(100, 200), QPoint(400, 600)));
        const QList<EmfRecordView> wide = parse.ofType(emr::Polyline);
        QCOMPARE(wide.size(), 1);
        QCOMPARE(wide.first().u32(24), 2u);
        QCOMPARE(wide.first().i32(36), 45000);
        QCOMPARE(wide.first().i32(40), 39000);
        QCOMPARE(parse.ofType(emr::Ellipse).size(), 1);
        QCOMPARE(parse.texts().join(QString()), QStringLiteral("Ω 1.000"));
        // The filled rectangle has no outline: the stock null pen is selected for it.
        bool nullPen = false;
        for (const EmfRecordView &r : parse.ofType(emr::SelectObject))
            nullPen = nullPen || r.u32(8) == 0x80000008u;
        QVERIFY(nullPen);
        // The bounds run from the rectangle to the end of the line.
        const QRect bounds = parse.records.first().rect(8);
        QVERIFY(bounds.left() <= 0 && bounds.top() <= 0);
        QVERIFY(bounds.right() >= 45000 && bounds.bottom() >= 39000);
    }

    void nothingPaintedIsStillAFile()
    {
        EmfWriter emf(QSize(100, 100));
        QPainter painter(&emf);
        painter.end();
        const QByteArray file = emf.data();
        const EmfParse parse = readEmf(file);
        QVERIFY2(parse.error.isEmpty(), qPrintable(parse.error));
        QCOMPARE(parse.records.first().rect(8), QRect(QPoint(0, 0), QPoint(-1, -1))); // empty bounds
        QCOMPARE(parse.records.first().u32(48), static_cast<quint32>(file.size()));
    }

    void readerRejectsBrokenFiles()
    {
        // The reader must catch the faults it is there for.
        ChartModel model;
        model.setData(demoData(20));
        const QByteArray good = chartEmf({2000, 1500}, model, emfStyle());
        QVERIFY(readEmf(good).error.isEmpty());
        QVERIFY(!readEmf(good.left(good.size() - 4)).error.isEmpty());
        QByteArray badSize = good;
        qToLittleEndian<quint32>(110, badSize.data() + 4); // header size not a multiple of 4
        QVERIFY(!readEmf(badSize).error.isEmpty());
        QVERIFY(!readEmf(good + QByteArray(8, '\0')).error.isEmpty());
    }
};

QTEST_MAIN(TestEmfWriter)
#include "tst_EmfWriter.moc"
