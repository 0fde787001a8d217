#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "dialogs/FontSetForm.h"

class QComboBox;
class QPushButton;
class QToolButton;

// The font settings dialog "ﾌｫﾝﾄ設定": the five fonts of the graph, one row
// each. Modal; on OK the caller stores the form's fonts.
class TFontSetDialog : public QDialog {
    Q_OBJECT

  public:
    TFontSetDialog(const GraphDocument& document, QWidget* parent = nullptr);

    QComboBox* FontName[5];
    QComboBox* Size[5];
    QToolButton* FontButton[5];
    QPushButton* OkBitBtn;
    QPushButton* CancelBitBtn;
    FontSetForm& Form() { return form_; }

    // The font dialog answers here; tests replace it.
    std::function<std::optional<FontSetting>(const FontSetting&)> ChooseFont;

  public slots:
    void FontButtonClick(int row);
    void OkBitBtnClick();

  private:
    void ShowRow(int row);
    FontSetForm form_;
    bool filling_ = false;
};

// A settings font as Qt's font dialog shows it, and back.
