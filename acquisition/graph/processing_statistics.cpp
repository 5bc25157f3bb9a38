// The statistics text of a graph window.
#include "graph/processing_statistics.h"

#include "settings/number_format.h"
#include "settings/series_stats.h"

namespace qtl {

namespace {

constexpr std::size_t kMinPoints = 6;  // "si n>5"

}  // namespace

std::string statisticsText(const GraphModel& model, char decimalSeparator) {
    const auto real = [decimalSeparator](double x) { return formatReal(x, decimalSeparator); };
    const DataSeries& p = model.points(Channel::P);
    const DataSeries& a = model.points(Channel::A);
    const DataSeries& s = model.points(Channel::S);

    std::string text = "Statistiques des séries si n>5\r";
    text += "nombre de points : " + real(static_cast<double>(p.count())) + "\r";
    if (p.count() >= kMinPoints) text += "moyenne(P)=" + real(seriesMean(p.ys())) + "\r";
    if (a.count() >= kMinPoints) text += "moyenne(A)=" + real(seriesMean(a.ys())) + "\r";
    if (s.count() >= kMinPoints) text += "moyenne(S)=" + real(seriesMean(s.ys())) + "\r\r";
    if (p.count() >= kMinPoints) text += "écart-type(P)=" + real(seriesStdDev(p.ys())) + "\r";
    if (a.count() >= kMinPoints) text += "écart-type(A)=" + real(seriesStdDev(a.ys())) + "\r";
    if (s.count() >= kMinPoints) text += "écart-type(S)=" + real(seriesStdDev(s.ys())) + "\r";
    return text;
}

}  // namespace qtl
