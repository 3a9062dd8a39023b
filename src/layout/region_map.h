#pragma once

// RegionMap: an ordered map from region number to Rect.
//
// Region rectangles are recomputed on every drag tick (every 15 ms), so the map keeps up
// to 16 entries -- every region a valid tree can have -- inline in a sorted array and
// building one never touches the heap. Only a tree that is already invalid (read from a
// damaged state file and not yet validated) can have more distinct numbers; those entries
// move to a heap vector so that nothing is lost or overrun.
//
// The interface is the part of std::map the program needs: ascending iteration over
// (region, Rect) pairs, lookup, insertion without or with overwrite, erase.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "base/geometry.h"

namespace tessary {

class RegionMap {
 public:
  using key_type = std::int32_t;
  using mapped_type = Rect;
  using value_type = std::pair<std::int32_t, Rect>;
  using const_iterator = const value_type*;
  static constexpr std::size_t kInlineCapacity = 16;

  RegionMap() = default;
  RegionMap(std::initializer_list<value_type> entries) {
    for (const auto& entry : entries) insert_or_assign(entry.first, entry.second);
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const_iterator begin() const { return data(); }
  const_iterator end() const { return data() + size_; }

  const_iterator find(key_type region) const {
    const_iterator it = LowerBound(region);
    return it != end() && it->first == region ? it : end();
  }
  bool contains(key_type region) const { return find(region) != end(); }
  std::size_t count(key_type region) const { return contains(region) ? 1 : 0; }

  // Null when the region is absent.
  const Rect* Get(key_type region) const {
    const_iterator it = find(region);
    return it == end() ? nullptr : &it->second;
  }

  // Inserts only when the region is absent (like std::map::emplace); true if inserted.
  bool emplace(key_type region, const Rect& rect) {
    const_iterator it = LowerBound(region);
    if (it != end() && it->first == region) return false;
    InsertAt(static_cast<std::size_t>(it - begin()), region, rect);
    return true;
  }

  void insert_or_assign(key_type region, const Rect& rect) { (*this)[region] = rect; }

  Rect& operator[](key_type region) {
    const_iterator it = LowerBound(region);
    std::size_t index = static_cast<std::size_t>(it - begin());
    if (it == end() || it->first != region) InsertAt(index, region, Rect{});
    return mutable_data()[index].second;
  }

  std::size_t erase(key_type region) {
    const_iterator it = find(region);
    if (it == end()) return 0;
    value_type* items = mutable_data();
    std::size_t index = static_cast<std::size_t>(it - begin());
    std::move(items + index + 1, items + size_, items + index);
    --size_;
    if (spilled_) spill_.pop_back();
    return 1;
  }

  void clear() {
    size_ = 0;
    spill_.clear();
    spilled_ = false;
  }

  friend bool operator==(const RegionMap& a, const RegionMap& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

 private:
  const value_type* data() const { return spilled_ ? spill_.data() : inline_.data(); }
  value_type* mutable_data() { return spilled_ ? spill_.data() : inline_.data(); }

  const_iterator LowerBound(key_type region) const {
    // Entries usually arrive in ascending order, so try the end first.
    if (size_ == 0 || (end() - 1)->first < region) return end();
    return std::lower_bound(begin(), end(), region, [](const value_type& entry, key_type key) {
      return entry.first < key;
    });
  }

  void InsertAt(std::size_t index, key_type region, const Rect& rect) {
    if (!spilled_ && size_ == kInlineCapacity) {
      spill_.assign(inline_.begin(), inline_.end());
      spilled_ = true;
    }
    if (spilled_) {
      spill_.insert(spill_.begin() + static_cast<std::ptrdiff_t>(index), value_type{region, rect});
    } else {
      std::move_backward(inline_.begin() + index, inline_.begin() + size_,
                         inline_.begin() + size_ + 1);
      inline_[index] = value_type{region, rect};
    }
    ++size_;
  }

  std::array<value_type, kInlineCapacity> inline_{};
  std::vector<value_type> spill_;
  std::size_t size_ = 0;
  bool spilled_ = false;
};

}  // namespace tessary
