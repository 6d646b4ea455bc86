#pragma once

#include <QString>

// The maker's web site and the pages of it that the program opens.
namespace dialogs {

inline constexpr char kMakerSite[] = "https://www.dimorofree.org/";

inline QString MakerPage(const char* path) { return QLatin1String(kMakerSite) + QLatin1String(path); }
inline QString DonationsPage() { return MakerPage("donazioni.html"); }
inline QString ProductPage() { return MakerPage("dimoro.html"); }

} // namespace dialogs
