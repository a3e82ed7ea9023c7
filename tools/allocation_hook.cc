// layout-sim's global allocation functions: plain malloc and free, except
// that an allocation the loaded module makes while a validation plants an
// allocation failure fails as the plan says. The module's operator new
// resolves to these, as the program exports its symbols.
#include <cstdlib>
#include <new>

#include "host/loader/fault_plan.h"

namespace {

void *allocate(std::size_t size) {
  if (layout::faultPlan().moduleAllocationFails()) return nullptr;
  return std::malloc(size ? size : 1);
}

void *allocateOrThrow(std::size_t size) {
  void *memory = allocate(size);
  if (!memory) throw std::bad_alloc();
  return memory;
}

}  // namespace

void *operator new(std::size_t size) { return allocateOrThrow(size); }
void *operator new[](std::size_t size) { return allocateOrThrow(size); }
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return allocate(size); }
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept { return allocate(size); }
void operator delete(void *memory) noexcept { std::free(memory); }
void operator delete[](void *memory) noexcept { std::free(memory); }
void operator delete(void *memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void *memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void *memory, const std::nothrow_t &) noexcept { std::free(memory); }
void operator delete[](void *memory, const std::nothrow_t &) noexcept { std::free(memory); }
