#pragma once
// A synthetic catalogue of 700 tools (30 in each of groups 3 to 24, 40
// built-in actions) for the start-up benchmarks, and the plain walk they
// are measured against.

#include <cstddef>

#include "fakes/FakeRegistry.h"

namespace kva::bench {

FakeKey SyntheticCatalogue();

// Every tool key of every group under HKLM\kva_tools, each value read once.
std::size_t WalkCatalogue(Registry& registry);

// Writes tree's values and subkeys below the key at path (created).
bool WriteTree(Registry& registry, std::u16string_view path, const FakeKey& tree);

}  // namespace kva::bench
