#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace lumivane {

// The folder listing's order: ASCII letters compared without case, ties
// broken byte by byte. Locale-free, so every machine lists alike.
void SortFileNames(std::vector<std::string>& names);
bool FileNameBefore(const std::string& a, const std::string& b);

// The name with its ASCII letters in lower case.
std::string FoldedName(const std::string& name);

// Sorts `items` in that order by the name `nameOf` gives. Each name is
// folded once, not in every comparison, and positions are sorted rather than
// the items: the comparisons then compare plain bytes, whole words at a time,
// and each item is moved once. A merge sort: a folder lists its names in
// runs (newest first on tmpfs), which push a quicksort's pivots into its slow
// fallback, twice the comparisons of a shuffled listing; merging needs fewer
// in any order, and the order is total, so stability changes nothing.
template <typename Item, typename NameOf>
void SortByFileName(std::vector<Item>& items, NameOf nameOf) {
  std::vector<std::string> folded;
  folded.reserve(items.size());
  for (const Item& item : items) folded.push_back(FoldedName(nameOf(item)));
  std::vector<std::size_t> order(items.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int compared = folded[a].compare(folded[b]);
    return compared != 0 ? compared < 0 : nameOf(items[a]) < nameOf(items[b]);
  });
  std::vector<Item> sorted;
  sorted.reserve(items.size());
  for (const std::size_t i : order) sorted.push_back(std::move(items[i]));
  items = std::move(sorted);
}

}  // namespace lumivane
