#include "host/scene_files/scene_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace layout {
namespace {

// A scene file holding `items` (and any further members), as one is written by hand.
std::string sceneWith(const std::string &items, const std::string &more = "") {
  return R"({"format": "mint-scene", "version": 1, "items": [)" + items + "]" + more + "}";
}

std::vector<ItemID> selectionOf(const Scene &scene) {
  return {scene.selection().begin(), scene.selection().end()};
}

void expectSameItem(const Scene &a, const Item &x, const Scene &b, const Item &y) {
  SCOPED_TRACE(hexId(x.id));
  EXPECT_EQ(x.id, y.id);
  EXPECT_EQ(a.name(x), b.name(y));
  EXPECT_EQ(x.parent, y.parent);
  EXPECT_EQ(x.owner, y.owner);
  for (int axis = 0; axis < 3; ++axis) {
    EXPECT_EQ(x.position[axis], y.position[axis]);
    EXPECT_EQ(std::signbit(x.position[axis]), std::signbit(y.position[axis]));
  }
  EXPECT_EQ(x.restLength, y.restLength);
  EXPECT_EQ(x.strength, y.strength);
  EXPECT_EQ(x.iconScale, y.iconScale);
  EXPECT_EQ(x.flags, y.flags);
  EXPECT_EQ(x.visibility, y.visibility);
  EXPECT_EQ(x.colour, y.colour);
  EXPECT_EQ(x.alphaMode, y.alphaMode);
  EXPECT_EQ(x.boneType, y.boneType);
}

void expectSameScene(const Scene &a, const Scene &b) {
  for (ItemType type : {ItemType::kObject, ItemType::kLight, ItemType::kCamera, ItemType::kBone}) {
    ASSERT_EQ(a.items(type).size(), b.items(type).size()) << itemTypeName(type);
    for (size_t i = 0; i < a.items(type).size(); ++i) {
      expectSameItem(a, a.items(type)[i], b, b.items(type)[i]);
    }
  }
  EXPECT_EQ(selectionOf(a), selectionOf(b));
  EXPECT_EQ(a.current(), b.current());
}

TEST(SceneFile, SavedSceneLoadsBackTheSameWithEveryPropertyLinkAndTheSelection) {
  Host host;
  host.setBuild(1447);
  host.setDynamicUpdate(1);
  Scene &scene = host.scene();
  const ItemID body = scene.addObject("Body");
  const ItemID prop = scene.addNull("Prop");
  const ItemID spine = scene.addBone("Bone_1", body);
  const ItemID chest = scene.addBone("Chest", spine);
  const ItemID neck = scene.addBone("Neck \"top\"\n", chest);
  const ItemID propBone = scene.addBone("Bone_1", prop);  // the same name under another object
  const ItemID light = scene.addLight("Key Light");
  const ItemID camera = scene.addCamera("Zoë's camera");
  ASSERT_EQ(scene.setParent(prop, neck), ParentError::kNone);  // an object below a bone
  ASSERT_EQ(scene.setParent(light, camera), ParentError::kNone);
  ASSERT_EQ(scene.setParent(camera, prop), ParentError::kNone);

  // Every property away from its default somewhere.
  Item &null = *scene.find(prop);
  null.visibility = 2;
  null.colour = 14;
  null.alphaMode = kAlphaConstantBlack;
  null.iconScale = 0.25;
  null.flags ^= kItemActive | kItemSelfShadow | kItemUnseenByRays | kItemUnseenByCamera |
                kItemUnaffectedByFog | kItemUnseenByRadiosity;
  std::copy_n(std::array{-0.0, 0.1, 1e-300}.begin(), 3, null.position);
  Item &bone = *scene.find(chest);
  bone.restLength = 1.0 / 3;
  bone.strength = 2.5e7;
  bone.boneType = kBoneJoint;
  bone.set(kItemBoneMultiply, false);
  bone.set(kItemCastShadow, true);  // toggles reach bones too
  scene.find(light)->visibility = 0;
  scene.find(camera)->alphaMode = kAlphaUnaffectedByObjects;
  scene.select(propBone);
  scene.addToSelection(body);
  scene.addToSelection(light);
  scene.addToSelection(body);  // current, in the middle of the selection

  const std::string text = writeScene(host);
  Host loaded;
  const auto error = readScene(text, "rig.json", loaded);
  ASSERT_FALSE(error) << error->format();
  expectSameScene(scene, loaded.scene());
  EXPECT_EQ(loaded.build(), 1447u);
  EXPECT_EQ(loaded.interfaceState().dynamicUpdate, 1);
  EXPECT_EQ(writeScene(loaded), text);
}

TEST(SceneFile, NamesAreSavedAsJsonStringsAndBrokenUtf8AsReplacementCharacters) {
  Host host;
  host.scene().addObject("Arm_L");
  host.scene().addObject("C:\\rig\\arm");
  host.scene().addObject("bad \xFF byte");
  const std::string text = writeScene(host);
  EXPECT_NE(text.find(R"("name": "Arm_L")"), std::string::npos) << text;
  EXPECT_NE(text.find(R"("name": "C:\\rig\\arm")"), std::string::npos) << text;
  Host loaded;
  const auto error = readScene(text, "rig.json", loaded);
  ASSERT_FALSE(error) << error->format();
  const auto &objects = loaded.scene().items(ItemType::kObject);
  EXPECT_EQ(loaded.scene().name(objects[1]), "C:\\rig\\arm");
  EXPECT_EQ(loaded.scene().name(objects[2]), "bad \xEF\xBF\xBD byte");
}

TEST(SceneFile, HandWrittenItemsTakeIdsInFileOrderAndNewItemDefaults) {
  // Types interleaved, links pointing ahead, properties left out.
  const std::string text = sceneWith(R"(
    {"type": "bone", "name": "Root", "owner": "10000001"},
    {"type": "object", "name": "Mesh", "parent": "40000001"},
    {"type": "object", "name": "Null", "null": true},
    {"type": "bone", "name": "Tip", "owner": "10000001", "parent": "40000000"},
    {"type": "bone", "name": "Other", "owner": "10000001", "parent": "10000001"},
    {"type": "light", "name": "Light"})",
                                     R"(, "selection": ["20000000", "40000001"])");
  Host host;
  host.setBuild(600);
  host.setDynamicUpdate(2);
  const auto error = readScene(text, "rig.json", host);
  ASSERT_FALSE(error) << error->format();

