#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "graph/SampleSetForm.h"
#include "graph/widgets/ColorShape.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The legend settings dialog "Kurvo 凡例の設定": box and shadow colours,
// shadow size and position. OK takes the fields; Settings() are what they
// give.
class TSampleSetDialog : public QDialog {
    Q_OBJECT

  public:
    TSampleSetDialog(const SampleSettings& settings, QWidget* parent = nullptr);
    SampleSettings Settings() const;

    ColorShape* FrontColor;
    ColorShape* ShadowColor;
    QComboBox* Shadowsize;
    QLineEdit* Sampleleft;
    QLineEdit* Sampletop;
    QPushButton* BitBtnOK;
    QPushButton* BitBtnCancel;

    // The colour dialog answers here; tests replace it.
    std::function<std::optional<QColor>(const QColor&)> ChooseColor;

  public slots:
    void FormShow();
    void FrontColorMouseUp();
    void ShadowColorMouseUp();
    void BitBtnOKClick();

  private:
    SampleSettings settings_;
    QColor lastColor_ = Qt::white;
};
