#include "fake_panel_host.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "panels/panel_context.h"

namespace mint::testing {
namespace {

FakePanelHost *gHost = nullptr;
char gPanelObject;
char gMenuObject;
Panel *const kPanel = reinterpret_cast<Panel *>(&gPanelObject);
Menu *const kMenu = reinterpret_cast<Menu *>(&gMenuObject);

std::string quoted(const char *text) { return text == nullptr ? "null" : "\"" + std::string(text) + "\""; }

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// Tags whose value travels in the record's pointer slot.
bool pointerTag(int tag) {
  return tag == LAYOUT_CTL_EVENT || tag == LAYOUT_CTL_USERDATA || tag == LAYOUT_CTL_USERDRAW;
}

// What the fake leaves in the slot of a value record that a get does not
// fill, so a module reading the wrong slot sees nonsense.
constexpr int kUnusedInteger = 0x5EB71E15;
constexpr uintptr_t kUnusedPointer = 0x5EB71E155EB71E15u;

const char *controlTagName(int tag) {
  switch (tag) {
    case LAYOUT_CTL_X:
      return "x";
    case LAYOUT_CTL_Y:
      return "y";
    case LAYOUT_CTL_W:
      return "w";
    case LAYOUT_CTL_VALUE:
      return "value";
    case LAYOUT_CTL_EVENT:
      return "event";
    case LAYOUT_CTL_USERDATA:
      return "data";
    case LAYOUT_CTL_ACTIVATE:
      return "activate";
    default:
      return "tag?";
  }
}

const char *panelTagName(int tag) {
  switch (tag) {
    case LAYOUT_PAN_X:
      return "x";
    case LAYOUT_PAN_Y:
      return "y";
    case LAYOUT_PAN_W:
      return "w";
    case LAYOUT_PAN_H:
      return "h";
    case LAYOUT_PAN_PLACE:
      return "place";
    case LAYOUT_PAN_USERDATA:
      return "data";
    case LAYOUT_PAN_KEY:
      return "key";
    case LAYOUT_PAN_MOUSE:
      return "mouse";
    case LAYOUT_PAN_QUALIFIERS:
      return "qualifiers";
    default:
      return "tag?";
  }
}

std::string panelName(Panel *panel) { return panel == kPanel ? "panel" : "other-panel"; }

}  // namespace

// The host's operations, reached through the tables the module looked up.
struct FakeOps {
  static FakeControl &of(Control *control) { return *reinterpret_cast<FakeControl *>(control); }

  static void draw(Control *control, int mode) {
    FakeControl &c = of(control);
    c.drawMode = mode;
    c.host->record("#" + std::to_string(c.id) + " draw " + std::to_string(mode));
  }

  static void get(Control *control, int tag, PanelValue *value) {
    FakeControl &c = of(control);
    std::string line = "#" + std::to_string(c.id) + " get " + controlTagName(tag);
    if (value->type == LAYOUT_VALUE_TEXT) {
      line += " text/" + std::to_string(value->text.length);
      const size_t room = value->text.length > 0 ? static_cast<size_t>(value->text.length) - 1 : 0;
      const size_t n = std::min<size_t>(room, c.text.size());
      if (value->text.length > 0) {
        c.text.copy(value->text.buffer, n);
        value->text.buffer[n] = '\0';
      }
    } else if (value->type == LAYOUT_VALUE_FLOAT) {
      line += " float";
      value->real.value = c.real;
    } else if (pointerTag(tag)) {
      line += " pointer";
      value->integer.value = kUnusedInteger;
      value->pointer.value = reinterpret_cast<void *>(c.tag(tag));
    } else {
      line += " int";
      value->pointer.value = reinterpret_cast<void *>(kUnusedPointer);
      value->integer.value = static_cast<int>(c.tag(tag));
    }
    c.host->record(line);
  }

