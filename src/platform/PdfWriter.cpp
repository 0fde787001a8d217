#include "platform/PdfWriter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <cctype>
#include <memory>
#include <new>

#include "platform/PictureReplay.h"

namespace {

// Replaces `length` bytes at `open` in the body of the file: the offsets
// of the objects after them in the cross-reference table, and the table's
// own, move by the change in length.
void ReplaceInBody(QByteArray& pdf, qsizetype open, qsizetype length, const QByteArray& text) {
    const qsizetype delta = text.size() - length;
    pdf.replace(open, length, text);
    const qsizetype close = open + text.size();
    const qsizetype xref = pdf.indexOf("\nxref\n", close);
    const qsizetype startxref = pdf.indexOf("startxref\n", close);
    if (xref < 0 || startxref < 0) return;
    // Entries of twenty bytes: a ten-digit offset, a generation, a type.
    for (qsizetype at = pdf.indexOf('\n', xref + 6) + 1; at + 20 <= startxref; at += 20) {
        if (pdf[at + 17] != 'n') continue;
        const qlonglong offset = pdf.mid(at, 10).toLongLong();
        if (offset > open)
            pdf.replace(at, 10, QByteArray::number(offset + delta).rightJustified(10, '0'));
    }
    const qsizetype number = startxref + 10;
    qsizetype end = number;
    while (end < pdf.size() && std::isdigit(static_cast<unsigned char>(pdf[end]))) ++end;
    pdf.replace(number, end - number,
                QByteArray::number(pdf.mid(number, end - number).toLongLong() + delta));
}

// Qt writes the page size in whole points; a canvas of an odd number of
// pixels is half a point wider. The page box is written again with the
// exact size (its top stays where Qt put the top of the drawing).
void SetExactPageBox(QByteArray& pdf, double width, double height) {
    const QByteArray key = "/MediaBox [";
    const qsizetype start = pdf.indexOf(key);
    if (start < 0) return;
    const qsizetype open = start + key.size(), close = pdf.indexOf(']', open);
    if (close < 0) return;
    const QList<QByteArray> numbers = pdf.mid(open, close - open).simplified().split(' ');
    if (numbers.size() != 4) return;
    const double roundedHeight = numbers[3].toDouble();
    const QByteArray box = "0 " + QByteArray::number(roundedHeight - height, 'g', 10) + " " +
                           QByteArray::number(width, 'g', 10) + " " + numbers[3];
    ReplaceInBody(pdf, open, close - open, box);
}

bool IsNameEnd(char c) {
    return std::isspace(static_cast<unsigned char>(c)) || c == '/' || c == '>' || c == '[' ||
           c == '(' || c == '<';
}

// Qt tags the font descriptor's name of an embedded subset ("QMAAAA+") but
// not the font's own /BaseFont, so readers call the font not a subset; each
// base font gets the tag of its descriptor.
void TagSubsetFonts(QByteArray& pdf) {
    const QByteArray fontName = "/FontName /", baseFont = "/BaseFont /";
    for (qsizetype at = pdf.indexOf(fontName); at >= 0; at = pdf.indexOf(fontName, at + 1)) {
        const qsizetype start = at + fontName.size();
        qsizetype end = start;
        while (end < pdf.size() && !IsNameEnd(pdf[end])) ++end;
        const QByteArray tagged = pdf.mid(start, end - start);
        if (tagged.size() < 8 || tagged[6] != '+') continue;
        const QByteArray name = tagged.mid(7);
        for (qsizetype b = pdf.indexOf(baseFont); b >= 0; b = pdf.indexOf(baseFont, b + 1)) {
            const qsizetype nameAt = b + baseFont.size();
            const qsizetype after = nameAt + name.size();
            if (pdf.mid(nameAt, name.size()) == name && after < pdf.size() && IsNameEnd(pdf[after]))
                ReplaceInBody(pdf, nameAt, name.size(), tagged);
        }
    }
}

}  // namespace

QByteArray PdfBytes(const Picture& picture, const std::string& title) {
    constexpr double kPointsPerPixel = 72.0 / 96;
    const double w = std::max(picture.ExactWidth(), 1.0), h = std::max(picture.ExactHeight(), 1.0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator("Kurvo");
        pdf.setTitle(title.empty() ? QString("Kurvo") : QString::fromStdString(title));
        pdf.setPageSize(
            QPageSize(QSizeF(w * kPointsPerPixel, h * kPointsPerPixel), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        // One device unit is one pixel of the picture.
        pdf.setResolution(96);
        // The page is finished in end(), which needs memory too. Ended in
        // the painter's destructor, a failure there would be thrown from a
        // destructor and end the program; ended here, it is reported.
        auto painter = std::make_unique<QPainter>(&pdf);
        try {
            // The page is transparent, and texts have no box of their own.
            ReplayPicture(*painter, picture, 0, 0, ReplayStyle::Smooth, false);
            painter->end();
        } catch (const std::bad_alloc&) {
            try {
                painter->end();
            } catch (const std::bad_alloc&) {
                // A painter that cannot end cannot be destroyed either:
                // it is given up (a few bytes; the writer frees the page
                // it held), and Qt says that its device went while painted.
                (void)painter.release();
            }
            throw;
        }
    }
    SetExactPageBox(bytes, w * kPointsPerPixel, h * kPointsPerPixel);
    TagSubsetFonts(bytes);
    return bytes;
}
