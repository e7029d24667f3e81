#pragma once
// Windows' AutoEndTasks setting kills programs that hold up a shut-down;
// while tools run the program wants to be asked instead.

namespace kva {

class Registry;

// Sets HKCU\Control Panel\Desktop AutoEndTasks to "0" when it exists and
// reads as a non-zero number. False when it could not be changed.
bool DisableAutoEndTasks(Registry& registry);

}  // namespace kva