  static void set(Control *control, int tag, PanelValue *value) {
    FakeControl &c = of(control);
    std::string line = "#" + std::to_string(c.id) + " set " + controlTagName(tag) + " ";
    if (value->type == LAYOUT_VALUE_TEXT) {
      c.text.assign(value->text.buffer,
                    ::strnlen(value->text.buffer, static_cast<size_t>(value->text.length)));
      line += quoted(c.text.c_str()) + "/" + std::to_string(value->text.length);
    } else if (value->type == LAYOUT_VALUE_FLOAT) {
      c.real = value->real.value;
      line += number(value->real.value);
    } else {
      const intptr_t word =
          pointerTag(tag) ? reinterpret_cast<intptr_t>(value->pointer.value) : intptr_t{value->integer.value};
      c.tags[tag] = word;
      line += c.host->describeTag(tag, word);
    }
    c.host->record(line);
  }

  static Panel *create(char *title, void *reserved) {
    gHost->record("create " + quoted(title) + (reserved != nullptr ? " reserved" : ""));
    // A new panel starts without controls; the last panel's stay for inspection until then.
    gHost->controls.clear();
    gHost->addCalls_ = 0;
    return gHost->failPanel ? nullptr : kPanel;
  }

  static void destroy(Panel *panel) {
    gHost->record("destroy " + panelName(panel));
    gHost->panelOpen = false;
  }

  static int open(Panel *panel, int flags) {
    gHost->record("open " + panelName(panel) + " " + std::to_string(flags));
    gHost->panelOpen = true;
    gHost->place();
    if (gHost->whileOpen) gHost->whileOpen(*gHost);
    gHost->panelOpen = false;
    return gHost->openResult;
  }

  static void close(Panel *panel) { gHost->record("close " + panelName(panel)); }

  // Operations the module must never call.
  static int handle(Panel *, int) {
    gHost->record("misuse: handle");
    return 0;
  }
  static void panelDraw(Panel *, int) { gHost->record("misuse: draw"); }
  static Control *nextControl(Panel *, Control *) {
    gHost->record("misuse: nextControl");
    return nullptr;
  }

  static void panelSet(Panel *panel, int tag, void *value) {
    FakePanelHost &h = *gHost;
    std::string described;
    switch (tag) {
      case LAYOUT_PAN_X:
      case LAYOUT_PAN_Y:
      case LAYOUT_PAN_W:
      case LAYOUT_PAN_H:
        described = std::to_string(*static_cast<int *>(value));
        if (tag == LAYOUT_PAN_X) h.panelX = *static_cast<int *>(value);
        break;
      case LAYOUT_PAN_PLACE:
        h.placeFunction = reinterpret_cast<PanelPlaceFunc *>(value);
        break;
      case LAYOUT_PAN_KEY:
        h.keyFunction = reinterpret_cast<PanelKeyFunc *>(value);
        break;
      case LAYOUT_PAN_MOUSE:
        h.mouseFunction = reinterpret_cast<PanelMouseFunc *>(value);
        break;
      case LAYOUT_PAN_USERDATA:
        h.panelUserData = value;
        break;
      default:
        break;
    }
    if (described.empty()) described = h.describePointer(reinterpret_cast<intptr_t>(value));
    h.panelSettings[tag] = described;
    h.record(panelName(panel) + " set " + panelTagName(tag) + " " + described);
  }

  static void panelGet(Panel *panel, int tag, void *value) {
    gHost->record(panelName(panel) + " get " + panelTagName(tag));
    if (tag == LAYOUT_PAN_QUALIFIERS) *static_cast<int32_t *>(value) = gHost->qualifiers;
  }

  static Control *addControl(Panel *panel, char *typeName, ControlDesc *desc, char *label) {
    FakePanelHost &h = *gHost;
    const int call = ++h.addCalls_;
    if (call == h.failControl) {
      h.record(panelName(panel) + " add " + typeName + " -> null");
      return nullptr;
    }
    auto c = std::make_unique<FakeControl>();
    c->control = {draw, get, set, nullptr};
    c->host = &h;
    c->id = static_cast<int>(h.controls.size()) + 1;
    c->type = typeName;
    c->label = label;
    c->desc = *desc;
    h.record("add #" + std::to_string(c->id) + " " + typeName + " " + h.describeDesc(*desc) + " " +
             quoted(label));
    h.controls.push_back(std::move(c));
    return &h.controls.back()->control;
  }

