// velreport: writes the report (PDF), the workbook (XLSX) or the projection (CSV) of an
// investment file, as the program's File menu exports them. No display is needed: the PDF is
// drawn offscreen. It uses no settings store, as velcalc does.

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include <QGuiApplication>

#include "persist/WholeFile.h"
#include "export/CommandLine.h"
#include "export/ProjectionCsv.h"
#include "export/Workbook.h"
#include "model/Investment.h"
#include "ui/report/ReportPainter.h"

namespace {

constexpr const char* kUsage =
    "usage: velreport FILE.vel -o OUT [--format pdf|xlsx|csv] [--duty NAME] [--tax NAME]\n"
    "       velreport --help\n";

constexpr const char* kHelp =
    "usage: velreport FILE.vel -o OUT [--format pdf|xlsx|csv] [--duty NAME] [--tax NAME]\n"
    "       velreport --help\n"
    "\n"
    "Reads a Pocket VEL investment file, works it out under the scales stored in it and\n"
    "writes OUT as the program's File > Export does:\n"
    "  pdf   the report: summary, inputs, scales, the 40-year projection, the charts and\n"
    "        the page Risk (10000 futures of the investment, seed 1)\n"
    "  xlsx  the workbook: sheets Summary, Projection, Scales and Risk\n"
    "  csv   the 40-year table, the same as velcalc --csv\n"
    "The format follows OUT's extension unless --format names it.\n"
    "\n"
    "  -o OUT       the file to write; it appears only once it is complete; \"-\" writes\n"
    "               to standard output (name the format with --format)\n"
    "  --format F   pdf, xlsx or csv\n"
    "  --duty NAME  work the file out under the built-in stamp duty scale NAME\n"
    "  --tax NAME   the same for the income tax scale (names as velcalc --scales lists)\n"
    "  --help       print this text\n"
    "\n"
    "The settings of Pocket VEL are neither read nor changed.\n"
    "Exit status: 0 success, 1 the file could not be read or OUT could not be written,\n"
    "2 wrong arguments.\n";

enum class Format { None, Pdf, Xlsx, Csv };

int usageError(const std::string& what) {
    std::fprintf(stderr, "velreport: %s\n%s", what.c_str(), kUsage);
    return 2;
}

Format FormatNamed(std::string name) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (name == "pdf") return Format::Pdf;
    if (name == "xlsx") return Format::Xlsx;
    if (name == "csv") return Format::Csv;
    return Format::None;
}

Format FormatOfPath(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return Format::None;
    return FormatNamed(path.substr(dot + 1));
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Qt's notices about the session (no runtime folder and the like) are no business of a
// command-line user; its errors still show.
void QuietNotices(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "velreport: %s\n", message.toLocal8Bit().constData());
}

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

int main(int argc, char** argv) {
    // Past a file-size limit a write fails with an error we can report and clean up after,
    // instead of the process being killed with a part-written file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    // Messages in the user's language, as the program gives them; no number depends on it.
    std::setlocale(LC_ALL, "");
    const char* path = nullptr;
    const char* out = nullptr;
    Format format = Format::None;
    ScaleOptions scales;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            if (argc != 2) return usageError("--help takes no other arguments");
            std::fputs(kHelp, stdout);
            return 0;
        }
        std::string error;
        switch (TakeScaleOption(argc, argv, i, scales, error)) {
        case OptionTaken::Wrong: return usageError(error);
        case OptionTaken::Yes: continue;
        case OptionTaken::No: break;
        }
        if (arg == "-o" || arg == "--output") {
            if (out) return usageError("-o given more than once");
            if (i + 1 >= argc) return usageError("-o needs a file name");
            out = argv[++i];
        } else if (arg == "--format" || arg.starts_with("--format=")) {
            if (format != Format::None) return usageError("--format given more than once");
            std::string name;
            if (arg.size() > 8) name = arg.substr(9);
            else if (i + 1 < argc) name = argv[++i];
            else return usageError("--format needs pdf, xlsx or csv");
            format = FormatNamed(name);
            if (format == Format::None) return usageError("unknown format \"" + name + "\"; pdf, xlsx or csv");
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option " + arg);
        } else if (path) {
            return usageError("more than one file given");
        } else {
            path = argv[i];
        }
    }
    if (!path) return usageError("no file given");
    if (!out || *out == '\0') return usageError("no output file given (-o OUT)");
    if (format == Format::None) format = FormatOfPath(out);
    if (format == Format::None)
        return usageError(std::string("cannot tell the format of ") + out + "; name it with --format");

    // Writing over the investment itself would lose it.
    std::error_code same;
    if (std::filesystem::equivalent(path, out, same))
        return usageError(std::string(out) + " is the investment file itself");

    int duty = -1, tax = -1;
    std::string message;
    if (!FindNamedScales(scales, "velreport", duty, tax, message)) {
        std::fputs(message.c_str(), stderr);
        return 2;
    }
    Investment doc;
    Scales inForce;
    std::vector<std::string> notices;
    if (!ReadInvestmentFile(path, "velreport", duty, tax, doc, inForce, message, notices)) {
        std::fprintf(stderr, "%s\n", message.c_str());
        return 1;
    }
    for (const std::string& notice : notices) std::fprintf(stderr, "%s\n", notice.c_str());

    std::string reason;
    bool written = false;
    switch (format) {
    case Format::Csv: written = WriteFileAtomically(out, ProjectionCsv(doc), reason); break;
    case Format::Xlsx: written = WriteWorkbook(doc, inForce, out, reason); break;
    case Format::Pdf: {
        // Fonts and drawing without a display.
        if (!Set("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        qInstallMessageHandler(QuietNotices);
        int qtArgc = 1;
        char* qtArgv[] = {argv[0], nullptr};
        QGuiApplication application(qtArgc, qtArgv);
        written = WriteReportPdf(doc, inForce, BaseName(path), out, reason);
        break;
    }
    case Format::None: break;
    }
    if (!written) {
        std::fprintf(stderr, "velreport: %s: could not be written: %s\n", out, reason.c_str());
        return 1;
    }
    return 0;
}
