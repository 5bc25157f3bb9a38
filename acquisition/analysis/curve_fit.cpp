// Fitting: point selection, the linear solution of polynomial models (in a centred and scaled
// variable, then brought back to powers of X), the trust-region Levenberg–Marquardt iteration
// of the nonlinear ones, and the uncertainties and quality figures of the result.
#include "analysis/curve_fit.h"

#include <gsl/gsl_blas.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit.h>
#include <gsl/gsl_multifit_nlinear.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <numeric>

#include "analysis/fit_start.h"

namespace qtl {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Residual given to the solver for a trial point where the model cannot be evaluated: far
// worse than any real one, so the step is rejected and a smaller one tried.
constexpr double kPenalty = 1e100;

struct GslDeleter {
    void operator()(gsl_vector* v) const { gsl_vector_free(v); }
    void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
    void operator()(gsl_multifit_linear_workspace* w) const { gsl_multifit_linear_free(w); }
    void operator()(gsl_multifit_nlinear_workspace* w) const { gsl_multifit_nlinear_free(w); }
};
using Vector = std::unique_ptr<gsl_vector, GslDeleter>;
using Matrix = std::unique_ptr<gsl_matrix, GslDeleter>;

// GSL's default handler aborts; errors are read from the return codes here.
class QuietGslErrors {
  public:
    QuietGslErrors() : previous_(gsl_set_error_handler_off()) {}
    ~QuietGslErrors() { gsl_set_error_handler(previous_); }
    QuietGslErrors(const QuietGslErrors&) = delete;
    QuietGslErrors& operator=(const QuietGslErrors&) = delete;

  private:
    gsl_error_handler_t* previous_;
};

struct Points {
    std::vector<double> x;
    std::vector<double> y;
    std::size_t skipped = 0;
};

Points selectPoints(std::span<const double> xs, std::span<const double> ys,
                    const FitOptions& options) {
    Points p;
    const std::size_t n = std::min(xs.size(), ys.size());
    p.x.reserve(n);
    p.y.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i])) {
            ++p.skipped;
            continue;
        }
        if (options.xRange && (xs[i] < options.xRange->first || xs[i] > options.xRange->second)) {
            continue;
        }
        p.x.push_back(xs[i]);
        p.y.push_back(ys[i]);
    }
    return p;
}

std::string joinNames(const std::vector<std::string>& names, const std::vector<bool>& which) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!which[i]) continue;
        if (!text.empty()) text += ", ";
        text += names[i];
    }
    return text;
}

// Residual sum of squares, R² and residual standard deviation of the final values, computed
// afresh from the model as it will be drawn.
bool finishQuality(const FitModel& model, const Points& pts, FitResult& r, double& rss) {
    double mean = 0;
    for (double y : pts.y) mean += y;
    mean /= static_cast<double>(pts.y.size());
    rss = 0;
    double tss = 0;
    for (std::size_t i = 0; i < pts.x.size(); ++i) {
        const double d = pts.y[i] - model.value(r.values, pts.x[i]);
        rss += d * d;
        tss += (pts.y[i] - mean) * (pts.y[i] - mean);
    }
    if (!std::isfinite(rss)) return false;
    const double dof = static_cast<double>(pts.x.size() - r.values.size());
    r.residualStdDev = std::sqrt(rss / dof);
    r.rSquared = tss > 0 ? 1 - rss / tss : kNaN;
    return true;
}

double binomial(int n, int k) {
    double b = 1;
    for (int i = 1; i <= k; ++i) b = b * (n - k + i) / i;
    return b;
}

