// Text table and DIF readers. Points are gathered in batches and added in bulk, so a file
// that is out of X order still reads in a time linear in its rows.
#include "files/data_file_reader.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "files/field_number.h"
#include "settings/text_codec.h"
#include "settings/text_fields.h"

namespace qtl {
namespace {

constexpr std::size_t kBatchRows = 1 << 16;

// Rows on their way into the model.
class RowBatch {
  public:
    explicit RowBatch(GraphModel& model) : model_(model) {}

    void add(double x, double p, std::optional<double> a, std::optional<double> s) {
        px_.push_back(x);
        py_.push_back(p);
        if (a) {
            ax_.push_back(x);
            ay_.push_back(*a);
        }
        if (s) {
            sx_.push_back(x);
            sy_.push_back(*s);
        }
        if (px_.size() >= kBatchRows) flush();
    }

    void flush() {
        model_.addPoints(Channel::P, px_, py_);
        model_.addPoints(Channel::A, ax_, ay_);
        model_.addPoints(Channel::S, sx_, sy_);
        if (!ay_.empty()) {
            model_.aActive = true;
            model_.rightAxis().setVisible(true);
        }
        if (!sy_.empty()) model_.sActive = true;
        for (auto* v : {&px_, &py_, &ax_, &ay_, &sx_, &sy_}) v->clear();
    }

  private:
    GraphModel& model_;
    std::vector<double> px_, py_, ax_, ay_, sx_, sy_;
};

// Runs the reading; on an exception the rows read so far still reach the model.
template <typename Body>
void withBatch(GraphModel& model, Body body) {
    RowBatch batch(model);
    try {
        body(batch);
    } catch (...) {
        batch.flush();
        throw;
    }
    batch.flush();
}

// The cut of splitField, without copies.
std::string_view takeField(std::string_view& rest, char separator) {
    const auto pos = rest.find(separator);
    std::string_view head = rest.substr(0, pos);
    rest = pos == std::string_view::npos ? std::string_view{} : rest.substr(pos + 1);
    return head;
}

bool isBlank(std::string_view s) {
    return s.find_first_not_of(" \t") == std::string_view::npos;
}

// A line is a title line when one of its non-empty fields is not a number, or when it holds
// separators only (the title line of a window whose titles are all empty).
bool isTitleLine(std::string_view line, char separator) {
    bool anyField = false;
    std::string_view rest = line;
    for (bool more = true; more;) {
        more = rest.find(separator) != std::string_view::npos;
        const std::string_view field = takeField(rest, separator);
        if (isBlank(field)) continue;
        anyField = true;
        if (!isNumberField(field)) return true;
    }
    return !anyField && !line.empty();
}

double textValue(std::string_view field, FieldConversion conversion) {
    // ".DIV" fields lose their first two characters, as a DIF number line its "0,".
    if (conversion == FieldConversion::Dif)
        field.remove_prefix(std::min<std::size_t>(2, field.size()));
    return convertField(field, conversion);
}

void readGeneralTitle(LineReader& lines, std::string& line, GraphModel& model) {
    while (lines.next(line)) {
        if (line.compare(0, 7, "TITREG=") == 0)
            model.setChartTitle(fromWindows1252(line.substr(7)));
    }
}

}  // namespace

std::string missingFileMessage(const std::string& name) {
    return "fichier inexistant : " + name;
}

void readTextTable(LineReader& lines, bool csv, FieldConversion conversion, GraphModel& model) {
    std::string line;
    if (!lines.next(line)) return;
    char separator = csv ? ',' : '\t';
    if (line.find('\t') != std::string::npos) separator = '\t';
    if (line.find(';') != std::string::npos) separator = ';';
    const bool title = isTitleLine(line, separator);
    bool more = true;
    if (title) {
        std::string rest = line;
        const std::string x = splitField(rest, separator);
        const std::string p = splitField(rest, separator);
        const std::string a = splitField(rest, separator);
        const std::string s = splitField(rest, separator);
        model.bottomAxis().setTitle(fromWindows1252(x));
        model.leftAxis().setTitle(fromWindows1252(p));
        model.rightAxis().setTitle(fromWindows1252(a));
        model.setSTitle(fromWindows1252(s));
        more = lines.next(line);
    }
    withBatch(model, [&](RowBatch& batch) {
        while (more && !line.empty()) {
            std::string_view rest = line;
            const std::string_view fx = takeField(rest, separator);
            const std::string_view fp = takeField(rest, separator);
            const std::string_view fa = takeField(rest, separator);
            const std::string_view fs = takeField(rest, separator);
            std::optional<double> a, s;
            if (!fa.empty()) a = textValue(fa, conversion);
            if (!fs.empty()) s = textValue(fs, conversion);
            batch.add(textValue(fx, conversion), textValue(fp, conversion), a, s);
            more = lines.next(line);
        }
    });
    if (more) readGeneralTitle(lines, line, model);
}

void readDif(LineReader& lines, FieldConversion conversion, GraphModel& model) {
    std::string line;
    for (int skipped = 0; skipped < 14; ++skipped) {
        if (!lines.next(line)) return;
    }
    // Values of the tuple being read: text for the title tuple, numbers for the others; an
    // empty string value is no value.
    std::array<std::optional<std::string>, 4> titles;
    std::array<std::optional<double>, 4> values;
    std::size_t count = 0;
    bool titleTuple = true;
    bool open = true;  // still taking values ("-1,0" closes)

    const auto take = [&](std::string_view text, bool quoted) {
        if (quoted && text.size() >= 2 && text.front() == '"' && text.back() == '"') {
            text = text.substr(1, text.size() - 2);
        }
        if (count >= 4) {
            ++count;
            return;
        }
        if (titleTuple) {
            if (!text.empty()) titles[count] = fromWindows1252(text);
        } else if (!(quoted && text.empty())) {
            values[count] = convertField(text, conversion);
        }
        ++count;
    };

    withBatch(model, [&](RowBatch& batch) {
        const auto finish = [&] {
            if (titleTuple) {
                if (titles[0]) model.bottomAxis().setTitle(*titles[0]);
                if (titles[1]) model.leftAxis().setTitle(*titles[1]);
                if (titles[2]) model.rightAxis().setTitle(*titles[2]);
                if (titles[3]) model.setSTitle(*titles[3]);
                titleTuple = false;
            } else if (values[0] && values[1]) {
                batch.add(*values[0], *values[1], values[2], values[3]);
            }
            titles = {};
            values = {};
            count = 0;
            open = true;
        };
        bool ended = false;
        while (lines.next(line)) {
            if (line == "EOD") {
                ended = true;
                break;
            }
            if (line == "BOT") {
                finish();
            } else if (!open) {
                continue;
            } else if (line == "-1,0") {
                open = false;
            } else if (line == "1,0") {
                if (!lines.next(line)) break;
                take(line, true);
            } else if (line.size() >= 2 && line[0] == '0' && line[1] == ',') {
                take(std::string_view(line).substr(2), false);
            }
        }
        if (ended || count > 0) finish();
    });
}

void readDataFile(const std::filesystem::path& path, GraphModel& model) {
    FileSource source(path);
    LineReader lines(source);
    const FieldConversion conversion = fieldConversionFor(path);
    if (readsAsDif(path)) {
        readDif(lines, conversion, model);
    } else {
        readTextTable(lines, upperExtension(path) == ".CSV", conversion, model);
    }
}

}  // namespace qtl
