#pragma once

#include <QDateTime>

// "Now" for the whole program. Tests fix it so that date rules give the same result every day.
namespace Clock {
QDateTime now();
QDate today();
void setFixed(const QDateTime &moment); // an invalid moment returns to the system clock
} // namespace Clock
