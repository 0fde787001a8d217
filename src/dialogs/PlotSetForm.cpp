#include "dialogs/PlotSetForm.h"

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

TPlot* PlotSetForm::Series() const {
    const int n = SeriesColumn();
    return n >= 0 ? &main_.LineImage(n) : nullptr;
}

TPlot* PlotSetForm::Source() const {
    return IsAll() ? &main_.AllImage : Series();
}

std::string PlotSetForm::NameText() const {
    if (IsAll()) return kAllName;
    const int n = SeriesColumn();
    return n >= 0 ? main_.LineEdit(n).Text : "";
}

void PlotSetForm::NameChange(const std::string& text) {
    const int n = SeriesColumn();
    if (n < 0) return;
    main_.LineEdit(n).Text = text;
    emit main_.SeriesRowChanged(n);
}

void PlotSetForm::Apply(const std::function<void(TPlot&)>& set, bool repaint) {
    auto one = [&](TPlot& p) {
        set(p);
        if (repaint) p.DrawSample();
    };
    if (IsAll()) {
        for (int n = 0; n < main_.SeriesCount(); ++n) {
            one(main_.LineImage(n));
            emit main_.SeriesRowChanged(n);
        }
        one(main_.AllImage);
        return;
    }
    const int n = SeriesColumn();
    if (n < 0) return;
    one(main_.LineImage(n));
    emit main_.SeriesRowChanged(n);
}

void PlotSetForm::ApplyInteger(const std::string& text, int minimum, const char* field,
                               int TPlot::*member, bool repaint) {
    const int value = StrToInt(text);
    if (value < minimum) {
        ShowMessage(FormatText(kFieldText, {field, IntToStr(minimum)}));
        return;
    }
    Apply([&](TPlot& p) { p.*member = value; }, repaint);
}

bool PlotSetForm::ApplyCurveMethod(const std::string& text, bool finished) {
    if (const auto method = KindOfName(CurveMethodNames(), text)) {
        Apply([&](TPlot& p) { p.Hokan = *method; }, false);
        return true;
    }
    if (finished) ShowMessage(FormatText(kUnknownHokanText, {text, NameList(CurveMethodNames())}));
    return false;
}

void PlotSetForm::ApplyMarkType(int position) {
    const auto marks = MarkKindNames();
    if (position < 0 || std::size_t(position) >= marks.size()) return;
    Apply([&](TPlot& p) { p.MarkType = marks[std::size_t(position)].kind; }, true);
}

void PlotSetForm::ApplyAxisX(const std::string& text) {
    if (text == kRowNumberText) {
        Apply([](TPlot& p) { p.AxisX = kRowNumberAxisX; }, false);
        return;
    }
    ApplyInteger(text, 1, "X 軸の番号", &TPlot::AxisX, false);
}

std::vector<std::string> PlotSetForm::AxisXItems() const {
    std::vector<std::string> items{kRowNumberText};
    for (int n = 1; n <= main_.SeriesCount(); ++n) items.push_back(IntToStr(n));
    return items;
}

std::string PlotSetForm::AxisXText(int axisX) {
    return axisX == kRowNumberAxisX ? kRowNumberText : IntToStr(axisX);
}
