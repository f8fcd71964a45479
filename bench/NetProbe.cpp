#include "NetProbe.h"

#include "ClockEvents.h"
#include "ClockFollower.h"
#include "ExactTimer.h"
#include "FrmConfig.h"
#include "Module1.h"
#include "Program.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace netprobe {

namespace {

std::int64_t monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

struct Shared {
    volatile std::int64_t v[8];
};

void write(Shared* s, const Module1& m, const ExactTimer* timer, bool received)
{
    const std::int64_t now = monotonicNs();
    s->v[0] = s->v[0] + 1;
    std::atomic_thread_fence(std::memory_order_seq_cst);
    s->v[1] = m.lngZeit;
    s->v[2] = now;
    s->v[3] = timer ? timer->interval() : 0;
    s->v[4] = m.running ? 1 : 0;
    if (received) {
        s->v[5] = s->v[5] + 1;
        s->v[6] = now;
    }
    std::atomic_thread_fence(std::memory_order_seq_cst);
    s->v[0] = s->v[0] + 1;
}

} // namespace

void attach(Program& program, Module1& m)
{
    const char* path = std::getenv("QUENDRASIL_PROBE");
    if (!path || !program.frmConfig())
        return;
    const int fd = ::open(path, O_RDWR | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::ftruncate(fd, sizeof(Shared)) != 0)
        return;
    void* p = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (p == MAP_FAILED)
        return;
    auto* s = static_cast<Shared*>(p);
    auto* timer = program.frmConfig()->findChild<ExactTimer*>(QStringLiteral("Timer"));
    // after the tick's own handler, which was connected first
    if (timer)
        QObject::connect(timer, &ExactTimer::timeout, &program, [s, &m, timer] { write(s, m, timer, false); });
    QObject::connect(&program.clockEvents(), &ClockEvents::stateChanged, &program,
                     [s, &m, timer] { write(s, m, timer, false); });
    if (auto* follower = program.findChild<ClockFollower*>())
        // queued like the control window's own, so after it
        QObject::connect(follower, &ClockFollower::stateReceived, &program,
                         [s, &m, timer] { write(s, m, timer, true); }, Qt::QueuedConnection);
}

} // namespace netprobe
