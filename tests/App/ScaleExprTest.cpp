#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <limits>

#include "App/PrmFile.h"
#include "App/PrmKeyedDecoder.h"
#include "App/PrmScaleExpr.h"
#include "SaveFaults.h"
#include "filelib/ChConstants.h"

using ovgApp::PrmFile;
using ovgApp::PrmKeyedDecoder;
using ovgApp::PrmScaleExpr;

namespace {

PrmScaleExpr TwoPoints(const char* x1, const char* y1, const char* x2, const char* y2, int significantFigures)
{
    PrmScaleExpr expr;
    expr.SetInputMode(PrmScaleExpr::kInputTwoPoints);
    expr.SetInputX1(QString::fromUtf8(x1));
    expr.SetInputY1(QString::fromUtf8(y1));
    expr.SetInputX2(QString::fromUtf8(x2));
    expr.SetInputY2(QString::fromUtf8(y2));
    expr.SetSignificantFigures(significantFigures);
    return expr;
}

PrmScaleExpr SlopeIntercept(const char* slope, const char* intercept, int significantFigures)
{
    PrmScaleExpr expr;
    expr.SetInputSlope(QString::fromUtf8(slope));
    expr.SetInputIntercept(QString::fromUtf8(intercept));
    expr.SetSignificantFigures(significantFigures);
    return expr;
}

std::shared_ptr<PrmScaleExpr> Named(const char* name, const char* unit)
{
    auto expr = std::make_shared<PrmScaleExpr>(SlopeIntercept("2", "1", 3));
    expr->SetName(QString::fromUtf8(name));
    expr->SetUnit(QString::fromUtf8(unit));
    return expr;
}

QStringList Names(const PrmFile::ScaleExprList& list)
{
    QStringList names;
    for (const auto& expr : list) names << expr->GetName();
    return names;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(bytes.size(), file.write(bytes));
}

// The bytes of a one-entry parameter file in the keyed form, as the program writes it.
QByteArray KeyedFileBytes(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("keyed-source.prm"));
    EXPECT_EQ(PrmFile::kOk, PrmFile::Save(path, {Named("P", "kPa")}, PrmFile::Form::Keyed));
    return ReadAll(path);
}

void ExpectSameStoredFields(const PrmScaleExpr& expected, const PrmScaleExpr& actual)
{
    EXPECT_EQ(expected.GetName(), actual.GetName());
    EXPECT_EQ(expected.GetUnit(), actual.GetUnit());
    EXPECT_EQ(expected.GetScientificNotation(), actual.GetScientificNotation());
    EXPECT_EQ(expected.GetSignificantFigures(), actual.GetSignificantFigures());
    EXPECT_EQ(expected.GetInputMode(), actual.GetInputMode());
    EXPECT_EQ(expected.GetInputSlope(), actual.GetInputSlope());
    EXPECT_EQ(expected.GetInputIntercept(), actual.GetInputIntercept());
    EXPECT_EQ(expected.GetInputX1(), actual.GetInputX1());
    EXPECT_EQ(expected.GetInputY1(), actual.GetInputY1());
    EXPECT_EQ(expected.GetInputX2(), actual.GetInputX2());
    EXPECT_EQ(expected.GetInputY2(), actual.GetInputY2());
    EXPECT_EQ(expected.IsDeletable(), actual.IsDeletable());
    EXPECT_EQ(expected.IsEditable(), actual.IsEditable());
}

}  // namespace

TEST(PrmScaleExpr, TwoPointsGiveTheLineThroughThem)
{
    const struct {
        const char *x1, *y1, *x2, *y2;
        int significantFigures;
        double slope, intercept;
        const char *slopeText, *interceptText;
    } rows[] = {
        {"4", "0", "20", "100", 3, 6.25, -25.0, "6.25", "-25.0"},
        {"20", "100", "4", "0", 3, 6.25, -25.0, "6.25", "-25.0"},
        {"0", "0", "10", "1", 4, 0.1, 0.0, "0.1000", "0.000"},
        {"1", "1", "4", "2", 3, 0.333, 0.667, "0.333", "0.667"},
        {"-1e3", "0", "1e3", "2", 2, 0.001, 1.0, "0.0010", "1.0"},
        {" ４ ", "０", "２０", "１００", 3, 6.25, -25.0, "6.25", "-25.0"},  // full-width input method digits
        {"0", "0", "1", "123456", 3, 123000.0, 0.0, "+1.23e+05", "0.00"},
    };
    for (const auto& row : rows) {
        PrmScaleExpr expr = TwoPoints(row.x1, row.y1, row.x2, row.y2, row.significantFigures);
        SCOPED_TRACE(testing::Message() << row.x1 << ' ' << row.y1 << ' ' << row.x2 << ' ' << row.y2);
        ASSERT_EQ(PrmScaleExpr::kOk, expr.ComputeCoefficients());
        EXPECT_EQ(row.slope, expr.GetSlope());
        EXPECT_EQ(row.intercept, expr.GetIntercept());
        EXPECT_EQ(QString::fromUtf8(row.slopeText), expr.GetSlopeText());
        EXPECT_EQ(QString::fromUtf8(row.interceptText), expr.GetInterceptText());
    }
}

