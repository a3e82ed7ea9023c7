// Layout scene files: what is read into the scene, what is kept, and where
// a save puts changed lines and new items.
#include "host/scene_files/lws_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "tests/host/lws_corpus.h"

namespace layout {
namespace {

using testing::corpusFile;

std::vector<std::string> linesOf(const std::string &text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A host holding a scene file, and its document.
struct Loaded {
  Host host;
  std::unique_ptr<LwsDocument> document;
  std::string original;

  explicit Loaded(std::string text) : original(text) {
    const std::optional<FileError> error = readLwsScene(std::move(text), "scene.lws", host, document);
    EXPECT_FALSE(error) << error->formatWithSource();
  }
  Scene &scene() { return host.scene(); }
  std::string save() const { return writeLwsScene(host, document.get()); }
  void run(const std::vector<std::string> &commands) {
    for (const std::string &command : commands) ASSERT_NE(host.commands().evaluate(command), 0) << command;
  }
  const Item &named(std::string_view name) {
    for (ItemType type : {ItemType::kObject, ItemType::kLight, ItemType::kCamera, ItemType::kBone}) {
      for (const Item &item : scene().items(type)) {
        if (scene().name(item) == name) return item;
      }
    }
    ADD_FAILURE() << "no item " << name;
    return scene().items(ItemType::kObject)[0];
  }
};

// The lines of `after` that are not in `before` at the same place, and the
// lines of `before` that are gone, by a plain longest-common-subsequence walk.
struct LineDiff {
  std::vector<std::string> added, removed;
};
LineDiff diffLines(const std::string &before, const std::string &after) {
  const std::vector<std::string> a = linesOf(before), b = linesOf(after);
  std::vector<std::vector<int>> common(a.size() + 1, std::vector<int>(b.size() + 1, 0));
  for (size_t i = a.size(); i-- > 0;) {
    for (size_t j = b.size(); j-- > 0;) {
      common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    }
  }
  LineDiff diff;
  size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && a[i] == b[j]) {
      ++i, ++j;
    } else if (j < b.size() && (i == a.size() || common[i][j + 1] >= common[i + 1][j])) {
      diff.added.push_back(b[j++]);
    } else {
      diff.removed.push_back(a[i++]);
    }
  }
  return diff;
}

TEST(LwsFile, EveryCorpusSceneSavesBackByteForByte) {
  for (const auto &entry : std::filesystem::directory_iterator(LWS_CORPUS_DIR)) {
    SCOPED_TRACE(entry.path().filename().string());
    Loaded loaded(corpusFile(entry.path().filename().string()));
    EXPECT_EQ(loaded.save(), loaded.original);
  }
}

TEST(LwsFile, ReadsItemsWithTheValuesTheHostModelsAndMapsTheFileIds) {
  Loaded rig(corpusFile("v5_rig.lws"));
  Scene &scene = rig.scene();
  ASSERT_EQ(scene.items(ItemType::kObject).size(), 3u);
  ASSERT_EQ(scene.items(ItemType::kBone).size(), 6u);
  ASSERT_EQ(scene.items(ItemType::kLight).size(), 2u);
  ASSERT_EQ(scene.items(ItemType::kCamera).size(), 1u);

  // Objects are named as Layout shows their file; the first key of each
  // position channel is the position, whatever keys follow.
  const Item &body = rig.named("Hero Body");
  EXPECT_EQ(body.id, 0x10000000u);
  EXPECT_FALSE(body.has(kItemNull));
  EXPECT_EQ(body.visibility, 6);
  EXPECT_EQ(body.colour, 7);  // a colour of its own keeps the palette default
  EXPECT_EQ(body.position[1], 0.5);
  EXPECT_TRUE(body.has(kItemUnseenByRadiosity));
  EXPECT_EQ(rig.named("Crate.v2").parent, 0x10000001u);  // a Windows path, a dot in the name

  const Item &pivot = rig.named("Prop Pivot (Zoë) ✓");
  EXPECT_TRUE(pivot.has(kItemNull));
  EXPECT_EQ(pivot.visibility, 3);
  EXPECT_EQ(pivot.colour, 12);
  EXPECT_EQ(pivot.parent, rig.named("Neck").id);  // an object below a bone
  EXPECT_FALSE(pivot.has(kItemReceiveShadow));
  EXPECT_TRUE(pivot.has(kItemSelfShadow) && pivot.has(kItemCastShadow));
  EXPECT_TRUE(pivot.has(kItemUnseenByRays) && pivot.has(kItemUnseenByCamera) &&
              pivot.has(kItemUnaffectedByFog));
  EXPECT_EQ(pivot.alphaMode, kAlphaConstantBlack);

  // 40000001 in the file is bone 0 of object 1: the host's fifth bone.
  const Item &tail = rig.named("Tail Root");
  EXPECT_EQ(tail.id, 0x40000004u);
  EXPECT_EQ(tail.owner, pivot.id);
  EXPECT_EQ(tail.parent, 0u);  // a root bone
  EXPECT_EQ(tail.boneType, kBoneJoint);
  EXPECT_FALSE(tail.has(kItemActive));
  EXPECT_FALSE(tail.has(kItemBoneMultiply));
  EXPECT_EQ(tail.strength, 2.5);
  EXPECT_EQ(tail.restLength, 0.5);
  EXPECT_EQ(tail.colour, 4);
  EXPECT_EQ(rig.named("Tail Tip").parent, tail.id);
  EXPECT_EQ(rig.named("Chest").parent, rig.named("Spine Lower").id);
  EXPECT_TRUE(rig.named("Hips").has(kItemBoneMultiply));

  EXPECT_EQ(rig.named("Fill").parent, body.id);
  EXPECT_EQ(rig.named("Shot Camera").position[2], -6);
  EXPECT_TRUE(scene.selection().empty());

  // Version 3 files number items by order, bones within their object.
  Loaded robot(corpusFile("v3_robot.lws"));
  EXPECT_EQ(robot.named("Grip").parent, robot.named("Joint").id);
  EXPECT_EQ(robot.named("Light").parent, robot.named("Target").id);
  EXPECT_EQ(robot.named("Joint").parent, robot.named("Base").id);
}

TEST(LwsFile, AfterARunOnlyTheLinesOfChangedValuesDiffer) {
  Loaded rig(corpusFile("v5_rig.lws"));
  const ItemID pivot = rig.named("Prop Pivot (Zoë) ✓").id;
  rig.run({"SelectItem " + hexId(pivot), "ItemColor 3", "Position 1.5 2 -0.25", "UnseenByRays",
           "ParentItem 0", "SelectItem " + hexId(rig.named("Chest").id), "BoneRestLength 0.75",
           "BoneStrengthMultiply", "ItemVisibility 0"});
  const LineDiff diff = diffLines(rig.original, rig.save());
  // In file order: the chest bone's lines come before the null's.
  EXPECT_EQ(diff.removed,
            (std::vector<std::string>{"ShowBone 1 -1 0.376471 0.878431 0.376471", "BoneRestLength 0.3",
                                      "ScaleBoneStrength 1", "ShowObject 3 12", "  Key 0 0 0 0 0 0 0 0 0",
                                      "ParentItem 40030000", "UnseenByRays 1"}));
  EXPECT_EQ(diff.added,
            (std::vector<std::string>{"ShowBone 0 -1 0.376471 0.878431 0.376471", "BoneRestLength 0.75",
                                      "ScaleBoneStrength 0", "ShowObject 3 3", "  Key 2 0 0 0 0 0 0 0 0"}));

  // A value the file did not write, such as a parent, is added to the item.
  Loaded again(corpusFile("v5_rig.lws"));
  again.run({"SelectItem 10000000", "ParentItem 20000000", "UnseenByCamera"});
  const LineDiff added = diffLines(again.original, again.save());
  EXPECT_TRUE(added.removed.empty());
  EXPECT_EQ(added.added, (std::vector<std::string>{"ParentItem 20000000", "UnseenByCamera 1"}));
}

TEST(LwsFile, NewItemsGoWhereLayoutPutsThemWithTheNextNumbers) {
  Loaded rig(corpusFile("v5_rig.lws"));
  rig.run({"SelectItem 10000000", "AddNull Pivot One", "AddNull Pivot Two",
           "ParentItem " + hexId(rig.named("Neck").id), "SelectItem " + hexId(rig.named("Tail Tip").id),
           "AddChildBone Tail End", "SelectItem 10000002", "AddBone Lid"});
  const std::vector<std::string> lines = linesOf(rig.save());
  const auto at = [&](const std::string &line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  };
  // Nulls after the last object, before the scene-wide lines that follow it.
  EXPECT_GT(at("AddNullObject 10000003 Pivot One"),
            at("LoadObjectLayer 2 10000002 C:\\Projects\\Set\\Objects\\Crate.v2.lwo"));
  EXPECT_GT(at("AddNullObject 10000004 Pivot Two"), at("AddNullObject 10000003 Pivot One"));
  EXPECT_LT(at("AddNullObject 10000004 Pivot Two"), at("AmbientColor 1 1 1"));
  // A bone after the last bone of its object, before the object's own keys
  // that follow its bones; its ID is the next bone number of that object.
  EXPECT_GT(at("AddBone 40020001"), at("AddBone 40010001"));
  EXPECT_LT(at("AddBone 40020001"), at("ShadowOptions 3"));
  EXPECT_EQ(lines[at("AddBone 40020001") + 1], "BoneName Tail End");
  // An object without bones gets its first one at the end of its lines.
  EXPECT_GT(at("AddBone 40000002"),
            at("LoadObjectLayer 2 10000002 C:\\Projects\\Set\\Objects\\Crate.v2.lwo"));
  EXPECT_LT(at("AddBone 40000002"), at("AddNullObject 10000003 Pivot One"));

  // Read back, the new items are where the run made them.
  Loaded back(rig.save());
  EXPECT_EQ(back.named("Pivot Two").parent, back.named("Neck").id);
  EXPECT_EQ(back.named("Tail End").parent, back.named("Tail Tip").id);
  EXPECT_EQ(back.named("Lid").owner, back.named("Crate.v2").id);
  EXPECT_EQ(back.save(), rig.save());
}

TEST(LwsFile, VersionThreeAndCrLfFilesStayWhatTheyAre) {
  Loaded robot(corpusFile("v3_robot.lws"));
  robot.run({"SelectItem " + hexId(robot.named("Joint").id), "AddChildBone Finger", "SelectItem 10000000",
             "AddNull Aim"});
  const std::string saved = robot.save();
  EXPECT_NE(saved.find("\nAddBone\nBoneName Finger\n"), std::string::npos);
  EXPECT_NE(saved.find("ParentItem 40010000\n"), std::string::npos);
  EXPECT_NE(saved.find("\nAddNullObject Aim\n"), std::string::npos);
  Loaded back(saved);
  EXPECT_EQ(back.named("Finger").parent, back.named("Joint").id);
  EXPECT_EQ(back.named("Grip").parent, back.named("Joint").id);  // still the same bone

  Loaded table(corpusFile("v4_crlf.lws"));
  table.run({"SelectItem " + hexId(table.named("Arm Lower").id), "AddChildBone Hand", "ItemColor 2"});
  const std::string crlf = table.save();
  for (size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 1)) {
    ASSERT_EQ(crlf[at - 1], '\r') << "a bare line feed at byte " << at;
  }
  EXPECT_NE(crlf.find("AddBone 40020001\r\nBoneName Hand\r\nShowBone 1 2\r\n"), std::string::npos);
}

