#include "platform/posix/ChildProcesses.h"

#include "platform/LaunchLog.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orvanel::posix {

namespace {

// How many ended children are remembered for hasEnded() and exitStatus().
constexpr std::size_t EndedKept = 64;
// How often children without a process descriptor are looked at.
constexpr std::chrono::milliseconds PollInterval{250};

const char* outcomeName(StartOutcome o)
{
    switch (o) {
    case StartOutcome::Started: return "started";
    case StartOutcome::ProgramMissing: return "program missing";
    case StartOutcome::NotExecutable: return "not executable";
    }
    return "?";
}

// What a file at `path` is as a program to run.
StartOutcome programAt(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? StartOutcome::ProgramMissing : StartOutcome::NotExecutable;
    if (S_ISDIR(st.st_mode) || ::access(path.c_str(), X_OK) != 0)
        return StartOutcome::NotExecutable;
    return StartOutcome::Started;
}

// Owns the attributes of one spawn.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;

    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        posix_spawnattr_init(&attr);
        // The child starts with no signal blocked and every signal at its default action,
        // whatever the palette set for itself, in a session of its own.
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attr, &none);
        posix_spawnattr_setsigdefault(&attr, &all);
        short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
        flags |= POSIX_SPAWN_SETSID;
#endif
        posix_spawnattr_setflags(&attr, flags);
    }
    ~SpawnSetup()
    {
        posix_spawnattr_destroy(&attr);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

} // namespace

ResolvedProgram resolveProgram(const std::string& program, const char* searchPath)
{
    if (program.empty() || program.find('\0') != std::string::npos)
        return {};
    if (program.find('/') != std::string::npos) {
        const StartOutcome o = programAt(program);
        return {o, o == StartOutcome::Started ? program : std::string()};
    }
    const std::string folders = searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin";
    StartOutcome found = StartOutcome::ProgramMissing;
    for (std::size_t begin = 0;;) {
        const std::size_t end = std::min(folders.find(':', begin), folders.size());
        const std::string folder = folders.substr(begin, end - begin);
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + program;
        switch (programAt(candidate)) {
        case StartOutcome::Started: return {StartOutcome::Started, candidate};
        case StartOutcome::NotExecutable: found = StartOutcome::NotExecutable; break;
        case StartOutcome::ProgramMissing: break;
        }
        if (end == folders.size())
            return {found, {}};
        begin = end + 1;
    }
}

// A running child, watched through its process descriptor when the kernel has them.
struct ChildProcesses::Child {
    int pidfd = -1;
    std::unique_ptr<QSocketNotifier> notifier;

    ~Child()
    {
        notifier.reset();
        if (pidfd >= 0)
            ::close(pidfd);
    }
};

ChildProcesses::ChildProcesses() = default;

// Children still running are left to run: they are the user's programs.
ChildProcesses::~ChildProcesses() = default;

StartResult ChildProcesses::start(const std::vector<std::string>& argv)
{
    StartResult result;
    const ResolvedProgram program = argv.empty() ? ResolvedProgram{} : resolveProgram(argv[0], std::getenv("PATH"));
    result.outcome = program.outcome;
    bool argumentsOk = true;
    for (const std::string& a : argv)
        argumentsOk = argumentsOk && a.find('\0') == std::string::npos;
    if (result.outcome == StartOutcome::Started && !argumentsOk)
        result.outcome = StartOutcome::NotExecutable; // an argument the system cannot pass whole
    if (result.outcome == StartOutcome::Started) {
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        SpawnSetup setup;
        pid_t pid = 0;
        const int error = ::posix_spawn(&pid, program.path.c_str(), &setup.actions, &setup.attr, args.data(), environ);
        if (error == 0) {
            result.pid = static_cast<ProcessId>(pid);
            std::erase_if(ended_, [&](const Ended& e) { return e.pid == result.pid; });
            watch(result.pid);
        } else {
            result.outcome = error == ENOENT ? StartOutcome::ProgramMissing : StartOutcome::NotExecutable;
        }
    }
    qCDebug(lcLaunch).noquote() << QStringLiteral("start %1: %2%3")
                                       .arg(QString::fromStdString(argv.empty() ? std::string() : argv[0]),
                                            QString::fromLatin1(outcomeName(result.outcome)),
                                            result.pid ? QStringLiteral(", process %1").arg(result.pid) : QString());
    return result;
}

