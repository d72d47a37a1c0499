#pragma once

#include <QString>

namespace lumivane::ui {

// "Version " major "." minor "." revision, each in plain decimal digits.
QString VersionText(int major, int minor, int revision);

// The program title, two spaces, then the product name as designed.
QString ProductText(const QString& title, const QString& designText);

// The maker's details of the About box.
inline constexpr const char* kCompanyText = "Company ktr.test  ";
inline constexpr const char* kAuthorText = "Lena Vossberg";
// Short enough for its fixed label, which ends where the author's name begins.
inline constexpr const char* kCopyrightText = "2012 by";

}  // namespace lumivane::ui
