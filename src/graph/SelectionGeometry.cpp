#include "graph/SelectionGeometry.h"

#include <algorithm>
#include <cstdlib>

void SelectionGeometry::Select(int left, int top, int width, int height) {
    Top = top;
    Left = left;
    Height = height;
    Width = width;
    Visible = true;
}

SelectionGeometry::Cursor SelectionGeometry::CursorOf(int zone) {
    switch (zone) {
        case 7:
        case 3:
            return Cursor::SizeNWSE;
        case 1:
        case 9:
            return Cursor::SizeNESW;
        case 4:
        case 6:
            return Cursor::SizeHorizontal;
        case 8:
        case 2:
            return Cursor::SizeVertical;
        default:
            return Cursor::Arrow;
    }
}

SelectionGeometry::Cursor SelectionGeometry::MouseMove(int x, int y, bool resizable) {
    grab_ = {x, y};
    const int w = Width, h = Height;
    if (!resizable)
        zone_ = 5;
    else if (x < kHandle && y < kHandle)
        zone_ = 7;
    else if (x > w - kHandle && y > h - kHandle)
        zone_ = 3;
    else if (x < kHandle && y > h - kHandle)
        zone_ = 1;
    else if (x > w - kHandle && y < kHandle)
        zone_ = 9;
    else if (x < kHandle)
        zone_ = 4;
    else if (x > w - kHandle)
        zone_ = 6;
    else if (y < kHandle)
        zone_ = 8;
    else if (y > h - kHandle)
        zone_ = 2;
    else
        zone_ = 5;
    return CursorOf(zone_);
}

void SelectionGeometry::StartDrag() {
    const int l = Left, t = Top, w = Width, h = Height;
    switch (zone_) {
        case 1:
            a1_ = {l + w, t};
            break;
        case 2:
            a1_ = {l, t};
            a2_ = {l + w, t};
            break;
        case 3:
            a1_ = {l, t};
            break;
        case 4:
            a1_ = {l + w, t};
            a2_ = {l + w, t + h};
            break;
        case 6:
            a1_ = {l, t};
            a2_ = {l, t + h};
            break;
        case 7:
            a1_ = {l + w, t + h};
            break;
        case 8:
            a1_ = {l, t + h};
            a2_ = {l + w, t + h};
            break;
        case 9:
            a1_ = {l, t + h};
            break;
        default:
            break;
    }
}

void SelectionGeometry::DragOver(int x, int y) {
    const int x1 = a1_.x, y1 = a1_.y, x2 = a2_.x, y2 = a2_.y;
    switch (zone_) {
        case 5:
            Left = x - grab_.x;
            Top = y - grab_.y;
            break;
        case 4:
        case 6:
            Width = std::abs(x - x1);
            Height = std::abs(y2 - y1);
            Left = x > x1 ? x1 : x;
            Top = y1;
            break;
        case 2:
        case 8:
            Width = std::abs(x2 - x1);
            Height = std::abs(y - y1);
            Left = x1;
            Top = y > y1 ? y1 : y;
            break;
        case 1:
        case 3:
        case 7:
        case 9:
            Width = std::abs(x - x1);
            Height = std::abs(y - y1);
            Left = x > x1 ? x1 : x;
            Top = y > y1 ? y1 : y;
            break;
        default:
            break;
    }
}

void SelectionGeometry::ApplyMinimumSize() {
    Width = std::max(Width, kMinimumSize);
    Height = std::max(Height, kMinimumSize);
}
