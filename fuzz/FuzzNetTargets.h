#pragma once

// The bodies of the fuzz targets for what the program reads from the update server and its
// settings file: the server's answer and the server settings XML.
#include <QByteArrayView>

#include "net/RequestUpdateInfo.h"
#include "net/UpdateServerConfig.h"

inline void FuzzUpdateAnswer(const uint8_t* data, size_t size)
{
    ovgNet::UpdateAnswer answer;
    (void)ovgNet::RequestUpdateInfo::ParseAnswer(QByteArrayView(data, qsizetype(size)), answer);
}

inline void FuzzUpdateConfig(const uint8_t* data, size_t size)
{
    (void)ovgNet::UpdateServerConfig::FromXml(QByteArrayView(data, qsizetype(size)));
}
