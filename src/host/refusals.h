// The refusals that every function beyond the original four shares, worded
// once: the gateways raise them through host.h, and the tests and fuzz
// oracles compose the same texts. Each raises the identifier
// "rotkit:<function>:<reason>" and a message that names what it refuses:
// before + subject + after, the subject an argument ("Q must be a real,
// full double array.") or, for the argument counts, the function's call
// form. Plain text, no host call and no allocation.
#ifndef ROTKIT_HOST_REFUSALS_H
#define ROTKIT_HOST_REFUSALS_H

#include <cstddef>
#include <initializer_list>

struct SharedRefusal {
  const char* reason;  // the identifier's last part
  const char* before;  // the message: before + subject + after
  const char* after;
};

namespace refusal {

// The call form as the subject: "Not enough input arguments; the call is V2 = rotapply(Q, V)."
inline constexpr SharedRefusal notEnoughInputs{"notEnoughInputs", "Not enough input arguments; the call is ", "."};
inline constexpr SharedRefusal tooManyInputs{"tooManyInputs", "Too many input arguments; the call is ", "."};
inline constexpr SharedRefusal tooManyOutputs{"tooManyOutputs", "Too many output arguments; the call is ", "."};

// An argument as the subject. Classes other than double and complex doubles
// are refused alike; sparse storage holds only the nonzero elements, not
// the column-major block a kernel reads; counts of 2^31 and more would be
// cut by the 32-bit data model (2^32 + 1 read as 1).
inline constexpr SharedRefusal notRealDouble{"notRealDouble", "", " must be a real, full double array."};
inline constexpr SharedRefusal sparse{"sparse", "", " must not be sparse; convert it with full()."};
inline constexpr SharedRefusal tooLarge{"tooLarge", "", " is too large: its row and column counts must be below 2^31."};

// Appends `text` to the string in out[0..size), cutting it to fit.
inline void append(char* out, std::size_t size, const char* text) {
  std::size_t n = 0;
  while (n + 1 < size && out[n] != '\0') ++n;
  while (n + 1 < size && *text != '\0') out[n++] = *text++;
  out[n] = '\0';
}

// "rotkit:<function>:<reason>" into out[0..size).
inline void composeIdentifier(char* out, std::size_t size, const char* function, const char* reason) {
  out[0] = '\0';
  for (const char* part : {"rotkit:", function, ":", reason}) append(out, size, part);
}

// The message of `r` about `subject` into out[0..size).
inline void composeMessage(char* out, std::size_t size, const SharedRefusal& r, const char* subject) {
  out[0] = '\0';
  for (const char* part : {r.before, subject, r.after}) append(out, size, part);
}

} // namespace refusal

#endif
