#pragma once

#include <QString>

namespace lumivane::ui {

// "Version " and the program's version exactly as the command line shows it
// (major.minor.patch.revision), so the two never disagree.
QString VersionText(const char* version);

// The program title, two spaces, then the product name as designed.
QString ProductText(const QString& title, const QString& designText);

// The maker's details of the About box.
inline constexpr const char* kCompanyText = "Company ktr.test  ";
inline constexpr const char* kAuthorText = "Lena Vossberg";
// Its fixed label, which ends where the author's name begins, holds 37 pixels:
// "2012 by" takes 39 in the label's font; "© 2012" takes 36 and reads on into
// the name as well.
inline constexpr const char* kCopyrightText = "\u00a9 2012";

}  // namespace lumivane::ui
