#pragma once

#include "platform/Picture.h"

// The selection rectangle of the graph window and what the mouse does with
// it: the handle zone under the mouse (numbered as a numeric keypad: 7 top
// left ... 5 inside ... 3 bottom right), the anchors fixed when a drag
// starts, the rectangle while dragging, and the size a drop gives.
class SelectionGeometry {
  public:
    enum class Cursor { Arrow, SizeNWSE, SizeNESW, SizeHorizontal, SizeVertical };
    static constexpr int kHandle = 5;
    static constexpr int kMinimumSize = 30;

    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = false;

    int Zone() const { return zone_; }
    PixelPoint Grab() const { return grab_; }
    PixelPoint Anchor1() const { return a1_; }
    PixelPoint Anchor2() const { return a2_; }

    // (x, y) lies on the shown rectangle, or within `margin` of it.
    bool Contains(int x, int y, int margin = 0) const {
        return Visible && x >= Left - margin && x < Left + Width + margin && y >= Top - margin &&
               y < Top + Height + margin;
    }
    // The rectangle takes the bounds of the selected object and shows.
    void Select(int left, int top, int width, int height);
    // The mouse at (x, y) inside the rectangle; only a resizable object
    // (the graph image) has resize zones.
    Cursor MouseMove(int x, int y, bool resizable);
    static Cursor CursorOf(int zone);
    // Fixes the sides that stay put.
    void StartDrag();
    // The mouse at (x, y) in window coordinates while dragging.
    void DragOver(int x, int y);
    // Raises the size to the minimum a dropped plot area has.
    void ApplyMinimumSize();

  private:
    int zone_ = 0;
    PixelPoint grab_;
    PixelPoint a1_;
    PixelPoint a2_;
};
