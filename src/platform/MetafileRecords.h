#pragma once

// What the EMF and WMF writers share: colours, pen styles, text advances,
// point lists and the buffer their records gather in.

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

extern "C" {
#include <uemf.h>
#include <uwmf.h>
}

#include "platform/Picture.h"

inline constexpr int kMetafileDpi = 96;

U_COLORREF ColorRef(TColor color);
uint32_t PenStyleOf(PenStyle style);
// The advances of each UTF-16 unit of a text in a font, in pixels.
std::vector<double> Advances(const TLogFont& font, const QString& text);
bool Fits16(int v);
U_RECTL BoundsOf(const std::vector<U_POINTL>& points);
bool AllFit16(const std::vector<U_POINTL>& points);
std::vector<U_POINT16> To16(const std::vector<U_POINTL>& points);
// The corners of a box's outline, its right and bottom edges excluded.
// Readers centre a wide pen on a rectangle's outer edges, Windows on
// these: as a polygon, the outline lies where the BMP has it everywhere.
std::vector<U_POINTL> BoxOutline(const PictureOp& box);
void PutU32(std::string& bytes, std::size_t offset, uint32_t value);
void PutU16(std::string& bytes, std::size_t offset, uint16_t value);

// Records of one metafile, gathered in memory. A record libUEMF could not
// build (it gives none when memory runs out) fails the whole file: a
// picture with a record missing is not the picture.
class RecordBuffer {
  public:
    static constexpr const char* kRecordFailedText = "ﾒﾀﾌｧｲﾙのﾚｺｰﾄﾞを作成できません";
    void Append(const char* record, std::size_t size);
    std::string& Bytes() { return bytes_; }
    std::size_t Records() const { return records_; }
    std::size_t Largest() const { return largest_; }

  private:
    std::string bytes_;
    std::size_t records_ = 0;
    std::size_t largest_ = 0;
};