TEST(PrmScaleExpr, RefusedEntryNamesItsFirstFaultAndKeepsTheLine)
{
    const struct {
        const char *x1, *y1, *x2, *y2;
        int code;
    } rows[] = {
        {"a", "b", "c", "d", PrmScaleExpr::kX1NotNumber},
        {"", "0", "20", "100", PrmScaleExpr::kX1NotNumber},
        {"0x10", "0", "20", "100", PrmScaleExpr::kX1NotNumber},
        {"4", "", "20", "x", PrmScaleExpr::kY1NotNumber},
        {"4", "0", "2 0", "x", PrmScaleExpr::kX2NotNumber},
        {"4", "0", "20", "1,5", PrmScaleExpr::kY2NotNumber},
        {"4", "0", "20", "inf", PrmScaleExpr::kY2NotNumber},
        {"4", "0", "20", "1e400", PrmScaleExpr::kY2NotNumber},
        {"4", "0", "4", "100", PrmScaleExpr::kSameX},
        {"4", "0", "4.0", "100", PrmScaleExpr::kSameX},
        {"4", "0", "4e0", "0", PrmScaleExpr::kSameX},
        {"0", "-1e308", "1e-300", "1e308", PrmScaleExpr::kNotFinite},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.x1 << ' ' << row.y1 << ' ' << row.x2 << ' ' << row.y2);
        PrmScaleExpr expr = TwoPoints("4", "0", "20", "100", 3);
        ASSERT_EQ(PrmScaleExpr::kOk, expr.ComputeCoefficients());
        expr.SetInputX1(QString::fromUtf8(row.x1));
        expr.SetInputY1(QString::fromUtf8(row.y1));
        expr.SetInputX2(QString::fromUtf8(row.x2));
        expr.SetInputY2(QString::fromUtf8(row.y2));
        EXPECT_EQ(row.code, expr.ComputeCoefficients());
        EXPECT_EQ(6.25, expr.GetSlope());
        EXPECT_EQ(-25.0, expr.GetIntercept());
        EXPECT_FALSE(PrmScaleExpr::ErrorText(row.code).isEmpty());
    }
}

TEST(PrmScaleExpr, SlopeAndInterceptAreReadAsTypedInEveryNonZeroMode)
{
    const struct {
        int mode;
        const char *slope, *intercept;
        int code;
        double slopeValue, interceptValue;
    } rows[] = {
        {1, "2.5", "-10", PrmScaleExpr::kOk, 2.5, -10.0},
        {7, "2.5", "-10", PrmScaleExpr::kOk, 2.5, -10.0},
        {-1, " +1.5 ", "0", PrmScaleExpr::kOk, 1.5, 0.0},
        {1, "1e3", "-2E-1", PrmScaleExpr::kOk, 1000.0, -0.2},
        {1, ".5", "5.", PrmScaleExpr::kOk, 0.5, 5.0},
        {1, "１．５", "－３", PrmScaleExpr::kOk, 1.5, -3.0},
        {1, "1,5", "0", PrmScaleExpr::kSlopeNotNumber, 1.0, 0.0},
        {1, "", "0", PrmScaleExpr::kSlopeNotNumber, 1.0, 0.0},
        {1, "+-1", "0", PrmScaleExpr::kSlopeNotNumber, 1.0, 0.0},
        {1, "inf", "0", PrmScaleExpr::kSlopeNotNumber, 1.0, 0.0},
        {1, "1e400", "0", PrmScaleExpr::kSlopeNotNumber, 1.0, 0.0},
        {1, "1", "", PrmScaleExpr::kInterceptNotNumber, 1.0, 0.0},
        {1, "1", "nan", PrmScaleExpr::kInterceptNotNumber, 1.0, 0.0},
        {1, "1", "2 3", PrmScaleExpr::kInterceptNotNumber, 1.0, 0.0},
        {1, "1.7976931348623157e308", "0", PrmScaleExpr::kNotFinite, 1.0,
         0.0},  // rounds past the largest double
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.mode << " [" << row.slope << "] [" << row.intercept << ']');
        PrmScaleExpr expr = SlopeIntercept(row.slope, row.intercept, 3);
        expr.SetInputMode(row.mode);
        EXPECT_EQ(row.code, expr.ComputeCoefficients());
        EXPECT_EQ(row.slopeValue, expr.GetSlope());
        EXPECT_EQ(row.interceptValue, expr.GetIntercept());
    }
}