  Scene expected;
  const ItemID mesh = expected.addObject("Mesh");
  const ItemID null = expected.addNull("Null");
  const ItemID root = expected.addBone("Root", null);
  const ItemID tip = expected.addBone("Tip", root);
  expected.addBone("Other", null);  // parenting a bone to its object makes it a root bone
  expected.setParent(mesh, tip);
  expected.addLight("Light");
  expected.select(0x20000000u);
  expected.addToSelection(tip);  // left out, the current item is the last selected
  expectSameScene(expected, host.scene());
  EXPECT_EQ(host.build(), kDefaultHostBuild);
  EXPECT_EQ(host.interfaceState().dynamicUpdate, 0);
}

TEST(SceneFile, LinksReadFromAFileStillGuardAgainstLoops) {
  Host host;
  ASSERT_FALSE(readScene(R"({"format": "mint-scene", "version": 1, "items": [
      {"type": "object", "name": "Arm", "parent": "10000001"},
      {"type": "object", "name": "Body"}]})",
                         "rig.json", host));
  EXPECT_EQ(host.scene().setParent(0x10000001u, 0x10000000u), ParentError::kCycle);
}

TEST(SceneFile, DefaultSceneLoadsAsTheDocumentedRig) {
  Host host;
  const auto error = readScene(defaultScene(), "default", host);
  ASSERT_FALSE(error) << error->format();
  EXPECT_EQ(host.build(), 2000u);
  EXPECT_EQ(host.interfaceState().dynamicUpdate, 2);
  EXPECT_EQ(sceneTree(host),
            "10000000  Body  object vis shaded colour Gray  *current\n"
            "  40000000  Spine  bone vis visible colour Blue  rest 0.5 strength 1 multiply on type classic  "
            "at 0 1 0\n"
            "    40000001  Chest  bone vis visible colour Blue  rest 0.4 strength 1 multiply on type classic "
            " at 0 0 0.5\n"
            "      40000002  Neck  bone vis visible colour Blue  rest 0.2 strength 1 multiply on type "
            "classic  at 0 0 0.4\n"
            "  10000001  Hips  null vis shaded colour Gray  at 0 1 0\n"
            "10000002  Prop  object vis shaded colour Gray  at 1.5 0 0\n"
            "20000000  Key Light  light vis visible colour Orange  at -2 3 -2\n"
            "30000000  Camera  camera vis visible colour Cyan  at 0 1 -5\n");
}

