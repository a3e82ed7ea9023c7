// The panel and menu services as a module sees them, driven by the scripted
// front-end. The module side here is a few plain functions, as a module's are.
#include "host/panels/panel_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"
#include "host/panels/value_exchange.h"
#include "tests/host/test_support.h"

namespace layout {
namespace {

using testing::acquire;
using testing::descriptor;
using testing::integerValue;
using testing::pointerValue;
using testing::realValue;
using testing::textValue;

const char *const kNumbering[] = {"None", "n_+", "nn_+", "nnn_+", nullptr};
const char *const kMenuItems[] = {"Title", "First", "Second"};

// What the module's functions saw.
struct Seen {
  std::vector<std::pair<Control *, intptr_t>> events;
  int placements = 0;
  bool openWhilePlaced = false;
  std::vector<int> keyQualifiers;
  std::vector<int> menuAnswers;
};
Seen gSeen;

// The module side: one panel with a control of each kind.
struct TestModule {
  PanelServices *panels = nullptr;
  ContextMenuServices *menus = nullptr;
  Panel *panel = nullptr;
  Menu *menu = nullptr;
  Control *name, *count, *prefix, *suffix, *colour, *select, *strength, *iconPercent, *restLength, *border;

  Control *add(const char *type, ControlDesc descriptor, const char *label) {
    return panels->addControl(panel, const_cast<char *>(type), &descriptor, const_cast<char *>(label));
  }
  static void set(Control *control, int tag, PanelValue value) { control->set(control, tag, &value); }
  static int integer(Control *control, int tag = LAYOUT_CTL_VALUE) {
    PanelValue value = integerValue(0);
    control->get(control, tag, &value);
    return value.integer.value;
  }
  static double real(Control *control) {
    PanelValue value = realValue(0);
    control->get(control, LAYOUT_CTL_VALUE, &value);
    return value.real.value;
  }
  static std::string text(Control *control, int32_t length = 64) {
    std::vector<char> buffer(length + 1, 'X');
    PanelValue value = textValue(buffer.data(), length);
    control->get(control, LAYOUT_CTL_VALUE, &value);
    return buffer.data();
  }
  void wire(Control *control, intptr_t userData);
  void build(GlobalFunc *global);
  int open() { return panels->open(panel, LAYOUT_PANEL_OPEN_FLAGS); }
  void destroy() {
    menus->destroy(menu);
    panels->destroy(panel);
  }
};
TestModule *gModule = nullptr;

void onEvent(Control *control, void *userData) {
  gSeen.events.emplace_back(control, reinterpret_cast<intptr_t>(userData));
}

void onPlace(Panel *panel, void *userData) {
  ++gSeen.placements;
  int x = 800;
  static_cast<PanelServices *>(userData)->set(panel, LAYOUT_PAN_X, &x);
  // The placement comes once the panel is open, before the user acts.
  gSeen.openWhilePlaced = gSeen.events.empty();
}

// Handles lower-case letters; "d" closes the panel, as the module's Enter does.
int onKey(Panel *panel, void *userData, unsigned short key) {
  auto *panels = static_cast<PanelServices *>(userData);
  int qualifiers = -1;
  panels->get(panel, LAYOUT_PAN_QUALIFIERS, &qualifiers);
  gSeen.keyQualifiers.push_back(qualifiers);
  if (key == 'd') panels->close(panel);
  return key >= 'a' && key <= 'z';
}

void onMouse(Panel *panel, void *, int code, int, int) {
  if (code == LAYOUT_MOUSE_MENU) gSeen.menuAnswers.push_back(gModule->menus->deploy(gModule->menu, panel, 1));
}

int menuCount(void *userData) { return userData == gModule ? 3 : 0; }
char *menuName(void *, int index) {
  return index >= 0 && index < 3 ? const_cast<char *>(kMenuItems[index]) : nullptr;
}

void TestModule::wire(Control *control, intptr_t userData) {
  set(control, LAYOUT_CTL_USERDATA, pointerValue(reinterpret_cast<void *>(userData)));
  set(control, LAYOUT_CTL_EVENT, pointerValue(reinterpret_cast<void *>(&onEvent)));
}

void TestModule::build(GlobalFunc *global) {
  menus = acquire<ContextMenuServices>(global, LAYOUT_CONTEXT_MENU_SERVICES);
  panels = acquire<PanelServices>(global, LAYOUT_PANEL_SERVICES);
  panel = panels->create(const_cast<char *>("Test Panel"), nullptr);
  MenuDesc menuDescriptor{LAYOUT_MENU_DESC_TYPE, 145, &menuCount, &menuName};
  menu = menus->create(&menuDescriptor, this);

  ControlDesc edit = descriptor(LAYOUT_DESC_EDIT);
  edit.edit.width = 36;
  ControlDesc list = descriptor(LAYOUT_DESC_LIST);
  list.list.items = const_cast<const char **>(kNumbering);
  ControlDesc percent = descriptor(LAYOUT_DESC_RANGE);
  percent.range.max = 100;
  name = add(LAYOUT_CONTROL_EDIT, edit, "");
  count = add(LAYOUT_CONTROL_EDIT, edit, "Num");
  prefix = add(LAYOUT_CONTROL_POPUP, list, "");
  suffix = add(LAYOUT_CONTROL_POPUP, list, "");
  colour = add(LAYOUT_CONTROL_POPUP, list, "Col");
  select = add(LAYOUT_CONTROL_BOOL, descriptor(LAYOUT_DESC_BOOL), "after Select");
  strength = add(LAYOUT_CONTROL_PERCENT, percent, "Strength");
  iconPercent = add(LAYOUT_CONTROL_PERCENT, percent, "");
  restLength = add(LAYOUT_CONTROL_FLOAT, descriptor(LAYOUT_DESC_FLOAT), "Rest Length");
  border = add(LAYOUT_CONTROL_BORDER, descriptor(LAYOUT_DESC_BORDER), "");

  panels->set(panel, LAYOUT_PAN_USERDATA, panels);
  panels->set(panel, LAYOUT_PAN_KEY, reinterpret_cast<void *>(&onKey));
  panels->set(panel, LAYOUT_PAN_PLACE, reinterpret_cast<void *>(&onPlace));
  panels->set(panel, LAYOUT_PAN_MOUSE, reinterpret_cast<void *>(&onMouse));
  int width = 314, height = 248;
  panels->set(panel, LAYOUT_PAN_W, &width);
  panels->set(panel, LAYOUT_PAN_H, &height);
}

class PanelEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gSeen = {};
    gModule = &module_;
  }
  void TearDown() override { gModule = nullptr; }

