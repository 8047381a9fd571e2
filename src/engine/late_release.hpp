// Freeing what a finished run leaves (SAT solvers with their clauses, closures, automata) can
// take a second when it is gigabytes: the answer should not wait for it. ReleaseLater hands an
// object to one background thread that destroys it; what is still queued when the program exits
// goes with the process.
#pragma once

#include <memory>

namespace selko::engine {

namespace detail {
struct Releasable {
  virtual ~Releasable() = default;
};
template <typename T> struct Holder : Releasable {
  explicit Holder(std::unique_ptr<T> p) : held(std::move(p)) {}
  std::unique_ptr<T> held;
};
void Enqueue(std::unique_ptr<Releasable> object);
} // namespace detail

template <typename T> void ReleaseLater(std::unique_ptr<T> object) {
  if (object) detail::Enqueue(std::make_unique<detail::Holder<T>>(std::move(object)));
}

} // namespace selko::engine
