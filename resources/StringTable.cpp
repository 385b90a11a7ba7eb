// The numbered string table: every user-visible text of the program, by id.
// Keep it sorted by id; LoadStr() searches it by bisection.
#include "resources/Strings.h"

namespace orvel {

const StringEntry kStringTable[] = {
    // product identity, file names
    {1, "Data Logging System"},
    {2, "Ver 5.0.0.3"},
    {3, "Nov 05, 2013"},
    {6, "~VORDL"},
    {7, "\\ZEVDL.ini"},
    {52, "Orvel"},

    // window captions
    {100, "Digital Meter"},
    {101, "Analog Meter"},
    {102, "Comparator"},
    {103, "Data list"},
    {104, "Graphical Recorder"},
    {105, "Graphical viewer"},
    {106, "Acquisition Interval option"},
    {107, "Exporting Data Logger"},

    // acquisition interval dialog
    {200, "Acquisition Mode"},
    {201, "Manual"},
    {202, "Automatic"},
    {203, "Full Speed"},
    {204, "Customization..."},
    {205, "Interval in second(s)"},
    {206, "Input an integer value ? "},

    // export dialog
    {307, "Export"},
    {308, "MetaFile"},
    {309, "BitMap"},
    {310, "Text/Data Only"},
    {311, "Destination"},
    {312, "ClipBoard"},
    {313, "File"},
    {314, "Browse"},
    {315, "Printer"},
    {316, "Page Scope"},
    {317, "All Pages"},
    {318, "This Page"},
    {319, "Page"},
    {320, "From"},
    {321, "To"},
    {322, "Object Size"},
    {323, "No Specific Size"},
    {324, "Pixels"},
    {325, "Millimeters"},
    {326, "Inches"},
    {327, "Points"},
    {328, "Width"},
    {329, "/"},
    {330, "Units"},
    {331, "Cancel"},

    // menu captions
    {500, "-"},
    {501, "&File"},
    {502, "&Open..."},
    {503, "Save &As..."},
    {506, "Printer Set&up..."},
    {507, "&Import data from DMM"},
    {508, "&Clear"},
    {509, "E&xit"},
    {600, "&Link"},
    {601, "Un&link"},
    {631, "&Window"},
    {632, "&Tile"},
    {633, "&Digital Meter"},
    {634, "&Analog Meter"},
    {635, "&Comparator"},
    {636, "&Graphical Recorder"},
    {637, "Data &List"},
    {701, "&Port"},
    {761, "&Acquisition"},
    {762, "Star&t"},
    {763, "Sto&p"},
    {764, "&Manual"},
    {765, "&Interval..."},
    {802, "F&irst page"},
    {803, "Page &Up"},
    {804, "Page &Down"},
    {805, "&Last page"},
    {806, "&Print this page ..."},
    {807, "E&xport ..."},
    {831, "&View"},
    {832, "Graph Line &Color"},
    {833, "&Fit all data"},
    {834, "&Undo Zooming"},
    {996, "&Help"},
    {999, "&About..."},

    // toolbar hints
    {1000, "Link to DMM"},
    {1001, "Unlink DMM"},
    {1010, "Windows tile"},
    {1011, "Digital meter"},
    {1012, "Analog meter"},
    {1013, "Comparator"},
    {1014, "Graphical Recorder"},
    {1015, "Data List"},
    {1020, "Port selection..."},
    {1031, "About"},
    {1040, "Acquisition start"},
    {1041, "Acquisition stop"},
    {1042, "Open file..."},
    {1043, "Save file..."},
    {1044, "Print this page"},
    {1045, "Clear record"},
    {1046, "Interval option..."},
    {1047, "Manual acquisition"},
    {1048, "First page"},
    {1049, "Page up"},
    {1050, "Page down"},
    {1051, "Last page"},
    {1052, "Fit all data"},
    {1053, "Undo Zooming"},
    {1054, "Export..."},
    {1055, "Import data from DMM"},

    // fixed texts of the forms that carry no number of their own
    {2000, "Serial Port selection"},
    {2001, "About"},
    {2002, "Comparator Hi-Low limit setting"},
    {2003, "Upper-Limit : "},
    {2004, "Lower-Limit : "},
    {2005, "&Continue"},
    {2006, "OFF"},
    {2007, "ON"},
    {2008, "PF"},
    {2009, "Max."},
    {2010, "Min."},
    {2011, " : COM "},
    {2012, "COM%d"},
    {2013, "Sheet"},
    {2014, " Ohm"},
    {2015, " ,PF="},
    {2016, "----"},
    {2017, "AC"},
    {2018, "DC"},
    {2019, "DC+AC"},
    {2020, "x"},
    {2021, "System: Windows 9x "},
    {2022, "System: Windows NT "},
    {2023, "System: Unknown "},
    {2024, "System: Linux "},
    {2030, "Data Logger"},
    {2031, "Reading"},
    {2032, "Time"},
    {2033, "(uF)"},
    {2034, "(Ohm)"},
    {2040, "Untitled.g52"},
    {2041, "Untitled"},
    {2042, "Data Logger files(*.g52)|*.g52|Data Logger files(*.g51)|*.g51|Temporary files(*.TMP)|*.tmp"},
    {2043, "Data Logger files(*.g52)|*.g52"},
    {2044, "CSV files(*.csv)|*.csv"},
    {2050, "The recording could not be written to its temporary file (%s). Recording has stopped; the readings "
           "taken so far are kept in memory."},
    {2051, "The meter's line on %s hung up: the cable was pulled or the port went away. The link has ended; "
           "press Link again once the meter is back."},
    {2060, "Bitmaps (*.bmp)|*.bmp"},
    {2061, "All (*.emf)|*.emf|Enhanced Metafiles (*.emf)|*.emf"},
    {2062, "Page %d does not exist: the pages are numbered 1 to %d."},
    {2063, "Metafiles are written as enhanced metafiles only. Please choose a name ending in \".emf\" instead of "
           "\".wmf\"."},
    {2064, "A bitmap of %d x %d pixels is larger than the chart can make (at most 16384 pixels a side and "
           "67108864 pixels in all)."},
    {2065, "A metafile of %d x %d hundredths of a millimetre is larger than the chart can make (at most 1000000 "
           "a side)."},
    {2066, "The printer could not start the print-out (%s)."},
    // network ports (tcp://HOST:PORT)
    {2070, "network"},
    {2071, "the connection was refused (nothing listens on that port)"},
    {2072, "there is no route to the host"},
    {2073, "the host name is unknown"},
    {2074, "no answer within 2 seconds"},
    {2075, "the network is unreachable"},
    {2076, "no port is given"},
    {2077, "the port is not a number from 1 to 65535"},
    {2078, "only tcp:// is understood"},
    {2079, "the host is missing or is no valid name or address"},
    {2080, "Readings: "},
    {2081, "First: "},
    {2082, "Last: "},
    {2083, "Minimum: "},
    {2084, "Maximum: "},
    {2085, "Mean: "},
    {2086, "Standard deviation: "},
    {2087, "Above the upper limit %1: %2 readings, %3"},
    {2088, "Below the lower limit %1: %2 readings, %3"},
    {2089, "Limits: none set"},
    {2090, "Statistics"},
    {2091, "In view"},
    {2092, "Whole recording"},
    {2093, "&Copy"},
    {2094, "&Statistics..."},
    {2095, "A recording was interrupted at %1 (%2 readings). Open it now?\n\nIts file: %3"},
    {2096, "meter: %s"},
    {2097, "no meter heard"},

    // orvel-cli
    {2100, "Usage: orvel-cli COMMAND [OPTIONS]\n"
           "\n"
           "Commands:\n"
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
           "  monitor --port NAME|PATH [--count N] [--json]\n"
           "                        link to a meter and print what the digital meter shows, a line a tick;\n"
           "                        ends with status 3 when the line hangs up; --json: a JSON object a\n"
           "                        reading and a warning, nothing else on standard output\n"
           "  record --port NAME|PATH --out FILE.g52 [OPTIONS]\n"
           "                        record readings as the recorder does, each one written at once;\n"
           "                        each line on standard input places a mark with that text on the\n"
           "                        newest stored reading (lines before the first reading wait for\n"
           "                        it), written at once to FILE.g52.marks\n"
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
           "A port is COM1..COM10, a device path, or tcp://HOST:PORT for a meter served on the\n"
           "network (tcp://[::1]:4001 for an IPv6 address); the program only connects out.\n"},
    {2101, "orvel-cli: unknown command '%s'"},
    {2102, "orvel-cli: cannot read %s"},
    {2103, "orvel-cli: line %d: more than 15 bytes in one read"},
    {2104, "orvel-cli: line %d: '%s' is not a hexadecimal byte"},
    {2105, "orvel-cli: cannot open a pseudo-terminal"},
    {2106, "orvel-cli: cannot make the link %s"},
    {2107, "orvel-cli: bad value for %s"},
    {2108, "orvel-cli: scenario: %s"},
    {2109, "orvel-cli: cannot listen on %1: %2"},
    {2110, "line %d: the repeat count must be a whole number from 1 up"},
    {2111, "line %d: '%s' is not a display of up to four digits"},
    {2112, "line %d: unknown annunciator '%s'"},
    {2120, "orvel-cli: page %d is outside 1 .. %d"},
    {2121, "orvel-cli: cannot write %s"},
    {2122, "orvel-cli: %s exists; give --force to replace it"},

    // statistics: the timing of the readings, their gaps and the area under them
    {2130, "Time covered: %1"},
    {2131, "Intervals: median %1, shortest %2, longest %3 from %4"},
    {2132, "Intervals: none (%1)"},
    {2133, "fewer than two readings with a readable time"},
    {2134, "Expected interval: %1 (%2); gaps are intervals longer than %3"},
    {2135, "full speed"},
    {2136, "every %1 s"},
    {2137, "judged from the readings"},
    {2138, "Expected interval: none (manual readings); gaps are not judged"},
    {2139, "Gaps: %1, %2 missing, the longest %3 from %4"},
    {2140, "Gaps: none"},
    {2141, "Times out of order: %1 (steps back in time: those intervals are not counted)"},
    {2142, "Times unreadable: %1 (blank or damaged: left out of the intervals and the area)"},
    {2143, "Charge: %1 Ah"},
    {2144, "Area under the readings: %1 %2"},
    {2145, "Area under the readings: none (%1)"},
    {2146, "the readings mix functions or units"},
    {2147, "Readings stored: %1, time covered %2"},

    // names of the meter's functions, and the warning code (orvel-cli's JSON lines)
    {2160, "voltage"},
    {2161, "AC voltage"},
    {2162, "DC voltage"},
    {2163, "DC+AC voltage"},
    {2164, "capacitance"},
    {2165, "temperature (Celsius)"},
    {2166, "temperature (Fahrenheit)"},
    {2167, "resistance"},
    {2168, "AC current"},
    {2169, "DC current"},
    {2170, "DC+AC current"},
    {2171, "volt-amperes"},
    {2172, "frequency"},
    {2173, "unknown"},
    {2174, "W%d"},

    // installed program: serial access, version, usage
    {2190, "permission denied — add yourself to the dialout group, then log in again"},
    {2191, "orvel %s"},
    {2192, "orvel-cli %s"},
    {2193, "Usage: orvel [OPTION] [FILE]\n"
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
           "                        lines COMn=/dev/… that map ports to devices\n"},

    // orvel-cli: marks
    {2300, "orvel-cli: %1, line %2: %3; lines left out: %4"},
    {2301, "orvel-cli: cannot read the marks in %1: %2"},
    {2302, "Mark on reading %1 at %2 (%3): %4"},
    {2303, "%1: mark: %2"},
    {2304, "orvel-cli: the mark on reading %1 could not be written (%2); recording goes on"},
    {2305, "orvel-cli: no reading was stored; the mark '%1' was not placed"},

    // marks on a recording
    {2350, "&Mark"},
    {2351, "Mark with &Text..."},
    {2352, "&Edit Mark Text..."},
    {2353, "&Remove Mark"},
    {2354, "Mark the newest reading while recording, else the reading under the cursor (Shift: with a text)"},
    {2355, "Mark"},
    {2356, "Text of the mark:"},
    {2357, "The mark is placed, but it could not be written beside the temporary file (%s). It stays with the "
           "readings and is saved with them."},
    {2358, "The marks file %1 could not be read whole: line %2: %3. The readings were opened with the marks that "
           "could be read."},
    {2359, "The marks file %1 could not be read: %2. The readings were opened without marks."},
    {2360, "Marks"},
    {2361, "not the four fields of a mark (reading, time, kind, text)"},
    {2362, "\"%s\" is no reading number"},
    {2363, "reading %1 is beyond the recording's %2"},
    {2364, "\"%s\" is no kind of mark"},

    // unattended recording: conditions that start, stop and mark a recording
    {2400, "ZEVRUN.ini"},
    {2401, "the condition is empty: write one such as above 1.5, below 150mA, outside 4.9..5.1, overload or "
           "silent 10s"},
    {2402, "'%1' is no condition: start with above, below, inside, outside, overload, silent, after, readings or at"},
    {2403, "'%1' needs a value after it, such as %1 1.5"},
    {2404, "'%1' is no value: write a number with a prefix and a unit if you like, such as 1.5, 150m, 150mA or "
           "4.7k"},
    {2405, "'%1' is no unit: V, A, F, Hz, VA, ohm (Ω), C (°C) or °F, after a prefix n, u, m, k, M or G if you "
           "like"},
    {2406, "'%1' needs a range LO..HI after it, such as %1 4.9..5.1"},
    {2407, "the range %1..%2 runs backwards: the low end comes first"},
    {2408, "the ends of the range name different units (%1 and %2)"},
    {2409, "'%1' is no duration: write a number with ms, s, m or h, such as 500ms, 10s, 5m or 2h"},
    {2410, "the duration %1 is out of range: longer than 0 and at most 366 days"},
    {2411, "'%1' is no count of readings: a whole number from 1 on"},
    {2412, "'%1' is no time of day: HH:MM or HH:MM:SS, such as 7:30 or 18:00:30"},
    {2413, "'%1' is not understood: only 'for' and a duration may follow the condition"},
    {2414, "'%1' needs a duration after it, such as %1 10s"},
    {2415, "'%1' counts from the start of the recording: it can only stop one"},
    {2416, "'at' cannot be an alarm: a time of day starts or stops a recording"},
    {2417, "'%1' needs a range LO..HI or the word 'limits' after it, such as %1 4.9..5.1 or %1 limits"},
    {2418, "the value %1 does not fit single precision"},
    {2420, "Waiting: %1, %2 readings kept"},
    {2421, "%1 (the meter reads %2)"},
    {2422, "%1 (the comparator's upper limit is not above its lower one)"},
    {2423, "start: %1"},
    {2424, "stop: %1"},
    {2425, "%1 (%2)"},
    {2426, "the command for the mark on reading %1 was not run: %2 commands still run"},
    {2427, "the command for the mark on reading %1 ended with status %2"},
    {2428, "the command for the mark on reading %1 could not start: %2"},
    {2429, "line %1: %2"},
    {2430, "orvel-cli: waiting for %1, keeping %2 readings"},
    {2431, "Started: %1 at %2, %3 readings kept before it"},
    {2432, "Started: at once"},
    {2433, "Not started: still waiting for %1"},
    {2434, "Stopped: %1 at %2"},
    {2435, "Stopped: by a signal"},
    {2436, "Stopped: the meter's line was lost"},
    {2437, "Stopped: %1"},
    {2438, "Readings not in the file: %1 (%2)"},
    {2439, "%1 cannot hold: the meter reads %2"},
    {2440, "orvel-cli: %1 %2: %3"},
    {2441, "orvel-cli: cannot write %1"},
    {2442, "Stopped: by hand"},
    {2450, "&Conditions..."},
    {2451, "Unattended Recording"},
    {2452, "Start"},
    {2453, "At once"},
    {2454, "When"},
    {2455, "At the time"},
    {2456, "Readings kept before the start:"},
    {2457, "Stop"},
    {2458, "After this many readings"},
    {2459, "After this long"},
    {2460, "When any of these holds (one condition a line)"},
    {2461, "Alarms: a mark when one of these holds (one condition a line)"},
    {2462, "Sound the comparator's tone on an alarm"},
    {2463, "Command on each mark (run by the shell; the mark in ORVEL_MARK_* variables):"},
    {2464, "The conditions could not be kept in %1: %2"},
    {2465, "Start, stop and alarms of an unattended recording"},
    {2466, "Alarms"},
    // orvel-cli plot, record --rotate
    {2500, "orvel-cli: %s: a picture's name ends in .png, .svg or .pdf"},
    {2501, "orvel-cli: %1 charts of %2 × %3 pixels make a picture too large; plot fewer pages or give a smaller "
           "--size"},
    {2502, "orvel-cli: recording into %s"},
    {2503, "orvel-cli: %s is complete:"},

    // status texts, button captions, message lines
    {7001, "Data Logging ..."},
    {7002, "Data in buffer : %d"},
    {7003, "Page : %d of %d"},
    {7004, "Close"},
    {7005, "Do you want to save the data to a file before exit ?"},
    {7006, "Will re-try automatically in 3 seconds."},
    {7007, "Check cable connection and COM port selection if required."},
    {7009, "(Will continue automatically in 3 seconds.)"},
    {7999, "Reading Data : %d of %d"},

    // warnings (caption "Warning[W<id>]")
    {8000, "The battery power of the DMM is low."},
    {8001, "You must select a valid COM port before linking to the DMM."},
    {8002, "Do you really want to clear the data in buffer ?"},
    {8003, "Buffer has data."},
    {8004, "No data received."},
    {8005, "Reading data from selected file. Please wait ..."},
    {8006, "Adding data into buffer. Please wait..."},
    {8008, "First page."},
    {8009, "Last page."},
    {8012, "Acquiring  data from DMM ... please wait ..."},
    {8013, "Processing data ... please wait ..."},
    {8014, "Do you really want to abort import data ?"},
    {8999, "Warning[W%d]"},

    // errors (caption "Error[E<id>]")
    {9001, "The specified serial port open error."},
    {9002, "You must link to the DMM by clicking the link button before starting data logging."},
    {9003, "Unable to create file for real time temporary storage in hard disk."},
    {9004, "File open error."},
    {9005, "File save error."},
    {9006, "Insufficient system memory !"},
    {9007, "Not a valid floating point value !"},
    {9008, "Limit setting is unacceptable."},
    {9009, "The COM port setting raises an error."},
    {9010, "Cannot reach the meter at %1 port %2: %3."},
    {9011, "'%1' is not a network port: %2. Write it as tcp://HOST:PORT, with a port from 1 to 65535."},
    {9013, "Please \"Browse\" and specify a file name !"},
    {9014, "The DMM connected to this PC does not support built-in DATA LOGGING function."},

    // framework-level file and conversion errors
    {9101, "Cannot open file %s"},
    {9102, "Cannot create file %s"},
    {9103, "'%s' is not a valid floating point value"},
    {9104, "'%s' is not a valid integer value"},

    {9999, "Error[E%d]"},
};

const std::size_t kStringTableSize = sizeof(kStringTable) / sizeof(kStringTable[0]);

} // namespace orvel
