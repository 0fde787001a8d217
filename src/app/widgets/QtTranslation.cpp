#include "app/widgets/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

bool InstallQtJapanese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        std::fputs("kurvo: Qt の日本語訳 (qtbase_ja.qm) がありません\n", stderr);
        delete translator;
        return false;
    }
    app.installTranslator(translator);
    return true;
}
