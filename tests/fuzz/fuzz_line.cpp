// The bytes of the line, as the frame reader takes them one by one: noise, lost
// bytes, frames run together.
//
// Invariants, checked against a plain search of the input: a frame comes out
// only as the last 15 bytes taken, starting with index 0 and carrying each
// index 0..14 once, and never overlapping the frame before; every such run of
// 15 bytes that does not overlap the frame before does come out. A frame that
// came out decodes or is refused, and what decodes gives a value text and
// exponent of the decoder's shapes.

#include "meter/Acquisition.h"
#include "meter/FrameDecoder.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstdint>
#include <cstring>

using namespace orvel;

namespace {

// Bytes data[end - 15 .. end) are a whole frame.
bool wholeFrameEndingAt(const std::uint8_t *data, std::size_t end)
{
    if (end < std::size_t(kFrameSize) || (data[end - kFrameSize] >> 4) != 0)
        return false;
    unsigned indexes = 0;
    for (std::size_t i = end - kFrameSize; i < end; ++i) {
        const unsigned bit = 1u << (data[i] >> 4);
        if (indexes & bit)
            return false;
        indexes |= bit;
    }
    return indexes == (1u << kFrameSize) - 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FrameAssembler assembler;
    std::size_t lastEnd = 0; // where the frame before ended
    for (std::size_t i = 0; i < size; ++i) {
        const bool completed = assembler.take(data[i]);
        const std::size_t end = i + 1;
        const bool expected = end >= lastEnd + kFrameSize && wholeFrameEndingAt(data, end);
        FUZZ_CHECK(completed == expected);
        if (!completed)
            continue;
        FUZZ_CHECK(std::memcmp(assembler.frame().data(), data + end - kFrameSize, kFrameSize) == 0);
        lastEnd = end;
        if (const auto decoded = decodeFrame(assembler.frame())) {
            bool ok = false;
            const int exponent = decoded->sExponent.toInt(&ok);
            FUZZ_CHECK(ok && exponent >= -9 && exponent <= 15);
            FUZZ_CHECK(decoded->sValue.size() >= 2 && decoded->sValue.size() <= 6);
        }
    }
    return 0;
}
