#pragma once

#include <QDialog>
#include <map>

#include "dialogs/GraphSetForm.h"

class TfMain;

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The graph settings dialog "Kurvo ｸﾞﾗﾌ設定": sizes, ranges, axis types and
// ticks. Modeless; applying does not close it.
class TGraphSetDialog : public QDialog {
    Q_OBJECT

  public:
    TGraphSetDialog(TfMain& main, QWidget* parent = nullptr);

    QTabWidget* PageControl;
    QLineEdit* Edit(const char* name) const { return edits_.at(name); }
    QComboBox* Combo(const char* name) const { return combos_.at(name); }
    QCheckBox* AutosizeX;
    QCheckBox* AutosizeY;
    // "目盛りをきりのよい値に" for the X and the Y axis.
    QCheckBox* NiceTicksX;
    QCheckBox* NiceTicksY;
    // The right Y axis' page.
    QCheckBox* AutosizeY2;
    QCheckBox* NiceTicksY2;
    QCheckBox* AxisNote;
    QPushButton* OkBitBtn;
    QPushButton* PlotBitBtn;
    QPushButton* CloseBitBtn;

    GraphSetTexts Texts() const;

  signals:
    void PlotRequested();
    void Closed();

  public slots:
    void FormShow();
    void FormActivate();
    // True when everything was applied.
    bool OkBitBtnClick();
    void PlotBitBtnClick();

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    TfMain& main_;
    std::map<std::string, QLineEdit*> edits_;
    std::map<std::string, QComboBox*> combos_;
    // The unit the canvas sizes are shown in.
    std::string shownUnit_ = "px";
};