TEST(PrmScaleExpr, RoundingKeepsTheSignificantFiguresAndShowsThem)
{
    const struct {
        double value;
        int significantFigures;
        bool scientific;
        double rounded;
        const char* text;
    } rows[] = {
        {1.0 / 3.0, 3, false, 0.333, "0.333"},
        {6.25, 3, false, 6.25, "6.25"},
        {-25.0, 3, false, -25.0, "-25.0"},
        {12.3456, 3, false, 12.3, "12.3"},
        {9.9999, 3, false, 10.0, "10.0"},       // the carry moves the exponent
        {123.0, 3, false, 123.0, "+1.23e+02"},  // no decimals left: scientific form
        {123456.0, 3, false, 123000.0, "+1.23e+05"},
        {-123456.0, 3, false, -123000.0, "-1.23e+05"},
        {0.000123456, 2, false, 0.00012, "0.00012"},
        {-1e-9, 1, false, -1e-9, "-0.000000001"},
        {0.5, 1, false, 0.5, "0.5"},
        {2.5, 1, false, 2.0, "+2e+00"},  // a tie goes to the even digit
        {0.0, 4, false, 0.0, "0.000"},
        {-0.00004, 1, false, -0.00004, "-0.00004"},
        {1.0 / 3.0, 9, false, 0.333333333, "0.333333333"},
        {1.0 / 3.0, 0, false, 0.333333333, "0.333333333"},  // outside 1 to 9: nine figures
        {1.0 / 3.0, 12, false, 0.333333333, "0.333333333"},
        {1.0 / 3.0, 3, true, 0.333, "+3.33e-01"},
        {-1234.5, 5, true, -1234.5, "-1.2345e+03"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.value << " to " << row.significantFigures);
        const PrmScaleExpr::Coefficient coefficient =
            PrmScaleExpr::Round(row.value, row.significantFigures, row.scientific);
        EXPECT_EQ(row.rounded, coefficient.value);
        EXPECT_FALSE(std::signbit(coefficient.value) && coefficient.value == 0.0);
        EXPECT_EQ(QString::fromUtf8(row.text), coefficient.text);
    }
}

TEST(PrmScaleExpr, ApplyingConvertsValidValuesAndPassesNoData)
{
    PrmScaleExpr current = TwoPoints("4", "0", "20", "100", 3);
    ASSERT_EQ(PrmScaleExpr::kOk, current.ComputeCoefficients());
    const auto none = PrmScaleExpr::MakeNoConversion();
    const struct {
        const PrmScaleExpr* expr;
        double y, expected;
    } rows[] = {
        {&current, 12.0, 50.0},
        {&current, 4.0, 0.0},
        {&current, 0.0, -25.0},
        {&current, OvGraphFileLib::INVALID_VALUE, OvGraphFileLib::INVALID_VALUE},
        {&current, OvGraphFileLib::BREAK_VALUE, OvGraphFileLib::BREAK_VALUE},
        {&current, -OvGraphFileLib::INVALID_VALUE, -OvGraphFileLib::INVALID_VALUE},  // not -inf
        {&current, -OvGraphFileLib::BREAK_VALUE, -OvGraphFileLib::BREAK_VALUE},
        {&current, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()},
        {none.get(), 12.34, 12.34},
        {none.get(), -0.001, -0.001},
    };
    for (const auto& row : rows) EXPECT_EQ(row.expected, row.expr->Apply(row.y)) << row.y;
}

