#pragma once

#include "base/Errors.h"
#include "base/MessageService.h"

#include <QApplication>

// A fault of the program itself: the user gets a German message, the log gets the details.
void showInternalError(const std::exception &error);

// Runs a handler; what it lets through ends the command and is shown in the default error box,
// after which the program goes on. Every handler is connected through this.
template <typename Handler> auto guarded(Handler handler)
{
    return [handler = std::move(handler)]() {
        try {
            handler();
        } catch (const SilentAbort &) {
        } catch (const BelvantoError &error) {
            MessageService::current().error(error.message());
        } catch (const std::exception &error) {
            showInternalError(error);
        }
    };
}

// The safety net below the guarded handlers: no exception crosses the event loop.
class BelvantoApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};
