#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "App/AppPoints.h"
#include "filelib/ChConstants.h"
#include "filelib/GChDataIterator.h"
#include "filelib/ICh.h"
#include "graph/GCh.h"

namespace ovgApp {

class AppDocument;
class PrmScaleExpr;

// A channel as the application shows it: a graph channel over one file channel, with a display
// name, visibility in the data table, a scale expression, a type override and the temperature
// unit. Every view reads values through it, so expressions and the temperature unit apply alike.
// Points: x = the logger's local time in seconds since 1970 (as if UTC), y = the displayed value.
// Built on a worker thread by the loader; used from the user-interface thread once in a document.
class AppCh : public ovgGraph::GCh {
public:
    // The document (not owned) gives the temperature unit, the time zone bias and the default
    // expression; without one the defaults are Celsius, UTC and no conversion.
    explicit AppCh(AppDocument* document, std::shared_ptr<OvGraphFileLib::ICh> fileCh = nullptr,
                   ovgGraph::Glyph* parent = nullptr);
    ~AppCh() override;

    // Sets the file channel (an empty one when null) and resets name, expression, type override
    // and temperature unit from it, then rebuilds the points.
    void SetFileCh(std::shared_ptr<OvGraphFileLib::ICh> fileCh);
    // Binds the channel to another file channel of the same recording (a trimmed, shifted or
    // thinned copy) and keeps what the user set: display name, scale expression, type override,
    // decimal places and both visibilities.
    void RebindFileCh(std::shared_ptr<OvGraphFileLib::ICh> fileCh);
    const OvGraphFileLib::ICh& GetFileCh() const { return *m_fileCh; }
    const std::shared_ptr<OvGraphFileLib::ICh>& GetFileChPtr() const { return m_fileCh; }
    AppDocument* GetDocument() const { return m_document; }
    void SetDocument(AppDocument* document) { m_document = document; }

    const QString& GetDisplayName() const { return m_displayName; }
    void SetDisplayName(const QString& name);
    bool IsVisibleInTable() const { return m_visibleInTable; }
    void SetVisibleInTable(bool visible) { m_visibleInTable = visible; }

    const std::shared_ptr<PrmScaleExpr>& GetScaleExpr() const { return m_scaleExpr; }
    // Applies the expression (the document's default when null) and rebuilds the points.
    void SetScaleExpr(std::shared_ptr<PrmScaleExpr> expr);
    bool HasOwnScaleExpr() const;

    // The type override: when active, the code replaces the channel type for units and
    // temperature handling (1 Celsius, 2 Fahrenheit, 3 humidity, ... 15 other).
    bool IsOverrideActive() const { return !m_useOwnType; }
    int32_t GetOverrideCode() const { return m_overrideCode; }
    void SetTypeOverride(bool active, int32_t code);
    int32_t GetOwnType() const { return m_ownType; }
    bool IsTemperature() const;
    int32_t GetTemperatureDisplayType() const { return m_temperatureDisplayType; }
    // 13 Celsius or 14 Fahrenheit; temperature channels only. Rebuilds and re-plots.
    void SetTemperatureDisplayType(int32_t type);

    // Decimal places of the value texts (-1 from the file is shown as 1).
    int32_t GetDecimalPlaces() const;
    void SetDecimalPlaces(int32_t places);
    // Limits in the displayed temperature unit; absent limits are +-largest double.
    double GetUpperLimit() const;
    double GetLowerLimit() const;
    void SetUpperLimit(double limit);
    void SetLowerLimit(double limit);

    int64_t GetInterval() const { return m_fileCh->GetInterval(); }
    int32_t GetDataCount() const { return m_fileCh->GetDataCount(); }
    // "1 hour 2 min. 3 sec. 500 ミリ秒"; empty for no fixed interval.
    QString GetIntervalText() const;
    static QString IntervalText(int64_t intervalMs);
    // "No.%d" from the position in the document, empty when not in it.
    QString GetChNumberText() const;
    // The unit: the expression's, else the file's auxiliary text, else by type (empty without data).
    QString GetUnitText() const;
    // A value with the channel's decimal places; empty for no data (OvGraphFileLib::IsNoData).
    QString FormatValue(double y) const;

    const AppPoints& GetPoints() const { return m_points; }
    // The samples with the file channel's times (ms since 1970 UTC) and the values as the channel
    // shows them, except that a temperature channel gives them in `temperatureType` (13 Celsius,
    // 14 Fahrenheit). BREAK_VALUE items separate the blocks as the channel data iterator does.
    std::vector<OvGraphFileLib::ChSample> GetSamples(int32_t temperatureType) const;
    // Seconds added to a file time to give the logger's local time (the points' x).
    double GetLocalTimeOffset() const;
    // Rebuilds points and statistics from the file channel.
    void Rebuild();

    double GetFirstTime() const override { return m_firstX; }
    double GetLastTime() const override { return m_lastX; }
    double GetMaxValue() const override { return m_maximum; }
    double GetMinValue() const override { return m_minimum; }
    double GetAverage() const override { return m_average; }
    DataRange CreateDataIterator(double timeMin, double timeMax, int before = -1, int after = 1) const override;
    bool HasData(double timeMin, double timeMax) const override;

private:
    int32_t EffectiveType() const;
    // The conversion of file values to displayed ones: the temperature unit, then the expression.
    AppPoints::Conversion MakeConversion(int32_t temperatureType) const;
    // Whether limits and values convert between the file's Celsius and a Fahrenheit display.
    bool ShowsFahrenheitOfCelsius() const;

    AppDocument* m_document;
    std::shared_ptr<OvGraphFileLib::ICh> m_fileCh;
    QString m_displayName;
    AppPoints m_points;
    // Without points: the times span everything, the extremes are no data (OvGraphFileLib::IsNoData).
    double m_firstX = -OvGraphFileLib::INVALID_VALUE;
    double m_lastX = OvGraphFileLib::INVALID_VALUE;
    double m_maximum = -OvGraphFileLib::INVALID_VALUE;
    double m_minimum = OvGraphFileLib::INVALID_VALUE;
    double m_average = 0;
    bool m_visibleInTable = false;
    int32_t m_temperatureDisplayType = 13;
    std::shared_ptr<PrmScaleExpr> m_scaleExpr;
    bool m_useOwnType = true;
    int32_t m_ownType = 0;
    int32_t m_overrideCode = 0;
    int32_t m_decimalPlacesOverride = -2;  // -2: the file channel's
};

}  // namespace ovgApp