TEST(PrmScaleExpr, ChannelTextGivesAnAppliedExpressionOrNone)
{
    const struct {
        const char* text;
        bool built;
        double slope, intercept;
        int significantFigures;
        const char* unit;
    } rows[] = {
        {"2.5\n-10\n3\nkPa", true, 2.5, -10.0, 3, "kPa"},
        {"1.000000\n0.000000\n2\nmA\n", true, 1.0, 0.0, 2, "mA"},
        {"0.25\n4\n0\nV\n", true, 0.25, 4.0, 9, "V"},  // no decimal places: nine figures
        {"0.123456\n0\n2\n℃\nextra", true, 0.12, 0.0, 2, "℃"},
        {" 6.25 \n-25\n3abc\n%\n", true, 6.25, -25.0, 3, "%"},
        {"1\n0\n3\n\n", true, 1.0, 0.0, 3, ""},
        {"\n\n\n\n", false, 0, 0, 0, ""},  // a channel without an expression
        {"1\n0\n3", false, 0, 0, 0, ""},
        {"", false, 0, 0, 0, ""},
        {"x\n0\n3\nV", false, 0, 0, 0, ""},
        {"1\ny\n3\nV", false, 0, 0, 0, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << '[' << row.text << ']');
        const auto expr = PrmScaleExpr::FromChannelText(QString::fromUtf8(row.text));
        ASSERT_EQ(row.built, expr != nullptr);
        if (!expr) continue;
        EXPECT_TRUE(expr->IsApplied());
        EXPECT_FALSE(expr->IsNoConversion());
        EXPECT_FALSE(expr->IsTwoPointInput());
        EXPECT_EQ(row.slope, expr->GetSlope());
        EXPECT_EQ(row.intercept, expr->GetIntercept());
        EXPECT_EQ(row.significantFigures, expr->GetSignificantFigures());
        EXPECT_EQ(QString::fromUtf8(row.unit), expr->GetUnit());
    }
}

TEST(PrmScaleExpr, ChannelTextRoundTripKeepsLineAndUnit)
{
    const struct {
        PrmScaleExpr expr;
        const char* unit;
    } rows[] = {
        {TwoPoints("4", "0", "20", "100", 3), "kPa"},
        {TwoPoints("1", "1", "4", "2", 9), "m³/h"},
        {SlopeIntercept("0.000123456", "-1e5", 3), "lx"},
        {SlopeIntercept("1e-300", "1e300", 9), ""},
        {SlopeIntercept("1", "0", 4), "%RH"},
    };
    for (const auto& row : rows) {
        PrmScaleExpr expr = row.expr;
        expr.SetUnit(QString::fromUtf8(row.unit));
        ASSERT_EQ(PrmScaleExpr::kOk, expr.ComputeCoefficients());
        const QString text = expr.ToChannelText();
        SCOPED_TRACE(text.toStdString());
        const auto back = PrmScaleExpr::FromChannelText(text);
        ASSERT_NE(nullptr, back);
        EXPECT_EQ(expr.GetSlope(), back->GetSlope());
        EXPECT_EQ(expr.GetIntercept(), back->GetIntercept());
        EXPECT_EQ(expr.GetSignificantFigures(), back->GetSignificantFigures());
        EXPECT_EQ(expr.GetUnit(), back->GetUnit());
    }
}

