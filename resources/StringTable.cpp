// The numbered string table: every user-visible text of the program, by id.
// Keep it sorted by id; LoadStr() searches it by bisection.
//
// A text the user reads is written QT_TRANSLATE_NOOP("Strings", "…"): lupdate
// collects it into resources/translations/orvel_de.ts, and LoadStr() looks its
// translation up. A name that is the same in every language (a file name, the
// product's name, a code, a unit symbol, a word of orvel-cli's JSON lines) is
// marked Fixed instead and never translated.
#include "resources/Strings.h"

namespace orvel {

namespace {
constexpr bool Fixed = true;
} // namespace

const StringEntry kStringTable[] = {
    // product identity, file names
    {1, "Data Logging System", Fixed},
    {2, "Ver 5.0.0.3", Fixed},
    {3, QT_TRANSLATE_NOOP("Strings", "Nov 05, 2013")},
    {6, "~VORDL", Fixed},
    {7, "\\ZEVDL.ini", Fixed},
    {52, "Orvel", Fixed},

    // window captions
    {100, QT_TRANSLATE_NOOP("Strings", "Digital Meter")},
    {101, QT_TRANSLATE_NOOP("Strings", "Analog Meter")},
    {102, QT_TRANSLATE_NOOP("Strings", "Comparator")},
    {103, QT_TRANSLATE_NOOP("Strings", "Data list")},
    {104, QT_TRANSLATE_NOOP("Strings", "Graphical Recorder")},
    {105, QT_TRANSLATE_NOOP("Strings", "Graphical viewer")},
    {106, QT_TRANSLATE_NOOP("Strings", "Acquisition Interval option")},
    {107, QT_TRANSLATE_NOOP("Strings", "Exporting Data Logger")},

    // acquisition interval dialog
    {200, QT_TRANSLATE_NOOP("Strings", "Acquisition Mode")},
    {201, QT_TRANSLATE_NOOP("Strings", "Manual")},
    {202, QT_TRANSLATE_NOOP("Strings", "Automatic")},
    {203, QT_TRANSLATE_NOOP("Strings", "Full Speed")},
    {204, QT_TRANSLATE_NOOP("Strings", "Customization...")},
    {205, QT_TRANSLATE_NOOP("Strings", "Interval in second(s)")},
    {206, QT_TRANSLATE_NOOP("Strings", "Input an integer value ? ")},

    // export dialog
    {307, QT_TRANSLATE_NOOP("Strings", "Export")},
    {308, QT_TRANSLATE_NOOP("Strings", "MetaFile")},
    {309, QT_TRANSLATE_NOOP("Strings", "BitMap")},
    {310, QT_TRANSLATE_NOOP("Strings", "Text/Data Only")},
    {311, QT_TRANSLATE_NOOP("Strings", "Export Destination")},
    {312, QT_TRANSLATE_NOOP("Strings", "ClipBoard")},
    {313, QT_TRANSLATE_NOOP("Strings", "File")},
    {314, QT_TRANSLATE_NOOP("Strings", "Browse")},
    {315, QT_TRANSLATE_NOOP("Strings", "Printer")},
    {316, QT_TRANSLATE_NOOP("Strings", "Page Scope")},
    {317, QT_TRANSLATE_NOOP("Strings", "All Pages")},
    {318, QT_TRANSLATE_NOOP("Strings", "This Page")},
    {319, QT_TRANSLATE_NOOP("Strings", "Page")},
    {320, QT_TRANSLATE_NOOP("Strings", "From")},
    {321, QT_TRANSLATE_NOOP("Strings", "To")},
    {322, QT_TRANSLATE_NOOP("Strings", "Object Size")},
    {323, QT_TRANSLATE_NOOP("Strings", "No Specific Size")},
    {324, QT_TRANSLATE_NOOP("Strings", "Pixels")},
    {325, QT_TRANSLATE_NOOP("Strings", "Millimeters")},
    {326, QT_TRANSLATE_NOOP("Strings", "Inches")},
    {327, QT_TRANSLATE_NOOP("Strings", "Points")},
    {328, QT_TRANSLATE_NOOP("Strings", "Width")},
    {329, "/", Fixed},
    {330, QT_TRANSLATE_NOOP("Strings", "Units")},
    {331, QT_TRANSLATE_NOOP("Strings", "Cancel")},

    // menu captions
    {500, "-", Fixed},
    {501, QT_TRANSLATE_NOOP("Strings", "&File")},
    {502, QT_TRANSLATE_NOOP("Strings", "&Open...")},
    {503, QT_TRANSLATE_NOOP("Strings", "Save &As...")},
    {506, QT_TRANSLATE_NOOP("Strings", "Printer Set&up...")},
    {507, QT_TRANSLATE_NOOP("Strings", "&Import data from DMM")},
    {508, QT_TRANSLATE_NOOP("Strings", "&Clear")},
    {509, QT_TRANSLATE_NOOP("Strings", "E&xit")},
    {600, QT_TRANSLATE_NOOP("Strings", "&Link")},
    {601, QT_TRANSLATE_NOOP("Strings", "Un&link")},
    {631, QT_TRANSLATE_NOOP("Strings", "&Window")},
    {632, QT_TRANSLATE_NOOP("Strings", "&Tile")},
    {633, QT_TRANSLATE_NOOP("Strings", "&Digital Meter")},
    {634, QT_TRANSLATE_NOOP("Strings", "&Analog Meter")},
    {635, QT_TRANSLATE_NOOP("Strings", "&Comparator")},
    {636, QT_TRANSLATE_NOOP("Strings", "&Graphical Recorder")},
    {637, QT_TRANSLATE_NOOP("Strings", "Data &List")},
    {701, QT_TRANSLATE_NOOP("Strings", "&Port")},
    {761, QT_TRANSLATE_NOOP("Strings", "&Acquisition")},
    {762, QT_TRANSLATE_NOOP("Strings", "Star&t")},
    {763, QT_TRANSLATE_NOOP("Strings", "Sto&p")},
    {764, QT_TRANSLATE_NOOP("Strings", "&Manual")},
    {765, QT_TRANSLATE_NOOP("Strings", "&Interval...")},
    {802, QT_TRANSLATE_NOOP("Strings", "F&irst page")},
    {803, QT_TRANSLATE_NOOP("Strings", "Page &Up")},
    {804, QT_TRANSLATE_NOOP("Strings", "Page &Down")},
    {805, QT_TRANSLATE_NOOP("Strings", "&Last page")},
    {806, QT_TRANSLATE_NOOP("Strings", "&Print this page ...")},
    {807, QT_TRANSLATE_NOOP("Strings", "E&xport ...")},
    {831, QT_TRANSLATE_NOOP("Strings", "&View")},
    {832, QT_TRANSLATE_NOOP("Strings", "Graph Line &Color")},
    {833, QT_TRANSLATE_NOOP("Strings", "&Fit all data")},
    {834, QT_TRANSLATE_NOOP("Strings", "&Undo Zooming")},
    {996, QT_TRANSLATE_NOOP("Strings", "&Help")},
    {999, QT_TRANSLATE_NOOP("Strings", "&About...")},

    // toolbar hints
    {1000, QT_TRANSLATE_NOOP("Strings", "Link to DMM")},
    {1001, QT_TRANSLATE_NOOP("Strings", "Unlink DMM")},
    {1010, QT_TRANSLATE_NOOP("Strings", "Windows tile")},
    {1011, QT_TRANSLATE_NOOP("Strings", "Digital meter")},
    {1012, QT_TRANSLATE_NOOP("Strings", "Analog meter")},
    {1013, QT_TRANSLATE_NOOP("Strings", "Comparator")},
    {1014, QT_TRANSLATE_NOOP("Strings", "Graphical Recorder")},
    {1015, QT_TRANSLATE_NOOP("Strings", "Data List")},
    {1020, QT_TRANSLATE_NOOP("Strings", "Port selection...")},
    {1031, QT_TRANSLATE_NOOP("Strings", "About")},
    {1040, QT_TRANSLATE_NOOP("Strings", "Acquisition start")},
    {1041, QT_TRANSLATE_NOOP("Strings", "Acquisition stop")},
    {1042, QT_TRANSLATE_NOOP("Strings", "Open file...")},
    {1043, QT_TRANSLATE_NOOP("Strings", "Save file...")},
    {1044, QT_TRANSLATE_NOOP("Strings", "Print this page")},
    {1045, QT_TRANSLATE_NOOP("Strings", "Clear record")},
    {1046, QT_TRANSLATE_NOOP("Strings", "Interval option...")},
    {1047, QT_TRANSLATE_NOOP("Strings", "Manual acquisition")},
    {1048, QT_TRANSLATE_NOOP("Strings", "First page")},
    {1049, QT_TRANSLATE_NOOP("Strings", "Page up")},
    {1050, QT_TRANSLATE_NOOP("Strings", "Page down")},
    {1051, QT_TRANSLATE_NOOP("Strings", "Last page")},
    {1052, QT_TRANSLATE_NOOP("Strings", "Fit all data")},
    {1053, QT_TRANSLATE_NOOP("Strings", "Undo Zooming")},
    {1054, QT_TRANSLATE_NOOP("Strings", "Export...")},
    {1055, QT_TRANSLATE_NOOP("Strings", "Import data from DMM")},

    // fixed texts of the forms that carry no number of their own
    {2000, QT_TRANSLATE_NOOP("Strings", "Serial Port selection")},
    {2001, QT_TRANSLATE_NOOP("Strings", "About")},
    {2002, QT_TRANSLATE_NOOP("Strings", "Comparator Hi-Low limit setting")},
    {2003, QT_TRANSLATE_NOOP("Strings", "Upper-Limit : ")},
    {2004, QT_TRANSLATE_NOOP("Strings", "Lower-Limit : ")},
    {2005, QT_TRANSLATE_NOOP("Strings", "&Continue")},
    {2006, QT_TRANSLATE_NOOP("Strings", "OFF")},
    {2007, QT_TRANSLATE_NOOP("Strings", "ON")},
    {2008, QT_TRANSLATE_NOOP("Strings", "PF")},
    {2009, QT_TRANSLATE_NOOP("Strings", "Max.")},
    {2010, QT_TRANSLATE_NOOP("Strings", "Min.")},
    {2011, " : COM ", Fixed},
    {2012, "COM%d", Fixed},
    {2013, QT_TRANSLATE_NOOP("Strings", "Sheet")},
    {2014, " Ohm", Fixed},
    {2015, " ,PF=", Fixed},
    {2016, "----", Fixed},
    {2017, "AC", Fixed},
    {2018, "DC", Fixed},
    {2019, "DC+AC", Fixed},
    {2020, "x", Fixed},
    {2021, QT_TRANSLATE_NOOP("Strings", "System: Windows 9x ")},
    {2022, QT_TRANSLATE_NOOP("Strings", "System: Windows NT ")},
    {2023, QT_TRANSLATE_NOOP("Strings", "System: Unknown ")},
    {2024, QT_TRANSLATE_NOOP("Strings", "System: Linux ")},
    {2030, QT_TRANSLATE_NOOP("Strings", "Data Logger")},
    {2031, QT_TRANSLATE_NOOP("Strings", "Reading")},
    {2032, QT_TRANSLATE_NOOP("Strings", "Time")},
    {2033, "(uF)", Fixed},
    {2034, "(Ohm)", Fixed},
    {2040, QT_TRANSLATE_NOOP("Strings", "Untitled.g52")},
    {2041, QT_TRANSLATE_NOOP("Strings", "Untitled")},
    {2042,
     QT_TRANSLATE_NOOP("Strings",
                       "Data Logger files(*.g52)|*.g52|Data Logger files(*.g51)|*.g51|Temporary files(*.TMP)|*.tmp")},
    {2043, QT_TRANSLATE_NOOP("Strings", "Data Logger files(*.g52)|*.g52")},
    {2044, QT_TRANSLATE_NOOP("Strings", "CSV files(*.csv)|*.csv")},
    {2050, QT_TRANSLATE_NOOP(
               "Strings",
               "The recording could not be written to its temporary file (%s). Recording has stopped; the readings "
               "taken so far are kept in memory.")},
    {2051,
     QT_TRANSLATE_NOOP(
         "Strings", "The meter's line on %s hung up: the cable was pulled or the port went away. The link has ended; "
                    "press Link again once the meter is back.")},
    {2060, QT_TRANSLATE_NOOP("Strings", "Bitmaps (*.bmp)|*.bmp")},
    {2061, QT_TRANSLATE_NOOP("Strings", "All (*.emf)|*.emf|Enhanced Metafiles (*.emf)|*.emf")},
    {2062, QT_TRANSLATE_NOOP("Strings", "Page %d does not exist: the pages are numbered 1 to %d.")},
    {2063, QT_TRANSLATE_NOOP(
               "Strings",
               "Metafiles are written as enhanced metafiles only. Please choose a name ending in \".emf\" instead of "
               "\".wmf\".")},
    {2064,
     QT_TRANSLATE_NOOP("Strings",
                       "A bitmap of %d x %d pixels is larger than the chart can make (at most 16384 pixels a side and "
                       "67108864 pixels in all).")},
    {2065, QT_TRANSLATE_NOOP(
               "Strings",
               "A metafile of %d x %d hundredths of a millimetre is larger than the chart can make (at most 1000000 "
               "a side).")},
    {2066, QT_TRANSLATE_NOOP("Strings", "The printer could not start the print-out (%s).")},
    // network ports (tcp://HOST:PORT)
    {2070, QT_TRANSLATE_NOOP("Strings", "network")},
    {2071, QT_TRANSLATE_NOOP("Strings", "the connection was refused (nothing listens on that port)")},
    {2072, QT_TRANSLATE_NOOP("Strings", "there is no route to the host")},
    {2073, QT_TRANSLATE_NOOP("Strings", "the host name is unknown")},
    {2074, QT_TRANSLATE_NOOP("Strings", "no answer within 2 seconds")},
    {2075, QT_TRANSLATE_NOOP("Strings", "the network is unreachable")},
    {2076, QT_TRANSLATE_NOOP("Strings", "no port is given")},
    {2077, QT_TRANSLATE_NOOP("Strings", "the port is not a number from 1 to 65535")},
    {2078, QT_TRANSLATE_NOOP("Strings", "only tcp:// is understood")},
    {2079, QT_TRANSLATE_NOOP("Strings", "the host is missing or is no valid name or address")},
    {2080, QT_TRANSLATE_NOOP("Strings", "Readings: ")},
    {2081, QT_TRANSLATE_NOOP("Strings", "First: ")},
    {2082, QT_TRANSLATE_NOOP("Strings", "Last: ")},
    {2083, QT_TRANSLATE_NOOP("Strings", "Minimum: ")},
    {2084, QT_TRANSLATE_NOOP("Strings", "Maximum: ")},
    {2085, QT_TRANSLATE_NOOP("Strings", "Mean: ")},
    {2086, QT_TRANSLATE_NOOP("Strings", "Standard deviation: ")},
    {2087, QT_TRANSLATE_NOOP("Strings", "Above the upper limit %1: %2 readings, %3")},
    {2088, QT_TRANSLATE_NOOP("Strings", "Below the lower limit %1: %2 readings, %3")},
    {2089, QT_TRANSLATE_NOOP("Strings", "Limits: none set")},
    {2090, QT_TRANSLATE_NOOP("Strings", "Statistics")},
    {2091, QT_TRANSLATE_NOOP("Strings", "In view")},
    {2092, QT_TRANSLATE_NOOP("Strings", "Whole recording")},
    {2093, QT_TRANSLATE_NOOP("Strings", "&Copy")},
    {2094, QT_TRANSLATE_NOOP("Strings", "&Statistics...")},
    {2095,
     QT_TRANSLATE_NOOP("Strings", "A recording was interrupted at %1 (%2 readings). Open it now?\n\nIts file: %3")},
    {2096, QT_TRANSLATE_NOOP("Strings", "meter: %s")},
    {2097, QT_TRANSLATE_NOOP("Strings", "no meter heard")},

    // orvel-cli
    {2100,
     QT_TRANSLATE_NOOP(
         "Strings", "Usage: orvel-cli COMMAND [OPTIONS]\n"
                    "\n"
                    "Commands (orvel-cli COMMAND --help shows one of them):\n"
                    "  decode [FILE]         decode serial reads (hex bytes, one read a line) into JSON lines\n"
                    "  simulate [OPTIONS]    play a meter on a pseudo-terminal; prints its path first\n"
                    "      --listen [HOST:]PORT\n"
                    "                        serve the meter on TCP instead, to one client at a time; binds to\n"
                    "                        the loopback address 127.0.0.1 unless HOST is given (0.0.0.0: every\n"
                    "                        address); prints tcp://HOST:PORT first (PORT 0: a free port)\n"
                    "      --period MS       time between frames (default 250)\n"
                    "      --pace            send byte by byte at the line's rate\n"
                    "      --scenario NAME|FILE\n"
                    "                        play a built-in scenario: battery (the default: a cell discharging\n"
                    "                        through a changing load, then charged again) or tour (every\n"
                    "                        function in turn); or a scenario FILE\n"
                    "      --count N         stop after N frames\n"
                    "      --link PATH       also make a symbolic link PATH to the terminal\n"
                    "      --fault KIND      misbehave: noise (random bytes before each frame), drop\n"
                    "                        (one frame in two, at random, loses a byte), stall (3 s of\n"
                    "                        silence every 20 frames), burst (20 frames back to back each\n"
                    "                        period, faster than the line carries them), hangup\n"
                    "                        (after 20 frames the terminal closes as if the cable were\n"
                    "                        pulled; 2 s later a new one opens, its path printed again;\n"
                    "                        on TCP the connection closes)\n"
                    "  monitor PORT [--count N] [--json]\n"
                    "                        link to a meter and print what the digital meter shows, a line a tick;\n"
                    "                        ends with status 3 when the line hangs up; --json: a JSON object a\n"
                    "                        reading and a warning, nothing else on standard output\n"
                    "      --port PORT       the port, given as an option instead\n"
                    "  record PORT --out FILE.g52 [OPTIONS]\n"
                    "                        record readings as the recorder does, each one written at once;\n"
                    "                        each line on standard input places a mark with that text on the\n"
                    "                        newest stored reading (lines before the first reading wait for\n"
                    "                        it), written at once to FILE.g52.marks\n"
                    "      --port PORT       the port, given as an option instead\n"
                    "      --interval S|full store the first reading every S seconds, or every one (default full)\n"
                    "      --count N         stop after N stored readings\n"
                    "      --duration S      stop after S seconds (SIGINT and SIGTERM also end it)\n"
                    "      --start-when COND wait, storing nothing, until COND fires, then record\n"
                    "      --pre N           with --start-when: keep the last N readings before it and store\n"
                    "                        them first, with their own times (default 0)\n"
                    "      --stop-when COND  stop when COND fires, before that reading (repeat: any of them)\n"
                    "      --mark-when COND  an alarm: place a mark when COND fires (repeat for more)\n"
                    "      --tone            sound the comparator's tone on each alarm\n"
                    "      --on-mark CMD     run CMD through the shell on each mark, without waiting for it;\n"
                    "                        the mark in ORVEL_MARK_READING, _TIME, _VALUE, _UNIT, _KIND,\n"
                    "                        _TEXT and _FILE (at most 4 at once; more are dropped)\n"
                    "                        COND: above X, below X, inside LO..HI, outside LO..HI, outside\n"
                    "                        limits, overload, silent D; to stop also after D, readings N;\n"
                    "                        to start or stop at HH:MM[:SS]; then maybe \"for D\" (it must\n"
                    "                        hold that long). X: 1.5, 150m, 150mA, 4.7k; D: 500ms, 10s, 5m, 2h\n"
                    "      --csv FILE        also write each reading's exported text line to FILE\n"
                    "      --force           replace existing output files\n"
                    "      --rotate daily|DURATION|never\n"
                    "                        name the files after the date and time each begins\n"
                    "                        (FILE-YYYYMMDD-HHMMSS.g52, never an existing name) and begin the\n"
                    "                        next at midnight, or after every DURATION (seconds, or 90s, 15m,\n"
                    "                        1h, 7d); never: one file; readings are numbered in each file\n"
                    "      --quiet           no line a stored reading on standard error\n"
                    "      --json            a JSON object a stored reading, a mark and a warning on standard output\n"
                    "  convert IN [OUT | --out OUT] [--pages FROM-TO] [--marks]\n"
                    "                        write the exported text of a logger data file (.g52, .g51,\n"
                    "                        .TMP) to OUT, or to standard output; pages counted as the\n"
                    "                        recorder counts them (page 1 is the short one)\n"
                    "      --marks           write instead the lines of IN's marks file (IN.marks) for the\n"
                    "                        marks on those pages' readings, numbered as in IN\n"
                    "  stats FILE [--pages FROM-TO] [--json]\n"
                    "                        print the statistics of a logger data file's readings: count,\n"
                    "                        times, minimum, maximum, mean, deviation, the area under them,\n"
                    "                        intervals and gaps, then the marks on them; as text, or as one\n"
                    "                        JSON object\n"
                    "  plot FILE [--pages FROM-TO] [--size WIDTHxHEIGHT] --out PICTURE\n"
                    "                        draw a logger data file as the graph viewer shows it (from 8192\n"
                    "                        readings on, each block's largest and smallest), or pages FROM to\n"
                    "                        TO as the recorder shows them, with its marks, into PICTURE: .png,\n"
                    "                        .svg or .pdf; a chart is WIDTHxHEIGHT pixels (default 1280x800,\n"
                    "                        96 dots per inch); pages go one under another, in a PDF a page each\n"
                    "  ports [--listen]      list COM1..COM10 and the device each one opens; with --listen, listen\n"
                    "                        up to a second on each that opens and show what a meter sends\n"
                    "                        (a network port shows \"network\" and is connected to only then)\n"
                    "  help                  show this text\n"
                    "  version               print the version\n"
                    "\n"
                    "PORT is COM1..COM10, a device path, or tcp://HOST:PORT for a meter served on the\n"
                    "network (tcp://[::1]:4001 for an IPv6 address); the program only connects out.\n")},
    {2101, QT_TRANSLATE_NOOP("Strings", "orvel-cli: unknown command '%s'")},
    {2102, QT_TRANSLATE_NOOP("Strings", "orvel-cli: cannot read %s")},
    {2103, QT_TRANSLATE_NOOP("Strings", "orvel-cli: line %d: more than 15 bytes in one read")},
    {2104, QT_TRANSLATE_NOOP("Strings", "orvel-cli: line %d: '%s' is not a hexadecimal byte")},
    {2105, QT_TRANSLATE_NOOP("Strings", "orvel-cli: cannot open a pseudo-terminal")},
    {2106, QT_TRANSLATE_NOOP("Strings", "orvel-cli: cannot make the link %s")},
    {2107, QT_TRANSLATE_NOOP("Strings", "orvel-cli: bad value for %s")},
    {2108, QT_TRANSLATE_NOOP("Strings", "orvel-cli: scenario: %s")},
    {2109, QT_TRANSLATE_NOOP("Strings", "orvel-cli: cannot listen on %1: %2")},
    {2110, QT_TRANSLATE_NOOP("Strings", "line %d: the repeat count must be a whole number from 1 up")},
    {2111, QT_TRANSLATE_NOOP("Strings", "line %d: '%s' is not a display of up to four digits")},
    {2112, QT_TRANSLATE_NOOP("Strings", "line %d: unknown annunciator '%s'")},
    {2120, QT_TRANSLATE_NOOP("Strings", "orvel-cli: page %d is outside 1 .. %d")},
    {2121, QT_TRANSLATE_NOOP("Strings", "orvel-cli: cannot write %s")},
    {2122, QT_TRANSLATE_NOOP("Strings", "orvel-cli: %s exists; give --force to replace it")},

    // statistics: the timing of the readings, their gaps and the area under them
    {2130, QT_TRANSLATE_NOOP("Strings", "Time covered: %1")},
    {2131, QT_TRANSLATE_NOOP("Strings", "Intervals: median %1, shortest %2, longest %3 from %4")},
    {2132, QT_TRANSLATE_NOOP("Strings", "Intervals: none (%1)")},
    {2133, QT_TRANSLATE_NOOP("Strings", "fewer than two readings with a readable time")},
    {2134, QT_TRANSLATE_NOOP("Strings", "Expected interval: %1 (%2); gaps are intervals longer than %3")},
    {2135, QT_TRANSLATE_NOOP("Strings", "full speed")},
    {2136, QT_TRANSLATE_NOOP("Strings", "every %1 s")},
    {2137, QT_TRANSLATE_NOOP("Strings", "judged from the readings")},
    {2138, QT_TRANSLATE_NOOP("Strings", "Expected interval: none (manual readings); gaps are not judged")},
    {2139, QT_TRANSLATE_NOOP("Strings", "Gaps: %1, %2 missing, the longest %3 from %4")},
    {2140, QT_TRANSLATE_NOOP("Strings", "Gaps: none")},
    {2141,
     QT_TRANSLATE_NOOP("Strings", "Times out of order: %1 (steps back in time: those intervals are not counted)")},
    {2142,
     QT_TRANSLATE_NOOP("Strings", "Times unreadable: %1 (blank or damaged: left out of the intervals and the area)")},
    {2143, QT_TRANSLATE_NOOP("Strings", "Charge: %1 Ah")},
    {2144, QT_TRANSLATE_NOOP("Strings", "Area under the readings: %1 %2")},
    {2145, QT_TRANSLATE_NOOP("Strings", "Area under the readings: none (%1)")},
    {2146, QT_TRANSLATE_NOOP("Strings", "the readings mix functions or units")},
    {2147, QT_TRANSLATE_NOOP("Strings", "Readings stored: %1, time covered %2")},

    // names of the meter's functions, and the warning code (orvel-cli's JSON lines)
    {2160, "voltage", Fixed},
    {2161, "AC voltage", Fixed},
    {2162, "DC voltage", Fixed},
    {2163, "DC+AC voltage", Fixed},
    {2164, "capacitance", Fixed},
    {2165, "temperature (Celsius)", Fixed},
    {2166, "temperature (Fahrenheit)", Fixed},
    {2167, "resistance", Fixed},
    {2168, "AC current", Fixed},
    {2169, "DC current", Fixed},
    {2170, "DC+AC current", Fixed},
    {2171, "volt-amperes", Fixed},
    {2172, "frequency", Fixed},
    {2173, "unknown", Fixed},
    {2174, "W%d", Fixed},

    // orvel-cli ports: where a port's device came from, and whether it opens
    {2180, QT_TRANSLATE_NOOP("Strings", "environment")},
    {2181, QT_TRANSLATE_NOOP("Strings", "user file")},
    {2182, QT_TRANSLATE_NOOP("Strings", "default")},
    {2183, QT_TRANSLATE_NOOP("Strings", "present")},
    {2184, QT_TRANSLATE_NOOP("Strings", "absent")},
    //: The recorder's status-bar clock, a QTime format: AP is AM/PM, hh the hour of 12, HH of 24.
    {2185, QT_TRANSLATE_NOOP("Strings", "AP hh:mm:ss")},

    // installed program: serial access, version, usage
    {2190, QT_TRANSLATE_NOOP("Strings", "permission denied — add yourself to the dialout group, then log in again")},
    {2191, "orvel %s", Fixed},
    {2192, "orvel-cli %s", Fixed},
    {2193,
     QT_TRANSLATE_NOOP("Strings", "Usage: orvel [OPTION] [FILE]\n"
                                  "\n"
                                  "Starts the Orvel Data Logging System: reads a handheld multimeter's display\n"
                                  "over a serial port, shows it as a digital and an analog meter, records and\n"
                                  "charts the readings, and saves, prints and exports them. FILE, a logger data\n"
                                  "file (.g52, .g51), is opened into the recorder at start-up.\n"
                                  "\n"
                                  "Options:\n"
                                  "  --help                show this text and exit\n"
                                  "  --version             print the version and exit\n"
                                  "\n"
                                  "Environment:\n"
                                  "  ORVEL_COM1 … ORVEL_COM10\n"
                                  "                        device path of that port (or tcp://HOST:PORT for a meter\n"
                                  "                        served on the network), for this run\n"
                                  "\n"
                                  "Files:\n"
                                  "  ZEVDL.ini             settings, in the folder the program was started from\n"
                                  "  ~/.config/orvel/ports.conf\n"
                                  "                        lines COMn=/dev/… that map ports to devices\n")},

    // orvel-cli: marks
    {2300, QT_TRANSLATE_NOOP("Strings", "orvel-cli: %1, line %2: %3; lines left out: %4")},
    {2301, QT_TRANSLATE_NOOP("Strings", "orvel-cli: cannot read the marks in %1: %2")},
    {2302, QT_TRANSLATE_NOOP("Strings", "Mark on reading %1 at %2 (%3): %4")},
    {2303, QT_TRANSLATE_NOOP("Strings", "%1: mark: %2")},
    {2304,
     QT_TRANSLATE_NOOP("Strings", "orvel-cli: the mark on reading %1 could not be written (%2); recording goes on")},
    {2305, QT_TRANSLATE_NOOP("Strings", "orvel-cli: no reading was stored; the mark '%1' was not placed")},

    // marks on a recording
    {2350, QT_TRANSLATE_NOOP("Strings", "Mar&k")},
    {2351, QT_TRANSLATE_NOOP("Strings", "Mark &with Text...")},
    {2352, QT_TRANSLATE_NOOP("Strings", "&Edit Mark Text...")},
    {2353, QT_TRANSLATE_NOOP("Strings", "&Remove Mark")},
    {2354,
     QT_TRANSLATE_NOOP(
         "Strings", "Mark the newest reading while recording, else the reading under the cursor (Shift: with a text)")},
    {2355, QT_TRANSLATE_NOOP("Strings", "Mark")},
    {2356, QT_TRANSLATE_NOOP("Strings", "Text of the mark:")},
    {2357,
     QT_TRANSLATE_NOOP(
         "Strings", "The mark is placed, but it could not be written beside the temporary file (%s). It stays with the "
                    "readings and is saved with them.")},
    {2358, QT_TRANSLATE_NOOP(
               "Strings",
               "The marks file %1 could not be read whole: line %2: %3. The readings were opened with the marks that "
               "could be read.")},
    {2359,
     QT_TRANSLATE_NOOP("Strings", "The marks file %1 could not be read: %2. The readings were opened without marks.")},
    {2360, QT_TRANSLATE_NOOP("Strings", "Marks")},
    {2361, QT_TRANSLATE_NOOP("Strings", "not the four fields of a mark (reading, time, kind, text)")},
    {2362, QT_TRANSLATE_NOOP("Strings", "\"%s\" is no reading number")},
    {2363, QT_TRANSLATE_NOOP("Strings", "reading %1 is beyond the recording's %2")},
    {2364, QT_TRANSLATE_NOOP("Strings", "\"%s\" is no kind of mark")},
    // unattended recording: conditions that start, stop and mark a recording
    {2400, "ZEVRUN.ini", Fixed},
    {2401,
     QT_TRANSLATE_NOOP(
         "Strings", "the condition is empty: write one such as above 1.5, below 150mA, outside 4.9..5.1, overload or "
                    "silent 10s")},
    {2402,
     QT_TRANSLATE_NOOP(
         "Strings",
         "'%1' is no condition: start with above, below, inside, outside, overload, silent, after, readings or at")},
    {2403, QT_TRANSLATE_NOOP("Strings", "'%1' needs a value after it, such as %1 1.5")},
    {2404, QT_TRANSLATE_NOOP(
               "Strings",
               "'%1' is no value: write a number with a prefix and a unit if you like, such as 1.5, 150m, 150mA or "
               "4.7k")},
    {2405,
     QT_TRANSLATE_NOOP(
         "Strings", "'%1' is no unit: V, A, F, Hz, VA, ohm (Ω), C (°C) or °F, after a prefix n, u, m, k, M or G if you "
                    "like")},
    {2406, QT_TRANSLATE_NOOP("Strings", "'%1' needs a range LO..HI after it, such as %1 4.9..5.1")},
    {2407, QT_TRANSLATE_NOOP("Strings", "the range %1..%2 runs backwards: the low end comes first")},
    {2408, QT_TRANSLATE_NOOP("Strings", "the ends of the range name different units (%1 and %2)")},
    {2409, QT_TRANSLATE_NOOP("Strings",
                             "'%1' is no duration: write a number with ms, s, m or h, such as 500ms, 10s, 5m or 2h")},
    {2410, QT_TRANSLATE_NOOP("Strings", "the duration %1 is out of range: longer than 0 and at most 366 days")},
    {2411, QT_TRANSLATE_NOOP("Strings", "'%1' is no count of readings: a whole number from 1 on")},
    {2412, QT_TRANSLATE_NOOP("Strings", "'%1' is no time of day: HH:MM or HH:MM:SS, such as 7:30 or 18:00:30")},
    {2413, QT_TRANSLATE_NOOP("Strings", "'%1' is not understood: only 'for' and a duration may follow the condition")},
    {2414, QT_TRANSLATE_NOOP("Strings", "'%1' needs a duration after it, such as %1 10s")},
    {2415, QT_TRANSLATE_NOOP("Strings", "'%1' counts from the start of the recording: it can only stop one")},
    {2416, QT_TRANSLATE_NOOP("Strings", "'at' cannot be an alarm: a time of day starts or stops a recording")},
    {2417, QT_TRANSLATE_NOOP(
               "Strings", "'%1' needs a range LO..HI or the word 'limits' after it, such as %1 4.9..5.1 or %1 limits")},
    {2418, QT_TRANSLATE_NOOP("Strings", "the value %1 does not fit single precision")},
    {2420, QT_TRANSLATE_NOOP("Strings", "Waiting: %1, %2 readings kept")},
    {2421, QT_TRANSLATE_NOOP("Strings", "%1 (the meter reads %2)")},
    {2422, QT_TRANSLATE_NOOP("Strings", "%1 (the comparator's upper limit is not above its lower one)")},
    {2423, QT_TRANSLATE_NOOP("Strings", "start: %1")},
    {2424, QT_TRANSLATE_NOOP("Strings", "stop: %1")},
    {2425, QT_TRANSLATE_NOOP("Strings", "%1 (%2)")},
    {2426, QT_TRANSLATE_NOOP("Strings", "the command for the mark on reading %1 was not run: %2 commands still run")},
    {2427, QT_TRANSLATE_NOOP("Strings", "the command for the mark on reading %1 ended with status %2")},
    {2428, QT_TRANSLATE_NOOP("Strings", "the command for the mark on reading %1 could not start: %2")},
    {2429, QT_TRANSLATE_NOOP("Strings", "line %1: %2")},
    {2430, QT_TRANSLATE_NOOP("Strings", "orvel-cli: waiting for %1, keeping %2 readings")},
    {2431, QT_TRANSLATE_NOOP("Strings", "Started: %1 at %2, %3 readings kept before it")},
    {2432, QT_TRANSLATE_NOOP("Strings", "Started: at once")},
    {2433, QT_TRANSLATE_NOOP("Strings", "Not started: still waiting for %1")},
    {2434, QT_TRANSLATE_NOOP("Strings", "Stopped: %1 at %2")},
    {2435, QT_TRANSLATE_NOOP("Strings", "Stopped: by a signal")},
    {2436, QT_TRANSLATE_NOOP("Strings", "Stopped: the meter's line was lost")},
    {2437, QT_TRANSLATE_NOOP("Strings", "Stopped: %1")},
    {2438, QT_TRANSLATE_NOOP("Strings", "Readings not in the file: %1 (%2)")},
    {2439, QT_TRANSLATE_NOOP("Strings", "%1 cannot hold: the meter reads %2")},
    {2440, QT_TRANSLATE_NOOP("Strings", "orvel-cli: %1 %2: %3")},
    {2441, QT_TRANSLATE_NOOP("Strings", "orvel-cli: cannot write %1")},
    {2442, QT_TRANSLATE_NOOP("Strings", "Stopped: by hand")},
    {2450, QT_TRANSLATE_NOOP("Strings", "&Conditions...")},
    {2451, QT_TRANSLATE_NOOP("Strings", "Unattended Recording")},
    {2452, QT_TRANSLATE_NOOP("Strings", "Start")},
    {2453, QT_TRANSLATE_NOOP("Strings", "At once")},
    {2454, QT_TRANSLATE_NOOP("Strings", "When")},
    {2455, QT_TRANSLATE_NOOP("Strings", "At the time")},
    {2456, QT_TRANSLATE_NOOP("Strings", "Readings kept before the start:")},
    {2457, QT_TRANSLATE_NOOP("Strings", "Stop")},
    {2458, QT_TRANSLATE_NOOP("Strings", "After this many readings")},
    {2459, QT_TRANSLATE_NOOP("Strings", "After this long")},
    {2460, QT_TRANSLATE_NOOP("Strings", "When any of these holds (one condition a line)")},
    {2461, QT_TRANSLATE_NOOP("Strings", "Alarms: a mark when one of these holds (one condition a line)")},
    {2462, QT_TRANSLATE_NOOP("Strings", "Sound the comparator's tone on an alarm")},
    {2463,
     QT_TRANSLATE_NOOP("Strings", "Command on each mark (run by the shell; the mark in ORVEL_MARK_* variables):")},
    {2464, QT_TRANSLATE_NOOP("Strings", "The conditions could not be kept in %1: %2")},
    {2465, QT_TRANSLATE_NOOP("Strings", "Start, stop and alarms of an unattended recording")},
    {2466, QT_TRANSLATE_NOOP("Strings", "Alarms")},
    // orvel-cli plot, record --rotate
    {2500, QT_TRANSLATE_NOOP("Strings", "orvel-cli: %s: a picture's name ends in .png, .svg or .pdf")},
    {2501, QT_TRANSLATE_NOOP(
               "Strings",
               "orvel-cli: %1 charts of %2 × %3 pixels make a picture too large; plot fewer pages or give a smaller "
               "--size")},
    {2502, QT_TRANSLATE_NOOP("Strings", "orvel-cli: recording into %s")},
    {2503, QT_TRANSLATE_NOOP("Strings", "orvel-cli: %s is complete:")},
    {2504, QT_TRANSLATE_NOOP("Strings", "orvel-cli: %1 has no option %2")},

    // status texts, button captions, message lines
    {7001, QT_TRANSLATE_NOOP("Strings", "Data Logging ...")},
    {7002, QT_TRANSLATE_NOOP("Strings", "Data in buffer : %d")},
    {7003, QT_TRANSLATE_NOOP("Strings", "Page : %d of %d")},
    {7004, QT_TRANSLATE_NOOP("Strings", "Close")},
    {7005, QT_TRANSLATE_NOOP("Strings", "Do you want to save the data to a file before exit ?")},
    {7006, QT_TRANSLATE_NOOP("Strings", "Will re-try automatically in 3 seconds.")},
    {7007, QT_TRANSLATE_NOOP("Strings", "Check cable connection and COM port selection if required.")},
    {7009, QT_TRANSLATE_NOOP("Strings", "(Will continue automatically in 3 seconds.)")},
    {7999, QT_TRANSLATE_NOOP("Strings", "Reading Data : %d of %d")},

    // warnings (caption "Warning[W<id>]")
    {8000, QT_TRANSLATE_NOOP("Strings", "The battery power of the DMM is low.")},
    {8001, QT_TRANSLATE_NOOP("Strings", "You must select a valid COM port before linking to the DMM.")},
    {8002, QT_TRANSLATE_NOOP("Strings", "Do you really want to clear the data in buffer ?")},
    {8003, QT_TRANSLATE_NOOP("Strings", "Buffer has data.")},
    {8004, QT_TRANSLATE_NOOP("Strings", "No data received.")},
    {8005, QT_TRANSLATE_NOOP("Strings", "Reading data from selected file. Please wait ...")},
    {8006, QT_TRANSLATE_NOOP("Strings", "Adding data into buffer. Please wait...")},
    {8008, QT_TRANSLATE_NOOP("Strings", "First page.")},
    {8009, QT_TRANSLATE_NOOP("Strings", "Last page.")},
    {8012, QT_TRANSLATE_NOOP("Strings", "Acquiring  data from DMM ... please wait ...")},
    {8013, QT_TRANSLATE_NOOP("Strings", "Processing data ... please wait ...")},
    {8014, QT_TRANSLATE_NOOP("Strings", "Do you really want to abort import data ?")},
    {8999, QT_TRANSLATE_NOOP("Strings", "Warning[W%d]")},

    // errors (caption "Error[E<id>]")
    {9001, QT_TRANSLATE_NOOP("Strings", "The specified serial port open error.")},
    {9002, QT_TRANSLATE_NOOP("Strings",
                             "You must link to the DMM by clicking the link button before starting data logging.")},
    {9003, QT_TRANSLATE_NOOP("Strings", "Unable to create file for real time temporary storage in hard disk.")},
    {9004, QT_TRANSLATE_NOOP("Strings", "File open error.")},
    {9005, QT_TRANSLATE_NOOP("Strings", "File save error.")},
    {9006, QT_TRANSLATE_NOOP("Strings", "Insufficient system memory !")},
    {9007, QT_TRANSLATE_NOOP("Strings", "Not a valid floating point value !")},
    {9008, QT_TRANSLATE_NOOP("Strings", "Limit setting is unacceptable.")},
    {9009, QT_TRANSLATE_NOOP("Strings", "The COM port setting raises an error.")},
    {9010, QT_TRANSLATE_NOOP("Strings", "Cannot reach the meter at %1 port %2: %3.")},
    {9011, QT_TRANSLATE_NOOP(
               "Strings", "'%1' is not a network port: %2. Write it as tcp://HOST:PORT, with a port from 1 to 65535.")},
    {9013, QT_TRANSLATE_NOOP("Strings", "Please \"Browse\" and specify a file name !")},
    {9014,
     QT_TRANSLATE_NOOP("Strings", "The DMM connected to this PC does not support built-in DATA LOGGING function.")},

    // framework-level file and conversion errors
    {9101, QT_TRANSLATE_NOOP("Strings", "Cannot open file %s")},
    {9102, QT_TRANSLATE_NOOP("Strings", "Cannot create file %s")},
    {9103, QT_TRANSLATE_NOOP("Strings", "'%s' is not a valid floating point value")},
    {9104, QT_TRANSLATE_NOOP("Strings", "'%s' is not a valid integer value")},

    {9999, QT_TRANSLATE_NOOP("Strings", "Error[E%d]")},
};

const std::size_t kStringTableSize = sizeof(kStringTable) / sizeof(kStringTable[0]);

} // namespace orvel
