#include "platform/posix/DesktopOpen.h"

#include "platform/LaunchLog.h"

namespace orvanel::posix {

DesktopOpenOutcome openWithXdgOpen(ChildProcesses& children, const std::string& path,
                                   std::chrono::milliseconds answer)
{
    DesktopOpenOutcome outcome = DesktopOpenOutcome::Failed;
    const StartResult opener = children.start({"xdg-open", path});
    if (opener.outcome == StartOutcome::Started) {
        const bool ended = children.waitForEnd(opener.pid, answer);
        if (!ended || children.exitStatus(opener.pid) == 0)
            outcome = DesktopOpenOutcome::Opened;
    }
    qCDebug(lcLaunch).noquote() << QStringLiteral("desktop open of %1: %2")
                                       .arg(QString::fromStdString(path),
                                            outcome == DesktopOpenOutcome::Opened ? QStringLiteral("opened")
                                                                                  : QStringLiteral("failed"));
    return outcome;
}

} // namespace orvanel::posix
