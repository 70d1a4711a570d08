// The pictures of the main window's toolbar buttons. Each comes from the
// desktop's icon theme under its standard freedesktop name; where the theme
// has none (or there is no theme, as offscreen) the program's own drawing
// stands in, painted here in code at every size the toolbar asks for.
#pragma once

#include <QIcon>

namespace tarnwick {

// In toolbar order; the value is the button's tag.
enum class TToolbarPicture { Open, Copy, Delete, Save, Help, About, Exit };

inline constexpr int kToolbarPictureCount = 7;

// The theme's icon for `picture`, falling back to DrawnToolbarIcon.
QIcon ToolbarIcon(TToolbarPicture picture);
// The freedesktop icon name looked up in the theme ("document-open", ...).
const char* ToolbarIconName(TToolbarPicture picture);
// The program's own drawing of `picture`, at 16, 20, 24, 32 and 48 pixels.
QIcon DrawnToolbarIcon(TToolbarPicture picture);

}  // namespace tarnwick
