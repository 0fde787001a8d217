#include "graph/widgets/FontChoice.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <algorithm>

#include "platform/FontSubstitution.h"

namespace {

// The dialog selects the style of its list that the font names; a font
// without a style name gets the list's first, which may be "Italic". The
// face's own name of the style the font has is given, so that OK without
// a change keeps the font.
void NameTheStyle(QFont& font) {
    const QString family = font.family();
    for (const QString& style : QFontDatabase::styles(family)) {
        if (QFontDatabase::italic(family, style) != font.italic()) continue;
        if (QFontDatabase::bold(family, style) != font.bold()) continue;
        font.setStyleName(style);
        return;
    }
}

}  // namespace

QFont ToDialogFont(const FontSetting& font) {
    QFont f = MakeQFont(ToLogFont(font));
    f.setPointSize(std::clamp(font.Size, 1, FontSetting::kMaxSize));
    NameTheStyle(f);
    return f;
}

FontSetting FromDialogFont(const QFont& font, const FontSetting& base) {
    FontSetting f = base;
    f.Name = ChosenFaceName(font.family(), base.Name);
    if (font.pointSize() > 0) f.Size = font.pointSize();
    f.Bold = font.bold();
    f.Italic = font.italic();
    f.Underline = font.underline();
    f.StrikeOut = font.strikeOut();
    return f;
}

std::optional<FontSetting> ChooseFontSetting(QWidget* parent, const FontSetting& start,
                                             const QString& title) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, ToDialogFont(start), parent, title,
                                         QFontDialog::DontUseNativeDialog);
    if (!ok) return std::nullopt;
    return FromDialogFont(f, start);
}

std::optional<TLogFont> ChooseLogFont(QWidget* parent, const TLogFont& start,
                                      const QString& title) {
    bool ok = false;
    QFont shown = MakeQFont(start);
    NameTheStyle(shown);
    const QFont f =
        QFontDialog::getFont(&ok, shown, parent, title, QFontDialog::DontUseNativeDialog);
    if (!ok) return std::nullopt;
    TLogFont font = start;
    font.FaceName = ChosenFaceName(f.family(), start.FaceName);
    if (f.pointSize() > 0) font.Height = PointsToFontHeight(f.pointSize());
    font.Weight = f.bold() ? kFwBold : kFwNormal;
    font.Italic = f.italic();
    font.Underline = f.underline();
    font.StrikeOut = f.strikeOut();
    return font;
}
