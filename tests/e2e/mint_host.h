// One-line fixtures for driving the real module through the substitute host:
// a freshly loaded mint.so per test (so the option store starts at its
// defaults), items to select, and the texts the module sent.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"

namespace mint::e2e {

using Texts = std::vector<std::string>;
namespace user = layout::user;
// The scene's own 32-bit IDs.
using layout::ItemID;

class MintHost : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto error = host.loadModule(MINT_MODULE_PATH);
    ASSERT_FALSE(error.has_value()) << error->message;
    host.setBuild(1500);
  }

  void TearDown() override {
    // The module must never misuse the host, on any path a test takes.
    for (const auto &problem : host.diagnostics().messages()) ADD_FAILURE() << "host diagnostic: " << problem;
    for (const auto &problem : host.scriptedFrontEnd().errors()) ADD_FAILURE() << "script: " << problem;
  }

  ItemID object(const char *name) { return host.scene().addObject(name); }
  ItemID bone(const char *name, ItemID parent) { return host.scene().addBone(name, parent); }
  ItemID light(const char *name) { return host.scene().addLight(name); }

  void select(std::initializer_list<ItemID> ids) {
    host.scene().clearSelection();
    for (ItemID id : ids) host.scene().addToSelection(id);
  }

  // Runs a server with the user's panel actions; returns the activation result.
  int run(const char *server, std::vector<layout::ScriptAction> script = {}) {
    host.setScript(std::move(script));
    host.commands().log().clear();
    const auto result = host.activate(server);
    EXPECT_TRUE(result.has_value()) << server;
    return result.value_or(-1);
  }

  Texts sent() const { return host.commandLog().texts(); }

  const layout::Item &item(ItemID id) {
    const layout::Item *found = host.scene().find(id);
    EXPECT_NE(found, nullptr) << std::hex << id;
    static const layout::Item kMissing;
    return found ? *found : kMissing;
  }

  std::string name(ItemID id) { return std::string(host.scene().name(item(id))); }

  layout::Host host;
};

}  // namespace mint::e2e