  // Runs `body` in an activation with the test panel built; destroys it after.
  int withPanel(const std::function<int(TestModule &)> &body) {
    return testing::activateWith(host_, [&](GlobalFunc *global, GenericLocal *) {
      module_.build(global);
      const int result = body(module_);
      module_.destroy();
      return result;
    });
  }
  std::vector<std::string> scriptErrors() { return host_.scriptedFrontEnd().errors(); }

  Host host_;
  TestModule module_;
};

TEST_F(PanelEngineTest, ValuesConvertBetweenFormsAndTextGetsAreCutToTheBuffer) {
  withPanel([](TestModule &m) {
    char hello[] = "Hello, world";
    m.set(m.name, LAYOUT_CTL_VALUE, textValue(hello, sizeof hello));
    hello[0] = 'J';  // the host copied the text
    EXPECT_EQ(m.text(m.name), "Hello, world");
    EXPECT_EQ(m.text(m.name, 6), "Hello");
    EXPECT_EQ(m.text(m.name, 1), "");

    m.set(m.count, LAYOUT_CTL_VALUE, integerValue(12));
    EXPECT_EQ(m.text(m.count), "12");
    char typed[] = " 42abc";
    m.set(m.count, LAYOUT_CTL_VALUE, textValue(typed, sizeof typed));
    EXPECT_EQ(m.integer(m.count), 42);

    m.set(m.strength, LAYOUT_CTL_VALUE, realValue(62.5));
    EXPECT_EQ(m.real(m.strength), 62.5);
    EXPECT_EQ(m.integer(m.strength), 63);
    m.set(m.restLength, LAYOUT_CTL_VALUE, integerValue(3));
    EXPECT_EQ(m.real(m.restLength), 3.0);

    m.set(m.colour, LAYOUT_CTL_VALUE, integerValue(3));
    EXPECT_EQ(m.integer(m.colour), 3);
    EXPECT_EQ(m.real(m.colour), 3.0);
    m.set(m.select, LAYOUT_CTL_VALUE, integerValue(1));
    EXPECT_EQ(m.integer(m.select) ^ 1, 0);
    return 0;
  });
  EXPECT_TRUE(host_.diagnostics().empty());
}