void fitLinear(const FitModel& model, const Points& pts, FitResult& r) {
    const ModelChoice& c = model.choice();
    const bool intercept = c.kind != ModelKind::Linear;
    const int degree = c.kind == ModelKind::Polynomial ? c.degree : 1;
    const std::size_t n = pts.x.size();
    const std::size_t p = model.parameterCount();

    // u = (x − centre) / scale keeps the columns of the design matrix comparable.
    const auto [lo, hi] = std::minmax_element(pts.x.begin(), pts.x.end());
    double centre = intercept ? (*lo + *hi) / 2 : 0;
    double scale = intercept ? (*hi - *lo) / 2 : std::max(std::abs(*lo), std::abs(*hi));
    if (!(scale > 0)) scale = 1;

    Matrix design(gsl_matrix_alloc(n, p));
    Vector y(gsl_vector_alloc(n));
    for (std::size_t i = 0; i < n; ++i) {
        const double u = (pts.x[i] - centre) / scale;
        double power = intercept ? 1 : u;
        for (std::size_t k = 0; k < p; ++k) {
            gsl_matrix_set(design.get(), i, k, power);
            power *= u;
        }
        gsl_vector_set(y.get(), i, pts.y[i]);
    }
    Vector b(gsl_vector_alloc(p));
    Matrix covB(gsl_matrix_alloc(p, p));
    std::unique_ptr<gsl_multifit_linear_workspace, GslDeleter> work(
        gsl_multifit_linear_alloc(n, p));
    double chisq = 0;
    std::size_t rank = 0;
    const int status = gsl_multifit_linear_tsvd(design.get(), y.get(), 1e-12, b.get(), covB.get(),
                                                &chisq, &rank, work.get());
    if (status != GSL_SUCCESS) {
        r.message = "Le calcul des moindres carrés a échoué.";
        return;
    }

    // Coefficients of the powers of X: a_j = Σ_k b_k·C(k, j)·(−centre)^(k−j) / scale^k.
    const int first = intercept ? 0 : 1;  // power of X of coefficient 0
    Matrix m(gsl_matrix_calloc(p, p));
    for (std::size_t j = 0; j < p; ++j) {
        for (std::size_t k = j; k < p; ++k) {
            const int pj = static_cast<int>(j) + first;
            const int pk = static_cast<int>(k) + first;
            gsl_matrix_set(m.get(), j, k,
                           binomial(pk, pj) * std::pow(-centre, pk - pj) / std::pow(scale, pk));
        }
    }
    Vector a(gsl_vector_alloc(p));
    gsl_blas_dgemv(CblasNoTrans, 1.0, m.get(), b.get(), 0.0, a.get());
    Matrix tmp(gsl_matrix_alloc(p, p));
    Matrix covA(gsl_matrix_alloc(p, p));
    gsl_blas_dgemm(CblasNoTrans, CblasNoTrans, 1.0, m.get(), covB.get(), 0.0, tmp.get());
    gsl_blas_dgemm(CblasNoTrans, CblasTrans, 1.0, tmp.get(), m.get(), 0.0, covA.get());

    // Parameter order: the parabola is written from its highest power, the others ascending
    // (a·X+b: slope first).
    r.values.assign(p, 0);
    r.uncertainties.assign(p, kNaN);
    for (std::size_t j = 0; j < p; ++j) {
        std::size_t slot = j;
        if (c.kind == ModelKind::Affine || (c.kind == ModelKind::Polynomial && degree == 2)) {
            slot = p - 1 - j;
        }
        r.values[slot] = gsl_vector_get(a.get(), j);
        if (rank == p) r.uncertainties[slot] = std::sqrt(gsl_matrix_get(covA.get(), j, j));
    }

    double rss = 0;
    if (!finishQuality(model, pts, r, rss)) {
        r.message = "Le modèle ne peut pas être calculé avec les paramètres trouvés.";
        return;
    }
    // Far from X = 0 the powers of X cancel each other: the coefficients found then no longer
    // reproduce the fit, and are not presented as a result.
    double tss = 0;
    double mean = 0;
    for (double v : pts.y) mean += v;
    mean /= static_cast<double>(n);
    for (double v : pts.y) tss += (v - mean) * (v - mean);
    if (std::sqrt(rss) > 1.01 * std::sqrt(chisq) + 1e-9 * std::sqrt(tss) + 1e-300) {
        r.status = FitStatus::Failed;
        r.message =
            "Modèle mal conditionné : les coefficients en puissances de X ne reproduisent pas "
            "l'ajustement (X loin de 0 pour ce degré). Décalez X ou choisissez un degré plus "
            "faible.";
        return;
    }
    if (rank < p) {
        r.status = FitStatus::Undetermined;
        r.message =
            "Paramètres sans incertitude (matrice singulière) : les données ne déterminent pas "
            "tous les paramètres de ce modèle.";
        return;
    }
    r.status = FitStatus::Ok;
}

struct Problem {
    const FitModel* model;
    const Points* pts;
    std::vector<double> p;
    std::vector<double> row;
    int rejected = 0;
};

void load(Problem& pb, const gsl_vector* v) {
    for (std::size_t j = 0; j < pb.p.size(); ++j) pb.p[j] = gsl_vector_get(v, j);
}

// Residuals, or the penalty where the model cannot be evaluated.
int residuals(const gsl_vector* v, void* data, gsl_vector* f) {
    auto& pb = *static_cast<Problem*>(data);
    load(pb, v);
    const Points& pts = *pb.pts;
    for (std::size_t i = 0; i < pts.x.size(); ++i) {
        const double d = pb.model->value(pb.p, pts.x[i]) - pts.y[i];
        if (!std::isfinite(d)) {
            gsl_vector_set_all(f, kPenalty);
            ++pb.rejected;
            return GSL_SUCCESS;
        }
        gsl_vector_set(f, i, d);
    }
    return GSL_SUCCESS;
}