TEST(LwsFile, AScenesWrittenAnewReadsBackAsTheSameScene) {
  Host host;
  ASSERT_FALSE(readScene(defaultScene(), "default", host));
  host.commands().evaluate("SelectItem 10000001");
  host.commands().evaluate("ParentItem 20000000");
  Item &hips = *host.scene().find(0x10000001);
  hips.position[0] = -0.125;
  hips.flags &= ~kItemCastShadow;
  hips.flags |= kItemUnseenByRadiosity;
  hips.alphaMode = kAlphaUnaffectedByObjects;
  host.scene().find(0x40000001)->boneType = kBoneJoint;
  const std::string text = writeLwsScene(host, nullptr);
  EXPECT_EQ(text.rfind("LWSC\n5\n", 0), 0u);

  Loaded back(text);
  for (ItemType type : {ItemType::kObject, ItemType::kLight, ItemType::kCamera, ItemType::kBone}) {
    const auto &a = host.scene().items(type);
    const auto &b = back.scene().items(type);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
      SCOPED_TRACE(hexId(a[i].id));
      EXPECT_EQ(host.scene().name(a[i]), back.scene().name(b[i]));
      const LwsValues x = modelledValues(a[i]), y = modelledValues(b[i]);
      EXPECT_EQ(a[i].owner, b[i].owner);
      EXPECT_EQ(x.parent, y.parent);
      EXPECT_EQ(x.flags, y.flags);
      EXPECT_EQ(x.visibility, y.visibility);
      EXPECT_EQ(x.colour, y.colour);
      EXPECT_EQ(x.alphaMode, y.alphaMode);
      EXPECT_EQ(x.boneType, y.boneType);
      EXPECT_EQ(x.restLength, y.restLength);
      for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(x.position[axis], y.position[axis]);
    }
  }
}

