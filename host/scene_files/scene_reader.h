// Builds a scene from a scene file as the parser goes: each item is checked
// and created as soon as its object is parsed, then dropped from the parsed
// document, so a file of a million bones never sits in memory as a tree.
// Links are checked once every item exists, since they may point ahead.
// Every check throws a SceneProblem naming the offending value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "host/scene_files/scene_values.h"
#include "host/services/services.h"

namespace layout {

class SceneReader {
 public:
  // The parser's callback; false drops the value from the document.
  bool onEvent(int depth, Json::parse_event_t event, Json &parsed);
  // After the parse, with the document that is left.
  void finish(const Json &document);

  Scene &scene() { return scene_; }
  uint32_t build() const { return build_; }
  int dynamicUpdate() const { return dynamicUpdate_; }

 private:
  void readItem(const Json &json);
  ItemID assignId(ItemType type, const Json &json, const JsonPath &path) const;
  void readProperties(Item &item, const Json &json, const JsonPath &path);
  void linkItems();
  void checkForLoops();
  void readSelection(const Json &document);
  size_t fileIndex(ItemID id) const;

  Scene scene_;
  uint32_t build_ = kDefaultHostBuild;
  int dynamicUpdate_ = 0;
  std::vector<ItemID> fileOrder_;  // each item's ID, in file order
  // Where the parser is.
  std::string topKey_;
  bool inItems_ = false;
  std::vector<std::string> topKeys_, itemKeys_;  // to refuse a key given twice
};

}  // namespace layout