  static Menu *menuCreate(MenuDesc *desc, void *userData) {
    FakePanelHost &h = *gHost;
    h.menuDesc = *desc;
    h.menuUserData = userData;
    h.record("menu create [" + std::to_string(desc->type) + " " + std::to_string(desc->width) + " " +
             h.describePointer(reinterpret_cast<intptr_t>(desc->count)) + " " +
             h.describePointer(reinterpret_cast<intptr_t>(desc->name)) + "] " +
             h.describePointer(reinterpret_cast<intptr_t>(userData)));
    return h.failMenu ? nullptr : kMenu;
  }

  static int menuDeploy(Menu *menu, Panel *panel, int item) {
    FakePanelHost &h = *gHost;
    // Like the host, read the items of the menu being shown.
    h.lastMenuItems.clear();
    const int count = h.menuDesc.count(h.menuUserData);
    for (int i = 0; i < count; ++i) {
      const char *name = h.menuDesc.name(h.menuUserData, i);
      h.lastMenuItems.push_back(name == nullptr ? "null" : name);
    }
    int choice = -1;
    if (!h.menuChoices.empty()) {
      choice = h.menuChoices.front();
      h.menuChoices.pop_front();
    }
    h.record(std::string("menu deploy ") + (menu == kMenu ? "menu " : "other-menu ") + panelName(panel) +
             " " + std::to_string(item) + " -> " + std::to_string(choice));
    return choice;
  }

