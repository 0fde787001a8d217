#pragma once

#include <array>
#include <string>

#include "document/GraphDocument.h"

// The working fonts of the font settings dialog: the main window's five
// fonts are copied in when it shows and copied back on OK only.
class FontSetForm {
  public:
    explicit FontSetForm(const GraphDocument& document);

    std::array<FontSetting, 5> Fonts;
    // A name typed or chosen from the list: at most 31 characters, the
    // default character set.
    void NameChange(int row, const std::string& name);
    // The size in points; a text that is no whole number raises the
    // conversion error and the size stays.
    void SizeChange(int row, const std::string& text);
    void Store(GraphDocument& document) const;
};
