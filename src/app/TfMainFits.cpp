// The fits of a drawing as the report and the legend show them.
#include "app/TfMain.h"
#include "fit/FitText.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/RunCommand.h"

namespace {

// A fit made ahead of the drawing says nothing: the drawing's own fit
// gives its messages.
class SilentSink : public MessageSink {
  public:
    void ShowMessage(const std::string&) override {}
};

}  // namespace

void TfMain::FitLegendEquations(const std::vector<int>& checked, const Columns& xs,
                                const Columns& ys, const std::vector<ErrorExtents>& errorsY) {
    SilentSink silent;
    const ScopedMessageSink scope(silent);
    for (std::size_t m = 0; m < checked.size(); ++m) {
        TPlot& plot = LineImage(checked[m]);
        if (!plot.LegendFormula || plot.Hokan == CurveMethod::None) continue;
        // The fit on copies of the points: the drawing takes the columns
        // over afterwards.
        TPlot scratch = plot;
        scratch.SetPoints(*xs[m], *ys[m]);
        scratch.ErrorsY = errorsY[m];
        scratch.Xsize = Doc.Graph.Width;
        scratch.Ysize = Doc.Graph.Height;
        RunCommand([&] { scratch.PlotLine(); });
        plot.Fitted = scratch.Fitted;
    }
}

std::vector<FitResult> TfMain::FitResults() const {
    std::vector<FitResult> fits;
    for (std::size_t n = 0; n < plots_.size(); ++n) {
        if (!plots_[n]->Fitted) continue;
        FitResult fit = *plots_[n]->Fitted;
        const GraphSeries& s = Doc.Series.at(n);
        // The title of the column in its own file (a computed column has
        // none).
        std::string title;
        const int source = Doc.SourceOfColumn(s.YColumn);
        if (std::size_t(source) < Doc.Sources.size() && s.YColumn <= Doc.FileColumnCount()) {
            const DataSource& file = Doc.Sources[std::size_t(source)];
            const std::size_t column = std::size_t(s.YColumn - file.FirstColumn);
            if (column < file.Titles.size()) title = file.Titles[column];
        }
        fit.Series = !s.LegendText.empty() ? s.LegendText
                     : !title.empty()      ? title
                                           : FormatText(kReportColumnText, {IntToStr(s.YColumn)});
        fits.push_back(std::move(fit));
    }
    return fits;
}

std::string TfMain::LegendTextOf(int n) {
    std::string text = Series(n).LegendText;
    if (Series(n).Style.LegendFormula && LineImage(n).Fitted) {
        if (!text.empty()) text += "  ";
        text += FittedEquation(*LineImage(n).Fitted);
    }
    return text;
}
