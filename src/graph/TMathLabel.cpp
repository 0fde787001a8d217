#include "graph/TMathLabel.h"

#include <QString>
#include <cmath>
#include <vector>

#include "platform/Canvas.h"
#include "platform/FontSubstitution.h"

namespace {

// UTF-8 length of the character that starts with byte c.
std::size_t CharLength(unsigned char c) {
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) return 2;
    if ((c & 0xF0) == 0xE0) return 3;
    if ((c & 0xF8) == 0xF0) return 4;
    return 1;
}

// The caption as characters. A multi-byte character is never markup, so
// characters whose CP932 form holds the bytes of "\" or "^" stay text.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n =
            std::min(CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        chars.push_back(text.substr(i, n));
        i += n;
    }
    return chars;
}

}  // namespace

std::string EscapeMarkup(const std::string& text) {
    std::string out;
    for (char c : text) {
        // Bytes of multi-byte characters are 0x80 and above: never markup.
        if (c == '^' || c == '_' || c == '@' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string PlainText(const std::string& caption) {
    std::string out;
    const std::vector<std::string> chars = Characters(caption);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const std::string& c = chars[i];
        if (c == "^" || c == "_" || c == "@") continue;
        if (c == "\\") {
            if (i + 1 < chars.size()) out += chars[++i];
            continue;
        }
        out += c;
    }
    return out;
}

std::string WrapSelection(const std::string& text, int start, int length, char marker) {
    if (length <= 0) return text;
    const QString q = QString::fromStdString(text);
    const QString wrapped =
        q.left(start) + QChar(marker) + q.mid(start, length) + "@" + q.mid(start + length);
    return wrapped.toStdString();
}

void TMathLabel::SetAngle(int value) {
    angle_ = value >= 0 && value <= 90 ? value : 0;
}

void TMathLabel::SetRatio(double value) {
    if (value > 1)
        ratio_ = 1;
    else if (value < 0.2 || !(value == value))
        ratio_ = 0.2;
    else
        ratio_ = value;
}

void TMathLabel::SetCaption(const std::string& text) {
    caption_ = text;
    Render();
}

void TMathLabel::Render() {
    picture_.Clear();
    if (caption_.empty()) {
        Width = Height = 1;
        picture_.SetSize(1, 1);
        Canvas canvas(picture_);
        canvas.Brush = TBrush{Color, BrushStyle::bsSolid};
        canvas.FillBackdrop({0, 0, 1, 1});
        return;
    }
    const double a = angle_ * M_PI / 180.0;
    const double sinA = std::sin(a), cosA = std::cos(a);
    const int h0 = Font.Height;
    const int reduced = int(h0 * ratio_);
    TLogFont full = Font;
    full.Escapement = 0;
    TLogFont small = full;
    small.Height = reduced;

    const std::vector<std::string> chars = Characters(caption_);
    const int th = TextHeight(full, caption_);
    double total = 0;
    {
        std::string run;
        const TLogFont* current = &full;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            const std::string& c = chars[i];
            if (c == "^" || c == "_") {
                total += TextWidth(*current, run);
                run.clear();
                current = &small;
            } else if (c == "@") {
                total += TextWidth(*current, run);
                run.clear();
                current = &full;
            } else if (c == "\\") {
                if (i + 1 < chars.size()) run += chars[++i];
            } else {
                run += c;
            }
        }
        total += TextWidth(*current, run);
    }

    Width = int(cosA * total + sinA * th);
    Height = int(sinA * total + cosA * th);
    picture_.SetSize(Width, Height);
    Canvas canvas(picture_);
    canvas.Brush = TBrush{Color, BrushStyle::bsSolid};
    // A white box only hides what lies under the text; a colour of the
    // user's is part of the graph.
    if (Color == clWhite)
        canvas.FillBackdrop({0, 0, Width, Height});
    else
        canvas.FillRect({0, 0, Width, Height});
    canvas.Brush.Style = BrushStyle::bsClear;
    canvas.Font = Font;
    canvas.Font.Escapement = angle_ * 10;
    canvas.Font.Height = h0;

    double x = 0, y = int(sinA * total);
    bool sub = false;
    std::string run;
    auto flush = [&] {
        if (!run.empty()) canvas.TextOut(int(x), int(y), run);
    };
    auto width = [&] {
        TLogFont f = canvas.Font;
        f.Escapement = 0;
        return double(TextWidth(f, run));
    };
    const double shift = (1 - ratio_) * h0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const std::string& c = chars[i];
        if (c == "^") {
            flush();
            const double w = width();
            x = int(cosA * w + x);
            y = int(y - sinA * w);
            run.clear();
            canvas.Font.Height = reduced;
        } else if (c == "_") {
            flush();
            const double w = width();
            x = int(x + (cosA * w - sinA * shift));
            y = int(y - (sinA * w + cosA * shift));
            run.clear();
            canvas.Font.Height = reduced;
            sub = true;
        } else if (c == "@") {
            flush();
            const double w = width();
            double nx = int(cosA * w + x), ny = int(y - sinA * w);
            if (sub) {
                nx = int(sinA * shift + nx);
                ny = int(cosA * shift + ny);
            }
            sub = false;
            x = nx;
            y = ny;
            run.clear();
            canvas.Font.Height = h0;
        } else if (c == "\\") {
            if (i + 1 < chars.size()) run += chars[++i];
        } else {
            run += c;
        }
    }
    flush();
}
