#include "graph/widgets/FontChoice.h"

#include <QFontDialog>
#include <algorithm>

#include "platform/FontSubstitution.h"

QFont ToDialogFont(const FontSetting& font) {
    QFont f = MakeQFont(ToLogFont(font));
    f.setPointSize(std::clamp(font.Size, 1, FontSetting::kMaxSize));
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
    const QFont f = QFontDialog::getFont(&ok, MakeQFont(start), parent, title,
                                         QFontDialog::DontUseNativeDialog);
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