// Integers travel at offset 4 and pointers at offset 8; the host fills the
// slot it does not use with a marker, so a module reading the wrong one fails.
TEST_F(PanelEngineTest, IntegersAndPointersTravelInTheirOwnSlots) {
  withPanel([](TestModule &m) {
    m.set(m.colour, LAYOUT_CTL_VALUE, integerValue(3));
    PanelValue value = integerValue(0);
    m.colour->get(m.colour, LAYOUT_CTL_VALUE, &value);
    EXPECT_EQ(value.integer.value, 3);
    EXPECT_EQ(value.pointer.value, reinterpret_cast<void *>(kUnusedPointerSlot));
    m.colour->get(m.colour, LAYOUT_CTL_X, &value);
    EXPECT_EQ(value.pointer.value, reinterpret_cast<void *>(kUnusedPointerSlot));

    int marker = 0;
    m.set(m.colour, LAYOUT_CTL_USERDATA, pointerValue(&marker));
    value = integerValue(0);
    m.colour->get(m.colour, LAYOUT_CTL_USERDATA, &value);
    EXPECT_EQ(value.pointer.value, &marker);
    EXPECT_EQ(value.integer.value, kUnusedIntegerSlot);
    // A pointer written into the integer slot is not a pointer.
    PanelValue misplaced = integerValue(0);
    misplaced.integer.value = 77;
    m.set(m.colour, LAYOUT_CTL_USERDATA, misplaced);
    m.colour->get(m.colour, LAYOUT_CTL_USERDATA, &value);
    EXPECT_EQ(value.pointer.value, nullptr);
    return 0;
  });
  EXPECT_TRUE(host_.diagnostics().empty());
}

TEST_F(PanelEngineTest, ScriptedEditsChangeControlsAndFireTheirEventsWithUserData) {
  host_.setScript({user::setText("name", "Joint"), user::choose("prefix", 2), user::tick("after Select"),
                   user::toggle("after Select"), user::setNumber("Strength", 50),
                   user::setNumber("iconPercent", 25), user::ok()});
  const int result = withPanel([](TestModule &m) {
    m.wire(m.name, 1);
    m.wire(m.prefix, 2);
    m.wire(m.select, 3);
    m.wire(m.strength, 4);
    const int open = m.open();
    EXPECT_EQ(m.text(m.name), "Joint");
    EXPECT_EQ(m.integer(m.prefix), 2);
    EXPECT_EQ(m.integer(m.select), 0);
    EXPECT_EQ(m.real(m.strength), 50.0);
    EXPECT_EQ(m.real(m.iconPercent), 25.0);
    return open;
  });
  EXPECT_EQ(result, 1);
  const std::vector<std::pair<Control *, intptr_t>> expected = {{module_.name, 1},
                                                                {module_.prefix, 2},
                                                                {module_.select, 3},
                                                                {module_.select, 3},
                                                                {module_.strength, 4}};
  EXPECT_EQ(gSeen.events, expected);
  EXPECT_TRUE(scriptErrors().empty());
  EXPECT_TRUE(host_.diagnostics().empty());
}

TEST_F(PanelEngineTest, KeysReachTheKeyFunctionWithTheirQualifiersUntilTheModuleCloses) {
  host_.setScript({user::pressKey('a'), user::pressKey(LAYOUT_KEY_LEFT, LAYOUT_QUALIFIER_STEP),
                   user::pressKey('d'), user::cancel()});
  EXPECT_EQ(withPanel([](TestModule &m) { return m.open(); }), 1);  // closed by the module: 1
  const auto &keys = host_.scriptedFrontEnd().keys();
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_TRUE(keys[0].handled);
  EXPECT_FALSE(keys[1].handled);
  EXPECT_EQ(keys[1].qualifiers, LAYOUT_QUALIFIER_STEP);
  EXPECT_EQ(gSeen.keyQualifiers, (std::vector<int>{0, 2, 0}));
  EXPECT_EQ(host_.scriptedFrontEnd().remaining(), 1u);  // Cancel never reached the closed panel
  EXPECT_TRUE(host_.diagnostics().empty());
}

