#pragma once

#include <QString>
#include <memory>

namespace ovgApp {

// A named scale conversion expression: the straight line y = slope × x + intercept that turns a
// channel's recorded value into another quantity with its own unit (for example 4-20 mA into a
// pressure). It is entered either as slope and intercept or as two points (x1, y1), (x2, y2); the
// entered texts are kept as typed and the coefficients are computed from them by
// ComputeCoefficients, rounded to the significant figures.
//
// A value type: the user's list and a channel's copy hold their own objects by shared pointer.
// Not thread-safe; an object in the document is used from the user-interface thread only.
class PrmScaleExpr {
public:
    // Results of ComputeCoefficients. The input dialog refuses an entry on any non-zero code.
    enum Code : int {
        kOk = 0,
        kSlopeNotNumber = -110,
        kInterceptNotNumber = -120,
        kX1NotNumber = -210,
        kY1NotNumber = -220,
        kX2NotNumber = -230,
        kY2NotNumber = -240,
        kSameX = -250,  // x1 equals x2: no line passes through both points
        // The line cannot be represented: a coefficient overflows a double (points far apart
        // in y and close in x) or rounds to infinity.
        kNotFinite = -300,
    };

    // Input mode, element "intput_expr_mode" of the parameter file. Any value other than 0 reads
    // as slope and intercept; the stored number is kept as it was.
    static constexpr int kInputTwoPoints = 0;
    static constexpr int kInputSlopeIntercept = 1;

    // Significant figures run from 1 to 9; a count outside that range (a channel text with 0
    // decimal places, a damaged file) is taken as 9, the most the rounding keeps.
    static constexpr int kMinSignificantFigures = 1;
    static constexpr int kMaxSignificantFigures = 9;
    static constexpr int kDefaultSignificantFigures = 4;

    // A computed coefficient: the value rounded to the significant figures and its display text.
    struct Coefficient {
        double value = 0.0;
        QString text;
    };

    // A new entry: input mode slope and intercept with the texts "1" and "0" (so it converts
    // nothing until edited), 4 significant figures, fixed notation, deletable, editable, not applied.
    PrmScaleExpr();

    // The document's one no-conversion expression that every channel starts with and falls back
    // to. A channel whose expression answers IsNoConversion() shows its values unconverted and
    // its own unit. The mark travels with copies of this object and is never stored in a file.
    static std::shared_ptr<PrmScaleExpr> MakeNoConversion();
    bool IsNoConversion() const { return m_noConversion; }

    // The expression a file channel carries as text: parts separated by "\n", at least four of
    // them: slope, intercept, significant figures (an integer), unit; further parts are ignored.
    // Returns an applied expression in slope-and-intercept mode, or nullptr when the text has fewer
    // than four parts or its coefficients cannot be computed; the channel then keeps the
    // document's no-conversion expression.
    static std::shared_ptr<PrmScaleExpr> FromChannelText(const QString& text);
    // The same four lines for this expression's computed line, in either input mode: the
    // coefficients in the shortest form that reads back to the same double, the significant
    // figures, the unit. FromChannelText(ToChannelText()) gives the same line and unit.
    QString ToChannelText() const;

    // Computes slope and intercept from the entered texts for the input mode and rounds both to
    // the significant figures. Returns kOk or the code of the first fault; on a fault the
    // previous coefficients stay. Numbers are read without regard to the process locale: a point
    // is the decimal separator, an exponent is allowed, surrounding blanks are ignored and
    // full-width digits typed through an input method are accepted.
    int ComputeCoefficients();

    // y := slope × y + intercept. A value that is no data (OvGraphFileLib::IsNoData) passes unchanged.
    double Apply(double y) const;

    // Rounds a value to n significant figures (n outside 1 to 9 is taken as 9). The text shows
    // the rounded value in fixed notation with n − 1 − exponent decimals when that count is
    // positive, else (and always when scientific is set) in scientific notation with a sign and
    // n − 1 mantissa decimals, such as "+1.23e+05". Neither depends on the process locale.
    static Coefficient Round(double value, int significantFigures, bool scientific);

    // The message the input dialog shows for a code of ComputeCoefficients; empty for kOk.
    static QString ErrorText(int code);

    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    // The unit of the result; while the expression is applied it becomes the channel's unit.
    const QString& GetUnit() const { return m_unit; }
    void SetUnit(const QString& unit) { m_unit = unit; }

    bool GetScientificNotation() const { return m_scientificNotation; }
    void SetScientificNotation(bool on) { m_scientificNotation = on; }
    int GetSignificantFigures() const { return m_significantFigures; }
    // Stored as given when 1 to 9, else as 9. Takes effect at the next ComputeCoefficients.
    void SetSignificantFigures(int count);

    // The computed line (after a successful ComputeCoefficients; slope 1, intercept 0 before).
    double GetSlope() const { return m_slope.value; }
    double GetIntercept() const { return m_intercept.value; }
    const QString& GetSlopeText() const { return m_slope.text; }
    const QString& GetInterceptText() const { return m_intercept.text; }

    int GetInputMode() const { return m_inputMode; }
    void SetInputMode(int mode) { m_inputMode = mode; }
    bool IsTwoPointInput() const { return m_inputMode == kInputTwoPoints; }
    // The entered texts, as typed.
    const QString& GetInputSlope() const { return m_inputSlope; }
    void SetInputSlope(const QString& text) { m_inputSlope = text; }
    const QString& GetInputIntercept() const { return m_inputIntercept; }
    void SetInputIntercept(const QString& text) { m_inputIntercept = text; }
    const QString& GetInputX1() const { return m_inputX1; }
    void SetInputX1(const QString& text) { m_inputX1 = text; }
    const QString& GetInputY1() const { return m_inputY1; }
    void SetInputY1(const QString& text) { m_inputY1 = text; }
    const QString& GetInputX2() const { return m_inputX2; }
    void SetInputX2(const QString& text) { m_inputX2 = text; }
    const QString& GetInputY2() const { return m_inputY2; }
    void SetInputY2(const QString& text) { m_inputY2 = text; }

    // Whether the user may delete or change the entry in the list.
    bool IsDeletable() const { return m_deletable; }
    void SetDeletable(bool on) { m_deletable = on; }
    bool IsEditable() const { return m_editable; }
    void SetEditable(bool on) { m_editable = on; }
    // Set in a channel's copy while the expression is in force; not stored in the parameter file.
    bool IsApplied() const { return m_applied; }
    void SetApplied(bool on) { m_applied = on; }

private:
    QString m_name;
    QString m_unit;
    bool m_scientificNotation = false;
    int m_significantFigures = kDefaultSignificantFigures;
    Coefficient m_slope;
    Coefficient m_intercept;
    int m_inputMode = kInputSlopeIntercept;
    QString m_inputSlope;
    QString m_inputIntercept;
    QString m_inputX1;
    QString m_inputY1;
    QString m_inputX2;
    QString m_inputY2;
    bool m_deletable = true;
    bool m_editable = true;
    bool m_applied = false;
    bool m_noConversion = false;
};

}  // namespace ovgApp
