// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

// The about window's texts and the maker's data, kept in one place. The labels size themselves
// to these captions; a caption whose wording is ours must also stay within its label's width
// in the window design, which the tests measure.
namespace MakersData {

// The version as the about window shows it, "v1.1.": major and minor of project() in the root
// CMakeLists.txt, which gives ASTRELO_VERSION_MAJOR_MINOR.
#define ASTRELO_SHOWN_VERSION u"v" ASTRELO_VERSION_MAJOR_MINOR "."

// Label1, bold: the product and its version.
inline constexpr QStringView Title = u"Astrelo " ASTRELO_SHOWN_VERSION;
// Label2: the copyright line.
inline constexpr QStringView Copyright = u"© 2007 Kelmo Software";
// Label3: the author and the author's mail address.
inline constexpr QStringView Author = u"Vytvořil : Ondřej Mlejnek; mlejnek@kelmo.cz";
// The maker's web site. Label4 shows its host name; a click opens the whole address.
inline constexpr QStringView WebAddress = u"http://www.kelmo.cz/";
// Label6: the dedication, "..." + "věnováno " + a first name in the dative + "...".
inline constexpr QStringView Dedication = u"...věnováno Marii...";
// Label7: a notice that the texts have typos, written with typos on purpose. Keep it so.
inline constexpr QStringView TypoNotice = u"F tekstách múšou (sou) bít chibi a překlepi...";
// Label5: the version at the left edge and the identification number at the right, with the
// 67 blanks between them that the window design is laid out for.
inline constexpr QStringView VersionLine
    = ASTRELO_SHOWN_VERSION u"                                                                   "
                            u"Id.:30417";

} // namespace MakersData
