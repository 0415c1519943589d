// The recycle bin: the desktop trash of the freedesktop.org trash layout.
//
// A trashed file or folder is moved, never copied and never deleted, into "files/" of the
// trash and described by "info/<name>.trashinfo" (its original path and the deletion date),
// so the desktop's trash view can show and restore it. The home trash is
// $XDG_DATA_HOME/Trash (default ~/.local/share/Trash); an item on another file system goes
// to that file system's own trash (.Trash/<uid> or .Trash-<uid> at its top).
#pragma once

#include <string>

namespace platform {

// Moves `path` into the trash: 0 on success; -1 when it cannot, and then the item is where
// it was (a missing item, no usable trash, no permission).
int MoveToTrash(const std::string& path);

// The home trash folder (the one holding "files" and "info").
std::string HomeTrashFolder();

} // namespace platform
