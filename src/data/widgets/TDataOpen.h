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
    // The form's settings and how it was closed.
    DataOpenChoice Choice() const;

    QGroupBox* GroupBox1;
    QRadioButton* SpRadio;
    QRadioButton* CmRadio;
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
};
