#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "filelib/ICh.h"

namespace ovgApp {

class AppCh;
class AppDocument;
class PrmScaleExpr;

// One channel record of a graph document: the application channel's display settings, its scale
// expression as entered, and the stored channel (its class name, then its own stored form).
//
// Record layout, in order: "ChD", 3 reserved, significant figures, type override code, flags
// (bit 0 visible in the graph, bit 1 visible in the data table), time axis and value axis
// identifiers (10 + i below, 20 + i left, 30 + i right, 40 + i above, 0 none), 5 reserved,
// display name, decimal places, upper and lower limit (doubles, in the displayed temperature
// unit), a reserved double, expression flags (bit 0 applied, bit 1 entered as two points), the
// texts x1, y1, x2, y2, slope, intercept, unit and expression name, the stored class name, the
// stored channel. Texts are a 16-bit byte count and UTF-16LE.
class FileKmbCh : public OvGraphFileLib::IBlock {
public:
    static constexpr uint8_t kVisibleInGraph = 0x1;
    static constexpr uint8_t kVisibleInTable = 0x2;
    static constexpr uint8_t kExprApplied = 0x1;
    static constexpr uint8_t kExprTwoPoints = 0x2;

    // A record with no stored channel and a new (not applied) expression.
    FileKmbCh();

    // Throws Result: code 51 at 5200 (tag) to 5222 (class name), one location per field in
    // record order; then the stored channel's own codes. No stored channel: code 56 at 5222.
    void SaveImpl(std::ostream& out) const override;
    // Throws Result: code 52 at 5241 (tag short or not "ChD"), then one location per field that
    // is read, in record order, up to 5261 (class name); a reserved run is reported with the field
    // after it. An unknown stored class: code 53 at 5262. Then the stored channel's own codes.
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmbCh"; }

    // The record of an application channel when its document is saved: visibility flags, the
    // given axis identifiers, display name, decimal places, limits in the displayed unit, a copy
    // of its scale expression (applied when the channel has one of its own), its type override
    // code and a Clone() of its file channel. A file channel whose class cannot store itself is
    // stored as a GCh copy. Throws what copying throws.
    static FileKmbCh FromAppCh(const AppCh& channel, uint8_t timeAxis, uint8_t valueAxis);

    // A new application channel of the document (not owned, may be null) built from the record,
    // as the loader makes it: created on the stored channel (a plain GCh as it is, any other class
    // as a GCh copy, so that limits and decimal places can be set), then ApplyTo. The record gives
    // up its stored channel. Called from the loader's worker threads, one record per thread.
    std::shared_ptr<AppCh> CreateAppCh(AppDocument* document);
    // Graph visibility (notifying only on a change), data-table visibility, display name,
    // decimal places and limits (through the channel's setters, each only when it differs), the
    // scale expression (a new one from the record's fields with its coefficients computed; the
    // document's default when the record's is not applied or cannot be computed), a non-zero type
    // override as an active override.
    void ApplyTo(AppCh& channel) const;

    uint8_t GetFlags() const { return m_flags; }
    void SetFlags(uint8_t flags) { m_flags = flags; }
    uint8_t GetTypeOverride() const { return m_typeOverride; }
    void SetTypeOverride(uint8_t code) { m_typeOverride = code; }
    uint8_t GetTimeAxis() const { return m_timeAxis; }
    uint8_t GetValueAxis() const { return m_valueAxis; }
    void SetAxes(uint8_t timeAxis, uint8_t valueAxis) { m_timeAxis = timeAxis, m_valueAxis = valueAxis; }
    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    int8_t GetDecimalPlaces() const { return m_decimalPlaces; }
    void SetDecimalPlaces(int8_t places) { m_decimalPlaces = places; }
    double GetUpperLimit() const { return m_upperLimit; }
    double GetLowerLimit() const { return m_lowerLimit; }
    void SetLimits(double upper, double lower) { m_upperLimit = upper, m_lowerLimit = lower; }
    // The expression's fields as stored: its significant figures (1 to 9; a stored 0 or a value
    // above 8 reads as 9), input mode (0 two points, 1 slope and intercept), applied flag, texts.
    const std::shared_ptr<PrmScaleExpr>& GetScaleExpr() const { return m_scaleExpr; }
    void SetScaleExpr(std::shared_ptr<PrmScaleExpr> expr);
    const std::shared_ptr<OvGraphFileLib::ICh>& GetStoredCh() const { return m_storedCh; }
    void SetStoredCh(std::shared_ptr<OvGraphFileLib::ICh> channel) { m_storedCh = std::move(channel); }

private:
    uint8_t m_typeOverride = 0;
    uint8_t m_flags = kVisibleInGraph;
    uint8_t m_timeAxis = 0;
    uint8_t m_valueAxis = 0;
    QString m_name;
    int8_t m_decimalPlaces = 1;
    double m_upperLimit;
    double m_lowerLimit;
    std::shared_ptr<PrmScaleExpr> m_scaleExpr;
    std::shared_ptr<OvGraphFileLib::ICh> m_storedCh;
};

}  // namespace ovgApp
