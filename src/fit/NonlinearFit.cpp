#include "fit/NonlinearFit.h"

#include <gsl/gsl_blas.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_multifit_nlinear.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <span>

namespace {

struct Problem {
    const FitFormula& model;
    std::span<const double> x;
    std::span<const double> y;
    std::vector<double> values;
};

int Residuals(const gsl_vector* b, void* data, gsl_vector* f) {
    auto& problem = *static_cast<Problem*>(data);
    // The parameters GSL passes may be a view with a stride.
    std::vector<double> parameters(b->size);
    for (std::size_t k = 0; k < b->size; ++k) parameters[k] = gsl_vector_get(b, k);
    problem.model.Values(problem.x, parameters.data(), problem.values);
    for (std::size_t i = 0; i < problem.x.size(); ++i) {
        const double value = problem.values[i];
        if (!std::isfinite(value)) return GSL_EDOM;
        gsl_vector_set(f, i, value - problem.y[i]);
    }
    return GSL_SUCCESS;
}

struct WorkspaceFree {
    void operator()(gsl_multifit_nlinear_workspace* w) const { gsl_multifit_nlinear_free(w); }
};
struct MatrixFree {
    void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
};

// GSL's default handler aborts the program; its errors are results here.
struct QuietGsl {
    gsl_error_handler_t* before = gsl_set_error_handler_off();
    ~QuietGsl() { gsl_set_error_handler(before); }
};

using Outcome = NonlinearFit::Outcome;

// The Jacobian of the (weighted) residuals at b by central differences,
// with the step that balances their truncation against rounding: the
// cube root of the machine epsilon, relative. Null where the model has
// no value.
gsl_matrix* CentralJacobian(Problem& problem, const std::vector<double>& weights,
                            const std::vector<double>& b) {
    const std::size_t n = problem.x.size(), p = b.size();
    const double step = std::cbrt(std::numeric_limits<double>::epsilon());
    gsl_matrix* jacobian = gsl_matrix_alloc(n, p);
    std::vector<double> shifted = b, above, below;
    for (std::size_t k = 0; k < p; ++k) {
        const double h = b[k] != 0 ? step * std::fabs(b[k]) : step;
        shifted[k] = b[k] + h;
        problem.model.Values(problem.x, shifted.data(), above);
        shifted[k] = b[k] - h;
        problem.model.Values(problem.x, shifted.data(), below);
        shifted[k] = b[k];
        for (std::size_t i = 0; i < n; ++i) {
            const double slope = (above[i] - below[i]) / (2 * h);
            if (!std::isfinite(slope)) {
                gsl_matrix_free(jacobian);
                return nullptr;
            }
            gsl_matrix_set(jacobian, i, k, weights.empty() ? slope : slope * std::sqrt(weights[i]));
        }
    }
    return jacobian;
}

// One solve with the trust-region method `trs`: the solution and the
// unscaled standard errors sqrt(diag (J^T W J)^-1).
Outcome Solve(const gsl_multifit_nlinear_trs* trs, Problem& problem,
              const std::vector<double>& weights, std::vector<double>& solution,
              std::vector<double>& errors, int& iterations) {
    const std::size_t n = problem.x.size(), p = solution.size();
    gsl_multifit_nlinear_parameters settings = gsl_multifit_nlinear_default_parameters();
    settings.trs = trs;
    settings.solver = gsl_multifit_nlinear_solver_qr;
    // Forward differences while searching (p evaluations a Jacobian);
    // the covariance takes central ones at the solution.
    settings.fdtype = GSL_MULTIFIT_NLINEAR_FWDIFF;
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = Residuals;
    fdf.n = n;
    fdf.p = p;
    fdf.params = &problem;
    std::unique_ptr<gsl_multifit_nlinear_workspace, WorkspaceFree> work(
        gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &settings, n, p));
    gsl_vector_const_view b0 = gsl_vector_const_view_array(solution.data(), p);
    gsl_vector_const_view w = gsl_vector_const_view_array(weights.data(), n);
    const int init = weights.empty()
                         ? gsl_multifit_nlinear_init(&b0.vector, &fdf, work.get())
                         : gsl_multifit_nlinear_winit(&b0.vector, &w.vector, &fdf, work.get());
    if (init != GSL_SUCCESS) return Outcome::NoValue;
    int info = 0;
    const int status = gsl_multifit_nlinear_driver(NonlinearFit::kMaxIterations, 1e-13, 1e-13, 0.0,
                                                   nullptr, nullptr, &info, work.get());
    iterations = int(gsl_multifit_nlinear_niter(work.get()));
    if (status == GSL_EDOM) return Outcome::NoValue;
    // GSL stops without success where no step lowers the cost: at a
    // solution that fits to rounding (exact data), or stuck. Either way
    // the point is taken only where it is a minimum: the residual at the
    // data's rounding, or orthogonal to every column of the Jacobian.
    if (status != GSL_SUCCESS && status != GSL_ENOPROG && status != GSL_EMAXITER)
        return Outcome::NotConverged;
    const gsl_vector* b = gsl_multifit_nlinear_position(work.get());
    std::vector<double> found(p);
    for (std::size_t k = 0; k < p; ++k) found[k] = gsl_vector_get(b, k);
    const gsl_matrix* jacobian = gsl_multifit_nlinear_jac(work.get());
    const gsl_vector* r = gsl_multifit_nlinear_residual(work.get());
    if (status != GSL_SUCCESS) {
        const double cost = gsl_blas_dnrm2(r);
        double scale = 0;
        for (std::size_t i = 0; i < n; ++i) scale = std::max(scale, std::fabs(problem.y[i]));
        bool minimum = cost <= 1e-12 * scale * std::sqrt(double(n));
        if (!minimum) {
            minimum = true;
            for (std::size_t k = 0; k < p; ++k) {
                gsl_vector_const_view column = gsl_matrix_const_column(jacobian, k);
                double dot = 0;
                gsl_blas_ddot(&column.vector, r, &dot);
                if (std::fabs(dot) > 1e-8 * gsl_blas_dnrm2(&column.vector) * cost) minimum = false;
            }
        }
        if (!minimum) return Outcome::NotConverged;
    }
    // The covariance (J^T W J)^-1 at the solution. A rank-deficient
    // Jacobian (a parameter the points do not determine, or two that only
    // act together) leaves a column out: its variance is 0.
    std::unique_ptr<gsl_matrix, MatrixFree> central(CentralJacobian(problem, weights, found));
    if (!central) return Outcome::NoValue;
    std::unique_ptr<gsl_matrix, MatrixFree> covariance(gsl_matrix_alloc(p, p));
    gsl_multifit_nlinear_covar(central.get(), 1e-13, covariance.get());
    for (std::size_t k = 0; k < p; ++k) {
        const double variance = gsl_matrix_get(covariance.get(), k, k);
        if (!(variance > 0) || !std::isfinite(variance)) return Outcome::Singular;
        errors[k] = std::sqrt(variance);
    }
    solution = found;
    return Outcome::Fitted;
}

}  // namespace

