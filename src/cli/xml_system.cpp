#include "cli/xml_system.hpp"

#include "cli/system_builder.hpp"
#include "engine/readers/xml_reader.hpp"

namespace selko {

std::unique_ptr<RuleTable> ReadXmlSystem(const std::string& text, std::string& error) {
  SystemBuilder builder;
  if (!engine::ReadXmlRules(text, builder, error)) return nullptr;
  return builder.Take();
}

} // namespace selko
