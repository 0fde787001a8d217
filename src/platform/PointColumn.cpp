#include "platform/PointColumn.h"

#include <algorithm>
#include <cstring>

PointColumn::PointColumn(std::vector<double> values)
    : own_(std::make_shared<std::vector<double>>(std::move(values))),
      data_(own_->data()),
      size_(own_->size()) {}

bool PointColumn::operator==(const PointColumn& other) const {
    // Bit for bit, so that a missing value equals a missing value.
    return size_ == other.size_ &&
           (size_ == 0 || std::memcmp(data_, other.data_, size_ * sizeof(double)) == 0);
}

double* PointColumn::Edit() {
    if (!own_ || view_ || own_.use_count() > 1) {
        auto own = std::make_shared<std::vector<double>>(data_, data_ + size_);
        own_ = std::move(own);
        view_.reset();
    } else {
        own_->resize(size_);
    }
    data_ = own_->data();
    return own_->data();
}

void PointColumn::resize(std::size_t n, double value) {
    if (n <= size_) {
        size_ = n;
        return;
    }
    Edit();
    own_->resize(n, value);
    data_ = own_->data();
    size_ = n;
}

void PointColumn::assign(std::size_t n, double value) {
    *this = PointColumn(std::vector<double>(n, value));
}
