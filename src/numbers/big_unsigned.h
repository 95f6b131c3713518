// A fixed-capacity unsigned integer for exact decimal conversion: enough
// bits for every double scaled by the powers of ten and five its exact
// digits need (5^1074 times a 53-bit significand is under 2^2548).
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace lumo::num {

class BigUnsigned {
 public:
  static constexpr int kLimbs = 84;  // 2688 bits

  explicit BigUnsigned(std::uint64_t v = 0) {
    limb_[0] = static_cast<std::uint32_t>(v);
    limb_[1] = static_cast<std::uint32_t>(v >> 32);
    size_ = limb_[1] != 0 ? 2 : limb_[0] != 0 ? 1 : 0;
  }
  // Copies only the limbs in use: the numbers are mostly short.
  BigUnsigned(const BigUnsigned& b) : size_(b.size_) { std::copy_n(b.limb_, size_, limb_); }
  BigUnsigned& operator=(const BigUnsigned& b) {
    size_ = b.size_;
    std::copy_n(b.limb_, size_, limb_);
    return *this;
  }
  ~BigUnsigned() = default;

  bool is_zero() const { return size_ == 0; }

  void multiply(std::uint32_t k) {
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
      std::uint64_t t = std::uint64_t{limb_[i]} * k + carry;
      limb_[i] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    if (carry != 0) push(static_cast<std::uint32_t>(carry));
  }

  void multiply_pow5(int n) {
    constexpr std::uint32_t kPow5_13 = 1220703125;  // the largest power of 5 in 32 bits
    for (; n >= 13; n -= 13) multiply(kPow5_13);
    std::uint32_t k = 1;
    for (; n > 0; --n) k *= 5;
    if (k != 1) multiply(k);
  }

  void multiply_pow10(int n) {
    multiply_pow5(n);
    shift_left(n);
  }

  void shift_left(int bits) {
    if (size_ == 0 || bits == 0) return;
    int words = bits / 32, rest = bits % 32;
    assert(size_ + words + 1 <= kLimbs);
    if (rest != 0) {
      limb_[size_] = 0;  // the limb the top bits move into
      for (int i = size_; i > 0; --i) {
        limb_[i] = (limb_[i] << rest) | (limb_[i - 1] >> (32 - rest));
      }
      limb_[0] <<= rest;
      if (limb_[size_] != 0) ++size_;
    }
    if (words != 0) {
      std::copy_backward(limb_, limb_ + size_, limb_ + size_ + words);
      std::fill(limb_, limb_ + words, 0u);
      size_ += words;
    }
  }

  void add(const BigUnsigned& b) {
    std::uint64_t carry = 0;
    int n = std::max(size_, b.size_);
    for (int i = 0; i < n; ++i) {
      std::uint64_t t = carry + (i < size_ ? limb_[i] : 0u) + (i < b.size_ ? b.limb_[i] : 0u);
      limb_[i] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    size_ = n;
    if (carry != 0) push(static_cast<std::uint32_t>(carry));
  }

  // *this -= b, where b <= *this.
  void subtract(const BigUnsigned& b) {
    std::int64_t borrow = 0;
    for (int i = 0; i < size_; ++i) {
      std::int64_t t = std::int64_t{limb_[i]} - (i < b.size_ ? b.limb_[i] : 0u) - borrow;
      borrow = t < 0 ? 1 : 0;
      limb_[i] = static_cast<std::uint32_t>(t + (borrow << 32));
    }
    trim();
  }

  // Divides by k (nonzero) and returns the remainder.
  std::uint32_t divide(std::uint32_t k) {
    std::uint64_t rest = 0;
    for (int i = size_ - 1; i >= 0; --i) {
      std::uint64_t t = (rest << 32) | limb_[i];
      limb_[i] = static_cast<std::uint32_t>(t / k);
      rest = t % k;
    }
    trim();
    return static_cast<std::uint32_t>(rest);
  }

  // -1, 0 or 1 as a is below, equal to or above b.
  friend int compare(const BigUnsigned& a, const BigUnsigned& b) {
    if (a.size_ != b.size_) return a.size_ < b.size_ ? -1 : 1;
    for (int i = a.size_ - 1; i >= 0; --i) {
      if (a.limb_[i] != b.limb_[i]) return a.limb_[i] < b.limb_[i] ? -1 : 1;
    }
    return 0;
  }

  // compare(a + b, c).
  friend int compare_sum(const BigUnsigned& a, const BigUnsigned& b, const BigUnsigned& c) {
    int n = std::max(a.size_, b.size_);
    if (n + 1 < c.size_) return -1;
    if (n > c.size_) return 1;
    std::uint32_t sum[kLimbs + 1];
    std::uint64_t carry = 0;
    for (int i = 0; i < n; ++i) {
      std::uint64_t t = carry + (i < a.size_ ? a.limb_[i] : 0u) + (i < b.size_ ? b.limb_[i] : 0u);
      sum[i] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    sum[n] = static_cast<std::uint32_t>(carry);
    int size = carry != 0 ? n + 1 : n;
    if (size != c.size_) return size < c.size_ ? -1 : 1;
    for (int i = size - 1; i >= 0; --i) {
      if (sum[i] != c.limb_[i]) return sum[i] < c.limb_[i] ? -1 : 1;
    }
    return 0;
  }

 private:
  void push(std::uint32_t v) {
    assert(size_ < kLimbs);
    limb_[size_++] = v;
  }
  void trim() {
    while (size_ > 0 && limb_[size_ - 1] == 0) --size_;
  }

  std::uint32_t limb_[kLimbs];  // limbs from size_ on are undefined
  int size_ = 0;
};

// The same operations on 128 bits, for the values of ordinary size: the
// caller checks that nothing it forms reaches 2^128.
class Wide128 {
 public:
  explicit Wide128(std::uint64_t v = 0) : v_(v) {}
  bool is_zero() const { return v_ == 0; }
  void multiply(std::uint32_t k) { v_ *= k; }
  void multiply_pow5(int n) {
    for (; n > 0; --n) v_ *= 5;
  }
  void multiply_pow10(int n) {
    for (; n > 0; --n) v_ *= 10;
  }
  void shift_left(int bits) { v_ <<= bits; }
  void subtract(const Wide128& b) { v_ -= b.v_; }
  friend int compare(const Wide128& a, const Wide128& b) {
    return a.v_ < b.v_ ? -1 : a.v_ > b.v_ ? 1 : 0;
  }
  friend int compare_sum(const Wide128& a, const Wide128& b, const Wide128& c) {
    Wide128 sum(0);
    sum.v_ = a.v_ + b.v_;
    return compare(sum, c);
  }

 private:
  __extension__ using U128 = unsigned __int128;
  U128 v_;
};

}  // namespace lumo::num
