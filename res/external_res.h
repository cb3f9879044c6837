#pragma once
// The task-tray popup menu and its show-window command.
#define IDR_TASKTRAY_MENU 2026
#define ID_TASKTRAY_SHOW 2050
