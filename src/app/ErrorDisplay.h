#pragma once
// The application's last resort: every event is delivered through DeliverShowingErrors, so
// that an error no handler's guard caught is still shown and the event loop goes on. The
// handlers themselves run their work in Guarded (text/UserErrorBox.h).

#include "text/UserErrorBox.h"

#include <QApplication>

#include <functional>

namespace orvanel {

// Runs the delivery of one event; an error escaping it is shown with ShowError and the
// delivery counts as not handled, so the event loop goes on.
bool DeliverShowingErrors(const std::function<bool()>& deliver);

// The application object: every event goes through DeliverShowingErrors.
class OrvanelApplication final : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace orvanel
