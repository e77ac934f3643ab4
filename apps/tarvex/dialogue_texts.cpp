#include "dialogue_texts.h"

#include <array>

namespace tarvex::console {
namespace {

// Umlauts are spelled as UTF-8 bytes so that the texts do not depend on
// the encoding the compiler assumes for this file.
constexpr std::array<std::string_view, 25> kGermanMenu = {
    " Welches Ausgabeformat ?",
    " (1)  zweispaltig, Endkante -> Oberseite  -> Nase -> Unterseite -> Endkante",
    " (2)  zweispaltig, Endkante -> Unterseite -> Nase -> Oberseite  -> Endkante",
    " (3)  dreispaltig, Endkante -> Nase",
    " (4)  dreispaltig, Nase     -> Endkante",
    " (5)  Eppler FXPR Format",
    " (6)  CEF Format",
    " (7)  AIRFOIL0 Format",
    " (8)  VSAERO Format",
    " (9)  AutoCad Script Format",
    " (10) Vuz Ovorav KSC Format",
    " (11) AutoCad DXF Format",
    " (12) Rhinoceros Script Command Format",
    "",
    " (13) XML Format",
    "",
    " (14) FORTRAN/BASIC Format",
    "",
    " (15) C/Java Format",
    "",
    " (16) x/c, t/c, f/c Format",
    "",
    " (17) PMARC/CMARC Format",
    "",
    " (0) Ende",
};

constexpr std::array<std::string_view, 26> kEnglishMenu = {
    " Select output format:",
    " (1)  two columns, TE -> upper surface -> LE -> lower surface -> TE",
    " (2)  two columns, TE -> lower surface -> LE -> upper surface  -> TE",
    " (3)  three columns, TE -> LE",
    " (4)  three columns, LE -> TE",
    " (5)  Eppler FXPR format",
    " (6)  CEF format",
    " (7)  AIRFOIL0 format",
    " (8)  VSAERO format",
    " (9)  AutoCad script format",
    " (10) Vuz Ovorav KSC format",
    " (11) AutoCad DXF format",
    "",
    " (12) Rhinoceros Script Command Format",
    "",
    " (13) XML Format",
    "",
    " (14) FORTRAN/BASIC Format",
    "",
    " (15) C/Java Format",
    "",
    " (16) x/c, t/c, f/c Format",
    "",
    " (17) PMARC/CMARC Format",
    "",
    " (0)  Exit",
};

const DialogueTexts kGerman{
    .inputPrompt = " Name der Eingabedatei mit den Koordinaten ?",
    .outputPrompt = " Name der Ausgabedatei f\xC3\xBCr die Koordinaten ?",
    .menu = kGermanMenu,
    .cannotOpen = " *** Die Datei",
    .cannotOpenEnd =
        " kann nicht ge\xC3\xB6"
        "ffnet werden.",
    .unknownFormat = " Unbekanntes Koordinatenformat in der Eingabedatei.",
    .tooMany = " Zu viele Koordinaten in der Eingabedatei,",
    .maximumIs = " maximal sind",
    .maximumEnd = " Punkte m\xC3\xB6glich.",
    .noArea =
        " Koordinaten schlie\xC3\x9F"
        "en *keine* Fl\xC3\xA4"
        "che ein.",
    .writeError = " Fehler beim Schreiben der Ausgabedatei.",
    .noThreeColumns =
        " Ausgabe im dreispaltigem Format nicht m\xC3\xB6glich,"
        " X-Oben und X-Unten stimmen nicht \xC3\xBC"
        "berein.",
    .fieldOverflow = " *** Eine Zahl passt nicht in ihr Feld im Ausgabeformat",
    .sameFile = " *** Eingabe- und Ausgabedatei sind dieselbe Datei.",
};

const DialogueTexts kEnglish{
    .inputPrompt = " Input file name with coordinates ?",
    .outputPrompt = " output file name with coordinates ?",
    .menu = kEnglishMenu,
    .cannotOpen = " *** Cannot open file",
    .cannotOpenEnd = " .",
    .unknownFormat = " Unknown coordinate format in input file.",
    .tooMany = " Too many coordinates in input file,",
    .maximumIs = " the maximum is",
    .maximumEnd = " points.",
    .noArea = " The coordinates make no closed area.",
    .writeError = " Error while writing output file.",
    .noThreeColumns =
        " Three column output not possible, because"
        " X-upper and X-lower are not identical.",
    .fieldOverflow = " *** A number does not fit its field in output format",
    .sameFile = " *** The input and the output file are the same file.",
};

}  // namespace

const DialogueTexts& textsFor(int language) { return language == 1 ? kGerman : kEnglish; }

}  // namespace tarvex::console
