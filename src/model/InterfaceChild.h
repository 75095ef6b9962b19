#pragma once
#include <memory>
#include <string>

#include "components/Clock.h"
#include "statistics/Statistics.h"

namespace linkwatch {

class Interface;

// One entry of a table indexed below an interface (for example a wireless
// client), shown as a row under its interface. Index is the interface index, "."
// and the child index given at creation; the child is keyed "C:" + Index.
//
// Lifetime: the child lives in its interface's InterfaceChildren. Every pointer
// that collection hands out also holds the interface, so a child held by a host
// keeps its interface alive; inside the model the child only observes its
// interface, which is why no ownership cycle forms (see InterfaceChildren).
class InterfaceChild : public std::enable_shared_from_this<InterfaceChild> {
 public:
  // Public members, in the order the host sees them.
  std::shared_ptr<linkwatch::Statistics> Statistics();
  SerialDate LastUpdate() const { return lastUpdate_; }
  std::string Key() const { return "C:" + index_; }
  const std::string& Index() const { return index_; }
  std::shared_ptr<linkwatch::Interface> Interface() const { return interface_.lock(); }
  const std::string& ChildType() const { return childType_; }
  // The row label, computed at every read (for a long index this records the two
  // MAC statistics again).
  std::string Name();
  std::string ChildIndex() const;
  // Records a value: LastUpdate becomes now, then the child's own statistic
  // receives it with the child index.
  void SetStatistic(linkwatch::Interface& owner, const std::string& statName,
                    const std::string& value, const std::string& hexVal);

  // Internal to the library.
  void SetIndex(const std::string& index) { index_ = index; }
  void SetInterface(const std::shared_ptr<linkwatch::Interface>& owner) { interface_ = owner; }
  void SetChildType(const std::string& childType) { childType_ = childType; }

  // The statistics without a new reference, for the library's own walks.
  linkwatch::Statistics& OwnStatistics() { return statistics_; }
  const linkwatch::Statistics& OwnStatistics() const { return statistics_; }

  // Names of the two statistics a long (client) index records its MAC address in.
  static constexpr const char* kCardManufacturer = "Card Manufacturer";
  static constexpr const char* kClientMacAddress = "Client MAC Address";

 private:
  std::string Label() const;
  std::string LongIndexName(const std::string& childIndex);

  std::string index_;
  std::weak_ptr<linkwatch::Interface> interface_;
  linkwatch::Statistics statistics_;
  std::string childType_;
  SerialDate lastUpdate_ = 0;
};

}  // namespace linkwatch
