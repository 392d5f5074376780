// Files and web addresses opened with the desktop's programs. The desktop's
// opener reports success as soon as it has started, whether or not anything
// can show the address, and tells its failures on the terminal: whether a web
// browser exists is therefore asked first, so that the window can say so.
#pragma once

class QUrl;

namespace VIEW {

// True when this session knows a web browser: a command named in $BROWSER (a
// list separated by ":") found on the path, Debian's x-www-browser or
// www-browser, or the desktop's program for https addresses (xdg-mime).
bool NAVIGATEUR_PRESENT();

// Opens `url` with the desktop's program for it; a web address only when a
// browser is present. False when nothing could open it.
bool OUVRIR_AVEC_BUREAU(const QUrl& url);

} // namespace VIEW
