#include "app/Texts.h"
#include "junk/DriveScan.h"

namespace orvane::junk {

namespace {

const Translations Prefixes{"Found ", "Encontrou ", "Trouvé ", "Encontrado ", "Trovato ", "Gevonden ", "Gefundenen ",
                            "Funnet "};
const Translations Joiners{" in  ", " em  ", " dans  ", " en  ", " in  ", " in  ", " in  ", " i  "};
const Translations Tails{
    " unnecessary, temporary and error files. (click delete button to remove it)",
    " arquivos desnecessários, temporários e de erro. (clique botão deletar para remove-los)",
    " Inutile, temporaire et lerreur classe. (le clic efface le bouton pour lenlever)",
    " archiva Innecesario, temporal y el error. (clic borra botón para quitarlo)",
    " Lerrore inutile, temporaneo e scheda. (lo scatto cancella il bottone per toglierlo)",
    " Onnodige, tijdelijke en fout dient in. (Klik schrap knoop om het te verwijderen)",
    " Unnötig, vorläufig und Fehlerdateien. (Klicken löschen Sie Knopf, es zu entfernen)",
    " Unødvendig, foreløpig og feil arkiverer. (klikk stryker knapp å fjerne det)",
};

} // namespace

std::string scanResultMessage(int languageIndex, const std::string& totalText, int foundCount)
{
    std::string out(pickText(Prefixes, languageIndex));
    out += totalText;
    out += pickText(Joiners, languageIndex);
    out += std::to_string(foundCount);
    out += pickText(Tails, languageIndex);
    return out;
}

} // namespace orvane::junk
