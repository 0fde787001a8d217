#pragma once

#include <QDialog>
#include "platform/Version.h"

// The about box: the program's icon, its name drawn as a shadowed title,
// the version and OK.
class TFver : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kVersionText = "ver" KURVO_VERSION;
    explicit TFver(QWidget* parent = nullptr);
};
