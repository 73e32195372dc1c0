#pragma once

#include <QString>
#include <memory>

namespace OvGraphFileLib {
class CalcCh;
}

namespace ovgApp {

class AppCh;

// The dew point channel made from a temperature and a relative humidity channel recorded at the
// same times.
namespace DewPoint {

// The dew point in degrees Celsius of a temperature (Celsius) and a relative humidity (%), by
// Sonntag's saturation vapour pressure over water and its inversion; INVALID_VALUE for a pair the
// formula cannot take (a humidity of 0 % or less, a temperature at or below absolute zero).
double Of(double celsius, double humidity);

// The channels the tool's lists preselect.
bool IsTemperatureCh(const AppCh& channel);
bool IsHumidityCh(const AppCh& channel);

struct Made {
    QString error;  // the check that failed, empty on success
    std::shared_ptr<OvGraphFileLib::CalcCh> channel;
};

// Checks that both channels are given and hold data, that they have the same number of data and
// that their samples lie at the same times (each failure gives its message), then builds the
// channel: one record per sample time in Celsius (type 13), with the temperature channel's times
// and time zone; a pair with a missing value ends the block there. Values are read as the
// channels show them, temperatures in Celsius.
Made Make(const AppCh* temperature, const AppCh* humidity);

}  // namespace DewPoint
}  // namespace ovgApp
