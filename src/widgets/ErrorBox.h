#pragma once

#include "Errors.h"
#include "MessageService.h"

#include <QApplication>

// Runs a handler; what it lets through ends the command and is shown in the default error box,
// after which the program goes on. Every handler is connected through this.
template <typename Handler>
auto guarded(Handler handler)
{
    return [handler = std::move(handler)]() {
        try {
            handler();
        } catch (const SilentAbort &) {
        } catch (const BelvantoError &error) {
            MessageService::current().error(error.message());
        } catch (const std::exception &error) {
            MessageService::current().error(QString::fromLocal8Bit(error.what()));
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
