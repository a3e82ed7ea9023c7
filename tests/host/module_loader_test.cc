#include "host/loader/module_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"

// The test modules report their startup, shutdown and activation here.
namespace {
std::vector<std::pair<std::string, void *>> gModuleEvents;
}  // namespace

#ifdef _WIN32
#define TEST_EXPORT __declspec(dllexport)
#else
#define TEST_EXPORT __attribute__((visibility("default")))
#endif

extern "C" TEST_EXPORT void loader_test_event(const char *event, void *value) {
  gModuleEvents.emplace_back(event, value);
}

namespace layout {
namespace {

class ModuleLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { gModuleEvents.clear(); }

  static std::vector<std::string> events() {
    std::vector<std::string> names;
    for (const auto &event : gModuleEvents) names.push_back(event.first);
    return names;
  }

  // Loads a module that must fail; returns the error.
  static LoadError failure(const std::string &path) {
    ModuleLoad load = loadModule(path);
    EXPECT_FALSE(load) << path;
    return load.error;
  }
};

TEST_F(ModuleLoaderTest, ListsServersStartsOnceAndShutsDownWithTheStartupResult) {
  {
    ModuleLoad load = loadModule(TEST_MODULE_GOOD);
    ASSERT_TRUE(load) << load.error.message;
    const LoadedModule &module = *load.module;
    ASSERT_EQ(module.servers().size(), 2u);
    EXPECT_EQ(module.servers()[0].className, "LayoutGeneric");
    EXPECT_EQ(module.servers()[0].name, "Test_Generic");
    EXPECT_EQ(module.servers()[0].tags, (std::vector<std::pair<std::string, uint32_t>>{{"Test", 0x20000}}));
    EXPECT_TRUE(module.servers()[1].tags.empty());
    EXPECT_NE(module.findServer("Test_Untagged"), nullptr);
    EXPECT_EQ(module.findServer("Mint_Pivots"), nullptr);
    EXPECT_EQ(events(), std::vector<std::string>{"startup"});
    EXPECT_EQ(module.startupResult(), gModuleEvents[0].second);
  }
  EXPECT_EQ(events(), (std::vector<std::string>{"startup", "shutdown"}));
  EXPECT_EQ(gModuleEvents[1].second, gModuleEvents[0].second);
}

TEST_F(ModuleLoaderTest, TheHostActivatesAServerOfTheLoadedModule) {
  Host host;
  ASSERT_EQ(host.loadModule(TEST_MODULE_GOOD), std::nullopt);
  host.setBuild(599);
  EXPECT_EQ(host.activate("Test_Generic"), 7);
  EXPECT_EQ(host.activate("No_Such_Server"), std::nullopt);
  EXPECT_EQ(host.commandLog().texts(), std::vector<std::string>{"AddNull Build 599"});
  // The activation gets the startup result as its server data.
  ASSERT_EQ(events(), (std::vector<std::string>{"startup", "activate"}));
  EXPECT_EQ(gModuleEvents[1].second, gModuleEvents[0].second);
  host.unloadModule();
  EXPECT_EQ(host.activate("Test_Generic"), std::nullopt);
  EXPECT_EQ(events().back(), "shutdown");
}

TEST_F(ModuleLoaderTest, EachBrokenStepIsNamedAndThePathIsLeftToTheCaller) {
  const std::string badSync = TEST_MODULE_BAD_SYNC;
  LoadError error = failure(badSync);
  EXPECT_EQ(error.step, LoadStep::kSync);
  EXPECT_EQ(error.message, "descriptor sync word is 0x12345678, expected 0x04121994");

  const std::string badVersion = TEST_MODULE_BAD_VERSION;
  error = failure(badVersion);
  EXPECT_EQ(error.step, LoadStep::kVersion);
  EXPECT_EQ(error.message, "descriptor version is 2, expected 3");

  const std::string noDescriptor = TEST_MODULE_NO_DESCRIPTOR;
  error = failure(noDescriptor);
  EXPECT_EQ(error.step, LoadStep::kSymbol);
  EXPECT_EQ(error.message, "no _mod_descrip symbol");

  error = failure("/nonexistent/module.so");
  EXPECT_EQ(error.step, LoadStep::kOpen);
  // The system's reason alone: it would otherwise start with the path again.
  EXPECT_EQ(error.message.find("/nonexistent"), std::string::npos) << error.message;
  EXPECT_FALSE(error.message.empty());

  // None of them got as far as starting up.
  EXPECT_TRUE(events().empty());
}

TEST_F(ModuleLoaderTest, AFailedStartupIsNotShutDownButABadServerTableIs) {
  const std::string startupFails = TEST_MODULE_STARTUP_FAILS;
  LoadError error = failure(startupFails);
  EXPECT_EQ(error.step, LoadStep::kStartup);
  EXPECT_EQ(error.message, "startup returned NULL");
  EXPECT_EQ(events(), std::vector<std::string>{"startup"});

  gModuleEvents.clear();
  const std::string noEnd = TEST_MODULE_NO_END;
  error = failure(noEnd);
  EXPECT_EQ(error.step, LoadStep::kServerTable);
  EXPECT_EQ(error.message, "server table has no end record within 1024 entries");
  EXPECT_EQ(events(), (std::vector<std::string>{"startup", "shutdown"}));
}

TEST_F(ModuleLoaderTest, TheMintModuleOffersItsTwoGenericServers) {
  ModuleLoad load = loadModule(MINT_MODULE_PATH);
  ASSERT_TRUE(load) << load.error.message;
  std::vector<std::string> servers;
  for (const ServerInfo &server : load.module->servers()) {
    EXPECT_EQ(server.className, LAYOUT_CLASS_GENERIC);
    servers.push_back(server.name);
  }
  EXPECT_EQ(servers, (std::vector<std::string>{"Mint_Pivots", "Mint_Joints"}));
}

}  // namespace
}  // namespace layout