void ChildProcesses::watch(ProcessId pid)
{
    auto child = std::make_unique<Child>();
    child->pidfd = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
    if (child->pidfd >= 0) {
        ::fcntl(child->pidfd, F_SETFD, FD_CLOEXEC);
        child->notifier = std::make_unique<QSocketNotifier>(child->pidfd, QSocketNotifier::Read);
        QObject::connect(child->notifier.get(), &QSocketNotifier::activated, child->notifier.get(),
                         [this, pid] { reap(pid); });
    } else if (!poller_) {
        // A kernel without process descriptors: look at the children now and then.
        poller_ = std::make_unique<QTimer>();
        QObject::connect(poller_.get(), &QTimer::timeout, poller_.get(), [this] { pollUnwatched(); });
        poller_->start(PollInterval);
    }
    running_[pid] = std::move(child);
}

void ChildProcesses::pollUnwatched()
{
    std::vector<ProcessId> unwatched;
    for (const auto& [pid, child] : running_)
        if (child->pidfd < 0)
            unwatched.push_back(pid);
    for (const ProcessId pid : unwatched)
        reap(pid);
}

bool ChildProcesses::reap(ProcessId pid)
{
    int status = 0;
    const pid_t got = ::waitpid(static_cast<pid_t>(pid), &status, WNOHANG);
    if (got == 0)
        return false; // still running
    Ended ended{pid, std::nullopt};
    if (got == static_cast<pid_t>(pid) && WIFEXITED(status))
        ended.status = WEXITSTATUS(status);
    // (got < 0: someone else collected it; it has ended all the same.)
    if (auto it = running_.find(pid); it != running_.end()) {
        // This may run in the handler of the child's notifier: the notifier goes later.
        if (QSocketNotifier* notifier = it->second->notifier.release()) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
        running_.erase(it);
    }
    ended_.push_back(ended);
    if (ended_.size() > EndedKept)
        ended_.pop_front();
    qCDebug(lcLaunch).noquote() << QStringLiteral("process %1 ended%2")
                                       .arg(pid)
                                       .arg(ended.status ? QStringLiteral(" with status %1").arg(*ended.status)
                                                         : QString());
    for (auto& [waitedFor, loop] : waiters_)
        if (waitedFor == pid)
            loop->quit();
    return true;
}

bool ChildProcesses::hasEnded(ProcessId pid) const
{
    if (running_.count(pid))
        return false;
    return std::any_of(ended_.begin(), ended_.end(), [pid](const Ended& e) { return e.pid == pid; });
}

std::optional<int> ChildProcesses::exitStatus(ProcessId pid) const
{
    for (auto it = ended_.rbegin(); it != ended_.rend(); ++it)
        if (it->pid == pid)
            return running_.count(pid) ? std::nullopt : it->status;
    return std::nullopt;
}

bool ChildProcesses::waitForEnd(ProcessId pid, std::chrono::milliseconds limit)
{
    if (!running_.count(pid) || reap(pid))
        return hasEnded(pid);
    QEventLoop loop;
    QTimer limiter;
    limiter.setSingleShot(true);
    QObject::connect(&limiter, &QTimer::timeout, &loop, &QEventLoop::quit);
    waiters_.emplace_back(pid, &loop);
    limiter.start(limit);
    loop.exec();
    std::erase(waiters_, std::make_pair(pid, &loop));
    return hasEnded(pid);
}

} // namespace orvanel::posix