TEST_F(PanelEngineTest, AMenuClickShowsTheModulesItemsAndAnswersTheScriptsPick) {
  host_.setScript({user::click(LAYOUT_MOUSE_MENU, 10, 20, 2), user::click(LAYOUT_MOUSE_MENU, 10, 20),
                   user::click(LAYOUT_MOUSE_MENU, 10, 20, 3), user::click(1, 10, 20, 1)});
  withPanel([](TestModule &m) { return m.open(); });
  EXPECT_EQ(gSeen.menuAnswers, (std::vector<int>{2, -1, -1}));
  const auto &menus = host_.scriptedFrontEnd().menus();
  ASSERT_EQ(menus.size(), 3u);
  EXPECT_EQ(menus[0].items, (std::vector<std::string>{"Title", "First", "Second"}));
  EXPECT_EQ(menus[0].initial, 1);
  EXPECT_EQ(scriptErrors(), std::vector<std::string>{"menu pick 3 is beyond the menu's 3 items"});
  EXPECT_TRUE(host_.diagnostics().empty());
}

TEST_F(PanelEngineTest, OpenPlacesThePanelAndReturnsOkCancelOrClose) {
  host_.setScript({user::ok(), user::cancel()});
  std::vector<int> results;
  withPanel([&](TestModule &m) {
    results.push_back(m.open());
    results.push_back(m.open());
    results.push_back(m.open());  // out of actions: OK
    return 0;
  });
  EXPECT_EQ(results, (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(gSeen.placements, 3);
  EXPECT_TRUE(gSeen.openWhilePlaced);
  EXPECT_EQ(host_.panels().lastOpenFlags(), LAYOUT_PANEL_OPEN_FLAGS);
  EXPECT_EQ(host_.scriptedFrontEnd().panelsShown(), 3u);
}

TEST_F(PanelEngineTest, InspectSeesPlacementGhostingAndEditingFocus) {
  PanelView seen;
  host_.setScript({user::inspect([&](const PanelView &view) { seen = view; })});
  withPanel([](TestModule &m) {
    m.set(m.count, LAYOUT_CTL_X, integerValue(229));
    m.set(m.count, LAYOUT_CTL_Y, integerValue(28));
    m.select->draw(m.select, LAYOUT_DRAW_GHOST);
    m.set(m.count, LAYOUT_CTL_ACTIVATE, integerValue(0));
    return m.open();
  });
  EXPECT_EQ(seen.title, "Test Panel");
  EXPECT_EQ(seen.x, 800);  // from the placement function
  EXPECT_EQ(seen.width, 314);
  EXPECT_EQ(seen.height, 248);
  EXPECT_EQ(seen.y, std::nullopt);
  ASSERT_EQ(seen.controls.size(), 10u);
  const ControlView &count = seen.controls[1];
  EXPECT_EQ(count.label, "Num");
  EXPECT_EQ(count.x, 229);
  EXPECT_EQ(count.y, 28);
  EXPECT_EQ(count.width, std::nullopt);
  EXPECT_TRUE(count.editing);
  EXPECT_FALSE(seen.controls[0].editing);
  EXPECT_TRUE(seen.controls[5].ghosted);
  EXPECT_EQ(seen.controls[2].items.size(), 4u);
}

TEST_F(PanelEngineTest, ScriptErrorsNameTheControlAndWhatThePanelOffers) {
  host_.setScript({user::tick("Hierarchy"), user::choose("suffix", 4), user::setText("Col", "Red"),
                   user::tick("after Select"), user::setText("name", "Kept"), user::ok()});
  withPanel([](TestModule &m) {
    m.select->draw(m.select, LAYOUT_DRAW_GHOST);
    return m.open();
  });
  EXPECT_EQ(
      scriptErrors(),
      (std::vector<std::string>{
          "action 1 (change \"Hierarchy\"): no control \"Hierarchy\" in panel \"Test Panel\" (labels: "
          "\"Num\", \"Col\", \"after Select\", \"Strength\", \"Rest Length\"; roles: name, prefix, suffix, "
          "iconPercent)",
          "action 2 (change \"suffix\"): PopupControl #3: index 4 out of range 0-3",
          "action 3 (change \"Col\"): PopupControl \"Col\" does not take that kind of value",
          "action 4 (change \"after Select\"): BoolControl \"after Select\" is ghosted",
      }));
}

TEST_F(PanelEngineTest, ATwiceUsedLabelIsAmbiguous) {
  PanelView view;
  view.title = "Twins";
  for (size_t i = 0; i < 2; ++i) {
    ControlView twin;
    twin.index = i;
    twin.type = "BoolControl";
    twin.label = "Twin";
    view.controls.push_back(twin);
  }
  std::string error;
  EXPECT_EQ(findControl(view, "Twin", error), std::nullopt);
  EXPECT_EQ(error, "control \"Twin\" is ambiguous in panel \"Twins\": 2 controls carry that label");
}

TEST_F(PanelEngineTest, MisuseIsNamedInOneMessageAndRefused) {
  Control *late = nullptr;
  withPanel([&](TestModule &m) {
    EXPECT_EQ(m.add("SliderControl", descriptor(LAYOUT_DESC_EDIT), "Slider"), nullptr);
    m.set(m.name, 99, integerValue(0));
    m.set(m.colour, LAYOUT_CTL_VALUE, integerValue(4));
    m.set(m.colour, LAYOUT_CTL_X, realValue(1));
    m.name->draw(m.name, 3);
    m.border->get(m.border, LAYOUT_CTL_VALUE, nullptr);
    m.count->host = nullptr;
    m.set(m.count, LAYOUT_CTL_VALUE, integerValue(5));
    int ignored = 0;
    m.panels->get(m.panel, 7, &ignored);
    m.panels->close(m.panel);
    late = m.name;
    Panel *leftOver = m.panels->create(const_cast<char *>("Left over"), nullptr);
    EXPECT_NE(leftOver, nullptr);
    return 0;
  });
  EXPECT_EQ(TestModule::integer(module_.colour), 0);  // refused: no activation
  module_.name->draw(late, LAYOUT_DRAW_NORMAL);
  EXPECT_EQ(host_.diagnostics().messages(),
            (std::vector<std::string>{
                "LWPanelServices.addControl: unknown control type \"SliderControl\"",
                "Control.set: EditControl #0: unknown tag 99 for set",
                "Control.set: PopupControl \"Col\": index 4 out of range 0-3",
                "Control.set: PopupControl \"Col\": tag 0 needs the integer form",
                "Control.draw: EditControl #0: unknown draw mode 3",
                "Control.get: BorderControl #9: NULL value record",
                "Control.set: EditControl \"Num\": host-private field changed",
                "LWPanelServices.get: unknown panel tag 7",
                "LWPanelServices.close: panel \"Test Panel\" is not open",
                "panel \"Left over\" was not destroyed before the activation returned",
                "Control.get called while no activation runs",
                "Control.draw called while no activation runs",
            }));

  host_.diagnostics().clear();
  testing::activateWith(host_, [&](GlobalFunc *, GenericLocal *) {
    late->draw(late, LAYOUT_DRAW_NORMAL);
    module_.panels->open(module_.panel, LAYOUT_PANEL_OPEN_FLAGS);
    return 0;
  });
  EXPECT_EQ(host_.diagnostics().messages(),
            (std::vector<std::string>{
                "Control.draw: EditControl #0 of destroyed panel \"Test Panel\" used",
                "LWPanelServices.open: panel \"Test Panel\" used after it was destroyed",
            }));
}

TEST_F(PanelEngineTest, AtFatalStrictnessMisuseStopsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  host_.diagnostics().setStrictness(Strictness::kFatal);
  EXPECT_DEATH(withPanel([](TestModule &m) {
                 m.set(m.name, 99, integerValue(0));
                 return 0;
               }),
               "Control.set: EditControl #0: unknown tag 99 for set");
}

}  // namespace
}  // namespace layout