NonlinearFit FitFormulaToPoints(const FitFormula& model, std::span<const double> x,
                                std::span<const double> y, const std::vector<double>& weights,
                                const std::vector<double>& start) {
    NonlinearFit fit;
    const std::size_t n = x.size(), p = model.Parameters().size();
    fit.Fit.Formula = model.Text();
    if (n < p || n == 0) {
        fit.Result = Outcome::TooFewPoints;
        return fit;
    }
    const QuietGsl quiet;
    std::vector<double> solution = start;
    std::vector<double> errors(p);
    Problem problem{model, x, y, {}};
    if (p > 0) {
        // Geodesic acceleration first; where it stops at a point that does
        // not determine the parameters (Rat43 from its first start), plain
        // Levenberg-Marquardt from the same start.
        for (const gsl_multifit_nlinear_trs* trs :
             {gsl_multifit_nlinear_trs_lmaccel, gsl_multifit_nlinear_trs_lm}) {
            solution = start;
            int iterations = 0;
            const Outcome outcome = Solve(trs, problem, weights, solution, errors, iterations);
            fit.Iterations += iterations;
            if (trs == gsl_multifit_nlinear_trs_lmaccel || outcome == Outcome::Fitted)
                fit.Result = outcome;
            if (outcome == Outcome::Fitted) break;
        }
        if (fit.Result != Outcome::Fitted) return fit;
    }
    std::vector<double> residuals;
    model.Values(x, solution.data(), residuals);
    for (std::size_t i = 0; i < n; ++i) residuals[i] = y[i] - residuals[i];
    FillFitStatistics(fit.Fit, y, residuals, weights, int(p));
    // Unweighted, the errors scale with the residual variance.
    const double scale = fit.Fit.Weighted ? 1.0 : fit.Fit.Sigma;
    for (std::size_t k = 0; k < p; ++k)
        fit.Fit.Parameters.push_back({model.Parameters()[k], solution[k], errors[k] * scale});
    return fit;
}
