#pragma once
#include <string>
#include <string_view>

namespace linkwatch {

// The broad kind of an interface type, which picks its icon.
enum class InterfaceFamily { Ethernet, Wireless, Loopback, Tunnel, Wan, Virtual, Other };

// The family's word as written in the interface type table ("ethernet", "wan", ...).
std::string_view FamilyWord(InterfaceFamily family);

// The family named by `word`; Other for a word that names none.
InterfaceFamily FamilyFromWord(std::string_view word);

}  // namespace linkwatch
