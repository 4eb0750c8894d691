#include "screens/TFwipeTexts.h"

namespace orvane {

namespace {

// English, Portuguese, French, Spanish, Italian, Dutch, German, Norwegian.
const TextRow kRows[] = {
    {"Label6", {"Digital Shredder - Make files unrecoverable", "Delete arquivos permanentemente",
                "Broyeur numérique - Rendre les fichiers irrécupérables",
                "Trituradora digital - Haga los archivos irrecuperables",
                "Distruggi documenti digitale - Rendi i file irrecuperabili",
                "Digitale versnipperaar - Maak bestanden onherstelbaar", "Löschen Sie Akten ewig",
                "Digital makulering - Gjør filer umulige å gjenopprette"}},
    {"Label4", {"***** Use open menu or drag and drop a file up for deletion *****",
                "***** Use menu abrir ou arraste arquivos acima para deleção *****",
                "***** Utilisez le menu ouvrir ou glissez un fichier ci-dessus pour l'effacer *****",
                "***** Use el menú abrir o arrastre un archivo arriba para borrarlo *****",
                "***** Usa il menu apri o trascina un file qui sopra per cancellarlo *****",
                "***** Gebruik het menu openen of sleep een bestand hierboven om te wissen *****",
                "***** Benutzen Sie das Menü Öffnen oder ziehen Sie eine Datei nach oben zum Löschen *****",
                "***** Bruk åpne-menyen eller dra en fil hit opp for sletting *****"}},
    {"BitBtnWithColor1", {"&Shred files", "&Deletar", "&Effacer", "&Borre", "&Cancellare", "&Schrap", "&löschen", "&Stryker"}},
    {"RadioGroup1", {"Data destruction algorithm", "Algoritmo de destruição de dados",
                     "Algorithme de destruction des données", "Algoritmo de destrucción de datos",
                     "Algoritmo di distruzione dei dati", "Algoritme voor gegevensvernietiging",
                     "Verfahren zur Datenvernichtung", "Algoritme for datasletting"}},
    {"RadioGroup1Item0", {"Single pass", "1 passada", "1 passe", "1 paso", "1 passa", "Een doorgang", "1 Ausweis", "1 pass"}},
    {"RadioGroup1Item1", {"Triple pass", "3 passadas", "3 passe", "3 pasos", "3 passa", "Verdrievoudig doorgang", "3 Ausweis", "3 passes"}},
    {"RadioGroup1Item2", {"U.S. standard, DoD (7 passes)", "U.S. standard, DoD (7 passadas)", "U.S. standard, DoD (7 passe)",
                          "U.S. standard, DoD (7 pasos)", "U.S. standard, DoD (7 passa)", "U.S. standard, DoD (7 doorgangen)",
                          "U.S. standard, DoD (7 Ausweis)", "U.S. standard, DoD (7 passes)"}},
    {"Open1", {"&Open", "&Abrir", "&Ouvrir", "&Abrir", "&Apri", "&Openen", "Ö&ffnen", "&Åpne"}},
    {"Shred1", {"Shred", "Deletar", "Effacer", "Borrar", "Cancella", "Schrap", "Löschen", "Stryk"}},
    {"Clearlist1", {"C&lear list", "L&impar lista", "&Vider la liste", "&Limpiar lista", "Svuota &lista",
                    "Lijst &wissen", "Liste &leeren", "&Tøm listen"}},
    {"Removeitem1", {"&Remove item", "&Remover item", "&Retirer l'élément", "&Quitar elemento", "&Rimuovi elemento",
                     "Item &verwijderen", "Eintrag &entfernen", "&Fjern element"}},
    {"About1", {"&Help", "&Ajuda", "&Aide", "A&yuda", "&Guida", "&Help", "&Hilfe", "&Hjelp"}},
    // The same in every language.
    {"file1", {"&file (Shred file)"}},
    {"folder1", {"f&older (Shred folder)"}},
    {"Label1", {"XP ME 2000 :  use open menu or drag and drop.      VISTA Windows7 : use open menu."}},
    {"Label7", {"Help"}},
    {"URLLabel4", {"Email"}},
    {"UrlLabel1", {"website"}},
};

} // namespace

std::span<const TextRow> tfwipeTexts()
{
    return kRows;
}

namespace wipetext {

std::string confirmFolder(std::string_view path)
{
    return "Are You sure to Wipe " + std::string(path) + " and it's subdirectory ?";
}

std::string fileNotFound(std::string_view path)
{
    return "File not found : " + std::string(path);
}

std::string linkRefused(std::string_view path)
{
    return std::string(path) +
           " is a symbolic link. It was not shredded: add the file or folder it points to by its own path.";
}

std::string linesLeft(std::string_view error, std::span<const std::string> lines)
{
    std::string text(error);
    text += "\n\nThe shredding stopped here. These lines were not shredded:";
    for (const auto& line : lines)
        text += "\n" + line;
    return text;
}

std::string unreliableWarning(std::span<const std::string> itemsWithFileSystem)
{
    std::string text = "Overwriting in place may not destroy the data of these items:";
    for (const auto& item : itemsWithFileSystem)
        text += "\n" + item;
    text += "\n\nCopy-on-write, log-structured, layered and network file systems write the new data to new "
            "places and keep the old blocks, and so do snapshots, journals and the wear levelling of SSDs. "
            "The files will be removed, but copies of their contents may remain on the disk.\n\nShred anyway?";
    return text;
}

} // namespace wipetext
} // namespace orvane
