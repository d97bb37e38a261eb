// The rules Renovo applies before it fetches anything: reading the web
// site's version text, comparing versions, and turning a setup address into
// a file name inside the download folder.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <optional>

namespace renovo {

struct Version {
    qint64 major = 0;
    qint64 minor = 0;
    qint64 revision = 0;
    bool operator==(const Version&) const = default;
};

// The version announced by the site's version text. Only the first line
// counts; it must be ended by CR LF (a bare LF is taken too). The first four
// characters of the line are a prefix and skipped; the rest is split at '.'
// into at least four fields, of which 0 (major), 1 (minor) and 3 (revision)
// are used; each must be a plain decimal number (blanks around it allowed).
// Field 2 is not looked at. nullopt when any of this fails.
// The text is read as UTF-8, or as GB18030 when it is not valid UTF-8.
std::optional<Version> parseVersionText(const QByteArray& body);

// Newer by major, then minor, then revision.
bool isNewer(const Version& web, const Version& local);

// The version text's address: site + "/1.txt". Empty when the site is not
// an http or https address with a host.
QUrl versionTextUrl(const QString& site);

// The download's file name: the setup address's last path segment.
// nullopt when the address is not http or https with a host, carries a
// query or fragment, or when the segment is empty, "." or "..", or holds a
// separator ('/' or '\'), a NUL or another control character once decoded.
std::optional<QString> downloadFileName(const QString& address);

// Integer percentage of `written` out of `expected` bytes, followed by "%",
// "0%" to "100%". Where the size is unknown (expected < 0) the text stays
// "0%" until `complete`.
QString percentText(qint64 written, qint64 expected, bool complete);

} // namespace renovo
