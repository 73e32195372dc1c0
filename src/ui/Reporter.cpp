#include "ui/Reporter.h"

#include <QMessageBox>
#include <QWidget>

namespace ovgUi {

void DialogReporter::LoadFailures(QWidget* parent, const std::vector<DlgLoadFilesError::Failure>& failures)
{
    auto* errors = new DlgLoadFilesError(failures, parent);
    errors->setAttribute(Qt::WA_DeleteOnClose);
    errors->show();
}

void DialogReporter::Warning(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, parent ? parent->windowTitle() : QString(), text);
}

int DialogReporter::Question(QWidget* parent, const QString& text, bool withCancel)
{
    const auto buttons = QMessageBox::Yes | QMessageBox::No | (withCancel ? QMessageBox::Cancel : QMessageBox::NoButton);
    return QMessageBox::question(parent, parent ? parent->windowTitle() : QString(), text, buttons);
}

StreamReporter::StreamReporter(std::FILE* stream, QString prefix) : m_stream(stream), m_prefix(std::move(prefix)) {}

void StreamReporter::LoadFailures(QWidget*, const std::vector<DlgLoadFilesError::Failure>& failures)
{
    for (const auto& failure : failures) {
        WriteLine(failure.path + QStringLiteral(": ") + failure.message);
        ++m_failedFiles;
    }
}

void StreamReporter::Warning(QWidget*, const QString& text)
{
    WriteLine(text);
    ++m_warnings;
}

int StreamReporter::Question(QWidget*, const QString& text, bool)
{
    WriteLine(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')) + QStringLiteral(" -> no"));
    return QMessageBox::No;
}

void StreamReporter::WriteLine(const QString& text)
{
    const QByteArray line = (m_prefix + QStringLiteral(": ") + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), m_stream);
    std::fflush(m_stream);
}

}  // namespace ovgUi
