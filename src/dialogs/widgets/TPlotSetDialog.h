#pragma once

#include <QDialog>

#include "dialogs/PlotSetForm.h"

class ColorShape;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// The plot settings dialog "ﾗｲﾝ設定": line and mark settings of one series
// or, through "ALL", of all. Modeless; every change applies at once.
class TPlotSetDialog : public QDialog {
    Q_OBJECT

  public:
    TPlotSetDialog(TfMain& main, QWidget* parent = nullptr);

    PlotSetForm& Form() { return form_; }
    void SetStartIndex(int index) { form_.StartIndex = index; }

    QComboBox* Index;
    QLineEdit* Name;
    ColorShape* Lcolor;
    QComboBox* Ltype;
    QComboBox* Lwidth;
    QComboBox* Lhokan;
    QComboBox* Ldimension;
    QComboBox* AxisX;
    QComboBox* AxisY;
    // The error columns and the caps' half width.
    QComboBox* ErrorY;
    QComboBox* ErrorYMinus;
    QComboBox* ErrorX;
    QComboBox* ErrorXMinus;
    QComboBox* ErrorCap;
    // The formula fit.
    QComboBox* FitModel;
    QLineEdit* Formula;
    QLineEdit* Start;
    QCheckBox* Weight;
    QCheckBox* LegendFormula;
    ColorShape* Mcolor;
    QComboBox* Mtype;
    QComboBox* Msize;
    QComboBox* Mpass;
    QPushButton* PlotBitBtn;
    QPushButton* BitBtnClose;

    std::function<std::optional<QColor>(const QColor&)> ChooseColor;

  signals:
    void PlotRequested();
    void Closed();

  public slots:
    void FormActivate();
    void IndexChange();
    void LcolorClick();
    void McolorClick();

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Integer(QComboBox* box, int minimum, const char* field, int SeriesStyle::*member);
    bool loading_ = false;
    QColor lastColor_ = Qt::black;
    PlotSetForm form_;
};