TEST(PrmFile, WrittenListReadsBackInBothForms)
{
    auto pressure = std::make_shared<PrmScaleExpr>(TwoPoints("4", "0", "20", "100", 3));
    pressure->SetName(QStringLiteral("4-20mA 圧力"));
    pressure->SetUnit(QStringLiteral("kPa"));
    pressure->SetDeletable(false);
    pressure->SetApplied(true);  // a channel's mark, not part of the list
    auto fahrenheit = std::make_shared<PrmScaleExpr>(SlopeIntercept(" 1.8 ", "32", 7));
    fahrenheit->SetName(QStringLiteral("<&> \"quoted\" 'x'"));
    fahrenheit->SetUnit(QStringLiteral("°F"));
    fahrenheit->SetScientificNotation(true);
    fahrenheit->SetEditable(false);
    auto unfinished = std::make_shared<PrmScaleExpr>(SlopeIntercept("x", "", 9));
    unfinished->SetInputMode(5);
    unfinished->SetInputX1(QStringLiteral("  "));
    const PrmFile::ScaleExprList list = {pressure, fahrenheit, unfinished};
    for (const auto& expr : list) expr->ComputeCoefficients();

    const struct {
        PrmFile::Form form;
        bool plain;
    } rows[] = {{PrmFile::Form::Plain, true}, {PrmFile::Form::Keyed, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.plain ? "plain" : "keyed");
        QTemporaryDir dir;
        const QString path = dir.filePath(PrmFile::FileName());
        ASSERT_EQ(PrmFile::kOk, PrmFile::Save(path, list, row.form));
        const QByteArray bytes = ReadAll(path);
        EXPECT_EQ(row.plain, bytes.startsWith("<?xml "));
        EXPECT_EQ(row.plain, bytes.contains("<scale_expr_info version=\"0.10\">"));
        EXPECT_EQ(row.plain, bytes.contains("<prm_scale_expr>"));

        PrmFile::ScaleExprList loaded;
        ASSERT_EQ(PrmFile::kOk, PrmFile::Load(path, loaded));
        ASSERT_EQ(list.size(), loaded.size());
        for (size_t i = 0; i < list.size(); ++i) {
            ExpectSameStoredFields(*list[i], *loaded[i]);
            EXPECT_FALSE(loaded[i]->IsApplied());
        }
        EXPECT_EQ(6.25, loaded[0]->GetSlope());
        EXPECT_EQ(-25.0, loaded[0]->GetIntercept());
        EXPECT_EQ(QStringLiteral("+1.800000e+00"), loaded[1]->GetSlopeText());
        EXPECT_EQ(1.0, loaded[2]->GetSlope());  // its texts do not compute
    }
}

TEST(PrmFile, PlainXmlIsReadWithoutDecoding)
{
    const QByteArray document = PrmFile::ToXml({Named("P", "kPa")});
    const QByteArray body = document.mid(document.indexOf("<scale_expr_info"));
    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"as written", document},
        {"blanks, tabs and line breaks first", "  \t\r\n\n " + document},
        {"byte order mark", "\xEF\xBB\xBF" + document},
        {"byte order mark and blanks", "\xEF\xBB\xBF\r\n " + document},
        {"no declaration", body},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QByteArray xml;
        EXPECT_EQ(PrmFile::kOk, PrmFile::ToPlainXml(row.bytes, xml));
        EXPECT_EQ(row.bytes.toStdString(), xml.toStdString());
        PrmFile::ScaleExprList list;
        ASSERT_EQ(PrmFile::kOk, PrmFile::Read(row.bytes, list));
        EXPECT_EQ(QStringList{QStringLiteral("P")}, Names(list));
    }
}

TEST(PrmFile, BrokenFileLeavesTheListEmpty)
{
    QTemporaryDir dir;
    const QByteArray keyed = KeyedFileBytes(dir);
    ASSERT_GT(keyed.size(), PrmKeyedDecoder::kHeaderSize);
    QByteArray otherVersion = keyed;
    otherVersion[4] = 2;
    QByteArray flipped = keyed;
    flipped[PrmKeyedDecoder::kHeaderSize + 10] =
        static_cast<char>(flipped[PrmKeyedDecoder::kHeaderSize + 10] ^ 0x20);
    QByteArray wrongCheck = keyed;
    wrongCheck[12] = static_cast<char>(wrongCheck[12] ^ 1);
    const QByteArray otherKeys =
        PrmKeyedDecoder::Encode(PrmFile::ToXml({Named("P", "kPa")}), "Another1", "Keys2");
    const QString folder = dir.filePath(QStringLiteral("a-folder"));
    ASSERT_TRUE(QDir().mkpath(folder));

    const struct {
        const char* name;
        QByteArray bytes;  // written to the file unless the row names a path of its own
        QString path;
        int code;
    } rows[] = {
        {"missing", {}, dir.filePath(QStringLiteral("none.prm")), PrmFile::kMissing},
        {"a folder", {}, folder, PrmFile::kReadFailed},
        {"empty", "", {}, PrmFile::kDecodeNotKeyed},
        {"neither XML nor keyed", "garbage that is long enough", {}, PrmFile::kDecodeNotKeyed},
        {"keyed header only", keyed.left(PrmKeyedDecoder::kHeaderSize - 1), {}, PrmFile::kDecodeNotKeyed},
        {"keyed, later version", otherVersion, {}, PrmFile::kDecodeUnknownVersion},
        {"keyed, cut short", keyed.chopped(1), {}, PrmFile::kDecodeLengthMismatch},
        {"keyed, trailing byte", keyed + 'x', {}, PrmFile::kDecodeLengthMismatch},
        {"keyed, damaged byte", flipped, {}, PrmFile::kDecodeCheckFailed},
        {"keyed, damaged check value", wrongCheck, {}, PrmFile::kDecodeCheckFailed},
        {"keyed with other keys", otherKeys, {}, PrmFile::kDecodeCheckFailed},
        {"unclosed element",
         "<?xml version=\"1.0\"?><scale_expr_info version=\"0.10\"><prm_scale_expr><name>P</name>",
         {},
         PrmFile::kNotXml},
        {"bad markup", " <scale_expr_info <prm_scale_expr/>", {}, PrmFile::kNotXml},
        {"well-formed, another kind", "<?xml version=\"1.0\"?><update_info/>", {}, PrmFile::kOk},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QString path = row.path;
        if (path.isEmpty()) {
            path = dir.filePath(QStringLiteral("broken.prm"));
            WriteAll(path, row.bytes);
        }
        PrmFile::ScaleExprList list = {Named("left over", "V")};
        EXPECT_EQ(row.code, PrmFile::Load(path, list));
        EXPECT_TRUE(list.empty());
        EXPECT_TRUE(PrmFile::ErrorMessage(path, row.code).contains(QDir::toNativeSeparators(path)));
    }
}