TEST(LwsFile, ABadFileIsRefusedWithItsPlaceAndTheHostKeepsItsScene) {
  const std::string head = "LWSC\n5\n\n";
  const std::string null = "AddNullObject 10000000 Root\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "scene.lws:1:1: not a Layout scene file: expected \"LWSC\" on the first line"},
      {"LWSC\n6\n", "scene.lws:2:1: expected the format version 3, 4 or 5, got \"6\""},
      {head + null + "ShowObject 9 3\n", "scene.lws:5:12: ShowObject: expected a visibility 0-7, got \"9\""},
      {head + null + "ShowObject 1\n", "scene.lws:5:13: ShowObject: expected a colour -1-14, got nothing"},
      {head + "AddNullObject Root\n",
       "scene.lws:4:15: AddNullObject: expected an item ID (8 hexadecimal digits, the first 1-4), got "
       "\"Root\""},
      {head + "AddNullObject 40000000 Root\n",
       "scene.lws:4:15: AddNullObject: 40000000 is a bone ID, expected an object ID"},
      {head + null + null, "scene.lws:5:15: 10000000 is already the ID of the item declared on line 4"},
      {head + "AddBone 40000000\n", "scene.lws:4:1: AddBone: no object before it to own the bone"},
      {head + null + "ParentItem 10000005\n", "scene.lws:5:12: ParentItem: no item 10000005 in this file"},
      {head + null +
           "ObjectMotion\nNumChannels 9\nChannel 0\n{ Envelope\n  1\n  Key zero 0 0 0 0 0 0 0 0\n}\n",
       "scene.lws:10:7: Key: expected the key's value (a number), got \"zero\""},
      {head + null + "{ Plugin\n  Data 1\n",
       "scene.lws:5:1: this block is never closed: expected \"}\" on a line of its own"},
      {head + null + "}\n", "scene.lws:5:1: \"}\" closes no block"},
      {head + null +
           "AddNullObject 10000001 Child\nParentItem 10000000\nAddBone 40000001\nParentItem 10000000\n",
       "scene.lws:8:12: ParentItem: a bone hangs from its own object 10000001 or one of its bones, not "
       "10000000"},
      {head + null + "ParentItem 10000001\nAddNullObject 10000001 Child\nParentItem 10000000\n",
       "scene.lws:5:12: 10000000 is its own ancestor: 10000000 -> 10000001 -> 10000000"},
  };
  for (const auto &[text, message] : cases) {
    Host host;
    const ItemID body = host.scene().addObject("Body");
    std::unique_ptr<LwsDocument> document;
    const std::optional<FileError> error = readLwsScene(text, "scene.lws", host, document);
    ASSERT_TRUE(error) << message;
    EXPECT_EQ(error->format(), message);
    EXPECT_FALSE(document);
    EXPECT_EQ(host.scene().itemCount(), 1u);
    EXPECT_TRUE(host.scene().find(body));
  }
  Host host;
  std::unique_ptr<LwsDocument> document;
  const auto error = readLwsScene(head + null + "ShowObject 9 3\n", "scene.lws", host, document);
  EXPECT_EQ(
      error->formatWithSource(),
      "scene.lws:5:12: ShowObject: expected a visibility 0-7, got \"9\"\n  ShowObject 9 3\n             ^");

  // Keywords the reader does not know are kept, not refused.
  Loaded unknown(head + null + "SomeFuturePlugin 1 2 3\n{ Whatever\n  Nested stuff\n}\n");
  EXPECT_EQ(unknown.save(), unknown.original);
}

