#include "app/widgets/TFver.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "app/widgets/ToolGlyphs.h"

namespace {

// "Kurvo" in large bold italic, black with a blue copy two pixels up and
// to the left.
class ShadowTitle : public QWidget {
  public:
    explicit ShadowTitle(QWidget* parent) : QWidget(parent) { setObjectName("ProductName"); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QFont f("Liberation Serif");
        f.setPixelSize(32);
        f.setBold(true);
        f.setItalic(true);
        p.setFont(f);
        const int baseline = 36;
        p.setPen(Qt::black);
        p.drawText(4, baseline, "Kurvo");
        p.setPen(QColor(0, 0, 255));
        p.drawText(2, baseline - 2, "Kurvo");
    }
};

}  // namespace

TFver::TFver(QWidget* parent) : QDialog(parent) {
    setObjectName("Fver");
    setWindowTitle("ﾊﾞｰｼﾞｮﾝ情報");
    setFixedSize(260, 150);

    auto* icon = new QLabel(this);
    icon->setObjectName("ProgramIcon");
    icon->setPixmap(ProgramPixmap(48));
    icon->setGeometry(16, 16, 48, 48);

    auto* title = new ShadowTitle(this);
    title->setGeometry(80, 12, 160, 48);

    auto* version = new QLabel(kVersionText, this);
    version->setObjectName("Version");
    version->setGeometry(84, 66, 150, 18);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setGeometry(90, 106, 81, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
