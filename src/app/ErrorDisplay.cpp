#include "app/ErrorDisplay.h"

namespace orvanel {

bool DeliverShowingErrors(const std::function<bool()>& deliver)
{
    bool handled = false;
    Guarded(nullptr, [&] { handled = deliver(); });
    return handled;
}

bool OrvanelApplication::notify(QObject* receiver, QEvent* event)
{
    return DeliverShowingErrors([&] { return QApplication::notify(receiver, event); });
}

} // namespace orvanel
