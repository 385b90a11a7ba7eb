#pragma once
// A small, strict reader of Enhanced Metafiles for the tests: it walks the
// records, checks every size against the file and reads the fields the tests
// look at. It shares no code with the writer.

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QtEndian>

namespace orvel::test {

struct EmfRecordView
{
    quint32 type = 0;
    quint32 size = 0;
    QByteArray bytes; ///< the whole record, type and size included

    quint32 u32(int offset) const
    {
        return offset + 4 <= bytes.size() ? qFromLittleEndian<quint32>(bytes.constData() + offset) : 0xDEADBEEF;
    }
    qint32 i32(int offset) const { return static_cast<qint32>(u32(offset)); }
    quint16 u16(int offset) const
    {
        return offset + 2 <= bytes.size() ? qFromLittleEndian<quint16>(bytes.constData() + offset) : 0xBEEF;
    }
    qint16 i16(int offset) const { return static_cast<qint16>(u16(offset)); }
    /// A RECTL (left, top, right, bottom; right and bottom inclusive).
    QRect rect(int offset) const
    {
        return QRect(QPoint(i32(offset), i32(offset + 4)), QPoint(i32(offset + 8), i32(offset + 12)));
    }
};

struct EmfParse
{
    QList<EmfRecordView> records;
    QString error; ///< empty when the file is sound

    /// Texts of all EMR_EXTTEXTOUTW records, in order.
    QStringList texts() const;
    QList<EmfRecordView> ofType(quint32 type) const
    {
        QList<EmfRecordView> found;
        for (const EmfRecordView &r : records)
            if (r.type == type)
                found << r;
        return found;
    }
};

namespace emr {
inline constexpr quint32 Header = 1, Polygon = 3, Polyline = 4, Eof = 14, SetTextColor = 24, SelectObject = 37,
                         CreatePen = 38, CreateBrushIndirect = 39, DeleteObject = 40, Ellipse = 42, Rectangle = 43,
                         ExtCreateFontIndirectW = 82, ExtTextOutW = 84, Polygon16 = 86, Polyline16 = 87,
                         ExtCreatePen = 95;
}

/// Reads the records of `file`. Stops at the first fault and says what it is.
inline EmfParse readEmf(const QByteArray &file)
{
    EmfParse parse;
    qsizetype offset = 0;
    while (offset < file.size()) {
        if (file.size() - offset < 8) {
            parse.error = QStringLiteral("truncated record at %1").arg(offset);
            return parse;
        }
        EmfRecordView r;
        r.type = qFromLittleEndian<quint32>(file.constData() + offset);
        r.size = qFromLittleEndian<quint32>(file.constData() + offset + 4);
        if (r.size < 8 || r.size % 4 != 0 || r.size > file.size() - offset) {
            parse.error =
                QStringLiteral("record %1 (type %2) has size %3").arg(parse.records.size()).arg(r.type).arg(r.size);
            return parse;
        }
        r.bytes = file.mid(offset, r.size);
        parse.records << r;
        offset += r.size;
        if (r.type == emr::Eof && offset != file.size()) {
            parse.error = QStringLiteral("bytes after the end-of-file record");
            return parse;
        }
    }
    if (parse.records.isEmpty() || parse.records.first().type != emr::Header)
        parse.error = QStringLiteral("no header first");
    else if (parse.records.last().type != emr::Eof)
        parse.error = QStringLiteral("no end-of-file record last");
    return parse;
}

inline QStringList EmfParse::texts() const
{
    QStringList list;
    for (const EmfRecordView &r : ofType(emr::ExtTextOutW)) {
        const quint32 chars = r.u32(44);
        const quint32 offString = r.u32(48);
        if (offString + chars * 2 > r.size)
            continue;
        QString text;
        for (quint32 k = 0; k < chars; ++k)
            text += QChar(r.u16(static_cast<int>(offString + 2 * k)));
        list << text;
    }
    return list;
}

} // namespace orvel::test
