// The store contract, run against the in-memory store the native tests use.
#include "settings/MemoryStore.h"
#include "tests/common/StoreContract.h"

namespace {

struct MemoryFixture {
  tembori::MemoryStore store;
  const std::string root = "Software\\TemboriTest";
};

}  // namespace

TYPE_TO_STRING(MemoryFixture);
TEST_CASE_TEMPLATE_INVOKE(store_contract, MemoryFixture);
