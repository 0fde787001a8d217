#pragma once

#include <QWidget>

// The graph window "Kurvo ｸﾞﾗﾌ". It lives for the whole run and stays
// hidden until a graph is shown.
class TCanv : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Kurvo ｸﾞﾗﾌ";
    explicit TCanv(QWidget* parent = nullptr);
};
