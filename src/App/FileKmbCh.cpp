#include "App/FileKmbCh.h"

#include <cstring>
#include <typeinfo>
#include <vector>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/PrmScaleExpr.h"
#include "filelib/ChConstants.h"
#include "filelib/ChFactory.h"
#include "filelib/GCh.h"
#include "filelib/Stuff.h"
#include "filelib/TextCodec.h"
#include "graph/Glyph.h"

namespace ovgApp {
namespace {

using namespace OvGraphFileLib;
using namespace OvGraphFileLib::Stuff;

constexpr const char* kSave = "FileKmbCh::SaveImpl";
constexpr const char* kLoad = "FileKmbCh::LoadImpl";
constexpr char kTag[3] = {'C', 'h', 'D'};

void WriteQText(std::ostream& out, const QString& text, int32_t location)
{
    WriteText(out, text.toStdU16String(), location, kSave);
}

QString ReadQText(std::istream& in, int32_t location)
{
    std::u16string text;
    ReadText(in, text, location, kLoad);
    return QString::fromStdU16String(text);
}

void WriteZeros(std::ostream& out, size_t count, int32_t location)
{
    const uint8_t zeros[8] = {};
    WriteBytes(out, zeros, count, location, kSave);
}

// The file channel the application channel works on: editable, owned by it alone.
std::shared_ptr<ICh> EditableCh(std::shared_ptr<ICh> stored)
{
    if (!stored) return std::make_shared<GCh>();
    const ICh& channel = *stored;
    if (typeid(channel) == typeid(GCh)) return stored;
    return std::make_shared<GCh>(channel);
}

}  // namespace

FileKmbCh::FileKmbCh()
    : m_upperLimit(NO_UPPER_LIMIT), m_lowerLimit(NO_LOWER_LIMIT), m_scaleExpr(std::make_shared<PrmScaleExpr>())
{
}

void FileKmbCh::SetScaleExpr(std::shared_ptr<PrmScaleExpr> expr)
{
    m_scaleExpr = expr ? std::move(expr) : std::make_shared<PrmScaleExpr>();
}

void FileKmbCh::SaveImpl(std::ostream& out) const
{
    if (!m_storedCh) ThrowResult(kBadBlock, 5222, kSave);
    const PrmScaleExpr& expr = *m_scaleExpr;
    WriteBytes(out, reinterpret_cast<const uint8_t*>(kTag), sizeof kTag, 5200, kSave);
    WriteZeros(out, 3, 5201);
    WriteBinary(out, uint8_t(expr.GetSignificantFigures()), 5202, kSave);
    WriteBinary(out, m_typeOverride, 5203, kSave);
    WriteBinary(out, m_flags, 5204, kSave);
    WriteBinary(out, m_timeAxis, 5205, kSave);
    WriteBinary(out, m_valueAxis, 5206, kSave);
    WriteZeros(out, 5, 5207);
    WriteQText(out, m_name, 5208);
    WriteBinary(out, m_decimalPlaces, 5209, kSave);
    WriteBinary(out, m_upperLimit, 5210, kSave);
    WriteBinary(out, m_lowerLimit, 5211, kSave);
    WriteBinary(out, 0.0, 5212, kSave);
    const uint8_t exprFlags = uint8_t((expr.IsApplied() ? kExprApplied : 0) | (expr.IsTwoPointInput() ? kExprTwoPoints : 0));
    WriteBinary(out, exprFlags, 5213, kSave);
    WriteQText(out, expr.GetInputX1(), 5214);
    WriteQText(out, expr.GetInputY1(), 5215);
    WriteQText(out, expr.GetInputX2(), 5216);
    WriteQText(out, expr.GetInputY2(), 5217);
    WriteQText(out, expr.GetInputSlope(), 5218);
    WriteQText(out, expr.GetInputIntercept(), 5219);
    WriteQText(out, expr.GetUnit(), 5220);
    WriteQText(out, expr.GetName(), 5221);
    WriteText(out, TextCodec::FromUtf8(m_storedCh->GetClassName()), 5222, kSave);
    m_storedCh->SaveImpl(out);
}

void FileKmbCh::LoadImpl(std::istream& in)
{
    std::vector<uint8_t> tag;
    ReadBytes(in, tag, sizeof kTag, 5241, kLoad);
    if (std::memcmp(tag.data(), kTag, sizeof kTag) != 0) ThrowResult(kReadFailed, 5241, kLoad);
    SkipBytes(in, 3, 5242, kLoad);
    auto expr = std::make_shared<PrmScaleExpr>();
    expr->SetSignificantFigures(Read<uint8_t>(in, 5242, kLoad));
    m_typeOverride = Read<uint8_t>(in, 5243, kLoad);
    m_flags = Read<uint8_t>(in, 5244, kLoad);
    m_timeAxis = Read<uint8_t>(in, 5245, kLoad);
    m_valueAxis = Read<uint8_t>(in, 5246, kLoad);
    SkipBytes(in, 5, 5247, kLoad);
    m_name = ReadQText(in, 5247);
    m_decimalPlaces = Read<int8_t>(in, 5248, kLoad);
    m_upperLimit = Read<double>(in, 5249, kLoad);
    m_lowerLimit = Read<double>(in, 5250, kLoad);
    (void)Read<double>(in, 5251, kLoad);
    const uint8_t exprFlags = Read<uint8_t>(in, 5252, kLoad);
    expr->SetApplied((exprFlags & kExprApplied) != 0);
    expr->SetInputMode((exprFlags & kExprTwoPoints) ? PrmScaleExpr::kInputTwoPoints : PrmScaleExpr::kInputSlopeIntercept);
    expr->SetInputX1(ReadQText(in, 5253));
    expr->SetInputY1(ReadQText(in, 5254));
    expr->SetInputX2(ReadQText(in, 5255));
    expr->SetInputY2(ReadQText(in, 5256));
    expr->SetInputSlope(ReadQText(in, 5257));
    expr->SetInputIntercept(ReadQText(in, 5258));
    expr->SetUnit(ReadQText(in, 5259));
    expr->SetName(ReadQText(in, 5260));
    m_scaleExpr = std::move(expr);
    std::u16string className;
    ReadText(in, className, 5261, kLoad);
    auto stored = ChFactory::Instance().Create(TextCodec::ToUtf8(className));
    if (!stored) ThrowResult(kUnsupportedFile, 5262, kLoad);
    stored->LoadImpl(in);
    m_storedCh = std::move(stored);
}

FileKmbCh FileKmbCh::FromAppCh(const AppCh& channel, uint8_t timeAxis, uint8_t valueAxis)
{
    FileKmbCh record;
    record.m_flags = uint8_t((channel.IsVisible() ? kVisibleInGraph : 0) | (channel.IsVisibleInTable() ? kVisibleInTable : 0));
    record.m_timeAxis = timeAxis;
    record.m_valueAxis = valueAxis;
    record.m_name = channel.GetDisplayName();
    record.m_decimalPlaces = int8_t(channel.GetDecimalPlaces());
    record.m_upperLimit = channel.GetUpperLimit();
    record.m_lowerLimit = channel.GetLowerLimit();
    auto expr = std::make_shared<PrmScaleExpr>(*channel.GetScaleExpr());
    expr->SetApplied(channel.HasOwnScaleExpr());
    record.m_scaleExpr = std::move(expr);
    record.m_typeOverride = channel.IsOverrideActive() ? uint8_t(channel.GetOverrideCode()) : 0;
    const ICh& fileCh = channel.GetFileCh();
    record.m_storedCh = ChFactory::Instance().Knows(fileCh.GetClassName()) ? fileCh.Clone() : std::make_shared<GCh>(fileCh);
    return record;
}

std::shared_ptr<AppCh> FileKmbCh::CreateAppCh(AppDocument* document)
{
    auto channel = std::make_shared<AppCh>(document, EditableCh(std::move(m_storedCh)));
    ApplyTo(*channel);
    return channel;
}

void FileKmbCh::ApplyTo(AppCh& channel) const
{
    const bool visible = (m_flags & kVisibleInGraph) != 0;
    if (channel.IsVisible() != visible) {
        if (visible)
            channel.SetStateBits(ovgGraph::kVisible);
        else
            channel.ClearStateBits(ovgGraph::kVisible);
        channel.Notify(ovgGraph::kChanged | ovgGraph::kRelayout);
    }
    channel.SetVisibleInTable((m_flags & kVisibleInTable) != 0);
    channel.SetDisplayName(m_name);
    // Compared first: a file channel with no decimal places of its own (-1, shown as 1) keeps
    // them, and limits do not go through a unit conversion and back.
    if (channel.GetDecimalPlaces() != m_decimalPlaces) channel.SetDecimalPlaces(m_decimalPlaces);
    if (channel.GetUpperLimit() != m_upperLimit) channel.SetUpperLimit(m_upperLimit);
    if (channel.GetLowerLimit() != m_lowerLimit) channel.SetLowerLimit(m_lowerLimit);
    std::shared_ptr<PrmScaleExpr> expr;
    if (m_scaleExpr->IsApplied()) {
        expr = std::make_shared<PrmScaleExpr>(*m_scaleExpr);
        if (expr->ComputeCoefficients() != PrmScaleExpr::kOk) expr.reset();
    }
    // Setting an expression rebuilds every point: skipped when the channel already shows its
    // values unconverted.
    if (expr || channel.HasOwnScaleExpr()) channel.SetScaleExpr(std::move(expr));
    if (m_typeOverride != 0) channel.SetTypeOverride(true, m_typeOverride);
}

}  // namespace ovgApp
