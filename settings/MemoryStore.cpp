// In-memory registry double with failure injection.
#include "settings/MemoryStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace tembori {
namespace {

// ASCII case only: the program's key and value names are ASCII.
constexpr char LowerChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerChar);
  return lower;
}

// Registry names compare without regard to case; compared in place, since every store
// operation looks names up.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerChar(x) == LowerChar(y);
         });
}

}  // namespace

class MemoryStore::Key : public StoreKey {
 public:
  // A key opened for reading only refuses writes and deletes, as the registry's does.
  Key(MemoryStore& store, std::string path, bool writable)
      : store_(store), path_(std::move(path)), writable_(writable) {
    ++*store_.openKeys_;
  }
  ~Key() override { --*store_.openKeys_; }

  StoreResult Query(std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override {
    if (store_.Fails(Operation::Query, path_, name)) return StoreResult::Failed;
    const Value* value = store_.Find(path_, name);
    if (value == nullptr) return StoreResult::NotFound;
    if (type != nullptr) *type = value->type;
    const auto length = static_cast<std::uint32_t>(value->data.size());
    if (data == nullptr) {
      if (size != nullptr) *size = length;
      return StoreResult::Ok;
    }
    if (size == nullptr) return StoreResult::Failed;
    if (*size < length) {
      *size = length;
      return StoreResult::MoreData;
    }
    if (length != 0) std::memcpy(data, value->data.data(), length);
    *size = length;
    return StoreResult::Ok;
  }

  StoreResult WriteDword(std::string_view name, std::uint32_t value) override {
    if (!writable_ || store_.Fails(Operation::Write, path_, name)) return StoreResult::Failed;
    store_.PutDword(path_, name, value);
    return StoreResult::Ok;
  }

  StoreResult WriteString(std::string_view name, std::string_view text) override {
    if (!writable_ || store_.Fails(Operation::Write, path_, name)) return StoreResult::Failed;
    store_.PutString(path_, name, text);
    return StoreResult::Ok;
  }

  StoreResult DeleteValue(std::string_view name) override {
    if (!writable_ || store_.Fails(Operation::Delete, path_, name)) return StoreResult::Failed;
    Values* values = store_.FindKey(path_);
    if (values == nullptr) return StoreResult::Failed;
    auto& entries = values->entries;
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const auto& entry) { return SameName(entry.first, name); });
    if (found == entries.end()) return StoreResult::NotFound;
    entries.erase(found);
    return StoreResult::Ok;
  }

 private:
  MemoryStore& store_;
  const std::string path_;
  const bool writable_;
};

StoreResult MemoryStore::Open(std::string_view path, bool writable,
                              std::unique_ptr<StoreKey>& key) {
  key.reset();
  if (Fails(Operation::Open, path, {})) return StoreResult::Failed;
  if (FindKey(path) == nullptr) return StoreResult::NotFound;
  key = std::make_unique<Key>(*this, std::string(path), writable);
  return StoreResult::Ok;
}

StoreResult MemoryStore::OpenKey(std::string_view path, std::unique_ptr<StoreKey>& key) {
  return Open(path, false, key);
}

StoreResult MemoryStore::OpenKeyToWrite(std::string_view path, std::unique_ptr<StoreKey>& key) {
  return Open(path, true, key);
}

StoreResult MemoryStore::CreateKey(std::string_view path, std::unique_ptr<StoreKey>& key,
                                   bool* createdNew) {
  key.reset();
  if (Fails(Operation::Create, path, {})) return StoreResult::Failed;
  const bool existed = FindKey(path) != nullptr;
  MakeKey(path);
  if (createdNew != nullptr) *createdNew = !existed;
  key = std::make_unique<Key>(*this, std::string(path), true);
  return StoreResult::Ok;
}

void MemoryStore::FailOn(Operation operation, std::string_view path, std::string_view name) {
  failures_.emplace(operation, Lower(path), Lower(name));
}

void MemoryStore::ExhaustOn(Operation operation, std::string_view path, std::string_view name) {
  exhaustions_.emplace(operation, Lower(path), Lower(name));
}

bool MemoryStore::Matches(const std::set<Trigger>& triggers, Operation operation,
                          std::string_view path, std::string_view name) {
  if (triggers.empty()) return false;
  const std::string lowerPath = Lower(path);
  return triggers.count({operation, lowerPath, std::string()}) != 0 ||
         (!name.empty() && triggers.count({operation, lowerPath, Lower(name)}) != 0);
}

bool MemoryStore::Fails(Operation operation, std::string_view path, std::string_view name) const {
  if (Matches(exhaustions_, operation, path, name)) {
#if defined(__cpp_exceptions) || defined(_CPPUNWIND)
    throw std::bad_alloc();
#else
    std::abort();  // as running out of memory ends a program built without exceptions
#endif
  }
  return Matches(failures_, operation, path, name);
}

MemoryStore::Values* MemoryStore::FindKey(std::string_view path) {
  const auto found = keys_.find(Lower(path));
  return found == keys_.end() ? nullptr : &found->second;
}

const MemoryStore::Values* MemoryStore::FindKey(std::string_view path) const {
  const auto found = keys_.find(Lower(path));
  return found == keys_.end() ? nullptr : &found->second;
}

MemoryStore::Values& MemoryStore::MakeKey(std::string_view path) {
  // Like the registry, creating a key creates every missing parent.
  for (std::size_t slash = path.find('\\'); slash != std::string_view::npos;
       slash = path.find('\\', slash + 1)) {
    keys_[Lower(path.substr(0, slash))];
  }
  return keys_[Lower(path)];
}

bool MemoryStore::HasKey(std::string_view path) const {
  return FindKey(path) != nullptr;
}

const MemoryStore::Value* MemoryStore::Find(std::string_view path, std::string_view name) const {
  const Values* values = FindKey(path);
  if (values == nullptr) return nullptr;
  for (const auto& entry : values->entries) {
    if (SameName(entry.first, name)) return &entry.second;
  }
  return nullptr;
}

void MemoryStore::Put(std::string_view path, std::string_view name, std::uint32_t type,
                      std::vector<std::uint8_t> data) {
  Values& values = MakeKey(path);
  for (auto& entry : values.entries) {
    if (SameName(entry.first, name)) {
      entry.second = Value{type, std::move(data)};
      return;
    }
  }
  values.entries.emplace_back(std::string(name), Value{type, std::move(data)});
}

void MemoryStore::PutDword(std::string_view path, std::string_view name, std::uint32_t value) {
  Put(path, name, kTypeDword,
      {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
       static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void MemoryStore::PutString(std::string_view path, std::string_view name, std::string_view text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  Put(path, name, kTypeString, std::move(data));
}

bool MemoryStore::ReadDword(std::string_view path, std::string_view name,
                            std::uint32_t& value) const {
  const Value* stored = Find(path, name);
  if (stored == nullptr || stored->data.size() != 4) return false;
  value = stored->data[0] | (stored->data[1] << 8) | (stored->data[2] << 16) |
          (static_cast<std::uint32_t>(stored->data[3]) << 24);
  return true;
}

std::vector<std::string> MemoryStore::ValueNames(std::string_view path) const {
  std::vector<std::string> names;
  if (const Values* values = FindKey(path)) {
    for (const auto& entry : values->entries) names.push_back(entry.first);
  }
  return names;
}

}  // namespace tembori
