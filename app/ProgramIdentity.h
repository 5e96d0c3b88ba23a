// How the desktop knows the program: its icon, its desktop entry and its window class.
#pragma once

#include <QIcon>
#include <QString>

#include "cli/ProgramStart.h" // ApplicationTitle()

// The desktop entry's name without ".desktop", the id of the metainfo and the icon's name.
inline constexpr char kDesktopFileName[] = "org.tavrel.swftavreltool";
// The window class (WM_CLASS "tavrel", "tavrel"): the desktop entry's StartupWMClass.
inline constexpr char kWindowClass[] = "tavrel";

// The icon that is installed beside the desktop entry, built into the program: the build folder's
// program shows it as the installed one does.
QIcon ProgramIcon();

// Ties the running program to its desktop entry: the application's name (the window class), the
// desktop file name and the windows' icon. Called once the application object exists.
void SetDesktopIdentity();
