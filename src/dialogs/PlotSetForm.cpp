#include "dialogs/PlotSetForm.h"

#include <cmath>

#include "fit/FitFormula.h"
#include "fit/FitModels.h"

#include "app/TfMain.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"

std::vector<std::string> PlotSetForm::IndexItems() const {
    std::vector<std::string> items = {kAll};
    for (int n = 0; n < main_.SeriesCount(); ++n) items.push_back(IntToStr(n + 1));
    return items;
}

int PlotSetForm::SeriesColumn() const {
    if (IsAll()) return -1;
    for (int n = 0; n < main_.SeriesCount(); ++n)
        if (IndexText == IntToStr(n + 1)) return n;
    return -1;
}

const SeriesStyle* PlotSetForm::Source() const {
    if (IsAll()) return &main_.Doc.Template;
    const int n = SeriesColumn();
    return n >= 0 ? &main_.Series(n).Style : nullptr;
}

std::string PlotSetForm::NameText() const {
    if (IsAll()) return kAllName;
    const int n = SeriesColumn();
    return n >= 0 ? main_.Series(n).LegendText : "";
}

void PlotSetForm::NameChange(const std::string& text) {
    const int n = SeriesColumn();
    if (n < 0) return;
    main_.EditLegendText(n, text);
}

void PlotSetForm::Apply(const std::function<void(SeriesStyle&)>& set) {
    const int n = SeriesColumn();
    if (!IsAll() && n < 0) return;
    main_.Edit("ﾗｲﾝ設定", [&](GraphDocument& d) {
        if (!IsAll()) {
            set(d.Series.at(std::size_t(n)).Style);
            return;
        }
        for (GraphSeries& s : d.Series) set(s.Style);
        set(d.Template);
    });
}

void PlotSetForm::ApplyInteger(const std::string& text, int minimum, const char* field,
                               int SeriesStyle::*member) {
    const int value = StrToInt(text);
    if (value < minimum) {
        ShowMessage(FormatText(kFieldText, {field, IntToStr(minimum)}));
        return;
    }
    Apply([&](SeriesStyle& p) {
        p.*member = value;
        // Whole pixels replace a width in points.
        if (member == &SeriesStyle::LineWidth) p.LineWidthPoints = 0;
    });
}

bool PlotSetForm::ApplyLineWidth(const std::string& text, bool finished) {
    std::string number = text;
    const bool points = number.size() >= 2 && (number.ends_with("pt") || number.ends_with("PT"));
    if (!points && number.find_first_of(".pP") == std::string::npos) {
        ApplyInteger(text, 0, "ラインの太さ", &SeriesStyle::LineWidth);
        return true;
    }
    if (points) number.resize(number.size() - 2);
    double value = 0;
    if (!points || !TryStrToFloat(number, value) || !(value > 0) ||
        value > SeriesStyle::kMaxLineWidthPoints) {
        if (finished) ShowMessage(kLineWidthText);
        return false;
    }
    Apply([&](SeriesStyle& p) {
        p.LineWidthPoints = value;
        p.LineWidth = std::max(1, int(std::lround(value * kPixelsPerPoint)));
    });
    return true;
}

std::string PlotSetForm::LineWidthText(const SeriesStyle& style) {
    if (style.LineWidthPoints > 0) return Concat(FloatToText(style.LineWidthPoints), "pt");
    return IntToStr(style.LineWidth);
}

bool PlotSetForm::ApplyCurveMethod(const std::string& text, bool finished) {
    if (const auto method = KindOfName(CurveMethodNames(), text)) {
        Apply([&](SeriesStyle& p) { p.Hokan = *method; });
        return true;
    }
    if (finished) ShowMessage(FormatText(kUnknownHokanText, {text, NameList(CurveMethodNames())}));
    return false;
}

void PlotSetForm::ApplyMarkType(int position) {
    const auto marks = MarkKindNames();
    if (position < 0 || std::size_t(position) >= marks.size()) return;
    Apply([&](SeriesStyle& p) { p.MarkType = marks[std::size_t(position)].kind; });
}

