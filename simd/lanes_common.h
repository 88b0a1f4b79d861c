// What every path builds on its own lanes (inside namespace rotkit::<path>,
// after simd/lanes_<path>.h; simd/begin_target.h includes both): columns of
// a matrix gathered into lanes and back, and the last, partial block of a
// loop over columns. One lane holds one column (or one frame), so every
// column is computed by exactly the operations of the scalar path.

// How many of the kLanes columns of the block that starts at column k lie
// within `count`: kLanes, or fewer in the last block.
inline std::uint32_t lanesFrom(std::uint32_t k, std::uint32_t count) {
  return count - k < kLanes ? count - k : kLanes;
}

// rows[r], lane i <- p[i·stride + r] for r < R and i < lanes; lanes beyond
// `lanes` read nothing and hold zeros. Rows go four or three at a time
// through the path's own transposes (loadLanes4, loadLanes3); a partial
// block goes through a small buffer on the stack, so nothing is read past
// the last column.
template <int R>
inline void loadRows(const double* p, std::size_t stride, std::uint32_t lanes, V (&rows)[R]) {
  double buffer[R * kLanes];
  if (lanes < kLanes) {
    for (std::uint32_t i = 0; i < R * kLanes; ++i) buffer[i] = 0;
    for (std::uint32_t i = 0; i < lanes; ++i) {
      for (int r = 0; r < R; ++r) buffer[i * R + r] = p[i * stride + r];
    }
    p = buffer;
    stride = R;
  }
  int row = 0;
  for (; row + 4 <= R; row += 4) loadLanes4(p + row, stride, rows[row], rows[row + 1], rows[row + 2], rows[row + 3]);
  for (; row + 3 <= R; row += 3) loadLanes3(p + row, stride, rows[row], rows[row + 1], rows[row + 2]);
  for (; row < R; ++row) rows[row] = loadStrided(p + row, stride);
}

// p[i·stride + r] <- rows[r], lane i, for r < R and i < lanes; nothing is
// written beyond the `lanes` columns.
template <int R>
inline void storeRows(double* p, std::size_t stride, std::uint32_t lanes, const V (&rows)[R]) {
  double buffer[R * kLanes];
  double* target = p;
  std::size_t targetStride = stride;
  if (lanes < kLanes) {
    target = buffer;
    targetStride = R;
  }
  int row = 0;
  for (; row + 4 <= R; row += 4) {
    storeLanes4(target + row, targetStride, rows[row], rows[row + 1], rows[row + 2], rows[row + 3]);
  }
  for (; row + 3 <= R; row += 3) storeLanes3(target + row, targetStride, rows[row], rows[row + 1], rows[row + 2]);
  for (; row < R; ++row) storeStrided(target + row, targetStride, rows[row]);
  if (lanes < kLanes) {
    for (std::uint32_t i = 0; i < lanes; ++i) {
      for (int r = 0; r < R; ++r) p[i * stride + r] = buffer[i * R + r];
    }
  }
}

// Lane i <- p[i] for i < lanes, zeros beyond: one parameter per column.
inline V loadRow(const double* p, std::uint32_t lanes) {
  if (lanes == kLanes) return load(p);
  double buffer[kLanes] = {};
  for (std::uint32_t i = 0; i < lanes; ++i) buffer[i] = p[i];
  return load(buffer);
}

inline void storeRow(double* p, std::uint32_t lanes, V v) {
  if (lanes == kLanes) {
    store(p, v);
    return;
  }
  double buffer[kLanes];
  store(buffer, v);
  for (std::uint32_t i = 0; i < lanes; ++i) p[i] = buffer[i];
}

// Asks for the cache line that holds *p ahead of a load; it never faults.
inline void prefetchFor(const double* p) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(p);
#elif defined(_M_X64)
  _mm_prefetch(reinterpret_cast<const char*>(p), _MM_HINT_T0);
#else
  (void)p;
#endif
}

// f(a, b) lane by lane: for the functions of the math library, whose bits
// every path must share.
inline V mapLanes2(V a, V b, double (*f)(double, double)) {
  double as[kLanes];
  double bs[kLanes];
  store(as, a);
  store(bs, b);
  for (std::uint32_t i = 0; i < kLanes; ++i) as[i] = f(as[i], bs[i]);
  return load(as);
}
