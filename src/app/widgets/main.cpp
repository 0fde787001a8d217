#include <QApplication>
#include <QMessageBox>

#include "app/TfMain.h"
#include "app/widgets/BoxMessageSink.h"
#include "app/widgets/QtTranslation.h"
#include "app/widgets/TfMainWindow.h"
#include "app/widgets/ToolGlyphs.h"
#include "platform/RaisedError.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kurvo");
    QApplication::setWindowIcon(MakeProgramIcon());
    InstallQtJapanese(app);
    BoxMessageSink messages;
    SetMessageSink(&messages);
    try {
        TfMain state;
        TfMainWindow fMain(state);
        fMain.show();
        // Closing the main window ends the program, other windows with it.
        QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
        QObject::connect(&fMain, &QObject::destroyed, &app, &QApplication::quit);
        const int result = app.exec();
        SetMessageSink(nullptr);
        return result;
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Kurvo", QString::fromUtf8(e.what()));
        return 1;
    }
}
