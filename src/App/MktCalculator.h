#pragma once

#include <QString>
#include <cstddef>
#include <optional>

namespace ovgApp {

class AppCh;

// Mean kinetic temperature: with k = dH * 1000 / R (R = 8.314472 J/mol K) and the n valid
// values T (degrees Celsius; no-data values are skipped),
// MKT = k / -ln((sum exp(-k / (T + 273.15))) / n) - 273.15, in degrees Celsius.
namespace Mkt {

inline constexpr double kGasConstant = 8.314472;       // J/mol K
inline constexpr double kDefaultActivationEnergy = 83.14472;  // kJ/mol

enum class Unit { kCelsius, kFahrenheit, kKelvin };

// Empty without a valid value or when the formula has no finite answer (dH of 0).
std::optional<double> Compute(const double* celsius, size_t count, double activationEnergy);
// The MKT of a channel's values as it shows them, temperatures taken in Celsius even when the
// channel shows Fahrenheit.
std::optional<double> OfChannel(const AppCh& channel, double activationEnergy);
// "%.2f" of the Celsius result in the unit, or "----" without one.
QString Format(std::optional<double> celsius, Unit unit);

}  // namespace Mkt
}  // namespace ovgApp
