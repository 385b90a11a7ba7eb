#pragma once
// orvel-cli decode: serial reads in, one JSON line per read out.

#include <cstdio>

class QIODevice;

namespace orvel::cli {

/// Decodes the reads of `input` (one read a line: hexadecimal byte pairs, an
/// empty line for a read that returned nothing, "#" comments) into one JSON
/// line each on `out`. Returns 0, or 2 after a message on `err` for a line
/// that is not a read.
int decodeReads(QIODevice &input, std::FILE *out, std::FILE *err);

} // namespace orvel::cli