TEST(SceneTree, ShowsWhatDiffersFromANewItemAndTheSelection) {
  const std::string text = sceneWith(R"(
    {"type": "camera", "name": "Cam"},
    {"type": "object", "name": "Null_001", "null": true, "parent": "40000000", "visibility": 2, "alpha": 1,
     "unseenByRays": true, "unseenByCamera": true, "unaffectedByFog": true, "unseenByRadiosity": true},
    {"type": "object", "name": "Body", "selfShadow": false, "castShadow": false, "receiveShadow": false,
     "active": false},
    {"type": "bone", "name": "B\tone", "owner": "10000001", "strength": 0.5, "multiply": false, "boneType": 1,
     "iconScale": 2},
    {"type": "light", "name": "Lamp", "parent": "10000000", "castShadow": true})",
                                     R"(, "selection": ["10000000", "30000000"], "current": "30000000")");
  Host host;
  ASSERT_FALSE(readScene(text, "rig.json", host));
  EXPECT_EQ(sceneTree(host),
            "10000001  Body  object vis shaded colour Gray  inactive  shadows: none\n"
            "  40000000  B\\x09one  bone vis visible colour Blue  rest 1 strength 0.5 multiply off type "
            "joint  icon 2\n"
            "    10000000  Null_001  null vis vertices colour Gray  unseen: rays camera fog radiosity  "
            "alpha: unaffected by objects  *selected\n"
            "      20000000  Lamp  light vis visible colour Orange  shadows: cast\n"
            "30000000  Cam  camera vis visible colour Cyan  *current\n");

  // A deep chain stops indenting and says how deep it is instead.
  Host deep;
  ItemID bone = deep.scene().addBone("Root", deep.scene().addObject("Arm"));
  for (int i = 0; i < 40; ++i) bone = deep.scene().addBone("Tip", bone);
  const std::string tree = sceneTree(deep);
  EXPECT_NE(tree.find("\n" + std::string(64, ' ') + "[depth 41] 40000028  Tip  bone"), std::string::npos);
  EXPECT_EQ(sceneTree(Host()), "(no items)\n");
}

// Lines of items that share most settings are put together from what the
// line before them had; any one setting that differs, even only in its sign,
// must still show.
TEST(SceneTree, EachLineShowsItsOwnItemWhenNeighboursDifferInOneSetting) {
  const std::string text = sceneWith(R"(
    {"type": "object", "name": "Arm"},
    {"type": "bone", "name": "A_1", "owner": "10000000", "restLength": 0},
    {"type": "bone", "name": "A_2", "owner": "10000000", "restLength": -0.0},
    {"type": "bone", "name": "A_3", "owner": "10000000", "restLength": -0.0, "colour": 2},
    {"type": "bone", "name": "A_4", "owner": "10000000", "restLength": -0.0, "colour": 2},
    {"type": "bone", "name": "A_5", "owner": "10000000", "restLength": -0.0, "colour": 2, "position": [0, -0.0, 1]},
    {"type": "bone", "name": "A\u001b6", "owner": "10000000", "restLength": -0.0, "colour": 2, "position": [0, -0.0, 1]},
    {"type": "bone", "name": "A_7", "owner": "10000000", "restLength": -0.0, "colour": 2, "position": [0, -0.0, 1]},
    {"type": "object", "name": "A_8", "null": true},
    {"type": "object", "name": "A_9", "null": true})",
                                     R"(, "selection": ["40000003", "40000006"], "current": "40000006")");
  Host host;
  ASSERT_FALSE(readScene(text, "rig.json", host));
  // "  <id>  <name>  bone vis visible colour <settings>"
  const auto bone = [](const std::string &idAndName, const std::string &settings) {
    return "  " + idAndName + "  bone vis visible colour " + settings + "\n";
  };
  const std::string green = "Dk Green  rest -0 strength 1 multiply on type classic";
  EXPECT_EQ(sceneTree(host), "10000000  Arm  object vis shaded colour Gray\n" +
                                 bone("40000000  A_1", "Blue  rest 0 strength 1 multiply on type classic") +
                                 bone("40000001  A_2", "Blue  rest -0 strength 1 multiply on type classic") +
                                 bone("40000002  A_3", green) + bone("40000003  A_4", green + "  *selected") +
                                 bone("40000004  A_5", green + "  at 0 -0 1") +
                                 bone("40000005  A\\x1b6", green + "  at 0 -0 1") +
                                 bone("40000006  A_7", green + "  at 0 -0 1  *current") +
                                 "10000001  A_8  null vis shaded colour Gray\n"
                                 "10000002  A_9  null vis shaded colour Gray\n");

  // A name longer than the writer's buffer is written whole, escaped, on
  // its own line between two ordinary ones.
  Host big;
  const ItemID arm = big.scene().addObject("Arm");
  std::string name(TextWriter::kBufferBytes + 100, 'n');
  name[TextWriter::kBufferBytes / 2] = '\n';
  big.scene().addBone(name, arm);
  big.scene().addBone("Next", arm);
  const std::string tree = sceneTree(big);
  const std::string escaped = std::string(TextWriter::kBufferBytes / 2, 'n') + "\\x0a" +
                              std::string(TextWriter::kBufferBytes / 2 + 99, 'n');
  const std::string settings = "Blue  rest 1 strength 1 multiply on type classic";
  const std::string expected = "10000000  Arm  object vis shaded colour Gray\n" +
                               bone("40000000  " + escaped, settings) + bone("40000001  Next", settings);
  const auto differ = std::mismatch(tree.begin(), tree.end(), expected.begin(), expected.end());
  EXPECT_TRUE(tree == expected) << "from byte " << (differ.first - tree.begin()) << ": \""
                                << tree.substr(static_cast<size_t>(differ.first - tree.begin()), 60) << "\"";
}

