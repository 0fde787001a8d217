#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "data/DataOpenChoice.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The data-open options form: delimiter, title row and start line, next to
// a preview of the file's first lines.
class TDataOpen : public QDialog {
    Q_OBJECT

  public:
    explicit TDataOpen(QWidget* parent = nullptr);

    void SetPreview(const std::vector<std::string>& lines);
    // Sets the delimiter, the decimal comma, the title row and the start
    // line as the choice gives them.
    void SetChoice(const DataOpenChoice& choice);
    // The form's settings and how it was closed.
    DataOpenChoice Choice() const;

    QGroupBox* GroupBox1;
    QRadioButton* SpRadio;
    QRadioButton* TabRadio;
    QRadioButton* CmRadio;
    QRadioButton* ScRadio;
    // "1,5" is one and a half; not with the comma delimiter.
    QCheckBox* DecimalCheck;
    QGroupBox* GroupBox2;
    QLineEdit* StepEdit;
    QLabel* Label1;
    QCheckBox* StepCheck;
    QCheckBox* RtitleCheck;
    QLabel* Label2;
    QPlainTextEdit* Preview;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  public slots:
    void StepCheckClick();
    void DelimiterClick();
};