TEST(PrmKeyedDecoder, DecodesWithTheKeysItWasEncodedWith)
{
    const QByteArray plain = "<?xml version=\"1.0\"?><scale_expr_info/>";
    const struct {
        const char *encodeKey1, *encodeKey2, *decodeKey1, *decodeKey2;
        QByteArray plain;
        int result;
    } rows[] = {
        {"Abcdefgh", "Ijklm", "Abcdefgh", "Ijklm", plain, static_cast<int>(plain.size())},
        {"Abcdefgh", "Ijklm", "Abcdefgh", "Ijklx", plain, PrmKeyedDecoder::kCheckFailed},
        {"Abcdefgh", "Ijklm", "Xbcdefgh", "Ijklm", plain, PrmKeyedDecoder::kCheckFailed},
        {"Abcdefgh", "Ijklm", "Ijklm", "Abcdefgh", plain, PrmKeyedDecoder::kCheckFailed},
        {"Abcdefgh", "Ijklm", "", "Ijklm", plain, PrmKeyedDecoder::kBadKey},
        {"Abcdefgh", "Ijklm", "Abcdefgh", "", plain, PrmKeyedDecoder::kBadKey},
        {"Abcdefgh", "Ijklm", "Abcdefgh", "Ijklm", "", 0},
        {"Abcdefgh", "Ijklm", "Abcdefgh", "Ijklm", QByteArray(1000, '\0'), 1000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.decodeKey1 << '/' << row.decodeKey2 << ' ' << row.plain.size());
        const QByteArray keyed = PrmKeyedDecoder::Encode(row.plain, row.encodeKey1, row.encodeKey2);
        ASSERT_EQ(PrmKeyedDecoder::kHeaderSize + row.plain.size(), keyed.size());
        if (!row.plain.isEmpty()) {
            EXPECT_FALSE(keyed.contains(row.plain.left(8)));  // the payload is not readable as it was
        }
        QByteArray decoded;
        EXPECT_EQ(row.result, PrmKeyedDecoder::Decode(keyed, row.decodeKey1, row.decodeKey2, decoded));
        EXPECT_EQ((row.result >= 0 ? row.plain : QByteArray()).toStdString(), decoded.toStdString());
    }
}

