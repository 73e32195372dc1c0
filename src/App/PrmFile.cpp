#include "App/PrmFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <pugixml.hpp>
#include <string_view>

#include "App/PrmKeyedDecoder.h"

namespace ovgApp {
namespace {

// The two keys of the keyed form, 8 and 5 ASCII characters. They are configuration of this
// program, not secrets: changing them makes every keyed file written before unreadable.
constexpr std::string_view kKey1 = "OrvGraph";
constexpr std::string_view kKey2 = "PrmK5";
static_assert(kKey1.size() == 8 && kKey2.size() == 5);

constexpr const char* kVersion = "0.10";

class ByteArrayWriter : public pugi::xml_writer {
public:
    explicit ByteArrayWriter(QByteArray& out) : m_out(out) {}
    void write(const void* data, size_t size) override
    {
        m_out.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }

private:
    QByteArray& m_out;
};

void AppendText(pugi::xml_node parent, const char* name, const QString& text)
{
    parent.append_child(name).text().set(text.toUtf8().constData());
}

void AppendInteger(pugi::xml_node parent, const char* name, int value)
{
    AppendText(parent, name, QString::number(value));
}

QString ChildText(const pugi::xml_node& parent, const char* name)
{
    return QString::fromUtf8(parent.child(name).text().get());
}

// pugixml reads integers with its own parser, independent of the process locale.
int ChildInteger(const pugi::xml_node& parent, const char* name, int missing)
{
    return parent.child(name).text().as_int(missing);
}

std::shared_ptr<PrmScaleExpr> ReadScaleExpr(const pugi::xml_node& node)
{
    auto expr = std::make_shared<PrmScaleExpr>();
    expr->SetName(ChildText(node, "name"));
    expr->SetUnit(ChildText(node, "unit"));
    const pugi::xml_node scale = node.child("scale_expr");
    expr->SetScientificNotation(ChildInteger(scale, "scientific_notation", 0) != 0);
    expr->SetSignificantFigures(
        ChildInteger(scale, "significant_figures", PrmScaleExpr::kDefaultSignificantFigures));
    expr->SetInputMode(ChildInteger(node, "intput_expr_mode", PrmScaleExpr::kInputSlopeIntercept));
    expr->SetInputSlope(ChildText(node, "input_slope"));
    expr->SetInputIntercept(ChildText(node, "input_intercept"));
    expr->SetInputX1(ChildText(node, "input_x1"));
    expr->SetInputY1(ChildText(node, "input_y1"));
    expr->SetInputX2(ChildText(node, "input_x2"));
    expr->SetInputY2(ChildText(node, "input_y2"));
    expr->SetDeletable(ChildInteger(node, "deletable", 1) != 0);
    expr->SetEditable(ChildInteger(node, "editable", 1) != 0);
    expr->ComputeCoefficients();
    return expr;
}

void WriteScaleExpr(pugi::xml_node parent, const PrmScaleExpr& expr)
{
    pugi::xml_node node = parent.append_child("prm_scale_expr");
    AppendText(node, "name", expr.GetName());
    AppendText(node, "unit", expr.GetUnit());
    pugi::xml_node scale = node.append_child("scale_expr");
    AppendInteger(scale, "scientific_notation", expr.GetScientificNotation() ? 1 : 0);
    AppendInteger(scale, "significant_figures", expr.GetSignificantFigures());
    AppendInteger(node, "intput_expr_mode", expr.GetInputMode());
    AppendText(node, "input_slope", expr.GetInputSlope());
    AppendText(node, "input_intercept", expr.GetInputIntercept());
    AppendText(node, "input_x1", expr.GetInputX1());
    AppendText(node, "input_y1", expr.GetInputY1());
    AppendText(node, "input_x2", expr.GetInputX2());
    AppendText(node, "input_y2", expr.GetInputY2());
    AppendInteger(node, "deletable", expr.IsDeletable() ? 1 : 0);
    AppendInteger(node, "editable", expr.IsEditable() ? 1 : 0);
}

bool IsPlain(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
    const auto first = std::find_if(bytes.begin(), bytes.end(),
                                    [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; });
    return first != bytes.end() && *first == '<';
}

int DecoderCodeToFileCode(int code)
{
    switch (code) {
        case PrmKeyedDecoder::kNotKeyed:
            return PrmFile::kDecodeNotKeyed;
        case PrmKeyedDecoder::kUnknownVersion:
            return PrmFile::kDecodeUnknownVersion;
        case PrmKeyedDecoder::kLengthMismatch:
            return PrmFile::kDecodeLengthMismatch;
        case PrmKeyedDecoder::kCheckFailed:
            return PrmFile::kDecodeCheckFailed;
        default:
            return PrmFile::kDecodeOther;
    }
}

// The plain document with the expressions, then a copy of keep when it is an element.
QByteArray DocumentXml(const PrmFile::ScaleExprList& list, const pugi::xml_node& keep)
{
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = document.append_child("scale_expr_info");
    root.append_attribute("version") = kVersion;
    for (const auto& expr : list) WriteScaleExpr(root, *expr);
    if (keep) root.append_copy(keep);
    QByteArray out;
    ByteArrayWriter writer(out);
    document.save(writer, "\t", pugi::format_default, pugi::encoding_utf8);
    return out;
}

// The file at path as a document, empty when it is missing or unreadable.
void LoadExisting(const QString& path, pugi::xml_document& document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    QByteArray xml;
    if (PrmFile::ToPlainXml(file.readAll(), xml) != PrmFile::kOk) return;
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
    if (!document.load_buffer(xml.constData(), size_t(xml.size()), options, pugi::encoding_utf8))
        document.reset();
}

}  // namespace

QString PrmFile::FileName()
{
    return QStringLiteral("OrvelGraph.prm");
}

QString PrmFile::UserPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/' + FileName();
}

