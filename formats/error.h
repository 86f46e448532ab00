#pragma once
// The one exception type of the core. Its message is in Spanish, in UTF-8,
// ready to be shown to the user, and names the file, element, table or field
// at fault. Values that come from a document or a table (CP1252) are turned
// into UTF-8 before they go into a message (Cp1252ToUtf8).
#include <stdexcept>
#include <string>

namespace velmora {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace velmora
