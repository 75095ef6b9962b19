#pragma once
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace linkwatch::fuzz {

// A seeded source of hostile inputs: random bytes, texts that parsers find
// interesting (huge, negative, not-a-number, hexadecimal, broken UTF-8) and
// mutations of good inputs. The same seed gives the same inputs.
class FuzzInput {
 public:
  explicit FuzzInput(uint64_t seed) : random_(seed) {}

  // A number in [0, count); 0 when count is 0.
  size_t Below(size_t count);
  bool OneIn(size_t count) { return Below(count) == 0; }
  template <typename T>
  const T& Pick(const std::vector<T>& choices) {
    return choices[Below(choices.size())];
  }

  // Up to maxLength random bytes, any values.
  std::string Bytes(size_t maxLength);
  // A text a device or a user might send: random bytes, an interesting number,
  // hexadecimal, broken or valid UTF-8, or a mix of them.
  std::string Text(size_t maxLength = 64);
  // A decimal, hexadecimal or special numeric text (overflowing, negative, nan).
  std::string NumberText();
  // Hexadecimal text as devices send octet strings: "0A 1B 2C" or "0a1b2c".
  std::string HexText(size_t maxOctets = 12);
  // A double across the whole range, with infinities, NaN and subnormals.
  double Double();
  // An int32 with a bias to the edges.
  int32_t Int32();
  // Applies one to several random edits: flips, inserts, deletes, repeats, and
  // splices of the given tokens.
  std::string Mutate(std::string text, const std::vector<std::string>& tokens = {});

 private:
  std::mt19937_64 random_;
};

}  // namespace linkwatch::fuzz
