#pragma once
// The export dialog without its widgets: which controls each choice enables and
// selects, the picture size in its units, the file name as the dialog shows it,
// and the pages the dialog asks for. The recorder's and the viewer's dialogs
// share all of it and differ only in the Printer rule.

#include <QString>

#include <optional>

namespace orvel {

enum class ExportKind { MetaFile, BitMap, Text };
enum class ExportDestination { ClipBoard, File, Printer };
enum class PageScope { AllPages, ThisPage, Page };
enum class SizeUnit { Pixels, Millimeters, Inches, Points };

/// Whose dialog: the recorder prints any pages, the viewer only the chart it shows.
enum class ExportOwner { Recorder, Viewer };

/// Largest picture side the dialog takes: pixels for a bitmap, hundredths of a
/// millimetre (ten metres) for a metafile. The chart control renders up to these.
inline constexpr int kMaxExportPixels = 16384;
inline constexpr int kMaxExportUnits = 1'000'000;

/// Everything the dialog's controls show, apart from the texts typed into From and To.
struct ExportControls
{
    std::optional<ExportKind> kind; ///< none until the owner first chooses one
    std::optional<ExportDestination> destination;
    std::optional<PageScope> scope;
    std::optional<SizeUnit> unit;

    bool clipBoardEnabled = true;
    bool fileEnabled = true;
    bool printerEnabled = true;
    bool browseEnabled = true;
    bool pageAllEnabled = true;
    bool thisPageEnabled = true;
    bool pageEnabled = true;
    bool rangeEnabled = true; ///< From, To and their labels
    bool sizeVisible = true;  ///< the Object Size group
    bool pixelsEnabled = true;
    bool millimetersEnabled = true;
    bool inchesEnabled = true;
    bool pointsEnabled = true;
    int pixelsCaptionId = 323; ///< "No Specific Size" until a kind is chosen, then "Pixels"
    int unitCaptionId = 330;   ///< "Units", or "Pixels" for a bitmap

    double width = 0.0;  ///< pixels for a bitmap, hundredths of a millimetre for a metafile
    double height = 0.0; ///< likewise
    QString fileName;    ///< the full name chosen with Browse; "" for none
};

/// The control rules. Each choose… runs the rule of a radio button that becomes
/// selected and returns true; choosing what is already selected changes nothing
/// and returns false, so sizes and units typed earlier survive a new showing.
class ExportChoices
{
public:
    explicit ExportChoices(ExportOwner owner)
        : owner_(owner)
    {}

    const ExportControls &controls() const { return c_; }
    ExportOwner owner() const { return owner_; }

    bool chooseKind(ExportKind kind);
    bool chooseDestination(ExportDestination destination);
    bool chooseScope(PageScope scope);
    bool chooseUnit(SizeUnit unit);

    /// The width and height boxes' texts for the stored size in the chosen unit.
    QString widthText() const;
    QString heightText() const;

    /// Takes a box's text as typed in the chosen unit; false (the stored value
    /// kept) for a text that is no number, or a size below 1 or above the largest.
    bool setWidthText(const QString &text);
    bool setHeightText(const QString &text);

    void setFileName(const QString &name) { c_.fileName = name; }

private:
    void applyKind(ExportKind kind);
    void applyDestination(ExportDestination destination);
    void applyScope(PageScope scope);

    ExportOwner owner_;
    ExportControls c_;
};

/// A stored size as a box shows it: Millimeters × 0.01, Inches × 1/2540, others unchanged.
QString sizeText(double stored, SizeUnit unit);

/// A box's text as stored for `kind` in `unit`: a bitmap as typed (pixels), Millimeters × 100,
/// Inches × 2540, Points as typed. Nothing for a text that is no number, a size whose whole
/// part is below 1, or one beyond the largest side for the kind.
std::optional<double> storedSize(const QString &text, ExportKind kind, SizeUnit unit);

/// The file name as the dialog shows it: whole up to 30 characters, otherwise the
/// first 3, "..." and the last 24.
QString shownFileName(const QString &name);

/// The pages to export, or why there are none to export.
struct PageSpan
{
    int from = 1;
    int to = 0;
    int errorId = 0; ///< string id of the reason; 0 when the span is usable
    QString error;   ///< the reason's text, filled in
};

/// The pages the dialog asks for: This Page the shown one, All Pages 1 .. lastPage, Page
/// From .. To read as integers. A text that is no integer or a page outside 1 .. lastPage is
/// refused; From greater than To is a usable, empty span.
PageSpan pageSpan(PageScope scope, const QString &fromText, const QString &toText, int shownPage, int lastPage);

} // namespace orvel
