// Text tables and DIF files from a graph window's model.
#include "files/data_file_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "files/atomic_file.h"
#include "settings/program_settings.h"
#include "settings/text_codec.h"

namespace qtl {
namespace {

constexpr std::string_view kEol = "\r\n";

// What formatReal gives, appended without a temporary string.
void appendReal(std::string& out, double x, char decimalSeparator) {
    if (!std::isfinite(x)) {
        out += std::isnan(x) ? "Nan" : (x > 0 ? "+Inf" : "-Inf");
        return;
    }
    char digits[400];
    const auto res = std::to_chars(digits, digits + sizeof digits, x, std::chars_format::fixed, 8);
    if (decimalSeparator != '.') std::replace(digits, res.ptr, '.', decimalSeparator);
    out.append(digits, res.ptr);
}

// A title as the file holds it: code page bytes, on one line, and in a text table without
// any character that the reader takes for a separator.
std::string fileTitle(const std::string& title, bool textTable) {
    std::string t = toWindows1252(title);
    for (char& c : t) {
        if (c == '\r' || c == '\n' || (textTable && (c == '\t' || c == ',' || c == ';'))) c = ' ';
    }
    return t;
}

struct Columns {
    bool a = false;        // an A column (empty when A is not active)
    bool aValues = false;  // A is active
    bool s = false;
};

Columns columnsOf(const GraphModel& model) {
    return {model.aActive || model.sActive, model.aActive, model.sActive};
}

void appendTable(std::string& out, AtomicFileWriter* file, char separator, const GraphModel& model,
                 const DataFileOptions& options) {
    const Columns cols = columnsOf(model);
    if (options.titles) {
        out += fileTitle(model.bottomAxis().title(), true);
        out += separator;
        out += fileTitle(model.leftAxis().title(), true);
        if (cols.a) {
            out += separator;
            if (cols.aValues) out += fileTitle(model.rightAxis().title(), true);
        }
        if (cols.s) {
            out += separator;
            out += fileTitle(model.sTitle(), true);
        }
        out += kEol;
    }
    const DataSeries& p = model.points(Channel::P);
    const DataSeries& a = model.points(Channel::A);
    const DataSeries& s = model.points(Channel::S);
    const auto px = p.xs(), py = p.ys(), ay = a.ys(), sy = s.ys();
    const char mark = options.decimalSeparator;
    for (std::size_t i = 0; i < px.size(); ++i) {
        appendReal(out, px[i], mark);
        out += separator;
        appendReal(out, py[i], mark);
        if (cols.a) {
            out += separator;
            if (cols.aValues && i < ay.size()) appendReal(out, ay[i], mark);
        }
        if (cols.s) {
            out += separator;
            if (i < sy.size()) appendReal(out, sy[i], mark);
        }
        out += kEol;
        if (file != nullptr) file->flushIfFull();
    }
    if (options.details) {
        out += kEol;
        out += "TITREG=";
        out += fileTitle(model.chartTitle(), false);
        out += kEol;
    }
}

void appendLine(std::string& out, std::string_view text) {
    out += text;
    out += kEol;
}

void appendDifString(std::string& out, const std::string& text) {
    appendLine(out, "1,0");
    out += '"';
    out += text;
    out += '"';
    out += kEol;
}

void appendDifNumber(std::string& out, double x, char mark) {
    out += "0,";
    appendReal(out, x, mark);
    out += kEol;
    appendLine(out, "V");
}

void appendDif(std::string& out, AtomicFileWriter* file, const GraphModel& model,
               const DataFileOptions& options) {
    const Columns cols = columnsOf(model);
    const DataSeries& p = model.points(Channel::P);
    const std::size_t n = p.count();
    const int vectors = 2 + (cols.a ? 1 : 0) + (cols.s ? 1 : 0);
    for (const char* line : {"TABLE", "0,1", "\"\"", "VECTORS"}) appendLine(out, line);
    appendLine(out, "0," + std::to_string(vectors));
    for (const char* line : {"\"\"", "TUPLES"}) appendLine(out, line);
    appendLine(out, "0," + std::to_string(options.titles ? n + 1 : n));
    for (const char* line : {"\"\"", "DATA", "0,0", "\"\""}) appendLine(out, line);
    if (options.titles) {
        appendLine(out, "-1,0");
        appendLine(out, "BOT");
        appendDifString(out, fileTitle(model.bottomAxis().title(), false));
        appendDifString(out, fileTitle(model.leftAxis().title(), false));
        if (cols.a) {
            appendDifString(out, cols.aValues ? fileTitle(model.rightAxis().title(), false) : "");
        }
        if (cols.s) appendDifString(out, fileTitle(model.sTitle(), false));
    }
    const auto px = p.xs(), py = p.ys();
    const auto ay = model.points(Channel::A).ys(), sy = model.points(Channel::S).ys();
    const char mark = options.decimalSeparator;
    for (std::size_t i = 0; i < n; ++i) {
        appendLine(out, "-1,0");
        appendLine(out, "BOT");
        appendDifNumber(out, px[i], mark);
        appendDifNumber(out, py[i], mark);
        if (cols.a) {
            if (cols.aValues && i < ay.size()) {
                appendDifNumber(out, ay[i], mark);
            } else {
                appendDifString(out, "");
            }
        }
        if (cols.s) {
            if (i < sy.size()) {
                appendDifNumber(out, sy[i], mark);
            } else {
                appendDifString(out, "");
            }
        }
        if (file != nullptr) file->flushIfFull();
    }
    appendLine(out, "-1,0");
    appendLine(out, "EOD");
    if (options.details) appendLine(out, "TITREG=" + fileTitle(model.chartTitle(), false));
}

void appendFormat(std::string& out, AtomicFileWriter* file, SaveFormat format,
                  const GraphModel& model, const DataFileOptions& options) {
    switch (format) {
        case SaveFormat::Tab:
            appendTable(out, file, '\t', model, options);
            break;
        case SaveFormat::Csv:
            appendTable(out, file, options.decimalSeparator == ',' ? ';' : ',', model, options);
            break;
        case SaveFormat::Dif:
            appendDif(out, file, model, options);
            break;
        case SaveFormat::Empty:
            break;
    }
}

}  // namespace

DataFileOptions dataFileOptions(const ProgramSettings& settings) {
    return {settings.exportTitles, settings.exportDetails, settings.decimalSeparator};
}

void appendDataFile(std::string& out, SaveFormat format, const GraphModel& model,
                    const DataFileOptions& options) {
    appendFormat(out, nullptr, format, model, options);
}

void writeDataFile(const std::filesystem::path& path, const GraphModel& model,
                   const DataFileOptions& options) {
    AtomicFileWriter file(path);
    appendFormat(file.buffer(), &file, saveFormatFor(path), model, options);
    file.commit();
}

}  // namespace qtl
