#include "recorder/Tarecord.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace orvel {

namespace {
void putInt32(unsigned char *out, std::int32_t value)
{
    const auto u = std::uint32_t(value);
    out[0] = u & 0xFF;
    out[1] = (u >> 8) & 0xFF;
    out[2] = (u >> 16) & 0xFF;
    out[3] = (u >> 24) & 0xFF;
}

std::int32_t getInt32(const unsigned char *in)
{
    return std::int32_t(std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
                        std::uint32_t(in[3]) << 24);
}

void putFloat(unsigned char *out, float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    putInt32(out, std::int32_t(bits));
}

float getFloat(const unsigned char *in)
{
    const auto bits = std::uint32_t(getInt32(in));
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

template <std::size_t N> void putText(unsigned char *out, const TextField<N> &field)
{
    std::memcpy(out, field.data(), N);
}

// A text field as stored. Control characters (a line break in a damaged or
// foreign file) read as blanks, so that a record's texts never break the line
// of the data list or of the exported text.
template <std::size_t N> void getText(const unsigned char *in, TextField<N> &field)
{
    std::memcpy(field.data(), in, N);
    for (char &c : field) {
        if (c == '\0')
            break;
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
}

void readCommon(const unsigned char *in, TRecord &r)
{
    getText(in + 0, r.szValue);
    getText(in + 8, r.szExponent);
    r.iFunction = getInt32(in + 12);
    getText(in + 16, r.szTime);
    getText(in + 32, r.szDisplay);
    getText(in + 48, r.szPrefix);
    getText(in + 56, r.szUnit);
    r.fReading = getFloat(in + 64);
}

constexpr qsizetype kMinGrowth = 4096;
} // namespace

TRecord::TRecord(const QString &value, const QString &exponent, int function, const QString &time,
                 const QString &display, const QString &prefix, const QString &unit, float reading)
    : iFunction(function)
    , fReading(reading)
{
    setFieldText(szValue, value);
    setFieldText(szExponent, exponent);
    setFieldText(szTime, time);
    setFieldText(szDisplay, display);
    setFieldText(szPrefix, prefix);
    setFieldText(szUnit, unit);
}

TARecord::TARecord(const QString &value, const QString &exponent, int function, const QString &time,
                   const QString &display, const QString &prefix, const QString &unit, float reading,
                   const QString &aux)
    : TRecord(value, exponent, function, time, display, prefix, unit, reading)
{
    setFieldText(szAux, aux);
}

void writeRecord(const TARecord &r, unsigned char out[kRecordSize])
{
    putText(out + 0, r.szValue);
    putText(out + 8, r.szExponent);
    putInt32(out + 12, r.iFunction);
    putText(out + 16, r.szTime);
    putText(out + 32, r.szDisplay);
    putText(out + 48, r.szPrefix);
    putText(out + 56, r.szUnit);
    putFloat(out + 64, r.fReading);
    putText(out + 68, r.szAux);
}

TARecord readRecord(const unsigned char in[kRecordSize])
{
    TARecord r;
    readCommon(in, r);
    getText(in + 68, r.szAux);
    return r;
}

TARecord readOldRecord(const unsigned char in[kOldRecordSize])
{
    TARecord r;
    readCommon(in, r);
    return r;
}

// ---- ReadingBuffer --------------------------------------------------------------

ReadingBuffer::~ReadingBuffer()
{
    std::free(data_);
}

void ReadingBuffer::grow(qsizetype atLeast)
{
    const qsizetype next = std::max({atLeast, capacity_ + capacity_ / 16, capacity_ + kMinGrowth});
    // Records are trivially copyable, so realloc may move them; for large blocks
    // the C library remaps the pages instead of copying them.
    void *block = std::realloc(static_cast<void *>(data_), std::size_t(next) * sizeof(TARecord));
    if (!block)
        throw std::bad_alloc();
    data_ = static_cast<TARecord *>(block);
    capacity_ = next;
}

void ReadingBuffer::append(const TARecord &record)
{
    if (size_ == capacity_)
        grow(size_ + 1);
    std::memcpy(static_cast<void *>(data_ + size_), &record, sizeof(TARecord));
    ++size_;
}

void ReadingBuffer::reserve(qsizetype total)
{
    if (total <= capacity_)
        return;
    grow(total);
#ifdef __linux__
    // A large block about to be filled at once (a file being loaded) is filled
    // page by page; huge pages save most of the page faults, which take more
    // time than the loading itself. Not done for growth one reading at a time,
    // where the block is moved often.
    const std::size_t bytes = std::size_t(capacity_) * sizeof(TARecord);
    constexpr std::uintptr_t kHuge = 2u << 20;
    if (bytes >= 2 * kHuge) {
        const auto start = reinterpret_cast<std::uintptr_t>(data_);
        const auto begin = (start + kHuge - 1) & ~(kHuge - 1);
        const auto end = (start + bytes) & ~(kHuge - 1);
        if (end > begin)
            ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
    }
#endif
}

void ReadingBuffer::clear()
{
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
    capacity_ = 0;
    generation_ = nextGeneration();
}

quint64 ReadingBuffer::nextGeneration()
{
    static std::atomic<quint64> next{1};
    return next++;
}

} // namespace orvel
