#include "tests/host/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <stdexcept>

namespace layout::testing {
namespace {

ActivationBody *gBody = nullptr;

int runBody(int, GlobalFunc *global, void *local, void *) {
  return (*gBody)(global, static_cast<GenericLocal *>(local));
}

}  // namespace

int activateWith(Host &host, ActivationBody body) {
  ActivationBody *previous = gBody;
  gBody = &body;
  const int result = host.activate(&runBody);
  gBody = previous;
  return result;
}

PanelValue integerValue(int value) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_INTEGER;
  record.integer.value = value;
  return record;
}

PanelValue pointerValue(const void *value) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_INTEGER;
  record.pointer.value = const_cast<void *>(value);
  return record;
}

ControlDesc descriptor(int type) {
  ControlDesc desc{};
  desc.type = type;
  return desc;
}

PanelValue realValue(double value) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_FLOAT;
  record.real.value = value;
  return record;
}

PanelValue textValue(char *buffer, int32_t length) {
  PanelValue record{};
  record.type = LAYOUT_VALUE_TEXT;
  record.text.buffer = buffer;
  record.text.length = length;
  return record;
}

std::string newTemporaryFolder(const std::string &prefix) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = ::testing::TempDir() + prefix + "_" + std::to_string(random());
    if (std::filesystem::create_directory(path)) return path;
  }
  throw std::runtime_error("cannot make a new folder " + prefix + "_* in " + ::testing::TempDir());
}

}  // namespace layout::testing
