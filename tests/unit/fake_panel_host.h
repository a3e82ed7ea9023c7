// A recording stand-in for the host's panel and context-menu services. It
// creates controls, keeps their values, records every call the module makes as
// one readable line, and lets a test script what happens while a panel is open.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "layout.h"

namespace mint::testing {

class FakePanelHost;

struct FakeControl {
  Control control;  // first, so the module's handle leads back here
  FakePanelHost *host;
  int id;
  std::string type;
  std::string label;
  ControlDesc desc;
  std::map<int, intptr_t> tags;  // integer and pointer values by tag
  std::string text;
  double real = 0.0;
  int drawMode = 0;

  intptr_t value() const { return tag(LAYOUT_CTL_VALUE); }
  intptr_t tag(int t) const {
    auto it = tags.find(t);
    return it == tags.end() ? 0 : it->second;
  }
};

class FakePanelHost {
 public:
  FakePanelHost();
  ~FakePanelHost();

  // The global look-up handed to panel functions; answers for the current host.
  static GlobalFunc lookup;

  // --- Knobs ---------------------------------------------------------------
  std::set<std::string> missingServices;
  bool failPanel = false;
  bool failMenu = false;
  int failControl = 0;  // 1-based addControl call that returns NULL; 0 none
  int openResult = 1;
  // Runs inside open(), after the host's first call of the placement function.
  std::function<void(FakePanelHost &)> whileOpen;
  // Results of successive menu deploys; -1 (dismissed) when empty.
  std::deque<int> menuChoices;
  int32_t qualifiers = 0;
  // The module's call (1-based, as recorded) that fails by throwing; 0 none.
  size_t throwAtCall = 0;

  // --- Record --------------------------------------------------------------
  std::vector<std::string> calls;
  std::vector<std::string> lastMenuItems;  // what the last deploy showed
  std::vector<std::unique_ptr<FakeControl>> controls;
  std::map<int, std::string> panelSettings;  // last value per panel tag, described
  bool panelOpen = false;
  int32_t panelX = 0;

  // --- Driving the panel while it is open ------------------------------------
  FakeControl &control(int id);                    // 1-based, in creation order
  FakeControl &control(const std::string &label);  // unique label
  bool hasControl(const std::string &label) const;
  void edit(FakeControl &c, const std::string &text);  // type and fire the event
  void choose(FakeControl &c, intptr_t value);         // pick and fire the event
  int key(uint32_t code, int32_t qualifierBits = 0);
  void click(int y, int choice, int code = LAYOUT_MOUSE_MENU);
  void place();
  // Calls since the mark, for checks of one action.
  size_t mark() const { return calls.size(); }
  std::vector<std::string> since(size_t from) const;

  // Names for module functions and lists in the record.
  void nameFunction(const void *address, const std::string &name) { names_[address] = name; }
  std::string describePointer(intptr_t value) const;

  PanelServices services;
  ContextMenuServices menus;
  PanelKeyFunc *keyFunction = nullptr;
  PanelMouseFunc *mouseFunction = nullptr;
  PanelPlaceFunc *placeFunction = nullptr;
  void *panelUserData = nullptr;
  MenuDesc menuDesc{};
  void *menuUserData = nullptr;

 private:
  friend struct FakeOps;
  void record(std::string line) {
    calls.push_back(std::move(line));
    if (calls.size() == throwAtCall) throw std::runtime_error("host call failed");
  }
  std::string describeList(const char *const *items) const;
  std::string describeDesc(const ControlDesc &desc) const;
  std::string describeTag(int tag, intptr_t value) const;

  std::map<const void *, std::string> names_;
  int addCalls_ = 0;
};

// The desktop the test executable reports through GetClientRect. On Windows
// the module sees the system's desktop instead, and setting it has no effect.
void setDesktop(int32_t right, int32_t bottom, bool available = true);
bool desktopIsSettable();
// The panel's centred edges on the desktop the module sees.
int32_t centredX();
int32_t centredY();

// Joins lines for readable failure messages.
std::string joined(const std::vector<std::string> &lines);

}  // namespace mint::testing
