#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "components/GridValue.h"
#include "components/Picture.h"

namespace linkwatch {

// One cell of the in-memory grid, kept small because a table holds tens of
// thousands of them: the text, the sort value, the picture, and the small
// attributes packed into a few bytes with a flag telling which ones are set.
// An attribute that was never set reads back as no value (std::monostate),
// except the text, which reads back as an empty text.
class GridCell {
 public:
  // The attribute as a GridValue; throws std::invalid_argument for a code the
  // grid does not know.
  GridValue Get(int attribute) const;
  // Stores an attribute; no value (std::monostate) clears it. Throws
  // std::invalid_argument for an unknown code or a value of the wrong kind and
  // std::out_of_range for a number the attribute cannot hold; the cell is then
  // unchanged.
  void Set(int attribute, const GridValue& value);

  const std::string& Text() const { return text_; }
  const GridValue& SortValue() const { return sortValue_; }
  void SetText(std::string text) { text_ = std::move(text); }
  const std::shared_ptr<const Picture>& CellPicture() const { return picture_; }
  bool HasCheckBox() const { return (flags_ & kHasCheck) != 0; }
  int64_t CheckState() const { return check_; }
  void SetCheckState(int64_t state);

 private:
  enum Flag : uint8_t {
    kHasBackColor = 1,
    kHasForeColor = 2,
    kHasCheck = 4,
    kHasAlignment = 8,
    kHasBold = 16,
    kBold = 32,
  };

  GridValue Flagged(uint8_t flag, int64_t value) const;

  std::string text_;
  GridValue sortValue_;
  std::shared_ptr<const Picture> picture_;
  uint32_t backColor_ = 0;
  uint32_t foreColor_ = 0;
  uint8_t check_ = 0;
  uint8_t alignment_ = 0;
  uint8_t flags_ = 0;
};

}  // namespace linkwatch
