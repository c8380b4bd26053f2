// Fixed-size, 1-based, bound-checked arrays and blank-padded fixed-length texts: the
// storage of the engine's shared areas. Nothing here allocates; an index outside the
// declared bounds throws IndexError (never undefined behaviour).
#pragma once

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kv {

// An array subscript outside its declared bounds.
class IndexError : public std::out_of_range {
 public:
  IndexError(int index, int lo, int hi)
      : std::out_of_range("array index " + std::to_string(index) + " outside " + std::to_string(lo) +
                          ".." + std::to_string(hi)),
        index_(index) {}
  int index() const { return index_; }

 private:
  int index_;
};

namespace detail {
inline int checked(int i, int n) {
  if (i < 1 || i > n) throw IndexError(i, 1, n);
  return i - 1;
}
}  // namespace detail

// NAME(N): elements 1..N.
template <class T, int N>
struct Arr1 {
  static_assert(N > 0);
  T v[N]{};

  T& operator()(int i) { return v[detail::checked(i, N)]; }
  const T& operator()(int i) const { return v[detail::checked(i, N)]; }
  static constexpr int size() { return N; }
  void fill(const T& x) { std::fill(std::begin(v), std::end(v), x); }
  T* begin() { return v; }
  T* end() { return v + N; }
  const T* begin() const { return v; }
  const T* end() const { return v + N; }
};

// NAME(N, M): the first subscript varies fastest, as in the file layouts.
template <class T, int N, int M>
struct Arr2 {
  static_assert(N > 0 && M > 0);
  T v[M][N]{};

  T& operator()(int i, int j) { return v[detail::checked(j, M)][detail::checked(i, N)]; }
  const T& operator()(int i, int j) const { return v[detail::checked(j, M)][detail::checked(i, N)]; }
  static constexpr int size1() { return N; }
  static constexpr int size2() { return M; }
  void fill(const T& x) { std::fill(&v[0][0], &v[0][0] + N * M, x); }
};

// NAME(N, M, K).
template <class T, int N, int M, int K>
struct Arr3 {
  static_assert(N > 0 && M > 0 && K > 0);
  T v[K][M][N]{};

  T& operator()(int i, int j, int k) {
    return v[detail::checked(k, K)][detail::checked(j, M)][detail::checked(i, N)];
  }
  const T& operator()(int i, int j, int k) const {
    return v[detail::checked(k, K)][detail::checked(j, M)][detail::checked(i, N)];
  }
  void fill(const T& x) { std::fill(&v[0][0][0], &v[0][0][0] + N * M * K, x); }
};

// CHARACTER*N: exactly N bytes. Starts as binary zeros (an area never written); set()
// stores a value left-aligned and blank-padded, cut to N bytes.
template <int N>
struct Chars {
  static_assert(N > 0);
  char c[N]{};

  void set(std::string_view s) {
    const std::size_t n = std::min<std::size_t>(s.size(), N);
    std::copy_n(s.data(), n, c);
    std::fill(c + n, c + N, ' ');
  }
  void blank() { std::fill(c, c + N, ' '); }
  std::string_view view() const { return {c, static_cast<std::size_t>(N)}; }
  // The value without its trailing blanks (and binary zeros).
  std::string_view trimmed() const {
    std::size_t n = N;
    while (n > 0 && (c[n - 1] == ' ' || c[n - 1] == '\0')) --n;
    return {c, n};
  }
  // The first n bytes (at most N).
  std::string_view first(int n) const { return {c, static_cast<std::size_t>(std::min(n, N))}; }
  char operator[](int i) const { return c[detail::checked(i, N)]; }  // 1-based
  static constexpr int size() { return N; }
  bool operator==(std::string_view s) const { return view() == s; }
};

}  // namespace kv
