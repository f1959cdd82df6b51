// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace Toolkit {

// Shows a tool window that has no owner, or shows it again: a minimised one comes back, and
// it is raised and activated. On X11 it has no taskbar or pager entry, and no window manager
// keeps it above the program's other windows, which can still be raised over it. (A Wayland
// client cannot ask for either, so there the compositor decides.)
void showToolWindow(QWidget *window);

} // namespace Toolkit
