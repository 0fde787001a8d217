#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class TfMain;

// "ﾌｨｯﾄ結果": the fits of the last drawing as text, kept up to date with
// each drawing, copied whole with "ｺﾋﾟｰ" (or any part selected with the
// keys).
class TFitReportWindow : public QDialog {
    Q_OBJECT

  public:
    explicit TFitReportWindow(TfMain& main, QWidget* parent = nullptr);

    QPlainTextEdit* Report;
    QPushButton* CopyButton;
    QPushButton* CloseButton;

  public slots:
    void Reload();

  private:
    TfMain& main_;
};
