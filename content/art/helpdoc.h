#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace kf::art {

// A picture embedded in the help page.
struct HelpImage {
    QString name; // file name inside the page, e.g. "Openvideo.gif"
    QString mimeType; // "image/gif", "image/jpeg"
    QByteArray bytes;
};

// Address of the page and its pictures inside the MHTML file.
inline constexpr const char* kHelpBase = "http://help.snapolia.example/";

// help.mht: an MHTML document (multipart/related, the page as UTF-8
// quoted-printable HTML, pictures as base64 parts) that explains the booth's
// buttons and the steps of taking a photo. The pictures named in the page
// must be among images.
QByteArray helpDocument(const QList<HelpImage>& images);

// Quoted-printable encoding (RFC 2045) with CRLF line ends.
QByteArray quotedPrintable(const QByteArray& data);

} // namespace kf::art
