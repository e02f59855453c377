// The help page the program carries, written out beside the program (or into the user's
// configuration folder) so that the desktop's browser can show it.
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/url_opener.h"

namespace veltrix {

// The product's home page; empty while there is no public site, and the home-page button then
// shows the help page instead.
inline constexpr const char* kHomePageAddress = "";

// programFolder when it is an existing writable folder, otherwise configHome + "/veltrix".
QString helpFileFolder(const QString& programFolder, const QString& configHome);

// folder + "/Veltrix使用帮助.html".
QString helpFileName(const QString& folder);

// Brings the page and its images/ folder in `folder` up to the carried ones, creating the
// folders as needed and leaving files that already match untouched. Returns false when
// anything could not be written; never reports it otherwise.
bool ensureHelpFile(const QString& folder);

// Writes the page as ensureHelpFile does and opens it, even when writing failed: an older
// copy still beats no help at all. Returns the page's path when nothing on the desktop
// opened it, so that the user can be told where to find it; empty when it opened.
QString openHelp(UrlOpener& opener, const QString& folder);

// Opens kHomePageAddress, or the help page while that is empty; returns what openHelp does.
QString openHomePage(UrlOpener& opener, const QString& folder);

QByteArray carriedHelpPage();
// MD5 of the carried page as 32 lower-case hex digits, worked out when the program was built.
QString carriedHelpDigest();

}  // namespace veltrix
