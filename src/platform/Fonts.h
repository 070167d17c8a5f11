#pragma once

#include <QFont>
#include <QString>

namespace quadrello::platform {

// The faces the windows ask for. Where they are not installed, the substitutions below stand in.
inline constexpr char kSongFace[] = "宋体";
inline constexpr char kNewSongFace[] = "新宋体";
inline constexpr char kKaiFace[] = "楷体_GB2312";

// The windows' default font: 宋体 9 pt, 12 pixels at 96 dots per inch.
inline constexpr int kDefaultFontPixels = 12;

// Maps the Song and Kai faces onto installed ones (AR PL UMing CN and AR PL UKai CN first).
// Call before the application object exists, so that the first font resolution sees them.
void InstallFontSubstitutions();

// Where no face of a substitution list is installed, adds the first installed face that writes
// Simplified Chinese to it, so that no caption is drawn as boxes; from then on the program's
// captions may take characters that face lacks from other installed faces. Where the preferred
// faces are installed it only looks the names up. Call right after the application object is
// made (the font database needs it) and before any font is used.
void InstallFallbackFace();

// The installed face that stands in for `family`: `family` itself when it is installed, else the
// first installed face of its substitutions, else `family` (then the font database chooses).
// Fonts that ask for the installed face by its name resolve at once; asked for by a name the
// database does not hold, each first use of a family, size and script also lists the
// database's fallback faces for that name, which costs as much as loading the face itself.
// Needs the application object.
QString InstalledFace(const char* family);

// The face `family` at `pixels` pixels, regular weight, for the program's own captions: every
// character of them is in the preferred Song and Kai faces, so while those stand in no other
// face is ever searched for a missing one. That search runs once per script and size and would
// cost more start-up time than everything else the first paint needs. Under a fallback face
// (InstallFallbackFace) the search stays on.
QFont FaceFont(const QString& family, int pixels);
QFont FaceFont(const char* family, int pixels);

// The same for text the user types, which may hold characters the face lacks: those are drawn
// from other installed faces.
QFont InputFont(const QString& family, int pixels);

// The installed face standing in for 宋体, at 12 pixels: the application's font, so that menus
// and message boxes, which do not inherit a window's font, use it too.
QFont DefaultFont();

}  // namespace quadrello::platform