  static void menuDestroy(Menu *menu) {
    gHost->record(std::string("menu destroy ") + (menu == kMenu ? "menu" : "other-menu"));
  }
};

void *FakePanelHost::lookup(const char *service, int useMode) {
  FakePanelHost &h = *gHost;
  h.record("lookup " + std::string(service) + (useMode != 0 ? " mode?" : ""));
  if (h.missingServices.count(service) != 0) return nullptr;
  if (std::string(service) == LAYOUT_PANEL_SERVICES) return &h.services;
  if (std::string(service) == LAYOUT_CONTEXT_MENU_SERVICES) return &h.menus;
  return nullptr;
}

FakePanelHost::FakePanelHost() {
  services = {FakeOps::create,
              FakeOps::destroy,
              FakeOps::open,
              FakeOps::handle,
              FakeOps::panelDraw,
              FakeOps::close,
              FakeOps::panelGet,
              FakeOps::panelSet,
              FakeOps::addControl,
              FakeOps::nextControl,
              nullptr,
              nullptr,
              nullptr};
  menus = {FakeOps::menuCreate, FakeOps::menuDeploy, FakeOps::menuDestroy};
  gHost = this;
}

FakePanelHost::~FakePanelHost() { gHost = nullptr; }

FakeControl &FakePanelHost::control(int id) {
  if (id < 1 || id > static_cast<int>(controls.size()))
    throw std::out_of_range("no control #" + std::to_string(id));
  return *controls[static_cast<size_t>(id) - 1];
}

FakeControl &FakePanelHost::control(const std::string &label) {
  FakeControl *found = nullptr;
  for (auto &c : controls) {
    if (c->label != label) continue;
    if (found != nullptr) throw std::logic_error("label not unique: " + label);
    found = c.get();
  }
  if (found == nullptr) throw std::out_of_range("no control " + label);
  return *found;
}

bool FakePanelHost::hasControl(const std::string &label) const {
  for (const auto &c : controls) {
    if (c->label == label) return true;
  }
  return false;
}

void FakePanelHost::edit(FakeControl &c, const std::string &text) {
  c.text = text;
  if (auto *event = reinterpret_cast<ControlEventFunc *>(c.tag(LAYOUT_CTL_EVENT))) {
    event(&c.control, reinterpret_cast<void *>(c.tag(LAYOUT_CTL_USERDATA)));
  }
}

void FakePanelHost::choose(FakeControl &c, intptr_t value) {
  c.tags[LAYOUT_CTL_VALUE] = value;
  if (auto *event = reinterpret_cast<ControlEventFunc *>(c.tag(LAYOUT_CTL_EVENT))) {
    event(&c.control, reinterpret_cast<void *>(c.tag(LAYOUT_CTL_USERDATA)));
  }
}

int FakePanelHost::key(uint32_t code, int32_t qualifierBits) {
  qualifiers = qualifierBits;
  // Delivered in a full register, as a 64-bit host may leave it: the key
  // function must look only at the low 16 bits.
  using WideKeyFunc = int(Panel *, void *, uint64_t);
  auto *wide = reinterpret_cast<WideKeyFunc *>(reinterpret_cast<void (*)()>(keyFunction));
  return wide(kPanel, panelUserData, uint64_t{0xA5A5A5A500000000u} | code);
}

void FakePanelHost::click(int y, int choice, int code) {
  menuChoices.push_back(choice);
  mouseFunction(kPanel, panelUserData, code, 10, y);
  menuChoices.clear();
}

void FakePanelHost::place() {
  if (placeFunction != nullptr) placeFunction(kPanel, panelUserData);
}

std::vector<std::string> FakePanelHost::since(size_t from) const {
  return std::vector<std::string>(calls.begin() + static_cast<std::ptrdiff_t>(from), calls.end());
}

std::string FakePanelHost::describePointer(intptr_t value) const {
  const void *p = reinterpret_cast<const void *>(value);
  if (p == nullptr) return "null";
  if (p == &services) return "services";
  if (services.userData != nullptr) {
    if (p == services.userData) return "context";
    const auto *context = static_cast<const PanelContext *>(services.userData);
    if (p == &context->nullBools[0]) return "&activeBool";
  }
  for (const auto &c : controls) {
    if (p == &c->control) return "#" + std::to_string(c->id);
  }
  auto it = names_.find(p);
  return it != names_.end() ? it->second : "?";
}

std::string FakePanelHost::describeList(const char *const *items) const {
  auto it = names_.find(items);
  if (it != names_.end()) return it->second;
  std::string text = "{";
  for (const char *const *item = items; item != nullptr && *item != nullptr; ++item) {
    text += (item == items ? "" : "|") + std::string(*item);
  }
  return text + "}";
}

std::string FakePanelHost::describeDesc(const ControlDesc &desc) const {
  const std::string type = std::to_string(desc.type);
  switch (desc.type) {
    case LAYOUT_DESC_EDIT:
      return "[" + type + " " + std::to_string(desc.edit.width) + "]";
    case LAYOUT_DESC_LIST:
      return "[" + type + " " + describeList(desc.list.items) + " " + std::to_string(desc.list.width) + "]";
    case LAYOUT_DESC_RANGE:
      return "[" + type + " " + std::to_string(desc.range.width) + " " + std::to_string(desc.range.min) +
             " " + std::to_string(desc.range.max) + "]";
    case LAYOUT_DESC_BORDER:
      return "[" + type + " " + std::to_string(desc.border.width) + " " + std::to_string(desc.border.height) +
             "]";
    default:
      return "[" + type + "]";
  }
}

std::string FakePanelHost::describeTag(int tag, intptr_t value) const {
  if (tag == LAYOUT_CTL_EVENT) return describePointer(value);
  if (tag == LAYOUT_CTL_USERDATA && value != 0) {
    const std::string pointer = describePointer(value);
    return pointer == "?" ? std::to_string(value) : pointer;
  }
  return std::to_string(value);
}

std::string joined(const std::vector<std::string> &lines) {
  std::string text;
  for (const auto &line : lines) text += line + "\n";
  return text;
}

}  // namespace mint::testing
