#pragma once

#include <QString>

// The maker's web site and the pages of it that the program opens, the address translations are sent to and the
// copyright line of the about box.
namespace dialogs {

inline constexpr char kMakerSite[] = "https://www.dimorofree.org/";
// What the about box shows for the home page; a click opens kMakerSite.
inline constexpr char kHomePageText[] = "www.dimorofree.org";
inline constexpr char kTranslationAddress[] = "translations@dimorofree.org";
inline constexpr char kCopyright[] = "Copyright \xC2\xA9 2026 the Dimoro Free developers";

inline QString MakerPage(const char* path) { return QLatin1String(kMakerSite) + QLatin1String(path); }
inline QString DonationsPage() { return MakerPage("donazioni.html"); }
inline QString ProductPage() { return MakerPage("dimoro.html"); }
inline QString HomePage() { return QLatin1String(kMakerSite); }

} // namespace dialogs