// Analytic derivatives for the built-in models, central differences (one-sided where one side
// cannot be evaluated) for the free model.
int jacobian(const gsl_vector* v, void* data, gsl_matrix* jac) {
    auto& pb = *static_cast<Problem*>(data);
    load(pb, v);
    const Points& pts = *pb.pts;
    const FitModel& model = *pb.model;
    const std::size_t np = pb.p.size();
    for (std::size_t i = 0; i < pts.x.size(); ++i) {
        const double x = pts.x[i];
        if (!model.derivatives(pb.p, x, pb.row)) {
            for (std::size_t j = 0; j < np; ++j) {
                const double pj = pb.p[j];
                const double h = 6e-6 * (pj != 0 ? std::abs(pj) : 1.0);
                pb.p[j] = pj + h;
                const double up = model.value(pb.p, x);
                pb.p[j] = pj - h;
                const double down = model.value(pb.p, x);
                pb.p[j] = pj;
                const double mid = model.value(pb.p, x);
                if (std::isfinite(up) && std::isfinite(down)) {
                    pb.row[j] = (up - down) / (2 * h);
                } else if (std::isfinite(up)) {
                    pb.row[j] = (up - mid) / h;
                } else {
                    pb.row[j] = (mid - down) / h;
                }
            }
        }
        for (std::size_t j = 0; j < np; ++j) {
            if (!std::isfinite(pb.row[j])) return GSL_EDOM;
            gsl_matrix_set(jac, i, j, pb.row[j]);
        }
    }
    return GSL_SUCCESS;
}

// At a minimum the residuals are orthogonal to every column of the Jacobian, to within what
// the rounding of the data lets one see (or they vanish).
bool atMinimum(const gsl_matrix* jac, const gsl_vector* f, double yNorm) {
    const double fNorm = gsl_blas_dnrm2(f);
    const double rounding = 1e3 * std::numeric_limits<double>::epsilon() * yNorm;
    if (fNorm <= 1e-11 * yNorm) return true;
    for (std::size_t j = 0; j < jac->size2; ++j) {
        gsl_vector_const_view col = gsl_matrix_const_column(jac, j);
        double dot = 0;
        gsl_blas_ddot(&col.vector, f, &dot);
        const double colNorm = gsl_blas_dnrm2(&col.vector);
        if (std::abs(dot) > std::max(1e-7 * fNorm, rounding) * colNorm) return false;
    }
    return true;
}

// A positive amplitude and period, and a phase in (−π, π], describe the same sine.
void normaliseSine(std::vector<double>& v) {
    if (v[2] < 0) {
        v[2] = -v[2];
        v[3] = std::numbers::pi - v[3];
    }
    if (v[0] < 0) {
        v[0] = -v[0];
        v[3] += std::numbers::pi;
    }
    v[3] = std::remainder(v[3], 2 * std::numbers::pi);
}

