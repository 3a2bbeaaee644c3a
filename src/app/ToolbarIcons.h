#pragma once

#include <QIcon>

// The 32-pixel pictures of the main window's toolbar, drawn by the program itself.
namespace ToolbarIcons {
enum Kind { NewBooking, EditBooking, DueToday, CreditTransfers, DirectDebits, NewPayer, ImportFile };
QIcon icon(Kind kind);
} // namespace ToolbarIcons