TEST(PrmFile, FailedSaveKeepsThePreviousFile)
{
    QTemporaryDir dir;
    // A name at the file system's limit: the temporary file beside it cannot be named.
    const QString longName = dir.filePath(QString(251, u'p') + QStringLiteral(".prm"));
    const QString underAFile = dir.filePath(QStringLiteral("plain.txt/") + PrmFile::FileName());
    const QString folderTarget = dir.filePath(QStringLiteral("target-folder"));
    ASSERT_TRUE(QDir().mkpath(folderTarget));

    const struct {
        const char* name;
        QString path;    // the save target
        QString keeper;  // the file that must stay as it was
    } rows[] = {
        {"temporary file cannot be created", longName, longName},
        {"folder cannot be created", underAFile, dir.filePath(QStringLiteral("plain.txt"))},
        {"target is a folder", folderTarget, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray old = "<?xml version=\"1.0\"?><scale_expr_info version=\"0.10\"/>";
        if (!row.keeper.isEmpty()) WriteAll(row.keeper, old);
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        EXPECT_EQ(PrmFile::kWriteFailed, PrmFile::Save(row.path, {Named("new", "kPa")}));
        if (!row.keeper.isEmpty()) {
            EXPECT_EQ(old.toStdString(), ReadAll(row.keeper).toStdString());
        }
        EXPECT_EQ(before, QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot));
        EXPECT_TRUE(QDir(folderTarget).isEmpty());
    }
}

// The scale expression file survives a failed write call and a kill at any moment of a save:
// the previous file stays byte for byte, or the file is one of the two saves, whole.
TEST(PrmFile, AFailedWriteOrAKillDuringASaveLeavesTheOldOrTheNewFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(PrmFile::FileName());
    PrmFile::ScaleExprList lists[2];
    for (int i = 0; i < 300; ++i) {
        lists[0].push_back(Named(("sensor " + std::to_string(i)).c_str(), "kPa"));
        lists[1].push_back(Named(("probe " + std::to_string(i)).c_str(), "mV"));
    }
    const QByteArray old = "<?xml version=\"1.0\"?><scale_expr_info version=\"0.10\"/>";
    WriteAll(path, old);
    {
        save_faults::FailingSaveFile file(path, 1);
        EXPECT_EQ(PrmFile::kWriteFailed, PrmFile::Save(file, lists[0]));
        EXPECT_EQ(1, file.Calls());
    }
    EXPECT_EQ(old.toStdString(), save_faults::Contents(path));
    EXPECT_EQ(QStringList{PrmFile::FileName()}, QDir(dir.path()).entryList(QDir::Files));

    const std::string contents[2] = {PrmFile::ToXml(lists[0]).toStdString(), PrmFile::ToXml(lists[1]).toStdString()};
    save_faults::KillReport report;
    save_faults::KillDuringSaves(path, [&](int k) { (void)PrmFile::Save(path, lists[k]); }, contents, 1000, report);
    EXPECT_EQ(1000, report.complete);
    EXPECT_GT(report.interrupted, 100) << "too few kills landed in the middle of a save";
}

TEST(PrmFile, SaveCarriesOverTheUpdateServerSettingsOfTheFileItReplaces)
{
    const QByteArray updateInfo =
        "<update_info><server><server_name>127.0.0.1</server_name><port>8080</port></server></update_info>";
    const QByteArray withUpdateInfo =
        "<?xml version=\"1.0\"?><scale_expr_info version=\"0.10\">"
        "<prm_scale_expr><name>old</name></prm_scale_expr>" +
        updateInfo + "</scale_expr_info>";
    const struct {
        const char* name;
        QByteArray existing;  // empty: no file
        PrmFile::Form firstSave;
        bool kept;
    } rows[] = {
        {"plain file", withUpdateInfo, PrmFile::Form::Plain, true},
        {"through a save in the keyed form", withUpdateInfo, PrmFile::Form::Keyed, true},
        {"file without it", "<scale_expr_info version=\"0.10\"/>", PrmFile::Form::Plain, false},
        {"file that is not XML", "<scale_expr_info", PrmFile::Form::Plain, false},
        {"no file", {}, PrmFile::Form::Plain, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(PrmFile::FileName());
        if (!row.existing.isEmpty()) WriteAll(path, row.existing);

        // Twice: the second save reads what the first wrote and must not double the element.
        ASSERT_EQ(PrmFile::kOk, PrmFile::Save(path, {Named("new", "kPa")}, row.firstSave));
        ASSERT_EQ(PrmFile::kOk, PrmFile::Save(path, {Named("new", "kPa")}));

        PrmFile::ScaleExprList list;
        ASSERT_EQ(PrmFile::kOk, PrmFile::Load(path, list));
        EXPECT_EQ(QStringList{QStringLiteral("new")}, Names(list));
        const QByteArray saved = ReadAll(path);
        EXPECT_EQ(row.kept ? 1 : 0, saved.count("<update_info>"));
        EXPECT_EQ(row.kept, saved.contains("<server_name>127.0.0.1</server_name>"));
    }
}

TEST(PrmFile, InputModeElementKeepsItsSpelling)
{
    const char* const document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<scale_expr_info version=\"0.10\"><prm_scale_expr><name>P</name><unit>kPa</unit>"
        "<scale_expr><scientific_notation>0</scientific_notation><significant_figures>3</significant_figures>"
        "</scale_expr><%1>%2</%1><input_slope>2</input_slope><input_intercept>1</input_intercept>"
        "<input_x1>4</input_x1><input_y1>0</input_y1><input_x2>20</input_x2><input_y2>100</input_y2>"
        "<deletable>1</deletable><editable>1</editable></prm_scale_expr></scale_expr_info>\n";
    const struct {
        const char* element;
        const char* value;
        int mode;
        double slope;
    } rows[] = {
        {"intput_expr_mode", "0", PrmScaleExpr::kInputTwoPoints, 6.25},
        {"intput_expr_mode", "1", PrmScaleExpr::kInputSlopeIntercept, 2.0},
        {"intput_expr_mode", "3", 3, 2.0},
        {"input_expr_mode", "0", PrmScaleExpr::kInputSlopeIntercept, 2.0},  // not this program's element
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.element << '=' << row.value);
        const QByteArray bytes = QString::fromUtf8(document).arg(row.element, row.value).toUtf8();
        PrmFile::ScaleExprList list;
        ASSERT_EQ(PrmFile::kOk, PrmFile::Read(bytes, list));
        ASSERT_EQ(1u, list.size());
        EXPECT_EQ(row.mode, list[0]->GetInputMode());
        EXPECT_EQ(row.slope, list[0]->GetSlope());

        const QByteArray written = PrmFile::ToXml(list);
        EXPECT_TRUE(
            written.contains("<intput_expr_mode>" + QByteArray::number(row.mode) + "</intput_expr_mode>"));
        EXPECT_FALSE(written.contains("<input_expr_mode>"));
    }
}