// Each bad file gives one message at the offending place, and the host keeps
// the scene it had.
struct BadFile {
  std::string text;
  std::string message;
};

void expectRefused(const std::vector<BadFile> &cases) {
  Host host;
  ASSERT_FALSE(readScene(defaultScene(), "default", host));
  const std::string before = writeScene(host);
  const uint64_t selectionVersion = host.scene().selectionVersion();
  for (const BadFile &bad : cases) {
    SCOPED_TRACE(bad.text);
    const auto error = readScene(bad.text, "rig.json", host);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->format(), bad.message);
  }
  EXPECT_EQ(writeScene(host), before);
  EXPECT_EQ(host.scene().selectionVersion(), selectionVersion);
}

TEST(SceneFileErrors, SyntaxErrorsArePlacedByLineAndColumn) {
  expectRefused({
      {"",
       "rig.json:1:1: syntax error while parsing value - unexpected end of input; expected '[', '{', or a "
       "literal"},
      {"{\n  \"format\": \"mint-scene\",\n  \"items\": [\n",
       "rig.json:4:1: syntax error while parsing value - unexpected end of input; expected '[', '{', or a "
       "literal"},
      {"{\"format\": \"mint-scene\",}",
       "rig.json:1:25: syntax error while parsing object key - unexpected '}'; expected string literal"},
      // The parser gives no place for an overflow; its number is found in the text.
      {"{\"format\": \"mint-scene\",\n \"build\": 1e999}", "rig.json:2:11: number overflow parsing '1e999'"},
      // Nesting is limited, so a hostile file cannot take the stack or the time.
      {"{\"format\": \"mint-scene\", \"x\": " + std::string(400, '[') + std::string(400, ']') + "}",
       "rig.json:1:286: nested deeper than 256 levels"},
  });
  // The place is shown under the line, tabs kept so the caret lines up.
  Host host;
  const auto shown = readScene("{\"format\": \"mint-scene\",\n\t\"build\": tall}", "rig.json", host);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->formatWithSource(), shown->format() + "\n  \t\"build\": tall}\n  \t          ^");

  // Cut anywhere, a file is refused with a place, never read in part.
  const std::string whole(defaultScene());
  for (size_t length = 0; length + 1 < whole.size(); ++length) {
    Host host;
    const auto error = readScene(whole.substr(0, length), "rig.json", host);
    ASSERT_TRUE(error) << length;
    EXPECT_GE(error->line, 1) << error->format();
  }
}

