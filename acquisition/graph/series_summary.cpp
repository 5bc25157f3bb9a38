// Runs of a long series and their extreme points.
#include "graph/series_summary.h"

#include <algorithm>
#include <cmath>

namespace qtl {

namespace {

// A finite value beats a NaN, so a gap never hides the envelope.
bool lower(double a, double b) {
    return std::isnan(b) ? !std::isnan(a) : a < b;
}
bool higher(double a, double b) {
    return std::isnan(b) ? !std::isnan(a) : a > b;
}

}  // namespace

SeriesSummary::SeriesSummary(std::size_t maxRuns) : maxRuns_(std::max<std::size_t>(maxRuns, 2)) {
    runs_.reserve(maxRuns_ + 1);
}

void SeriesSummary::clear() {
    runs_.clear();
    runLength_ = 1;
    count_ = 0;
    keptStale_ = true;
}

void SeriesSummary::update(const DataSeries& series, bool restart) {
    if (restart || series.count() < count_) clear();
    for (std::size_t i = count_; i < series.count(); ++i) add(series, i);
    count_ = series.count();
}

void SeriesSummary::add(const DataSeries& series, std::size_t i) {
    keptStale_ = true;
    if (runs_.empty() || runs_.back().last - runs_.back().first + 1 >= runLength_) {
        if (runs_.size() == maxRuns_) halveRuns(series);
        if (runs_.empty() || runs_.back().last - runs_.back().first + 1 >= runLength_) {
            runs_.push_back({i, i, i, i});
            return;
        }
    }
    Run& r = runs_.back();
    const auto ys = series.ys();
    if (lower(ys[i], ys[r.low])) r.low = i;
    if (higher(ys[i], ys[r.high])) r.high = i;
    r.last = i;
}

// Runs twice as long: each pair of runs becomes one.
void SeriesSummary::halveRuns(const DataSeries& series) {
    const auto ys = series.ys();
    std::size_t out = 0;
    for (std::size_t k = 0; k < runs_.size(); k += 2) {
        Run merged = runs_[k];
        if (k + 1 < runs_.size()) {
            const Run& b = runs_[k + 1];
            if (lower(ys[b.low], ys[merged.low])) merged.low = b.low;
            if (higher(ys[b.high], ys[merged.high])) merged.high = b.high;
            merged.last = b.last;
        }
        runs_[out++] = merged;
    }
    runs_.resize(out);
    runLength_ *= 2;
}

const std::vector<std::size_t>& SeriesSummary::keptIndices() const {
    if (!keptStale_) return kept_;
    kept_.clear();
    for (const Run& r : runs_) {
        std::size_t k[4] = {r.first, std::min(r.low, r.high), std::max(r.low, r.high), r.last};
        for (std::size_t i = 0; i < 4; ++i) {
            if (kept_.empty() || kept_.back() < k[i]) kept_.push_back(k[i]);
        }
    }
    keptStale_ = false;
    return kept_;
}

}  // namespace qtl