void PlotSetForm::ApplyAxisX(const std::string& text) {
    if (text == kRowNumberText) {
        Apply([](SeriesStyle& p) { p.AxisX = kRowNumberAxisX; });
        return;
    }
    ApplyInteger(text, 1, "X 軸の番号", &SeriesStyle::AxisX);
}

void PlotSetForm::ApplyAxisY(int position) {
    if (position < 0 || position >= int(std::size(kAxisYItems))) return;
    Apply([&](SeriesStyle& p) { p.AxisY = SeriesStyle::kLeftAxis + position; });
}

std::vector<std::string> PlotSetForm::AxisXItems() const {
    std::vector<std::string> items{kRowNumberText};
    for (int n = 1; n <= main_.SeriesCount(); ++n) items.push_back(IntToStr(n));
    return items;
}

std::string PlotSetForm::AxisXText(int axisX) {
    return axisX == kRowNumberAxisX ? kRowNumberText : IntToStr(axisX);
}

void PlotSetForm::ApplyErrorColumn(const std::string& text, const char* field,
                                   int SeriesStyle::*member) {
    if (text == kNoErrorText) {
        Apply([&](SeriesStyle& p) { p.*member = 0; });
        return;
    }
    ApplyInteger(text, 1, field, member);
}

std::vector<std::string> PlotSetForm::ErrorColumnItems() const {
    std::vector<std::string> items{kNoErrorText};
    for (int n = 1; n <= main_.ColumnCount(); ++n) items.push_back(IntToStr(n));
    return items;
}

std::string PlotSetForm::ErrorColumnText(int column) {
    return column == 0 ? kNoErrorText : IntToStr(column);
}

void PlotSetForm::ApplyFormula(const std::string& text) {
    Apply([&](SeriesStyle& p) { p.Formula = text; });
}

void PlotSetForm::ApplyStart(const std::string& text) {
    Apply([&](SeriesStyle& p) { p.Start = text; });
}

std::vector<std::string> PlotSetForm::FitModelItems() {
    std::vector<std::string> items{kOwnFormulaText};
    for (const FitModel& model : FitModels()) items.push_back(model.Caption);
    return items;
}

int PlotSetForm::FitModelPosition(const std::string& formula) {
    const FitModel* ready = FindFitModel(formula);
    return ready ? int(ready - FitModels().data()) + 1 : 0;
}

void PlotSetForm::ApplyFitModel(int position) {
    const auto models = FitModels();
    if (position < 1 || std::size_t(position) > models.size()) return;
    const FitModel& model = models[std::size_t(position) - 1];
    Apply([&](SeriesStyle& p) {
        p.Formula = model.Formula;
        p.Start.clear();
        if (p.Hokan != CurveMethod::Formula && p.Hokan != CurveMethod::FormulaArea)
            p.Hokan = CurveMethod::Formula;
    });
}

void PlotSetForm::ApplyFlag(bool SeriesStyle::*member, bool value) {
    Apply([&](SeriesStyle& p) { p.*member = value; });
}

std::string PlotSetForm::StartHint() const {
    const SeriesStyle* source = Source();
    const FitModel* ready = source ? FindFitModel(source->Formula) : nullptr;
    if (!ready) return "空欄: すべて 1 から";
    std::string hint = "空欄: ﾃﾞｰﾀから推定";
    const int n = SeriesColumn();
    if (n < 0) return hint;
    const TPlot& plot = main_.LineImage(n);
    FitFormula formula;
    std::string reason;
    std::vector<double> x, y;
    for (std::size_t i = 0; i < plot.X.size() && i < plot.Y.size(); ++i)
        if (std::isfinite(plot.X[i]) && std::isfinite(plot.Y[i])) {
            x.push_back(plot.X[i]);
            y.push_back(plot.Y[i]);
        }
    if (x.empty() || !formula.Parse(ready->Formula, reason)) return hint;
    return hint + " (" + StartValuesText(formula.Parameters(), ready->Guess(x, y), 4) + ")";
}