TEST(SceneFileErrors, WrongValuesAndKeysNameTheirPath) {
  expectRefused({
      {"[1]", "rig.json:1:1: expected an object, got an array"},
      {R"({"version": 1})", R"(rig.json:1:1: not a scene file: no "format": "mint-scene")"},
      {R"({"format": "mint-scene", "version": 2})",
       "rig.json:1:26: version: this host reads version 1, not 2"},
      {sceneWith("", R"(, "item": [])"), R"(rig.json:1:53: item: unknown key (did you mean "items"?))"},
      {sceneWith("", R"(, "build": 4096)"), "rig.json:1:53: build: 4096 is out of range 0-4095"},
      {sceneWith("", R"(, "dynamicUpdate": "on")"),
       R"(rig.json:1:53: dynamicUpdate: expected an integer, got "on")"},
      {sceneWith("3"), "rig.json:1:50: items[0]: expected an object, got 3"},
      {sceneWith(R"({"name": "A"})"), R"(rig.json:1:50: items[0]: missing "type")"},
      {sceneWith(R"({"type": "nul", "name": "A"})"),
       R"(rig.json:1:51: items[0].type: unknown type "nul"; expected object, light, camera or bone)"},
      {sceneWith(R"({"type": "null", "name": "A"})"),
       "rig.json:1:51: items[0].type: unknown type \"null\"; expected object, light, camera or bone "
       "(a null is an object with \"null\": true)"},
      {sceneWith(R"({"type": "object", "name": 12})"),
       "rig.json:1:69: items[0].name: expected a string, got 12"},
      {sceneWith(R"({"type": "object", "name": "A", "color": 3})"),
       R"(rig.json:1:82: items[0].color: unknown key (did you mean "colour"?))"},
      {sceneWith(R"({"type": "light", "name": "A", "multiply": true})"),
       "rig.json:1:81: items[0].multiply: not a property of a light (only of bones)"},
      {sceneWith(R"({"type": "light", "name": "A", "visibility": 2})"),
       "rig.json:1:81: items[0].visibility: 2 is out of range 0-1 for a light"},
      {sceneWith(R"({"type": "object", "name": "A", "active": 1})"),
       "rig.json:1:82: items[0].active: expected true or false, got 1"},
      {sceneWith(R"({"type": "object", "name": "A", "position": [1, 2]})"),
       "rig.json:1:82: items[0].position: expected [x, y, z], got an array of 2 values"},
      {sceneWith("{\"type\": \"object\", \"name\": \"Zoë\",\n  \"position\": [1, \"2\", 3]}"),
       R"(rig.json:2:19: items[0].position[1]: expected a number, got "2")"},
      // Columns count characters: "é" is two bytes.
      {sceneWith(R"({"type": "object", "name": "éé", "colour": 1, "colour": 15})"),
       "rig.json:1:96: items[0].colour: given twice"},
      {sceneWith(R"({"type": "bone", "name": "B"})"),
       R"(rig.json:1:50: items[0]: missing "owner", the object the bone belongs to)"},
  });
}

// The file is read in one pass, so which of several faults is named depends
// on when each is judged: a key given twice as soon as it is read, an item
// once its object closes (its keys in alphabetical order, then its values in
// a fixed order), the document's keys and the selection once all of it is
// read. Syntax errors keep the general parser's wording.
TEST(SceneFileErrors, OfSeveralFaultsTheOneJudgedFirstIsNamed) {
  expectRefused({
      {sceneWith(R"({"type": "object", "name": "A", "zz": 1, "color": 3})"),
       R"(rig.json:1:91: items[0].color: unknown key (did you mean "colour"?))"},
      {sceneWith(R"({"type": "light", "name": "A", "owner": "10000000", "aa": 1})"),
       "rig.json:1:102: items[0].aa: unknown key"},
      {sceneWith(R"({"type": "light", "name": "A", "zz": 1, "owner": "10000000"})"),
       "rig.json:1:90: items[0].owner: not a property of a light (only of bones)"},
      {sceneWith(R"({"type": "object", "name": "A", "colour": 99, "visibility": 9})"),
       "rig.json:1:96: items[0].visibility: 9 is out of range 0-7 for an object"},
      {sceneWith(R"({"type": "bone", "boneType": 5, "owner": 7, "name": "B", "position": "up"})"),
       R"(rig.json:1:107: items[0].position: expected [x, y, z], got "up")"},
      // An item is judged before a syntax error after it, and not after one inside it.
      {sceneWith(R"({"name": "A"}, {"type": "object", "name": "B",})"),
       R"(rig.json:1:50: items[0]: missing "type")"},
      {sceneWith(R"({"type": "object", "name": "A",}, {"name": "B"})"),
       "rig.json:1:81: syntax error while parsing object key - unexpected '}'; expected string literal"},
      {sceneWith(R"({"type": "object", "name": "A", "colo\u0075r": 3, "colour": 4})"),
       "rig.json:1:100: items[0].colour: given twice"},
      {sceneWith(R"({"type": "object", "name": 1, "zzz": {"a": )" + std::string(300, '[') +
                 std::string(300, ']') + "}}"),
       "rig.json:1:345: nested deeper than 256 levels"},
      {sceneWith(R"({"type": "object", "name": "A"})") + "\n{}",
       "rig.json:2:1: syntax error while parsing value - unexpected '{'; expected end of input"},
      {sceneWith(R"({"type": "object", "name": "A"})", R"(, "selection": ["10000009", 5])"),
       "rig.json:1:98: selection[0]: no item 10000009"},
      {sceneWith(R"({"type": "object", "name": "A"})", R"(, "selection": ["10000000", 5, "10000009"])"),
       "rig.json:1:110: selection[1]: expected an ID of eight hexadecimal digits, got 5"},
      {R"({"format": "mint-scene", "format": "mint-scene", "version": 1})",
       "rig.json:1:26: format: given twice"},
      {R"({"format": "mint-scene", "version": 1, "zeta": 1, "beta": 2, "build": 9999})",
       "rig.json:1:51: beta: unknown key"},
      {R"({"version": 1, "format": 5})", "rig.json:1:16: format: expected a string, got 5"},
      {R"("just a string")", R"(rig.json:1:1: expected an object, got "just a string")"},
  });
}

