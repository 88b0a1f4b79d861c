// The fuzz targets' shared oracle: what one call is allowed to do, and the
// check that it did just that. A failed check prints the call and aborts,
// which libFuzzer reports as a finding and keeps the input.
//
// Every call must either raise, having created nothing, or return one new
// real double matrix of the documented shape. Where the function's contract
// fixes the outcome (a message and its identifier, none for the original
// four, or a result bit for bit) the call must give exactly that; where
// the contract leaves the input to the implementer, any of the function's
// own messages, or a result of the documented shape, is accepted. Counts
// beyond the 32-bit model must be refused, with any of the function's
// messages: cut to 32 bits, 2^32 + 1 would read as 1.
//
// Huge inputs have no data: a gateway that reads one crashes, and one that
// takes a huge count at face value runs out of memory, both findings. So a
// call with a huge input that holds elements is made only when it must
// raise; otherwise the gateway may rightly read the data a real host would
// hold, and the call is skipped.
#ifndef ROTKIT_FUZZ_CHECK_H
#define ROTKIT_FUZZ_CHECK_H

#include "fuzz_input.h"
#include "host/refusals.h"

#include <cstddef>
#include <string>
#include <vector>

enum class OutcomeKind { Raises, Refuses, Returns, Open };

struct Outcome {
  OutcomeKind kind = OutcomeKind::Open;
  std::string message;         // Raises: exactly this text (Refuses: any own message)
  std::string identifier;      // Raises: exactly this identifier (empty: none)
  std::size_t rows = 0;        // Returns, and Open when the call returns
  std::size_t cols = 0;
  bool checkValues = false;    // Returns: compare `values` too
  std::vector<double> values;  // column-major
  // Per element, how far a result may lie from `values`; 0 (or no entry)
  // asks for the same bits. An infinite bound accepts any value.
  std::vector<double> tolerance;
  // A call for two outputs must also return a 1 x cols logical row in
  // plhs[1] (rot2eul's lock flags).
  bool logicalSecond = false;
};

// A refusal without an identifier, as the original four raise theirs.
Outcome raises(const std::string& message);
Outcome raises(const std::string& identifier, const std::string& message);
// A refusal of host/refusals.h that `function` raises about `subject`.
Outcome raises(const std::string& function, const SharedRefusal& refusal, const std::string& subject);
// A function beyond the original four as its refusals name it: its name
// (rotkit:<function>:<reason>), its call form and its inputs' names.
struct Named {
  std::string function;
  std::string call;
  std::vector<std::string> inputs;
};

Outcome returns(std::size_t rows, std::size_t cols, std::vector<double> values, std::vector<double> tolerance = {});
Outcome returnsShape(std::size_t rows, std::size_t cols);
Outcome open(std::size_t rows, std::size_t cols);
Outcome refuses();

// What a function's gateway may raise for inputs left to the implementer
// (none for a function whose every outcome is fixed). An entry ending in
// '*' matches any message that starts with the rest (for messages that
// name a count or an index).
using MessageSet = std::vector<std::string>;

// Runs the call and checks it against `expected`; `created` is how many
// matrices a successful call makes (the outputs, plus any scratch matrix).
// Returns what the call did, for checks of a target's own (nothing, with
// raised false and no output, when the call was skipped).
embedded::CallResult callAndCheck(embedded::MexEntry entry, const FuzzCall& call, const Outcome& expected,
                                  const MessageSet& ownMessages, std::size_t created);

[[noreturn]] void reportFinding(const FuzzCall& call, const std::string& what);

#endif
