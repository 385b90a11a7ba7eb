#include "export/ExportChoices.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace orvel {
namespace {

// The controls as one line: choices, then enabled (1) or not (0) per control.
std::string describe(const ExportControls &c)
{
    auto pick = [](auto value, std::initializer_list<const char *> names) {
        return value ? std::string(names.begin()[static_cast<int>(*value)]) : std::string("-");
    };
    auto b = [](bool on) { return on ? '1' : '0'; };
    std::string s = pick(c.kind, {"Meta", "Bmp", "Text"}) + ' ' + pick(c.destination, {"Clip", "File", "Prn"}) + ' ' +
                    pick(c.scope, {"All", "This", "Page"}) + ' ' + pick(c.unit, {"px", "mm", "in", "pt"});
    s += std::string(" dest ") + b(c.clipBoardEnabled) + b(c.fileEnabled) + b(c.printerEnabled) + b(c.browseEnabled);
    s += std::string(" scope ") + b(c.pageAllEnabled) + b(c.thisPageEnabled) + b(c.pageEnabled) + b(c.rangeEnabled);
    if (!c.sizeVisible)
        return s + " nosize";
    s += std::string(" size ") + b(c.pixelsEnabled) + b(c.millimetersEnabled) + b(c.inchesEnabled) +
         b(c.pointsEnabled) + ' ' + std::to_string(c.pixelsCaptionId) + '/' + std::to_string(c.unitCaptionId);
    return s;
}

TEST(ExportChoices, ControlRulesForEachChoiceAndOwner)
{
    using K = ExportKind;
    using D = ExportDestination;
    using P = PageScope;
    struct Row
    {
        ExportOwner owner;
        std::function<void(ExportChoices &)> choose;
        const char *expected;
    };
    const auto R = ExportOwner::Recorder;
    const auto V = ExportOwner::Viewer;
    const Row rows[] = {
        {R, [](ExportChoices &e) { e.chooseKind(K::Text); }, "Text File This - dest 0101 scope 1110 nosize"},
        {R, [](ExportChoices &e) { e.chooseKind(K::BitMap); },
         "Bmp Clip This px dest 1110 scope 0100 size 1000 324/324"},
        {R, [](ExportChoices &e) { e.chooseKind(K::MetaFile); },
         "Meta Clip This mm dest 1110 scope 0100 size 0111 324/330"},
        {R, [](ExportChoices &e) { e.chooseKind(K::BitMap), e.chooseDestination(D::File); },
         "Bmp File This px dest 1111 scope 0100 size 1000 324/324"},
        {R, [](ExportChoices &e) { e.chooseKind(K::Text), e.chooseScope(P::Page); },
         "Text File Page - dest 0101 scope 1111 nosize"},
        {R, [](ExportChoices &e) { e.chooseKind(K::Text), e.chooseScope(P::AllPages); },
         "Text File All - dest 0101 scope 1110 nosize"},
        // Printer: the recorder prints any pages and keeps the scope; the viewer only the chart shown.
        {R, [](ExportChoices &e) { e.chooseKind(K::MetaFile), e.chooseDestination(D::Printer); },
         "Meta Prn This mm dest 1110 scope 1110 size 0111 324/330"},
        {R, [](ExportChoices &e) { e.chooseKind(K::BitMap), e.chooseDestination(D::Printer), e.chooseScope(P::Page); },
         "Bmp Prn Page px dest 1110 scope 1111 size 1000 324/324"},
        {V, [](ExportChoices &e) { e.chooseKind(K::MetaFile), e.chooseDestination(D::Printer); },
         "Meta Prn This mm dest 1110 scope 0100 size 0111 324/330"},
        // Back to the clipboard or a file, pictures go back to the page shown.
        {R,
         [](ExportChoices &e) {
             e.chooseKind(K::BitMap), e.chooseDestination(D::Printer), e.chooseScope(P::Page);
             e.chooseDestination(D::ClipBoard);
         },
         "Bmp Clip This px dest 1110 scope 0100 size 1000 324/324"},
        {R,
         [](ExportChoices &e) {
             e.chooseKind(K::BitMap), e.chooseDestination(D::Printer), e.chooseScope(P::AllPages);
             e.chooseDestination(D::File);
         },
         "Bmp File This px dest 1111 scope 0100 size 1000 324/324"},
        // Text after a picture to a file: the File rule runs again and opens the page choices.
        {R, [](ExportChoices &e) { e.chooseKind(K::BitMap), e.chooseDestination(D::File), e.chooseKind(K::Text); },
         "Text File This px dest 0101 scope 1110 nosize"},
        {R, [](ExportChoices &) {}, "- - - - dest 1111 scope 1111 size 1111 323/330"},
    };
    for (const Row &row : rows) {
        ExportChoices e(row.owner);
        row.choose(e);
        EXPECT_EQ(describe(e.controls()), row.expected);
    }
}

TEST(ExportChoices, AChoiceAlreadySelectedKeepsWhatWasTyped)
{
    ExportChoices e(ExportOwner::Viewer);
    EXPECT_TRUE(e.chooseKind(ExportKind::MetaFile));
    e.chooseDestination(ExportDestination::File);
    e.setFileName(QStringLiteral("/tmp/a.emf"));
    EXPECT_TRUE(e.chooseUnit(SizeUnit::Inches));
    EXPECT_TRUE(e.setWidthText(QStringLiteral("2")));
    EXPECT_FALSE(e.chooseKind(ExportKind::MetaFile));
    EXPECT_FALSE(e.chooseDestination(ExportDestination::File));
    EXPECT_EQ(e.controls().width, 5080.0);
    EXPECT_EQ(e.controls().fileName, QStringLiteral("/tmp/a.emf"));
    EXPECT_EQ(e.widthText(), QStringLiteral("2"));
    // A refused text keeps the stored size.
    for (const char *bad : {"", "abc", "0", "-1", "1e9"}) {
        EXPECT_FALSE(e.setWidthText(QString::fromLatin1(bad))) << bad;
        EXPECT_EQ(e.controls().width, 5080.0) << bad;
    }
    // A new kind starts from its defaults again.
    EXPECT_TRUE(e.chooseKind(ExportKind::BitMap));
    EXPECT_EQ(e.widthText(), QStringLiteral("1000"));
    EXPECT_TRUE(e.controls().fileName.isEmpty());
}

TEST(ExportChoices, SizesInTheirUnits)
{
    struct Row
    {
        SizeUnit unit;
        double stored;
        const char *shown;
    };
    const Row rows[] = {
        {SizeUnit::Millimeters, 10000, "100"},
        {SizeUnit::Millimeters, 6810, "68.1"},
        {SizeUnit::Inches, 10000, "3.93700787401575"},
        {SizeUnit::Inches, 6810, "2.68110236220472"},
        {SizeUnit::Points, 10000, "10000"},
        {SizeUnit::Points, 6810, "6810"},
        {SizeUnit::Pixels, 681, "681"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(sizeText(r.stored, r.unit), QString::fromLatin1(r.shown)) << r.shown;

    struct Typed
    {
        const char *text;
        ExportKind kind;
        SizeUnit unit;
        std::optional<double> stored;
    };
    const Typed typed[] = {
        {"100.5", ExportKind::MetaFile, SizeUnit::Millimeters, 10050},
        {"1", ExportKind::MetaFile, SizeUnit::Inches, 2540},
        {"7000", ExportKind::MetaFile, SizeUnit::Points, 7000},
        {"640", ExportKind::BitMap, SizeUnit::Pixels, 640},
        {"16384", ExportKind::BitMap, SizeUnit::Pixels, 16384},
        {"16385", ExportKind::BitMap, SizeUnit::Pixels, std::nullopt},
        {"0.5", ExportKind::BitMap, SizeUnit::Pixels, std::nullopt},
        {"0", ExportKind::BitMap, SizeUnit::Pixels, std::nullopt},
        {"-640", ExportKind::BitMap, SizeUnit::Pixels, std::nullopt},
        {"", ExportKind::BitMap, SizeUnit::Pixels, std::nullopt},
        {"12a", ExportKind::BitMap, SizeUnit::Pixels, std::nullopt},
        {"10000", ExportKind::MetaFile, SizeUnit::Millimeters, 1000000},
        {"10000.5", ExportKind::MetaFile, SizeUnit::Millimeters, std::nullopt},
        {"394", ExportKind::MetaFile, SizeUnit::Inches, std::nullopt},
    };
    for (const Typed &t : typed)
        EXPECT_EQ(storedSize(QString::fromLatin1(t.text), t.kind, t.unit), t.stored) << t.text;
}

TEST(ExportChoices, FileNameShownInThirtyCharacters)
{
    const QString thirty = QStringLiteral("/home/user/data/recording1.csv");
    ASSERT_EQ(thirty.size(), 30);
    EXPECT_EQ(shownFileName(thirty), thirty);
    const QString thirtyOne = QStringLiteral("/home/user/data/recording12.csv");
    EXPECT_EQ(shownFileName(thirtyOne), QStringLiteral("/ho...ser/data/recording12.csv"));
    EXPECT_EQ(shownFileName(QString()), QString());
}

TEST(ExportChoices, PageSpanFromTheDialog)
{
    struct Row
    {
        PageScope scope;
        const char *from;
        const char *to;
        int first, last, errorId;
        const char *error;
    };
    const Row rows[] = {
        {PageScope::ThisPage, "x", "y", 2, 2, 0, ""},
        {PageScope::AllPages, "", "", 1, 3, 0, ""},
        {PageScope::Page, "2", " 3", 2, 3, 0, ""},
        {PageScope::Page, "3", "2", 3, 2, 0, ""}, // nothing to export, no complaint
        {PageScope::Page, "two", "3", 0, 0, 9104, "'two' is not a valid integer value"},
        {PageScope::Page, "1", "", 0, 0, 9104, "'' is not a valid integer value"},
        {PageScope::Page, "0", "2", 0, 0, 2062, "Page 0 does not exist: the pages are numbered 1 to 3."},
        {PageScope::Page, "1", "4", 0, 0, 2062, "Page 4 does not exist: the pages are numbered 1 to 3."},
    };
    for (const Row &r : rows) {
        const PageSpan span = pageSpan(r.scope, QString::fromLatin1(r.from), QString::fromLatin1(r.to), 2, 3);
        EXPECT_EQ(span.errorId, r.errorId) << r.from << ".." << r.to;
        EXPECT_EQ(span.error, QString::fromLatin1(r.error));
        if (r.errorId == 0) {
            EXPECT_EQ(span.from, r.first);
            EXPECT_EQ(span.to, r.last);
        }
    }
}

} // namespace
} // namespace orvel
