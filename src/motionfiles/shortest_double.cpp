// Shortest round-trip decimal of a double (shortest_double.h).
//
// The value v = c 2^q. The doubles that round to v form the interval
// R = [v - gap_below / 2, v + gap_above / 2] (closed when c is even, open
// when odd). With k = floor(log10 of R's width), R holds at most one
// multiple of 10^(k+1) and at least one of 10^k: the shortest digits are
// that one multiple of 10^(k+1) if R holds it, else the multiple of 10^k
// in R closest to v. The bounds of R and v, times 4 10^-k, are computed
// from a 126-bit 10^-k to the floor, the lowest bit set when the exact
// product has a fraction ("round to odd"): compared with multiples of 4
// such values compare as the exact ones do.
#include "motionfiles/shortest_double.h"

#include <cstdint>
#include <cstring>

#include "motionfiles/pow10_table.h"

namespace motionfiles {

namespace {

using u64 = std::uint64_t;

constexpr int kFractionBits = 52;
constexpr u64 kFractionMask = (u64{1} << kFractionBits) - 1;
constexpr u64 kHiddenBit = u64{1} << kFractionBits;
constexpr int kMinExponent = -1074;  // q of the subnormals and of the smallest normals

// floor(q log10 2), floor(log10(3/4 2^q)), floor(e log2 10) for the
// exponents of the doubles (checked exactly by tools/make_pow10_table.py).
// Arithmetic shifts of negative products, as GCC, Clang and MSVC do.
inline int floorLog10Pow2(int q) { return static_cast<int>((static_cast<std::int64_t>(q) * 661971961083LL) >> 41); }
inline int floorLog10ThreeQuartersPow2(int q) {
  return static_cast<int>((static_cast<std::int64_t>(q) * 661971961083LL - 274743187321LL) >> 41);
}
inline int floorLog2Pow10(int e) { return static_cast<int>((static_cast<std::int64_t>(e) * 913124641741LL) >> 38); }

// The full product of two 64-bit words: high word returned, low in `low`.
inline u64 multiplyFull(u64 a, u64 b, u64& low) {
#if defined(__SIZEOF_INT128__)
  __extension__ using u128 = unsigned __int128;
  const u128 p = static_cast<u128>(a) * b;
  low = static_cast<u64>(p);
  return static_cast<u64>(p >> 64);
#else
  const u64 aLow = a & 0xffffffffu, aHigh = a >> 32;
  const u64 bLow = b & 0xffffffffu, bHigh = b >> 32;
  const u64 ll = aLow * bLow, lh = aLow * bHigh, hl = aHigh * bLow, hh = aHigh * bHigh;
  const u64 middle = (ll >> 32) + (lh & 0xffffffffu) + (hl & 0xffffffffu);
  low = (middle << 32) | (ll & 0xffffffffu);
  return hh + (lh >> 32) + (hl >> 32) + (middle >> 32);
#endif
}

// floor(g x / 2^127) with its lowest bit set when bits of the product
// below 2^127 (down to 2^64) are not all zero; g < 2^126, x < 2^60.
inline u64 roundToOdd(const Pow10Words& g, u64 x) {
  u64 lowLow;
  const u64 lowHigh = multiplyFull(g.low, x, lowLow);
  u64 highLow;
  const u64 highHigh = multiplyFull(g.high, x, highLow);
  const u64 middle = highLow + lowHigh;
  const u64 top = highHigh + (middle < highLow ? 1 : 0);
  const u64 floorValue = (top << 1) | (middle >> 63);
  return floorValue | ((middle & ~(u64{1} << 63)) != 0 ? 1 : 0);
}

struct Decimal {
  u64 digits;    // no trailing zero unless 0
  int exponent;  // the value is digits 10^exponent
};

// The shortest decimal of c 2^q (c > 0), by Schubfach.
Decimal shortestDecimal(u64 c, int q, bool narrowBelow) {
  const u64 out = c & 1;  // an odd c excludes the bounds
  const u64 cb = c << 2;
  const u64 cbr = cb + 2;
  u64 cbl;
  int k;
  if (narrowBelow) {
    cbl = cb - 1;
    k = floorLog10ThreeQuartersPow2(q);
  } else {
    cbl = cb - 2;
    k = floorLog10Pow2(q);
  }
  const int h = q + floorLog2Pow10(-k) + 2;
  const Pow10Words& g = kPow10Table[k - kPow10MinK];
  const u64 vb = roundToOdd(g, cb << h);
  const u64 vbl = roundToOdd(g, cbl << h);
  const u64 vbr = roundToOdd(g, cbr << h);

  Decimal d{0, k};
  const u64 s = vb >> 2;
  // One digit fewer: the multiples of 10^(k+1) around v.
  const u64 sp10 = 10 * (s / 10);
  const u64 tp10 = sp10 + 10;
  const bool upin = vbl + out <= (sp10 << 2);
  const bool wpin = (tp10 << 2) + out <= vbr;
  if (upin != wpin) {
    d.digits = upin ? sp10 : tp10;
  } else {
    const u64 t = s + 1;
    const bool uin = vbl + out <= (s << 2);
    const bool win = (t << 2) + out <= vbr;
    if (uin != win) {
      d.digits = uin ? s : t;
    } else {
      // Both in R: the closer to v, an even one on a tie.
      const u64 middle = (s + t) << 1;
      d.digits = (vb < middle || (vb == middle && (s & 1) == 0)) ? s : t;
    }
  }
  // Trailing zeros off (most have none), eight at a time where there are many.
  if (d.digits % 10 != 0) return d;
  while (d.digits % 100000000 == 0) {
    d.digits /= 100000000;
    d.exponent += 8;
  }
  while (d.digits % 10 == 0) {
    d.digits /= 10;
    ++d.exponent;
  }
  return d;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

constexpr u64 kPowersOf10[] = {1u,           10u,           100u,           1000u,           10000u,
                               100000u,      1000000u,      10000000u,      100000000u,      1000000000u,
                               10000000000u, 100000000000u, 1000000000000u, 10000000000000u, 100000000000000u,
                               1000000000000000u, 10000000000000000u, 100000000000000000u};

constexpr int kMaxDigits = 17;

// The number of digits of x (0 < x < 10^17).
inline int digitCount(u64 x) {
#if defined(__GNUC__)
  const int bits = 64 - __builtin_clzll(x);
  const int estimate = (bits * 1233) >> 12;  // floor(bits log10 2): n or n - 1
  return estimate + (x >= kPowersOf10[estimate] ? 1 : 0);
#else
  int n = 1;
  while (n < kMaxDigits && x >= kPowersOf10[n]) ++n;
  return n;
#endif
}

// Eight digits of v < 10^8 at p, leading zeros included.
inline void writeEightDigits(std::uint32_t v, char* p) {
  const std::uint32_t high = v / 10000, low = v % 10000;
  std::memcpy(p, kDigitPairs + 2 * (high / 100), 2);
  std::memcpy(p + 2, kDigitPairs + 2 * (high % 100), 2);
  std::memcpy(p + 4, kDigitPairs + 2 * (low / 100), 2);
  std::memcpy(p + 6, kDigitPairs + 2 * (low % 100), 2);
}

// The 17 digits of x < 10^17 at [p, p + 17), leading zeros included.
inline void writeSeventeenDigits(u64 x, char* p) {
  const u64 high = x / 100000000;
  const std::uint32_t top = static_cast<std::uint32_t>(high / 100000000);
  p[0] = static_cast<char>('0' + top);
  writeEightDigits(static_cast<std::uint32_t>(high - u64{top} * 100000000), p + 1);
  writeEightDigits(static_cast<std::uint32_t>(x - high * 100000000), p + 9);
}

// The exact whole number c 2^q (q > 0, below 10^23) in decimal.
char* writeExactWhole(u64 c, int q, char* out) {
  char reversed[24];  // least significant digit first
  int n = 0;
  for (u64 x = c; x != 0; x /= 10) reversed[n++] = static_cast<char>(x % 10);
  for (int i = 0; i < q; ++i) {
    int carry = 0;
    for (int j = 0; j < n; ++j) {
      const int twice = reversed[j] * 2 + carry;
      reversed[j] = static_cast<char>(twice % 10);
      carry = twice / 10;
    }
    if (carry != 0) reversed[n++] = static_cast<char>(carry);
  }
  for (int j = n - 1; j >= 0; --j) *out++ = static_cast<char>('0' + reversed[j]);
  return out;
}

// Fixed or scientific, by the length of each (fixed on a tie), as
// std::to_chars's shortest form chooses. Pieces are moved in fixed sizes,
// so [out, out + kScratch) may be written beyond the returned end.
constexpr int kScratch = kShortestDoubleChars - 1;  // after a sign

char* writeForm(const Decimal& d, u64 c, int q, char* out) {
  const int n = digitCount(d.digits);
  char buffer[kMaxDigits + 16];
  writeSeventeenDigits(d.digits, buffer);
  std::memset(buffer + kMaxDigits, '0', 16);
  const char* digits = buffer + kMaxDigits - n;  // n digits, then zeros

  const int scientificExponent = d.exponent + n - 1;
  const int magnitude = scientificExponent < 0 ? -scientificExponent : scientificExponent;
  const int scientificLength = n + (n > 1 ? 1 : 0) + 2 + (magnitude >= 100 ? 3 : 2);
  int fixedLength;
  if (d.exponent >= 0) {
    fixedLength = n + d.exponent;
  } else if (scientificExponent >= 0) {
    fixedLength = n + 1;
  } else {
    fixedLength = n + 1 - scientificExponent;
  }
  if (fixedLength <= scientificLength) {
    if (d.exponent >= 0) {
      // Beyond 2^53 the padded digits may differ from the value: printed exactly.
      if (q > 0) return writeExactWhole(c, q, out);
      // Below 2^53: at most 16 characters, digits and zeros.
      std::memcpy(out, digits, 16);
      return out + fixedLength;
    }
    if (scientificExponent >= 0) {
      const int whole = scientificExponent + 1;
      std::memcpy(out, digits, 16);
      out[whole] = '.';
      if (whole + 1 + 16 <= kScratch) {
        std::memcpy(out + whole + 1, digits + whole, 16);
      } else {
        std::memcpy(out + whole + 1, digits + whole, static_cast<std::size_t>(n - whole));
      }
      return out + n + 1;
    }
    // "0." and at most three zeros (more and the scientific form is shorter).
    const int zeros = -scientificExponent - 1;
    std::memcpy(out, "0.000", 5);
    std::memcpy(out + 2 + zeros, digits, kMaxDigits);
    return out + fixedLength;
  }
  // Scientific: the first digit, the point and the others, e, sign, two or three digits.
  out[0] = digits[0];
  out[1] = '.';
  std::memcpy(out + 2, digits + 1, 16);
  char* p = out + (n > 1 ? n + 1 : 1);
  p[0] = 'e';
  p[1] = scientificExponent < 0 ? '-' : '+';
  if (magnitude >= 100) {
    p[2] = static_cast<char>('0' + magnitude / 100);
    std::memcpy(p + 3, kDigitPairs + 2 * (magnitude % 100), 2);
    return p + 5;
  }
  std::memcpy(p + 2, kDigitPairs + 2 * magnitude, 2);
  return p + 4;
}

} // namespace

char* writeShortestDouble(double value, char* out) {
  u64 bits;
  std::memcpy(&bits, &value, sizeof bits);
  if (bits >> 63) *out++ = '-';
  const u64 fraction = bits & kFractionMask;
  const int biased = static_cast<int>((bits >> kFractionBits) & 0x7ff);
  if (biased == 0x7ff) {
    std::memcpy(out, fraction == 0 ? "inf" : "nan", 3);
    return out + 3;
  }
  if (biased == 0) {
    if (fraction == 0) {
      *out = '0';
      return out + 1;
    }
    return writeForm(shortestDecimal(fraction, kMinExponent, false), fraction, kMinExponent, out);
  }
  const u64 c = kHiddenBit | fraction;
  const int q = biased - 1075;
  // A whole number below 2^53 is its own shortest decimal.
  if (q < 0 && q > -53 && (c & ((u64{1} << -q) - 1)) == 0) {
    Decimal d{c >> -q, 0};
    while (d.digits % 10 == 0) {
      d.digits /= 10;
      ++d.exponent;
    }
    return writeForm(d, c, q, out);
  }
  return writeForm(shortestDecimal(c, q, fraction == 0 && biased > 1), c, q, out);
}

} // namespace motionfiles
