#pragma once
// orvel-cli stats: the statistics window's figures for a logger data file.

#include "tools/Convert.h"

#include <QString>

#include <cstdio>
#include <optional>

namespace orvel::cli {

/// Reads the logger data file `in` (every page, or `pages`) a block at a time
/// and prints the figures of its readings on `out`: the statistics window's
/// lines, or with `json` one JSON object. The expected interval is judged from
/// the readings. A file that cannot be read or a page outside 1 .. the last
/// page: a message on `err` and status 1.
int stats(const QString &in, std::optional<PageSpan> pages, bool json, std::FILE *out = stdout,
          std::FILE *err = stderr);

} // namespace orvel::cli