// Numbers and strings are shown as the file wrote them, whatever their form.
TEST(SceneFileErrors, NumbersAndStringsOfEveryFormAreJudgedAndShownAsWritten) {
  const auto withValue = [](const std::string &key, const std::string &value) {
    return sceneWith(R"({"type": "object", "name": "A", ")" + key + R"(": )" + value + "}");
  };
  expectRefused({
      {withValue("colour", "3.0"), "rig.json:1:82: items[0].colour: expected an integer, got 3.0"},
      {withValue("colour", "18446744073709551615"),
       "rig.json:1:82: items[0].colour: 18446744073709551615 is out of range 0-14"},
      // Past 64 bits a whole number is a real, as the general parser makes it.
      {withValue("colour", "18446744073709551616"),
       "rig.json:1:82: items[0].colour: expected an integer, got 1.8446744073709552e+19"},
      {withValue("colour", "-9223372036854775809"),
       "rig.json:1:82: items[0].colour: expected an integer, got -9.223372036854776e+18"},
      {withValue("iconScale", "1e400"), "rig.json:1:95: number overflow parsing '1e400'"},
      {withValue("parent", R"("0x1000000")"),
       R"(rig.json:1:82: items[0].parent: expected an ID of eight hexadecimal digits, got "0x1000000")"},
      {withValue("parent", R"("0x0x1000")"),
       R"(rig.json:1:82: items[0].parent: expected an ID of eight hexadecimal digits, got "0x0x1000")"},
      {withValue("parent", R"("a very long name that is cut in the message")"),
       "rig.json:1:82: items[0].parent: expected an ID of eight hexadecimal digits, got \"a very long name "
       "that is cut in the ..."},
      {sceneWith("{\"type\": \"object\", \"name\": \"A\xFF\"}"),
       "rig.json:1:79: syntax error while parsing value - invalid string: ill-formed UTF-8 byte; last read: "
       "'\"A\xFF'"},
  });

  // What reads: escapes, a byte order mark, underflow to zero, and bytes
  // after a NUL, which ends the text for the general parser too.
  Host host;
  const std::string text =
      "\xEF\xBB\xBF" +
      sceneWith(R"({"type": "object", "na\u006De": "\u00e9\ud83d\ude00\n", )"
                R"("position": [0.5, -1e-400, 2.5e-1], "iconScale": 18446744073709551616})") +
      std::string("\0 trailing bytes", 16);
  ASSERT_FALSE(readScene(text, "rig.json", host));
  const Item &item = *host.scene().find(0x10000000);
  EXPECT_EQ(host.scene().name(item), "\u00e9\U0001F600\n");
  EXPECT_EQ(item.position[0], 0.5);
  EXPECT_TRUE(item.position[1] == 0 && std::signbit(item.position[1]));
  EXPECT_EQ(item.position[2], 0.25);
  EXPECT_EQ(item.iconScale, 18446744073709551616.0);
}

