#include "app/widgets/TGraphWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <algorithm>

#include "app/TfMain.h"
#include "app/widgets/TCanv.h"
#include "platform/RunCommand.h"

TGraphWindow::TGraphWindow(TfMain& state, QWidget* parent)
    : QMainWindow(parent, Qt::Window), state_(state) {
    setObjectName("CanvWindow");
    setWindowTitle(TCanv::kCaption);
    View = new QScrollArea;
    View->setObjectName("CanvView");
    View->setWidgetResizable(false);
    View->setAlignment(Qt::AlignCenter);
    View->setBackgroundRole(QPalette::Dark);
    Canv = new TCanv(state_);
    View->setWidget(Canv);
    setCentralWidget(View);
    Pointer = new QLabel;
    Pointer->setObjectName("PointerText");
    statusBar()->addWidget(Pointer, 1);
    connect(Canv, &TCanv::PointerTextChanged, Pointer, &QLabel::setText);

    QMenu* view = menuBar()->addMenu("表示(&V)");
    view->setObjectName("menuView");
    auto item = [&](const char* name, const char* caption, const char* keys) {
        QAction* a = view->addAction(QString::fromUtf8(caption));
        a->setObjectName(name);
        if (keys) a->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        return a;
    };
    ZoomActual = item("menuZoomActual", "実寸表示", "Ctrl+1");
    ZoomToFit = item("menuZoomToFit", "ｳｨﾝﾄﾞｳに合わせる", "Ctrl+0");
    for (QAction* a : {ZoomActual, ZoomToFit}) a->setCheckable(true);
    auto* zooms = new QActionGroup(this);
    zooms->addAction(ZoomActual);
    zooms->addAction(ZoomToFit);
    ZoomActual->setChecked(true);
    view->addSeparator();
    WholeRange = item("menuWholeRange", "全体表示", "Home");
    CanvasToWindow = item("menuCanvasToWindow", "ｷｬﾝﾊﾞｽをｳｨﾝﾄﾞｳの大きさにする", nullptr);

    connect(ZoomActual, &QAction::triggered, this, [this] {
        View->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        View->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        Canv->SetZoom(1);
    });
    connect(ZoomToFit, &QAction::triggered, this, [this] {
        View->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        View->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        FitZoom();
    });
    connect(WholeRange, &QAction::triggered, this,
            [this] { RunCommand([this] { state_.ShowWholeRange(); }); });
    connect(CanvasToWindow, &QAction::triggered, this, [this] {
        const QSize room = View->viewport()->size();
        ZoomActual->trigger();
        RunCommand([&] { state_.SetCanvasToWindow(room.width(), room.height()); });
        sizedFor_ = Canv->CanvasSize();
    });
    connect(&state_, &TfMain::ShowGraphWindow, this, &TGraphWindow::ShowGraph);
    connect(&state_, &TfMain::GraphChanged, this, [this] {
        if (ZoomToFit->isChecked()) FitZoom();
    });
}

void TGraphWindow::ShowGraph() {
    const QSize canvas = Canv->CanvasSize();
    if (canvas != sizedFor_) {
        // The whole canvas where the screen has room for it; else the
        // view scrolls.
        const int frame = 2 * View->frameWidth();
        QSize wanted(qRound(canvas.width() * Canv->Zoom()) + frame,
                     qRound(canvas.height() * Canv->Zoom()) + frame +
                         menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
        if (const QScreen* screen = this->screen())
            wanted = wanted.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
        resize(wanted);
        sizedFor_ = canvas;
    }
    show();
    raise();
}

void TGraphWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (ZoomToFit->isChecked()) FitZoom();
}

void TGraphWindow::FitZoom() {
    const QSize canvas = Canv->CanvasSize();
    const QSize room = View->viewport()->size();
    if (canvas.isEmpty() || room.isEmpty()) return;
    Canv->SetZoom(
        std::min(double(room.width()) / canvas.width(), double(room.height()) / canvas.height()));
}

void TGraphWindow::RestorePlace(const QByteArray& geometry, QSize canvas) {
    if (restoreGeometry(geometry)) sizedFor_ = canvas;
}
