#include "platform/FontSubstitution.h"

#include <QFontMetrics>
#include <cmath>
#include <map>

namespace {

const std::map<std::string, QString>& SubstitutionTable() {
    static const std::map<std::string, QString> table = {
        {"Times New Roman", "Liberation Serif"},
        {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
        {"ＭＳ ゴシック", "IPAGothic"},
        {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"ＭＳ 明朝", "IPAMincho"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},
        {"MS Gothic", "IPAGothic"},
        {"MS PGothic", "IPAPGothic"},
        {"MS Mincho", "IPAMincho"},
        {"MS PMincho", "IPAPMincho"},
        {"Symbol", "Standard Symbols PS"},
    };
    return table;
}

}  // namespace

QString SubstituteFace(const std::string& faceName) {
    const auto& table = SubstitutionTable();
    const auto it = table.find(faceName);
    return it != table.end() ? it->second : QString::fromStdString(faceName);
}

std::string ChosenFaceName(const QString& chosenFamily, const std::string& previousFace) {
    if (chosenFamily == SubstituteFace(previousFace)) return previousFace;
    return chosenFamily.toStdString();
}

QFont MakeQFont(const TLogFont& font) {
    QFont f(SubstituteFace(font.FaceName));
    f.setStyleStrategy(QFont::PreferOutline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    int pixels = 16;
    if (font.Height < 0) {
        pixels = -font.Height;
    } else if (font.Height > 0) {
        // A positive height is the cell height: ascent plus descent.
        QFont probe = f;
        probe.setPixelSize(100);
        const QFontMetrics m(probe);
        const int cell = m.ascent() + m.descent();
        pixels = cell > 0 ? std::max(1, int(std::lround(font.Height * 100.0 / cell))) : font.Height;
    }
    f.setPixelSize(pixels);
    f.setWeight(QFont::Weight(std::clamp(font.Weight == 0 ? kFwNormal : font.Weight, 1, 1000)));
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    return f;
}

double PointSizeScale(const TLogFont& font) {
    if (font.Height >= 0) return 1;
    const double pixels = -double(font.Height);
    const double points = std::round(pixels * 72 / 96);
    return points >= 1 ? points * 96 / 72 / pixels : 1;
}

int TextWidth(const TLogFont& font, const std::string& text) {
    return QFontMetrics(MakeQFont(font)).horizontalAdvance(QString::fromStdString(text));
}

int TextHeight(const TLogFont& font, const std::string& text) {
    const QFontMetrics m(MakeQFont(font));
    return m.ascent() + m.descent();
}
