#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

// The values of one axis of a series: numbers of its own, or a view of
// numbers another owner keeps alive (a column of the grid's table, ten
// million rows of which are 80 MB). Copies share the numbers; the first
// change a copy or a view makes takes numbers of its own, so a drawing
// that drops or sorts points never changes the grid.
class PointColumn {
  public:
    PointColumn() = default;
    PointColumn(std::vector<double> values);  // NOLINT: a column of values
    PointColumn(std::initializer_list<double> values) : PointColumn(std::vector<double>(values)) {}
    // `count` numbers from `first`, which `owner` keeps alive.
    PointColumn(std::shared_ptr<const void> owner, const double* first, std::size_t count)
        : view_(std::move(owner)), data_(first), size_(count) {}

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const double* data() const { return data_; }
    const double* begin() const { return data_; }
    const double* end() const { return data_ + size_; }
    const double& operator[](std::size_t i) const { return data_[i]; }
    operator std::span<const double>() const { return {data_, size_}; }  // NOLINT
    bool operator==(const PointColumn& other) const;
    // True for a view of another owner's numbers.
    bool IsView() const { return view_ != nullptr; }

    // The values to change in place: numbers of its own, taken first when
    // they are shared or a view.
    double* Edit();
    // A shorter column stays where it is; a longer one gets `value` after
    // the values it had.
    void resize(std::size_t n, double value = 0.0);
    void assign(std::size_t n, double value);

  private:
    std::shared_ptr<std::vector<double>> own_;
    std::shared_ptr<const void> view_;
    const double* data_ = nullptr;
    std::size_t size_ = 0;
};
