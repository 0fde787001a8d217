#pragma once

#include <string>

#include "platform/Picture.h"

// The text with each markup character ("^", "_", "@", "\") escaped, so a
// label shows it as it is: "run_01" becomes "run\_01".
std::string EscapeMarkup(const std::string& text);
// A caption as plain text: the markup taken out, escaped characters as
// themselves: x^2@ \^ is x2 ^.
std::string PlainText(const std::string& caption);

// The text with the selection (start and length in UTF-16 units, as text
// boxes count) wrapped in a size marker ("^" or "_") and "@", which ends it.
std::string WrapSelection(const std::string& text, int start, int length, char marker);

// A text of the graph with superscript and subscript markup ("^", "_",
// "@", "\"), turned by 0 to 90 degrees. It renders itself into its caption
// picture and sizes itself to the turned text.
class TMathLabel {
  public:
    std::string Name;
    int Left = 0;
    int Top = 0;
    int Width = 1;
    int Height = 1;
    bool Visible = true;
    // On the graph window (the number labels are owned by the main window
    // but shown there).
    bool OnGraphWindow = true;

    TColor Color = clWhite;
    TLogFont Font;

    int Angle() const { return angle_; }
    double Ratio() const { return ratio_; }
    const std::string& Caption() const { return caption_; }
    // 0 to 90; anything else is stored as 0. Does not render.
    void SetAngle(int value);
    // Held within 0.2 to 1. Does not render.
    void SetRatio(double value);
    // Stores the text and renders at once, so the size is known on return.
    void SetCaption(const std::string& text);
    void Render();

    const Picture& CaptionPicture() const { return picture_; }

  private:
    int angle_ = 0;
    double ratio_ = 0.7;
    std::string caption_;
    Picture picture_;
};