// Lines inside blocks are passed over up to the next brace that starts a
// line; a brace anywhere else, or a word that only starts with one, must
// not end or open a block.
TEST(LwsFile, BlocksAreFollowedWhereverTheirBracesFall) {
  const std::string text =
      "LWSC\n5\n\nAddNullObject 10000000 Root\nObjectMotion\nNumChannels 9\n"
      "Channel 0\n{ Envelope\n  1\n  { Nested {inner}\n    Key 7 0 0 0 0 0 0 0 0\n  }\n"
      "  Key 2.5 0 0 0 0 0 0 0 0\n  Behaviors 1 1 }x\n}x\n}   \n"
      "Channel 1\n\t{ Envelope\n  Key -1.25 0 0 0 0 0 0 0 0\n  Key 9 0 0 0 0 0 0 0 0\n\t}\n"
      "Channel 4\n{ Envelope\n  { Inner\n  }\n  Key 3 0 0 0 0 0 0 0 0\n}\n"
      "Channel 2\n{ Envelope\n  1\n  Key 0.125 0 0 0 0 0 0 0 0\n}";
  for (const bool crlf : {false, true}) {
    SCOPED_TRACE(crlf ? "CRLF" : "LF");
    std::string file = text;
    for (size_t at = 0; crlf && (at = file.find('\n', at)) != std::string::npos; at += 2)
      file.insert(at, "\r");
    Loaded loaded(file);
    const Item &root = loaded.named("Root");
    EXPECT_EQ(root.position[0], 2.5);
    EXPECT_EQ(root.position[1], -1.25);
    EXPECT_EQ(root.position[2], 0.125);
    EXPECT_EQ(loaded.save(), file);

    // Cut off inside the last block, without a line break: that block is never closed.
    Host host;
    std::unique_ptr<LwsDocument> document;
    const std::optional<FileError> error =
        readLwsScene(file.substr(0, file.rfind("  Key")), "scene.lws", host, document);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->format(),
              "scene.lws:29:1: this block is never closed: expected \"}\" on a line of its own");
  }
}

