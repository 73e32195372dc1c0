#include "net/RequestUpdateInfo.h"

#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSysInfo>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <utility>

#include "App/AppInfo.h"
#include "filelib/JsonDocument.h"
#include "net/OnEventListener.h"
#include "net/UpdateServerConfig.h"

// Step-by-step lines only while the debug log is on (or the rules ask for them).
Q_LOGGING_CATEGORY(lcUpdateCheck, "orvel.net.update", QtInfoMsg)

namespace ovgNet {
namespace {

// Qt keeps at most this much of the answer before we take it, so an oversized answer is never
// held in full.
constexpr qint64 kReadBufferBytes = 64 * 1024;

enum class Json { String, Boolean };

struct ResultMember {
    const char* name;
    Json type;
};

// Every member of "result" that a complete answer carries.
constexpr ResultMember kResultMembers[] = {
    {"applicationId", Json::String},
    {"applicationName", Json::String},
    {"hasNewerVersion", Json::Boolean},
    {"newestVersion", Json::String},
    {"supportInformationURL", Json::String},
    {"downloadInformationURL", Json::String},
    {"fileURL", Json::String},
    {"updateDate", Json::String},
    {"subject", Json::String},
    {"description", Json::String},
};

bool HasType(const picojson::value& value, Json type)
{
    return type == Json::String ? value.is<std::string>() : value.is<bool>();
}

// The status as a whole number from 1 to 999, or 0 for anything else.
int StatusOf(const picojson::object& root)
{
    const auto found = root.find("status");
    if (found == root.end()) return 0;
    const picojson::value& status = found->second;
    if (status.is<int64_t>()) {
        const int64_t number = status.get<int64_t>();
        return number >= 1 && number <= 999 ? int(number) : 0;
    }
    if (!status.is<double>()) return 0;
    const double number = status.get<double>();
    return number >= 1 && number <= 999 && std::floor(number) == number ? int(number) : 0;
}

QByteArray Encoded(const QString& value)
{
    return QUrl::toPercentEncoding(value);
}

}  // namespace

RequestUpdateInfo::RequestUpdateInfo(QObject* parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &RequestUpdateInfo::OnTimeout);
}

RequestUpdateInfo::~RequestUpdateInfo()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

QString RequestUpdateInfo::OsDescription()
{
    const bool wide = QSysInfo::currentCpuArchitecture().endsWith(QLatin1String("64"));
    return QSysInfo::prettyProductName() + (wide ? QStringLiteral(", 64-bit") : QStringLiteral(", 32-bit"));
}

QByteArray RequestUpdateInfo::BuildQuery(const QString& appId)
{
    return "id=" + Encoded(appId) + "&version=" + Encoded(ovgApp::AppInfo::VersionNumber()) +
           "&language=" + Encoded(ovgApp::AppInfo::EditionCode()) + "&os=" + Encoded(OsDescription());
}

int RequestUpdateInfo::ParseAnswer(QByteArrayView body, UpdateAnswer& answer)
{
    answer = {};
    if (body.isEmpty()) return kEmptyBody;
    picojson::value document;
    const std::string error = OvGraphFileLib::ParseJsonDocument(std::string_view(body.data(), size_t(body.size())), document);
    if (!error.empty() || !document.is<picojson::object>()) return kNotObject;
    const picojson::object& root = document.get<picojson::object>();
    const int status = StatusOf(root);
    if (status == 0) return kNoStatus;
    if (status != 200) return status;
    const auto result = root.find("result");
    if (result == root.end() || !result->second.is<picojson::object>()) return kBadResult;
    const picojson::object& members = result->second.get<picojson::object>();
    for (const ResultMember& member : kResultMembers) {
        const auto found = members.find(member.name);
        if (found == members.end() || !HasType(found->second, member.type)) return kBadResult;
    }
    answer.hasNewerVersion = members.at("hasNewerVersion").get<bool>();
    answer.downloadInformationURL =
        QString::fromStdString(members.at("downloadInformationURL").get<std::string>());
    return kOk;
}

bool RequestUpdateInfo::Start(const UpdateServerConfig& config, OnEventListener* listener)
{
    if (IsRunning()) return false;
    const QUrl endpoint = config.Endpoint();
    if (endpoint.isValid()) return Start(endpoint, config.app_id, listener);
    m_listener = nullptr;
    m_answer = {};
    m_code = kRunning;
    // Reported from the loop like every other ending, so callers see one order of events.
    QMetaObject::invokeMethod(
        this, [this] { Complete(kNetworkFailed); }, Qt::QueuedConnection);
    return true;
}

