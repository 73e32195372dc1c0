#include "filelib/ICh.h"

#include "filelib/ChConstants.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {

int64_t ComputeLastTime(int64_t firstTime, int32_t count, int64_t interval)
{
    if (firstTime == NO_TIME || count <= 0) return NO_TIME;
    if (count == 1 || interval <= 0) return firstTime;
    return RecordTime(firstTime, interval, count - 1);
}

}  // namespace OvGraphFileLib
