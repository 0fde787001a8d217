#include "dialogs/FontSetForm.h"

#include <QString>

#include "platform/NumberText.h"

FontSetForm::FontSetForm(const GraphDocument& d)
    : Fonts{d.Fonts.Graphtitle, d.X().TitleFont, d.Y().TitleFont, d.Fonts.Num, d.Fonts.Sample} {}

void FontSetForm::NameChange(int row, const std::string& name) {
    FontSetting& font = Fonts.at(std::size_t(row));
    font.Name = QString::fromStdString(name).left(31).toStdString();
    font.Charset = 1;
}

void FontSetForm::SizeChange(int row, const std::string& text) {
    Fonts.at(std::size_t(row)).Size = StrToInt(text);
}

void FontSetForm::Store(GraphDocument& d) const {
    d.Fonts.Graphtitle = Fonts[0];
    d.X().TitleFont = Fonts[1];
    d.Y().TitleFont = Fonts[2];
    d.Fonts.Num = Fonts[3];
    d.Fonts.Sample = Fonts[4];
}
