#pragma once
// Prefix and unit labels of a reading. The prefix is worked out again from the
// function and the exponent (each function has its own rule), not copied from
// the frame's prefix annunciators.

#include <QString>

#include <cstdint>

namespace orvel {

/// Exponent of the prefix a reading of `iFunction` with exponent text
/// `sExponent` is shown with: -9, -6, -3, 0, 3 or 6.
int GetRangePrefixExp(int iFunction, const QString &sExponent);

/// "n", "u", "m", "", "K" or "M" for a prefix exponent; empty for any other.
QString GetPrefixLabel(int iFunction, int iPrefixExp);

/// "V", "F", "C", "W" (the ohm sign in the symbol face), "A", "VA", "Hz" or ""
/// for the function of `dwMode` (its low-battery bit is ignored).
QString GetUnitLabel(std::uint32_t dwMode);

// The labels are part of the stored records and the exported data, not
// captions: they stay the same in every language.

enum class LabelFace { Arial, Symbol };
enum class LabelAlign { Center, Left, Right };

/// How the prefix and unit labels of a reading are drawn, wherever they appear:
/// temperatures push the prefix right and the unit left (the two read as one
/// "°C"), and resistance draws its unit "W" in the symbol face, where it is Ω.
struct LabelStyle
{
    LabelFace prefixFace = LabelFace::Arial;
    LabelAlign prefixAlign = LabelAlign::Center;
    LabelFace unitFace = LabelFace::Arial;
    LabelAlign unitAlign = LabelAlign::Center;
};

LabelStyle labelStyleFor(int iFunction);

/// A text written for the symbol face as the characters that face draws:
/// Latin letters become the Greek ones in their place ("W" is Ω, "m" is μ),
/// so the text reads right in any face.
QString symbolFaceText(const QString &text);

/// `text` as drawn in `face`.
QString labelText(const QString &text, LabelFace face);

} // namespace orvel
