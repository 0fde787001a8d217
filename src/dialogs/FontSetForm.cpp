#include "dialogs/FontSetForm.h"

#include <QString>

#include "platform/NumberText.h"

FontSetForm::FontSetForm(const FontSettings& f)
    : Fonts{f.Graphtitle, f.TitleX, f.TitleY, f.Num, f.Sample} {}

void FontSetForm::NameChange(int row, const std::string& name) {
    FontSetting& font = Fonts.at(std::size_t(row));
    font.Name = QString::fromStdString(name).left(31).toStdString();
    font.Charset = 1;
}

void FontSetForm::SizeChange(int row, const std::string& text) {
    Fonts.at(std::size_t(row)).Size = StrToInt(text);
}

void FontSetForm::Store(FontSettings& f) const {
    f.Graphtitle = Fonts[0];
    f.TitleX = Fonts[1];
    f.TitleY = Fonts[2];
    f.Num = Fonts[3];
    f.Sample = Fonts[4];
}
