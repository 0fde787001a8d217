#include "app/widgets/BoxMessageSink.h"

#include <QApplication>
#include <QMessageBox>

void BoxMessageSink::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}
