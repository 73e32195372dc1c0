#include "App/ResultText.h"

#include <QCoreApplication>

namespace ovgApp {

QString ResultText(const OvGraphFileLib::Result& result)
{
    QString text = QCoreApplication::translate("Result", OvGraphFileLib::ResultMessageFormat(result.code));
    return text.replace(QStringLiteral("%d"), QString::number(result.location));
}

}  // namespace ovgApp
