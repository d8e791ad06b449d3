// Conflict-resolution strategies of the rule engine; the ordinals are the
// engine's own codes and are passed to it unchanged.
#pragma once

namespace vesk {

enum class TClipsStrategy {
    csDepthStrategy = 0,
    csBreadthStrategy = 1,
    csLexStrategy = 2,
    csMeaStrategy = 3,
    csComplexityStrategy = 4,
    csSimplicityStrategy = 5,
    csRandomStrategy = 6,
};

}  // namespace vesk
