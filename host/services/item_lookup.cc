// Finding an item the user names on the command line.
#include <algorithm>
#include <cctype>
#include <vector>

#include "host/commands/command_args.h"
#include "host/scene_files/scene_file.h"
#include "host/scene_files/scene_keys.h"
#include "host/text/spelling.h"

namespace layout {
namespace {

// Eight hexadecimal digits, with or without 0x: what the module writes.
bool looksLikeId(std::string_view text, ItemID &id) {
  if (text.size() == 10 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  return text.size() == 8 &&
         std::all_of(text.begin(), text.end(),
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }) &&
         parseItemId(text, id);
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string whereIs(const Scene &scene, const Item &item) {
  const Item *parent = scene.find(scene.effectiveParent(item));
  return parent ? "under " + std::string(scene.name(*parent)) : "top level";
}

}  // namespace

std::variant<ItemID, std::string> resolveItem(const Scene &scene, std::string_view nameOrId) {
  if (nameOrId.empty()) return std::string("no item name or ID given");
  // An ID first, so every item can be named even when names repeat; a
  // name that only looks like an ID still works when no item has that ID.
  ItemID id = 0;
  const bool idLike = looksLikeId(nameOrId, id);
  if (idLike && scene.find(id)) return id;

  std::vector<const Item *> named;
  for (ItemType type : kFileTypeOrder) {
    for (const Item &item : scene.items(type)) {
      if (scene.name(item) == nameOrId) named.push_back(&item);
    }
  }
  if (named.size() == 1) return named.front()->id;
  if (named.empty()) {
    if (idLike) return "no item " + hexId(id);
    Suggestion suggestion(nameOrId);
    for (ItemType type : kFileTypeOrder) {
      for (const Item &item : scene.items(type)) suggestion.consider(scene.name(item));
    }
    return "no item named " + quoted(nameOrId) + suggestion.hint();
  }
  // Enough candidates to choose from; a run of a thousand same-named bones
  // does not need them all.
  constexpr size_t kListed = 10;
  std::string message = quoted(nameOrId) + " names " + std::to_string(named.size()) + " items: ";
  for (size_t i = 0; i < named.size() && i < kListed; ++i) {
    if (i > 0) message += ", ";
    message += hexId(named[i]->id) + " (" + whereIs(scene, *named[i]) + ")";
  }
  if (named.size() > kListed) message += ", and " + std::to_string(named.size() - kListed) + " more";
  return message;
}

}  // namespace layout