TEST(PrmFile, StartUpPutsSharedPresetsBehindTheUsersList)
{
    const QByteArray broken = "<scale_expr_info>";
    const auto file = [](std::initializer_list<std::shared_ptr<PrmScaleExpr>> list) {
        return PrmFile::ToXml(PrmFile::ScaleExprList(list));
    };
    const struct {
        const char* name;
        QByteArray user;    // empty: no file
        QByteArray shared;  // empty: no file
        QStringList names;
        QStringList units;
        QStringList reported;
        int code;
    } rows[] = {
        {"user only", file({Named("A", "V"), Named("B", "mA")}), {}, {"A", "B"}, {"V", "mA"}, {}, 0},
        {"shared only", {}, file({Named("P", "kPa")}), {"P"}, {"kPa"}, {}, 0},
        {"same name: the user's entry wins",
         file({Named("A", "V"), Named("P", "hPa")}),
         file({Named("P", "kPa"), Named("Q", "m")}),
         {"A", "P", "Q"},
         {"V", "hPa", "m"},
         {},
         0},
        {"user file broken", broken, file({Named("P", "kPa")}), {"P"}, {"kPa"}, {"user"}, PrmFile::kNotXml},
        {"shared file broken",
         file({Named("A", "V")}),
         "garbage",
         {"A"},
         {"V"},
         {"shared"},
         PrmFile::kDecodeNotKeyed},
        {"neither file", {}, {}, {}, {}, {}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString userPath = dir.filePath(QStringLiteral("user/") + PrmFile::FileName());
        const QString sharedPath = dir.filePath(QStringLiteral("shared/") + PrmFile::FileName());
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("user"))));
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("shared"))));
        if (!row.user.isEmpty()) WriteAll(userPath, row.user);
        if (!row.shared.isEmpty()) WriteAll(sharedPath, row.shared);

        PrmFile::ScaleExprList list = {Named("left over", "V")};
        QStringList reported;
        PrmFile::LoadAtStartUp(userPath, sharedPath, list, [&](const QString& path, int code) {
            reported << (path == userPath ? QStringLiteral("user") : QStringLiteral("shared"));
            EXPECT_EQ(row.code, code);
        });
        EXPECT_EQ(row.names, Names(list));
        QStringList units;
        for (const auto& expr : list) units << expr->GetUnit();
        EXPECT_EQ(row.units, units);
        EXPECT_EQ(row.reported, reported);
    }
}
