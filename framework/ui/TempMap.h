// Per-thread wrappers for handles the program does not own, so that FromHandle can
// hand out a framework object for any handle. The wrappers never release their handle
// (Clear takes it out of each before deleting it) and live until the thread's next
// idle time, or its end.
#pragma once

#include <map>
#include <memory>

template <class Key, class Object>
class TempMap {
 public:
  TempMap() = default;
  TempMap(const TempMap&) = delete;
  TempMap& operator=(const TempMap&) = delete;
  ~TempMap() { Clear(); }

  Object* Find(const Key& key) const {
    auto it = m_map.find(key);
    return it == m_map.end() ? nullptr : it->second.get();
  }
  Object* Add(const Key& key, std::unique_ptr<Object> object) {
    Object* raw = object.get();
    m_map[key] = std::move(object);
    return raw;
  }
  void Clear() {
    for (auto& entry : m_map) entry.second->ForgetTemporaryHandle();
    m_map.clear();
  }

 private:
  std::map<Key, std::unique_ptr<Object>> m_map;
};
