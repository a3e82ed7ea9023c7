// Level 8: seeded random panel sessions. Each session picks a build and a
// selection, then edits, presses keys, right-clicks and picks menu items in
// random order and ends with OK or Cancel. The whole run is repeated in a
// fresh host with the module loaded again; the transcripts must match byte
// for byte, so every failure replays from the seed.
#include <random>

#include "tools/validation.h"
#include "tools/validation_probe.h"

namespace sim {
namespace {

constexpr int kSessionsPerRepeat = 100;
constexpr int kMaxActions = 12;

class SessionRandom {
 public:
  explicit SessionRandom(uint64_t seed) : engine_(seed) {}
  int below(int n) { return n <= 0 ? 0 : static_cast<int>(engine_() % static_cast<uint64_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }

  // Mostly short texts (numbers stay small so runs stay quick), sometimes
  // longer names, sometimes bytes beyond ASCII.
  std::string text() {
    static constexpr char kChars[] = "0123456789-+.,#% _abcXYZ";
    std::string result;
    const int length = chance(10) ? 20 + below(40) : below(4);
    for (int i = 0; i < length; ++i) {
      if (length > 4) {
        result += static_cast<char>('a' + below(26));
      } else if (chance(5)) {
        result += static_cast<char>(0x80 + below(128));
      } else {
        result += kChars[below(sizeof kChars - 1)];
      }
    }
    return result;
  }

  uint32_t key() {
    static constexpr uint32_t kKeys[] = {LAYOUT_KEY_LEFT,
                                         LAYOUT_KEY_RIGHT,
                                         LAYOUT_KEY_UP,
                                         LAYOUT_KEY_DOWN,
                                         '\r',
                                         0x1b,
                                         '\t',
                                         '+',
                                         '-',
                                         '0',
                                         '5',
                                         'a',
                                         'n',
                                         'z',
                                         ' '};
    return kKeys[below(sizeof kKeys / sizeof kKeys[0])];
  }

 private:
  std::mt19937_64 engine_;
};

// One session's actions on an open panel, written to the transcript as done.
void playSession(layout::OpenPanel &panel, SessionRandom &random, std::string &transcript) {
  const int actions = random.below(kMaxActions + 1);
  for (int i = 0; i < actions && panel.isOpen(); ++i) {
    const std::vector<layout::ControlView> controls = panel.view().controls;
    const int kind = random.below(4);
    if (kind == 0 && !controls.empty()) {
      const layout::ControlView &control =
          controls[static_cast<size_t>(random.below(static_cast<int>(controls.size())))];
      layout::ControlValue value;
      if (control.type == LAYOUT_CONTROL_EDIT) {
        value = random.text();
      } else if (control.type == LAYOUT_CONTROL_FLOAT || control.type == LAYOUT_CONTROL_PERCENT) {
        value = static_cast<double>(random.below(2001) - 1000) / 10.0;
      } else {
        value = static_cast<int64_t>(random.below(static_cast<int>(control.items.size()) + 3) - 1);
      }
      const std::string refused = panel.change(control.index, value);
      transcript += "  change #" + std::to_string(control.index) + (refused.empty() ? "\n" : " refused\n");
    } else if (kind == 1 || kind == 0) {
      const uint32_t key = random.key();
      const uint32_t qualifiers = random.chance(30) ? LAYOUT_QUALIFIER_STEP : 0;
      const bool handled = panel.pressKey(key, qualifiers);
      transcript +=
          "  key " + std::to_string(key) + "/" + std::to_string(qualifiers) + (handled ? " handled\n" : "\n");
    } else {
      panel.click(LAYOUT_MOUSE_MENU, random.below(400), random.below(300));
      transcript += "  right-click\n";
    }
  }
  if (!panel.isOpen()) return;
  if (random.chance(70)) {
    panel.confirm();
  } else {
    panel.cancel();
  }
}

// All sessions in a fresh host; the transcript of everything that happened.
std::string runSessions(CheckContext &context, int sessions, bool report) {
  Probe probe(context);
  if (!probe.ok()) return {};
  const std::vector<std::string> servers = probe.servers();
  std::string transcript;
  for (int session = 0; session < sessions; ++session) {
    SessionRandom random(context.seed() * 1000003u + static_cast<uint64_t>(session));
    const std::string &server = servers[static_cast<size_t>(random.below(static_cast<int>(servers.size())))];
    const uint32_t build = kBehaviourBuilds[static_cast<size_t>(random.below(kBehaviourBuilds.size()))];
    probe.resetScene(build);
    layout::Scene &scene = probe.host().scene();
    scene.clearSelection();
    // Items of one kind: mixed kinds make commands the host refuses by design.
    const auto type = static_cast<layout::ItemType>(1 + random.below(layout::kItemTypeCount));
    for (int picks = random.below(4); picks > 0; --picks) {
      const auto &items = scene.items(type);
      if (!items.empty())
        scene.addToSelection(items[static_cast<size_t>(random.below(static_cast<int>(items.size())))].id);
    }
    transcript += "session " + std::to_string(session) + ": " + at(server, build) + "\n";
    probe.frontEnd().onPanel = [&](layout::OpenPanel &panel) { playSession(panel, random, transcript); };
    probe.frontEnd().onMenu = [&](const layout::MenuView &menu) {
      const int pick = random.below(static_cast<int>(menu.items.size()) + 1) - 1;
      transcript +=
          "  menu of " + std::to_string(menu.items.size()) + ", picked " + std::to_string(pick) + "\n";
      return pick;
    };
    const ProbeRun run =
        probe.run(server, "session " + std::to_string(session) + " (" + at(server, build) + ")");
    if (report) expectSound(context, run);
    transcript += "  result " + std::to_string(run.result) + "\n";
    for (const std::string &command : run.commands) transcript += "  > " + command + "\n";
    for (const std::string &message : run.misuse) transcript += "  misuse " + message + "\n";
  }
  return transcript;
}

// The first line where two transcripts differ, with its session.
std::string firstDifference(const std::string &first, const std::string &second) {
  size_t lineStart = 0, session = 0;
  for (size_t i = 0; i < first.size() && i < second.size(); ++i) {
    if (first[i] != second[i]) {
      const size_t end = first.find('\n', i);
      return "in " + first.substr(session, first.find('\n', session) - session) + ": first run \"" +
             first.substr(lineStart, end - lineStart) + "\"";
    }
    if (first[i] == '\n') {
      lineStart = i + 1;
      if (first.compare(lineStart, 8, "session ") == 0) session = lineStart;
    }
  }
  return "one transcript is longer";
}

}  // namespace

void checkRandomSessions(CheckContext &context) {
  const int sessions = kSessionsPerRepeat * context.repeat();
  const std::string first = runSessions(context, sessions, true);
  const std::string second = runSessions(context, sessions, false);
  if (first != second)
    context.fail("the same seed gave a different transcript " + firstDifference(first, second));
  context.figure("sessions", static_cast<uint64_t>(sessions));
}

}  // namespace sim