bool RequestUpdateInfo::Start(const QUrl& endpoint, const QString& appId, OnEventListener* listener)
{
    if (IsRunning()) return false;
    m_listener = listener;
    m_answer = {};
    m_body.clear();
    m_headersSeen = false;
    m_code = kRunning;

    qCDebug(lcUpdateCheck, "Session::Initialize");
    m_proxy.Apply(*m_manager);
    qCDebug(lcUpdateCheck, "Connection::Initialize");
    qCDebug(lcUpdateCheck, "\tserverName = \"%s\"", qUtf8Printable(endpoint.host()));
    qCDebug(lcUpdateCheck, "\tportNumber = %d",
            endpoint.port(endpoint.scheme() == QLatin1String("http") ? 80 : 443));

    QUrl url = endpoint;
    url.setQuery(QString::fromLatin1(BuildQuery(appId)));
    QNetworkRequest request(url);
    // Only the configured server is asked; a redirect is an answer like any other.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    qCDebug(lcUpdateCheck, "Request::Initialize");
    qCDebug(lcUpdateCheck, "Request::SendRequest");
    m_reply = m_manager->get(request);
    m_reply->setReadBufferSize(kReadBufferBytes);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &RequestUpdateInfo::OnMetaData);
    connect(m_reply, &QNetworkReply::readyRead, this, &RequestUpdateInfo::OnReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &RequestUpdateInfo::OnFinished);
    m_timer->start(m_timeoutMs);
    return true;
}

void RequestUpdateInfo::OnMetaData()
{
    if (m_headersSeen) return;
    m_headersSeen = true;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    qCDebug(lcUpdateCheck, "RequestUpdateInfo::OnResponseComplete(0x%08X)", unsigned(status));
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > kMaxBodyBytes)
        Fail("API_QUERY_DATA_AVAILABLE", QNetworkReply::UnknownContentError);
}

void RequestUpdateInfo::OnReadyRead()
{
    if (!m_reply || !IsRunning()) return;
    const qint64 available = m_reply->bytesAvailable();
    if (available <= 0) return;
    if (available > kMaxBodyBytes - m_body.size()) {
        Fail("API_READ_DATA", QNetworkReply::UnknownContentError);
        return;
    }
    m_body += m_reply->read(available);
    qCDebug(lcUpdateCheck, "RequestUpdateInfo::OnReadComplete %d bytes", int(available));
}

void RequestUpdateInfo::OnFinished()
{
    if (!m_reply || !IsRunning()) return;
    OnReadyRead();
    if (!IsRunning()) return;
    // An HTTP error status still carries a body to judge; only a missing answer is a failure here.
    const bool answered = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (m_reply->error() != QNetworkReply::NoError && !answered) {
        Fail(m_headersSeen ? "API_READ_DATA" : "API_RECEIVE_RESPONSE", m_reply->error());
        return;
    }
    UpdateAnswer answer;
    const int code = ParseAnswer(m_body, answer);
    m_answer = answer;
    Complete(code);
}

void RequestUpdateInfo::OnTimeout()
{
    if (IsRunning())
        Fail(m_headersSeen ? "API_READ_DATA" : "API_RECEIVE_RESPONSE", QNetworkReply::TimeoutError);
}

void RequestUpdateInfo::Fail(const char* api, int error)
{
    qCDebug(lcUpdateCheck, "%s (error code = %d)", api, error);
    qCDebug(lcUpdateCheck, "\tdwError  = 0x%08X(%d)", unsigned(error), error);
    qCDebug(lcUpdateCheck, "\tdwResult = 0x%08X(%d)", unsigned(kNetworkFailed), kNetworkFailed);
    m_answer = {};
    Complete(kNetworkFailed);
}

void RequestUpdateInfo::Complete(int code)
{
    m_timer->stop();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    m_body.clear();
    m_code = code;
    OnEventListener* listener = std::exchange(m_listener, nullptr);
    const QPointer<RequestUpdateInfo> alive(this);
    if (listener)
        listener->OnReceived(code == kOk, m_answer.hasNewerVersion, m_answer.downloadInformationURL);
    if (alive) emit finished(code);
}

}  // namespace ovgNet
