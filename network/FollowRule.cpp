#include "FollowRule.h"

namespace followrule {

Step decide(const Clock& own, const Clock& heard, int aheadInRow)
{
    // A master sends just after its tick, so a message can only be late: one
    // that finds this clock at the same second says nothing new (taking its
    // moment as the tick would only put the follower behind), one that finds
    // it behind moves it forward at once.
    const bool sameRun = own.running && heard.running && own.timeBase == heard.timeBase;
    const std::int64_t ahead = std::int64_t{own.time} - heard.time;
    if (sameRun && ahead == 0)
        return {false, 0};
    if (sameRun && ahead > 0 && double(ahead) * heard.timeBase < kClearlyBackMs && aheadInRow + 1 < 2)
        return {false, aheadInRow + 1};
    return {true, 0};
}

} // namespace followrule