void fitNonlinear(const FitModel& model, const Points& pts, const FitOptions& options,
                  FitResult& r) {
    const std::size_t n = pts.x.size();
    const std::size_t p = model.parameterCount();
    std::vector<double> start;
    if (model.choice().kind == ModelKind::Free) {
        start = options.start;
        start.resize(p, 1.0);
    } else {
        start = automaticStart(model, pts.x, pts.y);
    }
    r.values = start;
    r.uncertainties.assign(p, kNaN);
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(model.value(start, pts.x[i]))) {
            r.message = "Le modèle ne peut pas être calculé aux valeurs de départ (X = " +
                        std::to_string(pts.x[i]) + "). Changez les valeurs de départ.";
            return;
        }
    }

    Problem pb{&model, &pts, start, std::vector<double>(p), 0};
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = residuals;
    fdf.df = jacobian;
    fdf.fvv = nullptr;
    fdf.n = n;
    fdf.p = p;
    fdf.params = &pb;
    gsl_multifit_nlinear_parameters params = gsl_multifit_nlinear_default_parameters();
    params.trs = gsl_multifit_nlinear_trs_lm;
    params.scale = gsl_multifit_nlinear_scale_more;
    params.solver = gsl_multifit_nlinear_solver_qr;
    std::unique_ptr<gsl_multifit_nlinear_workspace, GslDeleter> w(
        gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &params, n, p));
    Vector x0(gsl_vector_alloc(p));
    for (std::size_t j = 0; j < p; ++j) gsl_vector_set(x0.get(), j, start[j]);
    if (gsl_multifit_nlinear_init(x0.get(), &fdf, w.get()) != GSL_SUCCESS) {
        r.message = "Le modèle ne peut pas être dérivé aux valeurs de départ.";
        return;
    }
    const double yNorm = std::sqrt(std::accumulate(pts.y.begin(), pts.y.end(), 0.0,
                                                   [](double s, double v) { return s + v * v; }));

    bool converged = false;
    bool stuck = false;
    int iter = 0;
    while (iter < options.maxIterations) {
        const int status = gsl_multifit_nlinear_iterate(w.get());
        ++iter;
        if (status == GSL_ENOPROG) {
            // No smaller step lowers the sum of squares any more.
            converged = atMinimum(gsl_multifit_nlinear_jac(w.get()),
                                  gsl_multifit_nlinear_residual(w.get()), yNorm);
            break;
        }
        if (status != GSL_SUCCESS) {
            stuck = true;
            break;
        }
        int info = 0;
        if (gsl_multifit_nlinear_test(1e-13, 1e-30, 0.0, &info, w.get()) == GSL_SUCCESS) {
            converged = atMinimum(gsl_multifit_nlinear_jac(w.get()),
                                  gsl_multifit_nlinear_residual(w.get()), yNorm) ||
                        info == 1;
            break;
        }
    }
    r.iterations = iter;
    r.rejectedEvaluations = pb.rejected;
    const gsl_vector* x = gsl_multifit_nlinear_position(w.get());
    for (std::size_t j = 0; j < p; ++j) r.values[j] = gsl_vector_get(x, j);

    double rss = 0;
    if (!finishQuality(model, pts, r, rss)) {
        r.message = "Le modèle ne peut pas être calculé avec la dernière estimation.";
        return;
    }
    if (!converged) {
        r.status = FitStatus::NotConverged;
        r.message = stuck ? "Le modèle ne converge pas : l'ajustement ne peut pas continuer. "
                            "La dernière estimation est affichée en grisé."
                          : "Le modèle ne converge pas après " + std::to_string(iter) +
                                " itérations. La dernière estimation est affichée en grisé.";
        return;
    }

    // Covariance from the Jacobian with unit-norm columns, so that the rank decision does not
    // depend on the parameters' units.
    const gsl_matrix* jac = gsl_multifit_nlinear_jac(w.get());
    Matrix js(gsl_matrix_alloc(n, p));
    gsl_matrix_memcpy(js.get(), jac);
    std::vector<double> norms(p);
    std::vector<bool> undetermined(p, false);
    for (std::size_t j = 0; j < p; ++j) {
        gsl_vector_view col = gsl_matrix_column(js.get(), j);
        norms[j] = gsl_blas_dnrm2(&col.vector);
        if (norms[j] > 0) gsl_vector_scale(&col.vector, 1 / norms[j]);
    }
    Matrix covar(gsl_matrix_alloc(p, p));
    gsl_multifit_nlinear_covar(js.get(), 1e-10, covar.get());
    const double s2 = rss / static_cast<double>(n - p);
    for (std::size_t j = 0; j < p; ++j) {
        const double c = gsl_matrix_get(covar.get(), j, j);
        if (!(norms[j] > 0) || !(c > 0)) {
            undetermined[j] = true;
            continue;
        }
        r.uncertainties[j] = std::sqrt(c * s2) / norms[j];
    }
    if (model.choice().kind == ModelKind::DampedSine) normaliseSine(r.values);
    if (std::find(undetermined.begin(), undetermined.end(), true) != undetermined.end()) {
        r.status = FitStatus::Undetermined;
        r.message = "Paramètre sans incertitude (jacobien singulier) : " +
                    joinNames(r.names, undetermined) +
                    ". Les données ne déterminent pas ce paramètre ; le modèle en a trop ou "
                    "des paramètres redondants.";
        return;
    }
    r.status = FitStatus::Ok;
}

}  // namespace

FitResult fitCurve(const FitModel& model, std::span<const double> xs, std::span<const double> ys,
                   const FitOptions& options) {
    QuietGslErrors quiet;
    FitResult r;
    r.names = model.names();
    if (!model.valid()) {
        r.message = model.error();
        return r;
    }
    const Points pts = selectPoints(xs, ys, options);
    r.pointsUsed = pts.x.size();
    r.pointsSkipped = pts.skipped;
    const std::size_t needed = model.parameterCount() + 1;
    if (pts.x.size() < needed) {
        r.message = "Trop peu de points : " + std::to_string(pts.x.size()) +
                    " point(s) utilisable(s), il en faut au moins " + std::to_string(needed) +
                    " pour ce modèle.";
        return r;
    }
    if (model.choice().kind == ModelKind::Power &&
        std::any_of(pts.x.begin(), pts.x.end(), [](double x) { return x < 0; })) {
        r.message = "Le modèle puissance demande des X positifs ou nuls.";
        return r;
    }
    if (model.isLinear()) {
        fitLinear(model, pts, r);
    } else {
        fitNonlinear(model, pts, options, r);
    }
    return r;
}

}  // namespace qtl