TEST(SceneFileErrors, IdsMustRunInFileOrderAndLinksMustHoldTogether) {
  const std::string twoObjects = R"({"type": "object", "name": "A"}, {"type": "object", "name": "B"})";
  expectRefused({
      {sceneWith(twoObjects + R"(, {"id": "10000000", "type": "object", "name": "C"})"),
       "rig.json:1:117: items[2].id: 10000000 is already the ID of items[0]"},
      {sceneWith(twoObjects + R"(, {"id": "0x10000003", "type": "object", "name": "C"})"),
       "rig.json:1:117: items[2].id: expected 10000002, the next free object ID, got 10000003"},
      {sceneWith(R"({"id": "40000000", "type": "object", "name": "A"})"),
       "rig.json:1:51: items[0].id: 40000000 is a bone ID, but the item is an object"},
      {sceneWith(R"({"id": "1000000", "type": "object", "name": "A"})"),
       R"(rig.json:1:51: items[0].id: expected an ID of eight hexadecimal digits, got "1000000")"},
      {sceneWith("\n" + twoObjects + ",\n  " + R"({"type": "light", "name": "L", "parent": "10000009"})"),
       "rig.json:3:34: items[2].parent: no item 10000009"},
      {sceneWith(R"({"type": "object", "name": "A", "parent": "10000000"})"),
       "rig.json:1:82: items[0].parent: an item cannot be its own parent"},
      {sceneWith(twoObjects +
                 R"(, {"type": "bone", "name": "X", "owner": "20000000"}, {"type": "light", "name": "L"})"),
       "rig.json:1:146: items[2].owner: 20000000 is a light, not an object"},
      {sceneWith(twoObjects + R"(, {"type": "bone", "name": "X", "owner": "10000001"}, )" +
                 R"({"type": "bone", "name": "Y", "owner": "10000000", "parent": "40000000"})"),
       "rig.json:1:219: items[3].parent: 40000000 is a bone of 10000001, not this bone's object 10000000 or "
       "one "
       "of its bones"},
      // A loop through a bone's object is named at the member listed first.
      {sceneWith(R"({"type": "bone", "name": "X", "owner": "10000000"}, )"
                 R"({"type": "object", "name": "A", "parent": "40000001"}, )"
                 R"({"type": "bone", "name": "Y", "owner": "10000000", "parent": "40000000"})"),
       "rig.json:1:80: items[0].owner: 40000000 is its own ancestor: 40000000 -> 10000000 -> 40000001 -> "
       "40000000"},
      {sceneWith(twoObjects, R"(, "selection": ["10000001", "10000002"])"),
       "rig.json:1:143: selection[1]: no item 10000002"},
      {sceneWith(twoObjects, R"(, "selection": ["10000001", "10000001"])"),
       "rig.json:1:143: selection[1]: 10000001 is listed twice"},
      {sceneWith(twoObjects, R"(, "selection": ["10000001"], "current": "10000000")"),
       "rig.json:1:144: current: 10000000 is not in the selection"},
  });
}

class SceneFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    // A fresh folder per test, named for the test and a random number.
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
      const std::string candidate =
          ::testing::TempDir() + "scene_file_" + test->name() + "_" + std::to_string(std::rand());
      if (std::filesystem::create_directory(candidate)) dir_ = candidate;
    }
    ASSERT_FALSE(dir_.empty());
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(dir_))
      names.push_back(entry.path().filename().string());
    return names;
  }

  std::string dir_;
};

TEST_F(SceneFileOnDisk, SaveReplacesTheFileWholeAndKeepsItsPermissions) {
  Host host;
  ASSERT_FALSE(readScene(defaultScene(), "default", host));
  const std::string path = dir_ + "/rig.json";
  std::ofstream(path) << "old";
#ifndef _WIN32
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
#endif

  ASSERT_EQ(saveSceneFile(path, host), std::nullopt);
#ifndef _WIN32  // Windows files have no such permission bits
  struct stat saved;
  ASSERT_EQ(::stat(path.c_str(), &saved), 0);
  EXPECT_EQ(saved.st_mode & 0777, 0640u);
#endif
  EXPECT_EQ(files(), std::vector<std::string>{"rig.json"});  // no temporary file left
  Host loaded;
  const auto error = loadSceneFile(path, loaded);
  ASSERT_FALSE(error) << error->format();
  EXPECT_EQ(writeScene(loaded), writeScene(host));
}

