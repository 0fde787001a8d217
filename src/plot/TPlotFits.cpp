// The fits of a series beyond the polynomial: a formula through the
// points by nonlinear least squares, and the weights of either from the
// Y errors.
#include <cmath>

#include "fit/FitModels.h"
#include "fit/NonlinearFit.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "plot/TPlot.h"

std::vector<double> TPlot::FitWeights() {
    if (!Weight) return {};
    if (ErrorsY.Empty()) {
        ShowNotice(FormatText(kNoWeightsText, {Caption}));
        return {};
    }
    // sigma is the mean of the two sides, or the one side there is.
    auto sigma = [this](std::size_t i) {
        const double minus = i < ErrorsY.Minus.size() ? ErrorsY.Minus[i] : kMissingValue;
        const double plus = i < ErrorsY.Plus.size() ? ErrorsY.Plus[i] : kMissingValue;
        if (minus > 0 && plus > 0) return (minus + plus) / 2;
        return minus > 0 ? minus : plus > 0 ? plus : kMissingValue;
    };
    const std::size_t before = std::size_t(count_);
    KeepPoints([&](std::size_t i) { return sigma(i) > 0 && std::isfinite(sigma(i)); });
    if (std::size_t(count_) < before)
        ShowNotice(
            FormatText(kUnweightedPointsText, {Caption, IntToStr(std::int64_t(before) - count_)}));
    std::vector<double> weights(static_cast<std::size_t>(count_));
    for (std::size_t i = 0; i < weights.size(); ++i) weights[i] = 1 / (sigma(i) * sigma(i));
    return weights;
}

void TPlot::Report(FitResult result) {
    result.Series = Caption;
    result.Curve = Hokan;
    Fitted = std::move(result);
}

void TPlot::FormulaPlotLine(bool dataRangeOnly) {
    ClearCurveLayer();
    FitFormula model;
    std::string reason;
    if (!model.Parse(Formula, reason)) {
        ShowMessage(FormatText(kFormulaSyntaxText, {Caption, Formula, reason}));
        return;
    }
    const std::vector<double> weights = FitWeights();
    std::vector<double> start;
    const FitModel* ready = FindFitModel(Formula);
    if (Start.empty() && ready && count_ > 0) {
        // A ready model's start is guessed afresh for every file.
        start = ready->Guess(X, Y);
    } else if (!ParseStartValues(Start, model.Parameters(), start, reason)) {
        ShowMessage(FormatText(kStartValueText, {Caption, reason, Formula}));
        return;
    }
    const NonlinearFit fit = FitFormulaToPoints(model, X, Y, weights, start);
    const std::string parameters = IntToStr(std::int64_t(model.Parameters().size()));
    switch (fit.Result) {
        case NonlinearFit::Outcome::Fitted:
            break;
        case NonlinearFit::Outcome::TooFewPoints:
            ShowMessage(FormatText(kFormulaTooFewPointsText,
                                   {Caption, IntToStr(count_), parameters, Formula}));
            return;
        case NonlinearFit::Outcome::NotConverged:
            ShowMessage(FormatText(kNotConvergedText,
                                   {Caption, Formula, IntToStr(NonlinearFit::kMaxIterations)}));
            return;
        case NonlinearFit::Outcome::Singular:
            ShowMessage(FormatText(kSingularText, {Caption, Formula}));
            return;
        case NonlinearFit::Outcome::NoValue:
            ShowMessage(FormatText(kNoValueText, {Caption, Formula}));
            return;
    }
    std::vector<double> values;
    for (const FitParameter& p : fit.Fit.Parameters) values.push_back(p.Value);
    PlotSampledCurve(dataRangeOnly, [&](double x) { return model(x, values.data()); });
    Report(fit.Fit);
}
