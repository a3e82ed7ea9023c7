// Levels 5 to 7: runs over scenes, builds and selections; every set of
// switched-off services; and every interaction watched for misuse.
#include "host/scene/item_id.h"
#include "host/services/services.h"
#include "tools/validation.h"
#include "tools/validation_probe.h"

namespace sim {
namespace {

// The selections a run is tried with: none, each item alone, every item of
// each kind. (A selection mixing kinds makes a module's commands act on items
// of the wrong kind, which the host refuses by design.)
std::vector<std::vector<layout::ItemID>> selections(const layout::Scene &scene) {
  std::vector<std::vector<layout::ItemID>> result{{}};
  for (int type = 1; type <= layout::kItemTypeCount; ++type) {
    std::vector<layout::ItemID> all;
    for (const layout::Item &item : scene.items(static_cast<layout::ItemType>(type))) {
      result.push_back({item.id});
      all.push_back(item.id);
    }
    if (all.size() > 1) result.push_back(all);
  }
  return result;
}

void select(layout::Scene &scene, const std::vector<layout::ItemID> &items) {
  scene.clearSelection();
  for (const layout::ItemID id : items) scene.addToSelection(id);
}

// Keys a person may press on a panel: the arrows, digits, signs, letters,
// Enter, Escape and Tab.
std::vector<uint32_t> panelKeys() {
  std::vector<uint32_t> keys = {LAYOUT_KEY_LEFT,
                                LAYOUT_KEY_RIGHT,
                                LAYOUT_KEY_UP,
                                LAYOUT_KEY_DOWN,
                                '\r',
                                0x1b,
                                '\t',
                                '+',
                                '-',
                                '=',
                                ' ',
                                '.'};
  for (char c = '0'; c <= '9'; ++c) keys.push_back(static_cast<uint32_t>(c));
  for (char c = 'a'; c <= 'z'; ++c) keys.push_back(static_cast<uint32_t>(c));
  return keys;
}

}  // namespace

void checkRunMatrix(CheckContext &context) {
  Probe probe(context);
  if (!probe.ok()) return;
  size_t runs = 0;
  for (const std::string &server : probe.servers()) {
    for (const uint32_t build : kBehaviourBuilds) {
      probe.resetScene(build);
      for (const std::vector<layout::ItemID> &selection : selections(probe.host().scene())) {
        probe.resetScene(build);
        select(probe.host().scene(), selection);
        expectSound(
            context,
            probe.run(server, at(server, build) + " with " + std::to_string(selection.size()) + " selected" +
                                  (selection.size() == 1 ? " (" + layout::hexId(selection[0]) + ")" : "")));
        ++runs;
      }
      // An empty scene.
      probe.host().scene().replace(layout::Scene());
      probe.host().setBuild(build);
      expectSound(context, probe.run(server, at(server, build) + " on an empty scene"));
      ++runs;
    }
  }
  context.figure("runs", runs);
}

void checkServicesOff(CheckContext &context) {
  Probe probe(context);
  if (!probe.ok()) return;
  layout::Host &host = probe.host();
  size_t runs = 0;
  for (const std::string &server : probe.servers()) {
    for (int mask = 0; mask < (1 << layout::kServiceCount); ++mask) {
      std::string off;
      for (int i = 0; i < layout::kServiceCount; ++i) {
        const bool switchedOff = (mask >> i) & 1;
        host.setServiceEnabled(static_cast<layout::Service>(i), !switchedOff);
        if (switchedOff)
          off += std::string(off.empty() ? "" : ", ") + layout::serviceName(static_cast<layout::Service>(i));
      }
      probe.resetScene(layout::kDefaultHostBuild);
      const ProbeRun run = probe.run(server, server + " without " + (off.empty() ? "nothing" : off));
      expectSound(context, run);
      if (run.result == LAYOUT_AF_BADGLOBAL && !run.commands.empty()) {
        context.fail(run.what + ": reported a missing service after sending " +
                     std::to_string(run.commands.size()) + " commands");
      }
      if (run.result == LAYOUT_AF_BADGLOBAL && mask == 0)
        context.fail(run.what + ": reported a missing service");
      ++runs;
    }
  }
  for (int i = 0; i < layout::kServiceCount; ++i)
    host.setServiceEnabled(static_cast<layout::Service>(i), true);
  context.figure("runs", runs);
}

void checkMisuse(CheckContext &context) {
  Probe probe(context);
  if (!probe.ok()) return;
  const std::vector<uint32_t> keys = panelKeys();
  int pick = 0;
  bool confirm = true;
  size_t runs = 0;
  probe.frontEnd().onMenu = [&](const layout::MenuView &menu) {
    return pick < static_cast<int>(menu.items.size()) ? pick : -1;
  };
  probe.frontEnd().onPanel = [&](layout::OpenPanel &panel) {
    for (const layout::ControlView &control : panel.view().controls) {
      if (!panel.isOpen()) return;
      if (control.type == LAYOUT_CONTROL_EDIT) {
        panel.change(control.index, std::string("Misuse"));
      } else if (control.type == LAYOUT_CONTROL_FLOAT || control.type == LAYOUT_CONTROL_PERCENT) {
        panel.change(control.index, 1.0);
      } else {
        panel.change(control.index, int64_t{0});
      }
    }
    for (const uint32_t key : keys) {
      for (const uint32_t qualifiers : {0u, uint32_t{LAYOUT_QUALIFIER_STEP}}) {
        if (panel.isOpen()) panel.pressKey(key, qualifiers);
      }
    }
    for (pick = -1; pick < 12 && panel.isOpen(); ++pick) panel.click(LAYOUT_MOUSE_MENU, 20, 20);
    if (!panel.isOpen()) return;
    if (confirm) {
      panel.confirm();
    } else {
      panel.cancel();
    }
  };
  for (const std::string &server : probe.servers()) {
    for (const uint32_t build : {0u, 599u, 1447u, 4095u}) {
      for (const bool ok : {true, false}) {
        confirm = ok;
        probe.resetScene(build);
        ++runs;
        expectSound(context, probe.run(server, at(server, build) + ", every key and menu item, then " +
                                                   (ok ? "OK" : "Cancel")));
      }
    }
  }
  context.figure("sessions", runs);
  // Calls the module makes outside an activation reach the last host.
  probe.host().diagnostics().clear();
  probe.host().unloadModule();
  for (const std::string &message : probe.host().diagnostics().messages()) {
    context.fail("misuse while unloading: " + message);
  }
}

}  // namespace sim
