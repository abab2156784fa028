#pragma once
// Small value types that keep the widths and bounds the stored formats rely on.
#include "common/width.h"
#include <QString>
#include <vector>
#include <cstdint>
#include <stdexcept>

namespace vx {

// Text of exactly N characters: longer text is cut, shorter text padded with blanks (FixedText).
template <int N>
class FixedString {
public:
    FixedString() : s_(N, QLatin1Char(' ')) {}
    FixedString(const QString& v) { assign(v); }  // NOLINT: converts like an assignment
    FixedString& operator=(const QString& v) { assign(v); return *this; }
    operator QString() const { return s_; }  // NOLINT
    const QString& str() const { return s_; }
    bool operator==(const FixedString& o) const { return s_ == o.s_; }
    static constexpr int width = N;

private:
    void assign(const QString& v) { s_ = FixedText(v, N); }
    QString s_;
};

// Two-dimensional array with inclusive lower and upper bounds on each axis.
template <class T>
class Grid2 {
public:
    Grid2() = default;
    void redim(int lo1, int hi1, int lo2, int hi2) {
        lo1_ = lo1; lo2_ = lo2;
        n1_ = hi1 >= lo1 ? hi1 - lo1 + 1 : 0;
        n2_ = hi2 >= lo2 ? hi2 - lo2 + 1 : 0;
        data_.assign(std::size_t(n1_) * std::size_t(n2_), T{});
    }
    // Resizes and keeps every element whose indices exist in both shapes.
    void redimPreserve(int hi1, int hi2) {
        Grid2 old = *this;
        redim(lo1_, hi1, lo2_, hi2);
        for (int i = lo1_; i <= std::min(hi1, old.hi1()); ++i)
            for (int j = lo2_; j <= std::min(hi2, old.hi2()); ++j) (*this)(i, j) = old(i, j);
    }
    T& operator()(int i, int j) { return data_.at(index(i, j)); }
    const T& operator()(int i, int j) const { return data_.at(index(i, j)); }
    int lo1() const { return lo1_; }
    int hi1() const { return lo1_ + n1_ - 1; }
    int lo2() const { return lo2_; }
    int hi2() const { return lo2_ + n2_ - 1; }
    bool empty() const { return data_.empty(); }
    bool contains(int i, int j) const { return i >= lo1_ && i <= hi1() && j >= lo2_ && j <= hi2(); }

private:
    std::size_t index(int i, int j) const {
        if (!contains(i, j)) throw std::out_of_range("Grid2 index");
        return std::size_t(i - lo1_) * std::size_t(n2_) + std::size_t(j - lo2_);
    }
    int lo1_ = 0, lo2_ = 0, n1_ = 0, n2_ = 0;
    std::vector<T> data_;
};

}  // namespace vx
