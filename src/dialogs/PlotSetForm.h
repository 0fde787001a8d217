#pragma once

#include "dialogs/FieldMessages.h"

#include <functional>
#include <string>
#include <vector>

class TfMain;
struct SeriesStyle;

// The plot settings dialog without its window: which series the "Index"
// names, loading it, and applying a change to it or, with "ALL", to every
// series and the template.
class PlotSetForm {
  public:
    static constexpr const char* kAll = "ALL";
    static constexpr const char* kAllName = "全てのデータに適用";
    static constexpr const char* kFieldText = kAtLeastText;

    explicit PlotSetForm(TfMain& main) : main_(main) {}

    // 0 for "ALL", k + 1 for the series of column k.
    int StartIndex = 0;
    // The text in the Index box, as chosen or typed.
    std::string IndexText = kAll;

    std::vector<std::string> IndexItems() const;
    bool IsAll() const { return IndexText == kAll; }
    // The series the text names; -1 for "ALL" and for a text that names no
    // existing series, so nothing is touched then.
    int SeriesColumn() const;
    // What the controls show: the template for "ALL", else the series'
    // style; none for no series.
    const SeriesStyle* Source() const;
    std::string NameText() const;
    void NameChange(const std::string& text);

    // Sets a property on the target, as one edit: with "ALL" on every
    // series first and then on the template.
    void Apply(const std::function<void(SeriesStyle&)>& set);
    // Integer fields: the conversion error for no number; a value below
    // `minimum` is refused with a message naming the field.
    void ApplyInteger(const std::string& text, int minimum, const char* field,
                      int SeriesStyle::*member);
    // The line width: whole pixels as an integer field, or points with
    // decimals ("0.5pt"). A text on its way to points ("0.", "0.5p") is
    // kept back while the typing goes on and refused once it is
    // `finished`; false then.
    bool ApplyLineWidth(const std::string& text, bool finished);
    static std::string LineWidthText(const SeriesStyle& style);
    static constexpr const char* kLineWidthText =
        "ラインの太さは 0 以上の整数 (ピクセル) か、0.5pt のような 0 より大きいポイントです";
    // The curve method by its name as listed or typed: a name of the
    // table applies at once; another is refused with a message once the
    // typing is `finished`, and kept back while it goes on.
    static constexpr const char* kUnknownHokanText = "補完方法 '%s' はありません (%s のどれか)";
    bool ApplyCurveMethod(const std::string& text, bool finished);
    // The mark by its place in the dialog's list.
    void ApplyMarkType(int position);
    // The X column: a column number from 1, or "行番号" for the row number.
    void ApplyAxisX(const std::string& text);
    // The X choices the dialog lists: "行番号", then each column.
    std::vector<std::string> AxisXItems() const;
    static std::string AxisXText(int axisX);
    // The Y axis by its place in the list: the left one, or the right.
    static constexpr const char* kAxisYItems[] = {"左", "右"};
    void ApplyAxisY(int position);
    // An error column: a column number from 1, or "なし" for none.
    static constexpr const char* kNoErrorText = "なし";
    void ApplyErrorColumn(const std::string& text, const char* field, int SeriesStyle::*member);
    std::vector<std::string> ErrorColumnItems() const;
    static std::string ErrorColumnText(int column);

    // The formula fit: the model, its start values, the ready model at
    // its place in FitModelItems() (its formula with no start values, so
    // they are guessed from each file's data; the curve method becomes
    // "式" unless it is a formula method already), and the two flags.
    void ApplyFormula(const std::string& text);
    void ApplyStart(const std::string& text);
    static constexpr const char* kOwnFormulaText = "(式を書く)";
    static std::vector<std::string> FitModelItems();
    void ApplyFitModel(int position);
    // The item FitModelItems() shows for a formula.
    static int FitModelPosition(const std::string& formula);
    void ApplyFlag(bool SeriesStyle::*member, bool value);
    // What the start values box says when it is empty: for a ready model
    // that they are guessed, with the guess from the points of the last
    // drawing when the series has them; else that they start at 1.
    std::string StartHint() const;

    TfMain& Main() { return main_; }

  private:
    TfMain& main_;
};