TEST_F(SceneFileOnDisk, FailuresNameThePathAndTheReason) {
  Host host;
  EXPECT_EQ(saveSceneFile(dir_ + "/missing/rig.json", host),
            "cannot save " + dir_ + "/missing/rig.json: No such file or directory");
  ASSERT_TRUE(std::filesystem::create_directory(dir_ + "/rig.json"));
  EXPECT_EQ(saveSceneFile(dir_ + "/rig.json", host),
            "cannot save " + dir_ + "/rig.json: it is a folder, not a regular file");
  EXPECT_EQ(files(), std::vector<std::string>{"rig.json"});

  auto error = loadSceneFile(dir_ + "/none.json", host);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->format(), dir_ + "/none.json: cannot read: No such file or directory");
  std::ofstream(dir_ + "/bad.json") << "{\n  \"format\": \"mint-scene\",\n  \"version\": true\n}\n";
  error = loadSceneFile(dir_ + "/bad.json", host);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->format(), dir_ + "/bad.json:3:3: version: this host reads version 1, not true");
}

// A file is mapped, not copied, where the system allows: its last byte may
// be the last of a page, with nothing readable after it.
TEST_F(SceneFileOnDisk, AFileEndingAtAPageEdgeLoadsAndFailsAsTheSameTextInMemory) {
  Host host;
  ASSERT_FALSE(readScene(defaultScene(), "default", host));
  const std::string saved = writeScene(host);
  const std::string path = dir_ + "/rig.json";
  for (const size_t page : {size_t{4096}, size_t{16384}}) {
    ASSERT_LT(saved.size(), page);
    // Whole, padded with blanks to the page's end without a line break.
    std::string text = saved.substr(0, saved.find_last_not_of(" \n") + 1);
    text.append(page - text.size(), ' ');
    std::ofstream(path, std::ios::binary) << text;
    Host loaded;
    const auto error = loadSceneFile(path, loaded);
    ASSERT_FALSE(error) << error->format();
    EXPECT_EQ(writeScene(loaded), saved);
    // Cut off inside a string, a number, a key and between values, at the page's end.
    for (const char *cut : {"\"Neck", "1.0", "\"parent\"", "},"}) {
      SCOPED_TRACE(cut);
      const size_t found = saved.rfind(cut);
      ASSERT_NE(found, std::string::npos);
      const size_t at = found + std::string_view(cut).size() - 1;
      const std::string cutOff = std::string(page - at, '\n') + saved.substr(0, at);
      std::ofstream(path, std::ios::binary) << cutOff;
      Host fromFile, fromText;
      const auto onDisk = loadSceneFile(path, fromFile);
      const auto inMemory = readScene(cutOff, path, fromText);
      ASSERT_TRUE(onDisk && inMemory);
      EXPECT_EQ(onDisk->formatWithSource(), inMemory->formatWithSource());
    }
  }
}

TEST(ResolveItem, FindsByIdOrNameAndListsCandidatesWhenANameRepeats) {
  Scene scene;
  const ItemID body = scene.addObject("Body");
  const ItemID prop = scene.addObject("Prop");
  const ItemID first = scene.addBone("Bone_1", body);
  scene.addBone("Chest", first);
  const ItemID second = scene.addBone("Bone_1", prop);
  const ItemID hexNamed = scene.addLight("20000005");
  const ItemID lonely = scene.addLight("Bone_1");

  EXPECT_EQ(std::get<ItemID>(resolveItem(scene, "10000001")), prop);
  EXPECT_EQ(std::get<ItemID>(resolveItem(scene, "0x40000002")), second);
  EXPECT_EQ(std::get<ItemID>(resolveItem(scene, "Chest")), 0x40000001u);
  // A name that looks like an ID still names its item when no item has that ID.
  EXPECT_EQ(std::get<ItemID>(resolveItem(scene, "20000005")), hexNamed);

  EXPECT_EQ(std::get<std::string>(resolveItem(scene, "Bone_1")),
            "\"Bone_1\" names 3 items: " + hexId(lonely) +
                " (top level), 40000000 (under Body), 40000002 (under Prop)");
  EXPECT_EQ(std::get<std::string>(resolveItem(scene, "chest")),
            "no item named \"chest\" (did you mean \"Chest\"?)");
  EXPECT_EQ(std::get<std::string>(resolveItem(scene, "Pelvis")), "no item named \"Pelvis\"");
  EXPECT_EQ(std::get<std::string>(resolveItem(scene, "10000009")), "no item 10000009");
  EXPECT_EQ(std::get<std::string>(resolveItem(scene, "")), "no item name or ID given");
}

}  // namespace
}  // namespace layout
