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

// rows[r], lane i <- p[i·stride + r] for r < R, all kLanes lanes. Rows go
// four or three at a time through the path's own transposes (loadLanes4,
// loadLanes3), the rest one strided load each.
template <int R>
inline void loadFullRows(const double* p, std::size_t stride, V (&rows)[R]) {
  int row = 0;
  for (; row + 4 <= R; row += 4) loadLanes4(p + row, stride, rows[row], rows[row + 1], rows[row + 2], rows[row + 3]);
  for (; row + 3 <= R; row += 3) loadLanes3(p + row, stride, rows[row], rows[row + 1], rows[row + 2]);
  for (; row < R; ++row) rows[row] = loadStrided(p + row, stride);
}

template <int R>
inline void storeFullRows(double* p, std::size_t stride, const V (&rows)[R]) {
  int row = 0;
  for (; row + 4 <= R; row += 4) storeLanes4(p + row, stride, rows[row], rows[row + 1], rows[row + 2], rows[row + 3]);
  for (; row + 3 <= R; row += 3) storeLanes3(p + row, stride, rows[row], rows[row + 1], rows[row + 2]);
  for (; row < R; ++row) storeStrided(p + row, stride, rows[row]);
}

#if defined(__GNUC__) || defined(__clang__)
#define ROTKIT_COLD __attribute__((noinline, cold))
#elif defined(_MSC_VER)
#define ROTKIT_COLD __declspec(noinline)
#else
#define ROTKIT_COLD
#endif

// The last, partial block of a loop: its `lanes` columns through a buffer
// on the stack, so that nothing is read or written past the last column;
// the other lanes hold zeros. Kept out of line, away from the full blocks.
template <int R>
ROTKIT_COLD void loadPartialRows(const double* p, std::size_t stride, std::uint32_t lanes, V (&rows)[R]) {
  double buffer[R * kLanes] = {};
  for (std::uint32_t i = 0; i < lanes; ++i) {
    for (int r = 0; r < R; ++r) buffer[i * R + r] = p[i * stride + r];
  }
  loadFullRows<R>(buffer, R, rows);
}

template <int R>
ROTKIT_COLD void storePartialRows(double* p, std::size_t stride, std::uint32_t lanes, const V (&rows)[R]) {
  double buffer[R * kLanes];
  storeFullRows<R>(buffer, R, rows);
  for (std::uint32_t i = 0; i < lanes; ++i) {
    for (int r = 0; r < R; ++r) p[i * stride + r] = buffer[i * R + r];
  }
}

// rows[r], lane i <- p[i·stride + r] for r < R and i < lanes (lanes beyond
// read nothing and hold zeros).
template <int R>
inline void loadRows(const double* p, std::size_t stride, std::uint32_t lanes, V (&rows)[R]) {
  if (lanes == kLanes) {
    loadFullRows<R>(p, stride, rows);
  } else {
    loadPartialRows<R>(p, stride, lanes, rows);
  }
}

// p[i·stride + r] <- rows[r], lane i, for r < R and i < lanes; nothing is
// written beyond the `lanes` columns.
template <int R>
inline void storeRows(double* p, std::size_t stride, std::uint32_t lanes, const V (&rows)[R]) {
  if (lanes == kLanes) {
    storeFullRows<R>(p, stride, rows);
  } else {
    storePartialRows<R>(p, stride, lanes, rows);
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
