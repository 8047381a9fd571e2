#include "cli/ari_system.hpp"

#include "cli/system_builder.hpp"
#include "engine/readers/ari_reader.hpp"

namespace selko {

std::unique_ptr<RuleTable> ReadAriSystem(const std::string& text, std::string& error) {
  SystemBuilder builder;
  if (!engine::ReadAriRules(text, builder, engine::kAriNesting, error)) return nullptr;
  return builder.Take();
}

} // namespace selko
