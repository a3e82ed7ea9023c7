// layout-sim on Layout scene files: runs, replays, sessions and convert keep
// the file's own lines, bad files are shown where they are wrong, and an
// independent reader (assimp) sees the nulls a run saved where Mint put them.
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "layout_sim.h"

namespace sim::cli_test {
namespace {

using LwsFiles = LayoutSim;
constexpr auto npos = std::string::npos;

std::string corpus(const std::string &name) { return std::string(LWS_CORPUS_DIR) + "/" + name; }

TEST_F(LwsFiles, ARunOnARigKeepsTheFileAndAddsTheNewNulls) {
  const std::string rig = corpus("v5_rig.lws");
  Result r = run({"convert", rig, "copy.lws"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Converted " + rig + " (12 items) to copy.lws\n");
  const std::string original = read("copy.lws");

  r = run({"run", "Mint_Pivots", "--scene", "copy.lws", "--select", "Hero Body", "--set", "Num=2", "--tick",
           "Parent (x)", "--commands", "commands.txt", "--save", "rig.lws"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string saved = read("rig.lws");
  // Everything up to the end of the last object is as it was; the nulls follow it.
  const size_t insertedAt = original.find("AmbientColor");
  EXPECT_EQ(saved.substr(0, original.rfind('\n', insertedAt - 2)),
            original.substr(0, original.rfind('\n', insertedAt - 2)));
  EXPECT_EQ(saved.substr(saved.size() - (original.size() - insertedAt)), original.substr(insertedAt));
  EXPECT_NE(saved.find("AddNullObject 10000003 Null\n"), npos);
  EXPECT_NE(saved.find("AddNullObject 10000004 Null\n"), npos);

  // The same commands replayed on the same file give the same file; a
  // session does the same, loading and saving by extension.
  r = run({"replay", "commands.txt", "--scene", "copy.lws", "--save", "replayed.lws"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read("replayed.lws"), saved);
  write("session.json",
        R"({"steps": [{"load": "copy.lws"}, {"replay": "commands.txt"}, {"save": "session.lws"},
    {"save": "session.json"}]})");
  r = run({"session", "session.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read("session.lws"), saved);
  // A JSON scene written out as a Layout scene is a version 5 file.
  r = run({"convert", "session.json", "fresh.lws"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read("fresh.lws").rfind("LWSC\n5\n", 0), 0u);
}

TEST_F(LwsFiles, ABadFileIsShownWithACaretAndNothingIsWritten) {
  write("bad.lws", "LWSC\r\n5\r\n\r\nAddNullObject 10000000 Root\r\nShowObject 5 red\r\n");
  write("out.lws", "precious");
  const Result r = run({"convert", "bad.lws", "out.lws"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "layout-sim: bad.lws:5:14: ShowObject: expected a colour -1-14, got \"red\"\n"
            "  ShowObject 5 red\n"
            "               ^\n");
  EXPECT_EQ(read("out.lws"), "precious");
}

// The hierarchy `assimp info` prints: each node's label under its parent's,
// with the pivot nodes assimp adds for every item left out.
std::map<std::string, std::string> assimpParents(const std::string &file) {
  std::map<std::string, std::string> parents;
  FILE *pipe = popen(("assimp info '" + file + "' 2>/dev/null").c_str(), "r");
  if (!pipe) return parents;
  std::string text;
  char buffer[4096];
  for (size_t count; (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, count);
  pclose(pipe);
  std::istringstream lines(
      text.substr(text.find("Node hierarchy:") == npos ? text.size() : text.find("Node hierarchy:")));
  std::vector<std::string> stack;  // labels by depth, the root first, pivots included
  for (std::string line; std::getline(lines, line);) {
    if (line == "<LWSRoot>") stack = {line};
    const size_t mark = line.find("╴");
    if (mark == npos || stack.empty()) continue;
    // Two characters of tree drawing a level; box characters take three bytes.
    size_t characters = 0;
    for (size_t i = 0; i < mark; ++i) characters += (static_cast<unsigned char>(line[i]) & 0xC0) != 0x80;
    stack.resize(characters / 2 + 1);
    stack.push_back(line.substr(mark + std::string("╴").size()));
    if (stack.back().rfind("Pivot:", 0) == 0) continue;
    for (size_t i = stack.size() - 1; i-- > 0;) {
      if (stack[i].rfind("Pivot:", 0) != 0) {
        parents[stack.back()] = stack[i];
        break;
      }
    }
  }
  return parents;
}

// The hierarchy layout-sim saved, in assimp's labels "Name_(ID)".
std::map<std::string, std::string> savedParents(const std::string &json) {
  std::map<std::string, std::string> labels, parents;
  std::istringstream lines(json);
  const auto field = [](const std::string &line, const std::string &key) {
    const size_t at = line.find("\"" + key + "\": ");
    if (at == npos || line.compare(at + key.size() + 4, 4, "null") == 0) return std::string();
    const size_t start = at + key.size() + 5;
    return line.substr(start, line.find('"', start) - start);
  };
  std::vector<std::pair<std::string, std::string>> links;
  for (std::string line; std::getline(lines, line);) {
    const std::string id = field(line, "id");
    if (id.empty()) continue;
    labels[id] = field(line, "name") + "_(" + id + ")";
    links.emplace_back(id, field(line, "parent"));
  }
  for (const auto &[id, parent] : links) parents[labels[id]] = parent.empty() ? "<LWSRoot>" : labels[parent];
  return parents;
}

TEST_F(LwsFiles, AssimpSeesTheNullsOfARunUnderTheSameParents) {
  // Bone-free, as assimp does not read bones.
  write("set.json", R"({"format": "mint-scene", "version": 1, "items": [
    {"type": "object", "name": "Table"},
    {"type": "object", "name": "Lamp Post", "null": true, "parent": "10000000"},
    {"type": "light", "name": "Key Light", "parent": "10000001"},
    {"type": "camera", "name": "Camera"}]})");
  const std::vector<std::vector<std::string>> runs = {
      {"--select", "Table", "--set", "Num=3", "--tick", "Parent (x)"},
      {"--select", "Lamp Post", "--set", "Num=4", "--tick", "Parent (x)", "--tick", "Hierarchy"},
      {"--select", "Key Light", "--select", "Camera", "--set", "Num=2", "--tick", "Parent (x)"},
  };
  for (std::vector<std::string> arguments : runs) {
    SCOPED_TRACE(arguments[1]);
    arguments.insert(arguments.begin(),
                     {"run", "Mint_Pivots", "--scene", "set.json", "--commands", "commands.txt"});
    ASSERT_EQ(run(arguments).status, 0);
    ASSERT_EQ(run({"replay", "commands.txt", "--scene", "set.json", "--save", "after.json"}).status, 0);
    ASSERT_EQ(run({"convert", "after.json", "after.lws"}).status, 0);
    const std::map<std::string, std::string> expected = savedParents(read("after.json"));
    std::map<std::string, std::string> seen = assimpParents(path("after.lws"));
    ASSERT_FALSE(seen.empty()) << "assimp read nothing";
    EXPECT_EQ(seen, expected);
    EXPECT_GE(expected.size(), 6u);
  }
}

}  // namespace
}  // namespace sim::cli_test