// Layout numbers the items of a type in the order it writes them, but a
// file edited by hand may not: IDs out of order still link, and one given
// twice is still found, after them.
TEST(LwsFile, IdsOutOfOrderLinkAndARepeatAfterThemIsFound) {
  const std::string text =
      "LWSC\n5\n\nAddNullObject 10000002 C\nAddNullObject 10000000 A\nParentItem 10000002\n"
      "AddNullObject 10000001 B\nParentItem 10000000\nLoadObjectLayer 1 10000003 Objects/Body.lwo\n"
      "AddBone 40010003\nBoneName Upper\nAddBone 40000003\nBoneName Lower\nParentItem 40010003\n"
      "AddBone 40020003\nBoneName Tip\nParentItem 40000003\n";
  Loaded loaded(text);
  EXPECT_EQ(loaded.named("A").parent, loaded.named("C").id);
  EXPECT_EQ(loaded.named("B").parent, loaded.named("A").id);
  EXPECT_EQ(loaded.named("Lower").parent, loaded.named("Upper").id);
  EXPECT_EQ(loaded.named("Tip").parent, loaded.named("Lower").id);
  EXPECT_EQ(loaded.save(), text);

  for (const auto &[repeat, message] : std::vector<std::pair<std::string, std::string>>{
           {"AddNullObject 10000001 Again\n",
            "scene.lws:18:15: 10000001 is already the ID of the item declared on line 7"},
           {"AddBone 40000003\n",
            "scene.lws:18:9: 40000003 is already the ID of the item declared on line 12"}}) {
    Host host;
    std::unique_ptr<LwsDocument> document;
    const std::optional<FileError> error = readLwsScene(text + repeat, "scene.lws", host, document);
    ASSERT_TRUE(error) << message;
    EXPECT_EQ(error->format(), message);
  }
}

TEST(LwsFile, AnObjectBeyondWhatBoneIdsCanNumberIsRefusedOnSave) {
  Host host;
  Scene &scene = host.scene();
  const ItemID body = scene.addObject("Body");
  for (int i = 0; i < 4097; ++i) scene.addBone("Bone", body);
  EXPECT_THROW(writeLwsScene(host, nullptr), LwsWriteError);
}

}  // namespace
}  // namespace layout
