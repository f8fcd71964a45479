#pragma once

#include <cstdint>

// When a follower takes the state it heard from the clock it follows, apart
// from any network and any window: the follower's clock and the heard one in,
// whether to take it out. A clock that is taken is set to what was heard
// (time, time base, running), with its next tick one time base from now.
namespace followrule {

// A clock as the rule sees it: the fast time, the real milliseconds per fast
// second, and whether it runs (for the follower: whether its timer ticks).
struct Clock {
    std::int32_t time = 0;
    double timeBase = 0;
    bool running = false;
};

// What the rule decided, and the count it keeps between states.
struct Step {
    bool take = false;
    int aheadInRow = 0; // states in a row that found the follower a little ahead
};

// A state that finds a running follower ahead by this much real time is a
// clock set back, taken at once; less may be a message that was slow to
// arrive and waits for a second one to agree. Kept small: a forged or stale
// state that put the follower ahead by more is mended by the master's next
// state, not only by the one after it.
inline constexpr double kClearlyBackMs = 500;

// own: the follower now; heard: the state that came; aheadInRow: what the
// previous decision returned (0 for the first state).
Step decide(const Clock& own, const Clock& heard, int aheadInRow);

} // namespace followrule
