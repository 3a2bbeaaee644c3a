#include "ErrorBox.h"

bool BelvantoApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    guarded([&] { result = QApplication::notify(receiver, event); })();
    return result;
}
