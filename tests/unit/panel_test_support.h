// Fixture for panel tests: a fresh fake host, the option store restored after
// each test, and one-line runs of either panel at a chosen host build.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "fake_panel_host.h"
#include "module/option_store.h"
#include "panels/bone_panel.h"
#include "panels/context_menus.h"
#include "panels/dialog.h"
#include "panels/frame.h"
#include "panels/naming_row.h"
#include "panels/null_panel.h"
#include "panels/panel_keys.h"
#include "runs/options.h"

namespace mint::testing {

// Naming-row controls, in creation order.
enum NamingId { kNameId = 1, kCountId, kStartId, kPrefixId, kSuffixId, kColourId };

using Lines = std::vector<std::string>;

inline Lines concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines &part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Splits a transcript written as lines of calls separated by ";".
inline Lines calls(const std::string &text) {
  Lines lines;
  std::string call;
  auto flush = [&] {
    const size_t first = call.find_first_not_of(" \n");
    if (first != std::string::npos)
      lines.push_back(call.substr(first, call.find_last_not_of(" \n") - first + 1));
    call.clear();
  };
  for (char c : text) {
    if (c == ';' || c == '\n') {
      flush();
    } else {
      call += c;
    }
  }
  flush();
  return lines;
}

// Transcript lines shared by both panels.
inline const Lines kNamingRow = calls(R"T(
add #1 EditControl [1 36] ""; add #2 EditControl [1 10] "Num"; add #3 EditControl [1 10] "CountSt"
add #4 PopupControl [9 prefixList 59] ""; add #5 PopupControl [9 suffixList 62] ""
add #6 PopupControl [9 colourList 84] "Col"
#4 set x -1; #1 set x 59; #5 set x 244; #3 set x 115; #2 set x 229
#4 set y 0; #5 set y 0; #1 set y 0; #2 set y 28; #3 set y 28)T");

inline const Lines kNamingWiring = calls(R"T(
#4 set data services; #5 set data services; #1 set data services
#4 set event numberingPopupEvent; #5 set event numberingPopupEvent; #1 set event nameEvent
#2 set data 1; #3 set data 0; #2 set event numberEvent; #3 set event numberEvent)T");

inline const Lines kTeardown = calls("menu destroy menu; destroy panel");

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = gOptionStore;
    setDesktop(1920, 1080);
    host.nameFunction(kPrefixList, "prefixList");
    host.nameFunction(kSuffixList, "suffixList");
    host.nameFunction(kColourList, "colourList");
    host.nameFunction(reinterpret_cast<const void *>(menuItemCount), "menuItemCount");
    host.nameFunction(reinterpret_cast<const void *>(menuItemName), "menuItemName");
    host.nameFunction(reinterpret_cast<const void *>(numberingPopupEvent), "numberingPopupEvent");
    host.nameFunction(reinterpret_cast<const void *>(nameEvent), "nameEvent");
    host.nameFunction(reinterpret_cast<const void *>(numberEvent), "numberEvent");
    host.nameFunction(reinterpret_cast<const void *>(parentEffect), "parentEffect");
    host.nameFunction(reinterpret_cast<const void *>(iconModeEvent), "iconModeEvent");
    host.nameFunction(reinterpret_cast<const void *>(panelKey), "panelKey");
    host.nameFunction(reinterpret_cast<const void *>(placePanel), "placePanel");
    host.nameFunction(reinterpret_cast<const void *>(panelMouse), "panelMouse");
  }
  void TearDown() override {
    gOptionStore = saved_;
    setDesktop(1920, 1080);
  }

  // Runs a panel that the user confirms without touching anything.
  int runNull(int32_t build) { return runNullWith(build, nullptr); }
  int runBone(uint32_t build) { return runBoneWith(build, nullptr); }
  // Runs a panel whose open performs `whileOpen` and then returns `result`.
  int runNullWith(int32_t build, std::function<void(FakePanelHost &)> whileOpen, int result = 1) {
    host.whileOpen = std::move(whileOpen);
    host.openResult = result;
    nullOptions.hostBuild = build;
    return runDialog(&FakePanelHost::lookup, nullOptions, nullPanel);
  }
  int runBoneWith(uint32_t build, std::function<void(FakePanelHost &)> whileOpen, int result = 1) {
    host.whileOpen = std::move(whileOpen);
    host.openResult = result;
    boneOptions.hostBuild = build;
    return runDialog(&FakePanelHost::lookup, boneOptions, bonePanel);
  }

  FakePanelHost host;
  // Only hostBuild is set per run, so a test can see which fields a run writes.
  NullOptions nullOptions{};
  BoneOptions boneOptions{};

 private:
  OptionStore saved_{};
};

}  // namespace mint::testing
