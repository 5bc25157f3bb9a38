// Building the clipboard text of a graph window.
#include "files/clipboard_text.h"

#include "settings/number_format.h"
#include "settings/program_settings.h"

namespace qtl {

namespace {

constexpr char kCarriageReturn = '\r';

// Sets decimalSeparator back to "." when the copy ends, however it ends.
class PointSeparatorAfterwards {
  public:
    explicit PointSeparatorAfterwards(ProgramSettings& s) : settings_(s) {}
    ~PointSeparatorAfterwards() { settings_.decimalSeparator = '.'; }
    PointSeparatorAfterwards(const PointSeparatorAfterwards&) = delete;
    PointSeparatorAfterwards& operator=(const PointSeparatorAfterwards&) = delete;

  private:
    ProgramSettings& settings_;
};

// The Y of point i, or an empty field past the end of a shorter series.
void appendColumn(std::string& out, const DataSeries& s, std::size_t i, char separator) {
    out += '\t';
    if (i < s.count()) out += formatReal(s.ys()[i], separator);
}

}  // namespace

std::string clipboardText(const GraphModel& model, char decimalSeparator) {
    const DataSeries& p = model.points(Channel::P);
    const DataSeries& a = model.points(Channel::A);
    const DataSeries& s = model.points(Channel::S);
    const bool withA = a.count() > 1;
    const bool withS = s.count() > 1;

    std::string text;
    // A line is at most four numbers of about 20 characters.
    text.reserve(p.count() * (withA || withS ? 64 : 32));
    const auto xs = p.xs();
    const auto ys = p.ys();
    for (std::size_t i = 0; i < p.count(); ++i) {
        text += formatReal(xs[i], decimalSeparator);
        text += '\t';
        text += formatReal(ys[i], decimalSeparator);
        if (withA) appendColumn(text, a, i, decimalSeparator);
        if (withS) appendColumn(text, s, i, decimalSeparator);
        text += kCarriageReturn;
    }
    return text;
}

std::string copyPointText(const GraphModel& model, const ProgramSettings& settings) {
    return clipboardText(model, settings.decimalSeparator);
}

std::string copyCommaText(const GraphModel& model, ProgramSettings& settings) {
    const PointSeparatorAfterwards restore(settings);
    settings.decimalSeparator = ',';
    return clipboardText(model, settings.decimalSeparator);
}

}  // namespace qtl
