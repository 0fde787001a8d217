#pragma once

#include <QDialog>

#include "batch/BatchForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The batch form "Kurvo 連続 ｸﾞﾗﾌ処理": one configuration applied to many
// data files, a graph saved beside each.
class TfSerial : public QDialog {
    Q_OBJECT

  public:
    TfSerial(TfMain& main, BatchMemory& memory, Desktop& desktop, QWidget* parent = nullptr);

    BatchForm& Form() { return form_; }

    QTabWidget* PageControl;
    QListWidget* Filelist;
    QPushButton* DataOpen;
    QLineEdit* ConfigfileEdit;
    QPushButton* ConfigOpen;
    QRadioButton* RadioSpace;
    QRadioButton* RadioTab;
    QRadioButton* RadioCamma;
    QRadioButton* RadioSemicolon;
    QCheckBox* DecimalCommaCheck;
    QCheckBox* ReadpassCheck;
    QLineEdit* PassEdit;
    QCheckBox* ReadtitleCheck;
    QCheckBox* FilenameToGraphTitle;
    QRadioButton* GraphEmf;
    QRadioButton* GraphWmf;
    QRadioButton* GraphBmp;
    QRadioButton* GraphSvg;
    QRadioButton* GraphPdf;
    QRadioButton* GraphPng;
    QLabel* info;
    QPushButton* HelpButton;
    QPushButton* Start;

    // Called before and after a run, so the window can hide and show the
    // graph window and the main window's pages.
    std::function<void(bool running)> Running;

  public slots:
    void DataOpenClick();
    void ConfigOpenClick();
    void StartClick();
    void HelpButtonClick();

  protected:
    void showEvent(QShowEvent* event) override;
    // FormActivate: each activation of the form shows the ﾒｲﾝ page.
    void changeEvent(QEvent* event) override;

  private:
    void TakeOptions();
    BatchForm form_;
    Desktop& desktop_;
};
