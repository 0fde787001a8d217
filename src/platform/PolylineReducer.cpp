#include "platform/PolylineReducer.h"

void PolylineReducer::MoveTo(int x, int y, SubPixel exact) {
    Finish();
    canvas_.Exact = exact;
    canvas_.MoveTo(x, y);
    if (!reduce_) return;
    active_ = true;
    x_ = x;
    first_ = last_ = low_ = high_ = y;
    lowCount_ = highCount_ = 1;
    lastExact_ = lowExact_ = highExact_ = exact;
}

void PolylineReducer::Line(int x, int y, SubPixel exact) {
    canvas_.Exact = exact;
    canvas_.LineTo(x, y);
}

void PolylineReducer::LineTo(int x, int y, SubPixel exact) {
    if (!reduce_) {
        Line(x, y, exact);
        return;
    }
    if (!active_) MoveTo(canvas_.PenPos().x, canvas_.PenPos().y, canvas_.Exact);
    if (x == x_) {
        if (y == last_) return;  // on the pixel of the point before
        last_ = y;
        lastExact_ = exact;
        if (y < low_) {
            low_ = y;
            lowCount_ = 0;
            lowExact_ = exact;
        }
        if (y > high_) {
            high_ = y;
            highCount_ = 0;
            highExact_ = exact;
        }
        lowCount_ += y == low_;
        highCount_ += y == high_;
        return;
    }
    CloseColumn();
    // The line into the next column, as it was; its end opens the column.
    Line(x, y, exact);
    x_ = x;
    first_ = last_ = low_ = high_ = y;
    lowCount_ = highCount_ = 1;
    lastExact_ = lowExact_ = highExact_ = exact;
}

// The column's vertical moves, from first_ to last_, painted every pixel
// from low_ to high_, except last_ when it is an extreme reached only at
// the end (a line does not paint its end point). The first point is
// recorded already; the rest goes through both extremes, the one that is
// not the last point second, so that it is painted as the start of a line.
void PolylineReducer::CloseColumn() {
    if (low_ == high_) return;         // no vertical move
    int second = high_, third = low_;  // the order of the extremes
    if (last_ == high_) {
        // Painted as a start before the end, the highest pixel must be
        // left again; reached only at the end, it is not painted.
        if (highCount_ > 1) {
            second = high_;
            third = low_;
        } else {
            second = low_;
            third = high_;
        }
    } else if (last_ == low_) {
        if (lowCount_ > 1) {
            second = low_;
            third = high_;
        } else {
            second = high_;
            third = low_;
        }
    }
    auto exactOf = [&](int y) {
        return y == last_ ? lastExact_ : y == low_ ? lowExact_ : highExact_;
    };
    int at = first_;
    for (const int y : {second, third, last_}) {
        if (y == at) continue;
        Line(x_, y, exactOf(y));
        at = y;
    }
}

void PolylineReducer::Finish() {
    if (!active_) return;
    CloseColumn();
    active_ = false;
}
