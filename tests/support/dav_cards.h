// SPDX-License-Identifier: GPL-3.0-or-later
// Small cards and lookups shared by the CardDAV transport tests.
#pragma once

#include "core/dav/dav_transport.h"

#include <QString>

#include <string>
#include <vector>

inline std::string TestCard(const std::string& uid, const std::string& name)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid + "\r\nFN:" + name + "\r\nN:" + name + ";;;;\r\nEND:VCARD\r\n";
}

inline const quillary::DavResource* FindHref(const std::vector<quillary::DavResource>& resources,
                                             const std::string& href)
{
    for (const quillary::DavResource& resource : resources)
        if (resource.href == href)
            return &resource;
    return nullptr;
}

// The path of an address book's member: what the transport reports as its href.
inline std::string MemberPath(const quillary::DavAddressBook& book, const std::string& name)
{
    const std::string url = book.url;
    const size_t path = url.find('/', url.find("//") + 2);
    return url.substr(path) + name;
}

inline QString Text(const quillary::DavStatus& status)
{
    return QString::fromStdString(status.message);
}
