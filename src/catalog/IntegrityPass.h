#pragma once
// Reconciles the settings hive with the catalogue at every load: each
// catalogue group gets its settings key, state keys and order entries of
// vanished tools go, new tools are appended to their group's order list,
// and settings groups the catalogue no longer has are deleted.

namespace kva {

class Registry;

// False when some key or value could not be written; the pass still does
// everything else it can.
bool IntegrityPass(Registry& registry);

}  // namespace kva
