// The host's C tables (global look-up, information services, panel services)
// carry no context pointer, so the component that answers them is bound for
// the length of an activation. Outside an activation a call still reaches the
// component bound last, which records it as misuse.
#pragma once

namespace layout {

template <typename Component>
class Binding {
 public:
  // The component of the running activation, or null.
  static Component *active() { return active_; }
  // The component of the latest activation while it lives, or null.
  static Component *last() { return last_; }

  class Scope {
   public:
    explicit Scope(Component &component) : previous_(active_) { active_ = last_ = &component; }
    ~Scope() { active_ = previous_; }
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

   private:
    Component *previous_;
  };

  // Called by a component's destructor so no dangling pointer stays bound.
  static void forget(const Component &component) {
    if (active_ == &component) active_ = nullptr;
    if (last_ == &component) last_ = nullptr;
  }

 private:
  static inline Component *active_ = nullptr;
  static inline Component *last_ = nullptr;
};

}  // namespace layout
