// The zoom level's words.
#include "map/zoom.h"

std::string zoomText(int level) {
    const std::string times = std::to_string(1LL << (level >= 0 ? level : -level));
    return level >= 0 ? times + ":1" : "1:" + times;
}