QString PrmFile::SharedPath()
{
    const QString writable = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QStringList readOnly = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    readOnly.removeAll(writable);
    const QString besideProgram = QCoreApplication::applicationDirPath() + u'/' + FileName();
    for (const QString& folder : readOnly) {
        const QString path = folder + u'/' + FileName();
        if (QFileInfo::exists(path)) return path;
    }
    if (QFileInfo::exists(besideProgram) || readOnly.isEmpty()) return besideProgram;
    return readOnly.first() + u'/' + FileName();
}

int PrmFile::Load(const QString& path, ScaleExprList& list)
{
    list.clear();
    QFile file(path);
    if (!file.exists()) return kMissing;
    if (!file.open(QIODevice::ReadOnly)) return kReadFailed;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return kReadFailed;
    return Read(bytes, list);
}

int PrmFile::ToPlainXml(QByteArrayView bytes, QByteArray& xml)
{
    if (IsPlain(bytes)) {
        xml = bytes.toByteArray();
        return kOk;
    }
    const int decoded = PrmKeyedDecoder::Decode(bytes, kKey1, kKey2, xml);
    return decoded < 1 ? DecoderCodeToFileCode(decoded) : kOk;
}

int PrmFile::Read(QByteArrayView bytes, ScaleExprList& list)
{
    list.clear();
    QByteArray xml;
    if (const int code = ToPlainXml(bytes, xml); code != kOk) return code;
    pugi::xml_document document;
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
    if (!document.load_buffer(xml.constData(), static_cast<size_t>(xml.size()), options,
                              pugi::encoding_utf8)) {
        return kNotXml;
    }
    for (const pugi::xml_node& node : document.child("scale_expr_info").children("prm_scale_expr")) {
        list.push_back(ReadScaleExpr(node));
    }
    return kOk;
}

QByteArray PrmFile::ToXml(const ScaleExprList& list)
{
    return DocumentXml(list, pugi::xml_node());
}

int PrmFile::Save(const QString& path, const ScaleExprList& list, Form form)
{
    QSaveFile file(path);
    return Save(file, list, form);
}

int PrmFile::Save(QSaveFile& file, const ScaleExprList& list, Form form)
{
    // The site's update server settings live in the same file and outlive a save of the list.
    const QString path = file.fileName();
    pugi::xml_document existing;
    LoadExisting(path, existing);
    const pugi::xml_node updateInfo = existing.find_node(
        [](const pugi::xml_node& node) { return std::string_view(node.name()) == "update_info"; });
    const QByteArray plain = DocumentXml(list, updateInfo);
    const QByteArray bytes = form == Form::Plain ? plain : PrmKeyedDecoder::Encode(plain, kKey1, kKey2);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return kWriteFailed;
    if (!file.open(QIODevice::WriteOnly)) return kWriteFailed;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return kWriteFailed;
    }
    return file.commit() ? kOk : kWriteFailed;
}

void PrmFile::LoadAtStartUp(const QString& userPath, const QString& sharedPath, ScaleExprList& list,
                            const std::function<void(const QString& path, int code)>& report)
{
    if (const int code = Load(userPath, list); code != kOk && code != kMissing) report(userPath, code);
    if (!QFileInfo::exists(sharedPath)) return;
    ScaleExprList shared;
    if (const int code = Load(sharedPath, shared); code != kOk) {
        report(sharedPath, code);
        return;
    }
    for (auto& expr : shared) {
        const bool known = std::any_of(list.begin(), list.end(),
                                       [&](const auto& own) { return own->GetName() == expr->GetName(); });
        if (!known) list.push_back(std::move(expr));
    }
}

QString PrmFile::ErrorMessage(const QString& path, int code)
{
    const QString text =
        code == kWriteFailed
            ? QCoreApplication::translate("PrmFile", "パラメータファイルを保存できませんでした。")
            : QCoreApplication::translate("PrmFile", "パラメータファイルを読み込めませんでした。");
    return text + u'\n' + QDir::toNativeSeparators(path) + QStringLiteral("\n(%1)").arg(code);
}

}  // namespace ovgApp
