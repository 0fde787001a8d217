#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "graph/TMathLabel.h"

class QLineEdit;
class QPushButton;
class QToolButton;

// The label editor "ﾃｷｽﾄの変更": a live preview of a math label over the
// text box, with superscript, subscript and font buttons.
class TLabelForm : public QDialog {
    Q_OBJECT

  public:
    explicit TLabelForm(QWidget* parent = nullptr);

    // The preview; the caller sets its caption and font before showing.
    TMathLabel Label;
    QWidget* Panel;
    QLineEdit* Box;
    QToolButton* FontChange;
    QToolButton* FontUp;
    QToolButton* FontDown;
    QPushButton* OKBitBtn;
    QPushButton* CancelBitBtn;
    std::string Result = "no_initial";

    std::function<std::optional<TLogFont>(const TLogFont&)> ChooseFont;

  public slots:
    void FormShow();
    void BoxChange();
    void UpButtonClick();
    void DownButtonClick();
    void FontButtonClick();
    void OKBitBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Wrap(char marker);
};
