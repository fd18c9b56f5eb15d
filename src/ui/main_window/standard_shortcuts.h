// The shortcuts users of every desktop program try first, beside the editor's
// own keys (none of which they take): each stands for one menu item, shows
// in it and runs its command only when that item can be chosen.
#pragma once

#include <QKeyCombination>
#include <array>

#include "common/command_ids.h"

struct StandardShortcut {
    int command;
    QKeyCombination keys;
};

inline constexpr std::array<StandardShortcut, 8> kStandardShortcuts{{
    {CommandId::New, Qt::CTRL | Qt::Key_N},
    {CommandId::Open, Qt::CTRL | Qt::Key_O},
    {CommandId::Save, Qt::CTRL | Qt::Key_S},
    {CommandId::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
    {CommandId::Print, Qt::CTRL | Qt::Key_P},
    {CommandId::Exit, Qt::CTRL | Qt::Key_Q},
    {CommandId::Undo, Qt::CTRL | Qt::Key_Z},
    {CommandId::Help, QKeyCombination(Qt::Key_F1)},
}};

// The command a key combination stands for, or 0.
constexpr int StandardShortcutCommand(QKeyCombination keys) {
    for (const StandardShortcut& shortcut : kStandardShortcuts)
        if (shortcut.keys == keys) return shortcut.command;
    return 0;
}

// The shortcut of a command, or nullptr.
constexpr const StandardShortcut* StandardShortcutOf(int command) {
    for (const StandardShortcut& shortcut : kStandardShortcuts)
        if (shortcut.command == command) return &shortcut;
    return nullptr;
}
