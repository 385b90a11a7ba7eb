#pragma once
// A stored reading and the buffer of all of them.
//
// A stored reading is 76 bytes, little-endian, the same bytes in memory, in the
// temporary store and in ".g52" files; the older ".g51" files hold the first 68.
//
//   offset width field       type
//        0     8 szValue     NUL-terminated 8-bit text (the decoded value text)
//        8     4 szExponent  text (decimal exponent of szValue)
//       12     4 iFunction   signed 32-bit integer
//       16    16 szTime      text (13-character time stamp)
//       32    16 szDisplay   text (the number as displayed)
//       48     8 szPrefix    text (prefix label)
//       56     8 szUnit      text (unit label)
//       64     4 fReading    IEEE 754 single
//       68     8 szAux       text (auxiliary text; ".g52" only)
//
// Records are written and read field by field, never by casting bytes. Text
// fields are read up to their first NUL or their width, whichever comes first;
// the bytes of a field are kept as they were read, so a file saved again
// reproduces every significant byte.

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace orvel {

inline constexpr int kRecordSize = 76;    ///< bytes of a TARecord in files
inline constexpr int kOldRecordSize = 68; ///< bytes of a TRecord (".g51" files)

/// A fixed-width text field: 8-bit characters, NUL-terminated inside the width
/// when shorter than it.
template <std::size_t N> using TextField = std::array<char, N>;

/// The text of a field: up to its first NUL or its width (bytes as Latin-1).
template <std::size_t N> QString fieldText(const TextField<N> &field)
{
    std::size_t n = 0;
    while (n < N && field[n] != '\0')
        ++n;
    return QString::fromLatin1(field.data(), qsizetype(n));
}

/// Fills a field with `text`, cut to N − 1 characters so that a NUL always
/// ends it, and NUL-padded.
template <std::size_t N> void setFieldText(TextField<N> &field, const QString &text)
{
    field.fill('\0');
    const QByteArray bytes = text.toLatin1();
    const std::size_t n = std::min<std::size_t>(std::size_t(bytes.size()), N - 1);
    for (std::size_t i = 0; i < n; ++i)
        field[i] = bytes[qsizetype(i)];
}

/// A reading as the older ".g51" files store it (68 bytes).
struct TRecord
{
    TextField<8> szValue{};     ///< value text as decoded, e.g. '1.234', '-OL.'
    TextField<4> szExponent{};  ///< decimal exponent of szValue, e.g. "-3"
    std::int32_t iFunction = 0; ///< function code
    TextField<16> szTime{};     ///< time stamp, '  9:05:03.4  '
    TextField<16> szDisplay{};  ///< the number as displayed
    TextField<8> szPrefix{};    ///< prefix label, e.g. "m"
    TextField<8> szUnit{};      ///< unit label, e.g. "V"
    float fReading = 0.0f;      ///< the reading as a number

    /// Every text empty, the numbers 0.
    TRecord() = default;
    TRecord(const QString &value, const QString &exponent, int function, const QString &time, const QString &display,
            const QString &prefix, const QString &unit, float reading);
};

/// A stored reading (76 bytes): a TRecord and the auxiliary text.
struct TARecord : TRecord
{
    TextField<8> szAux{}; ///< auxiliary text (no meter frame fills it)

    TARecord() = default;
    TARecord(const QString &value, const QString &exponent, int function, const QString &time, const QString &display,
             const QString &prefix, const QString &unit, float reading, const QString &aux);
};

static_assert(sizeof(TRecord) == kOldRecordSize, "a TRecord is 68 bytes in memory too");
static_assert(sizeof(TARecord) == kRecordSize, "a TARecord is 76 bytes in memory too");
static_assert(std::is_trivially_copyable_v<TARecord>);

/// The 76 bytes of a record as files hold them.
void writeRecord(const TARecord &record, unsigned char out[kRecordSize]);
/// A record from 76 bytes of a ".g52" file. Control characters in its texts
/// (up to the NUL that ends each) read as blanks.
TARecord readRecord(const unsigned char in[kRecordSize]);
/// A record from 68 bytes of a ".g51" file; its szAux is empty.
TARecord readOldRecord(const unsigned char in[kOldRecordSize]);

/// Every stored reading, oldest first, in one contiguous block of records.
/// Grows by a sixteenth at a time (at least 4096 records), so a reading costs at
/// most about 1.07 × 76 bytes; the block is resized in place where the system
/// allows, so appending never copies the whole buffer in the common case.
class ReadingBuffer
{
public:
    ReadingBuffer() = default;
    ~ReadingBuffer();
    ReadingBuffer(const ReadingBuffer &) = delete;
    ReadingBuffer &operator=(const ReadingBuffer &) = delete;

    qsizetype count() const { return size_; }
    bool isEmpty() const { return size_ == 0; }
    /// Record `index` (0 = oldest); the caller keeps to 0 .. count() − 1.
    const TARecord &at(qsizetype index) const { return data_[index]; }
    const TARecord &operator[](qsizetype index) const { return data_[index]; }
    const TARecord *begin() const { return data_; }
    const TARecord *end() const { return data_ + size_; }

    /// Appends a record. Throws std::bad_alloc when memory runs out; the buffer
    /// then holds what it held before.
    void append(const TARecord &record);
    /// Makes room for `total` records at once (a file about to be loaded).
    void reserve(qsizetype total);
    /// Drops every record and gives the memory back.
    void clear();
    /// Changes at every clear(), and no two buffers share one, so a reader can
    /// tell that the records it knew are gone.
    quint64 generation() const { return generation_; }
    /// Bytes held for records (capacity, not just the records in use).
    std::size_t bytesReserved() const { return std::size_t(capacity_) * sizeof(TARecord); }

private:
    void grow(qsizetype atLeast);
    static quint64 nextGeneration();

    TARecord *data_ = nullptr;
    qsizetype size_ = 0;
    qsizetype capacity_ = 0;
    quint64 generation_ = nextGeneration();
};

} // namespace orvel
