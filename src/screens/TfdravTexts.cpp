#include "screens/TfdravTexts.h"

namespace orvane {

namespace {

// English, Portuguese, French, Spanish, Italian, Dutch, German, Norwegian.
const TextRow rows[] = {
    {"BitBtnWithColor5", {"&Search for junk files", "&Busque arquivos desnecessários", "Chercher des dossiers inutilese",
                          "Busque para archivos innecesarios", "Cercare i file inutili", "Zoek naar onnodige bestanden",
                          "&Suchen Sie unnötige Dateien", "&Let etter unødvendig arkiver"}},
    {"bwc10", {"De&lete junk files", "De&lete arquivos desnecessários", "Effacer des dossiers inutiles",
               "Borre archivos innecesarios", "Cancellare i file inutili", "Schrap onnodige bestanden",
               "Löschen Sie unnötige Dateien", "Stryk unødvendig arkiver"}},
    {"BitBtnWithColor9", {"Empty Windows Tem&porary folder", "Esvaziar pasta &temporária do Windows",
                          "Vider le dossier &temporaire de Windows", "Vaciar carpeta &temporal de Windows",
                          "Svuota cartella &temporanea di Windows", "Tijdelijke &Windows-map legen",
                          "&Temporären Windows-Ordner leeren", "Tøm Windows' &midlertidige mappe"}},
    {"BitBtnWithColor8", {"Clear R&ecent openned list", "Limpar lista de &recentes", "Effacer la liste des documents &récents",
                          "Borrar lista de documentos &recientes", "Cancella elenco documenti &recenti",
                          "Lijst met &recente documenten wissen", "Liste &zuletzt geöffneter Dokumente leeren",
                          "Tøm listen over &nylig åpnede"}},
    {"BitBtnWithColor11", {"Empty browser &Cache", "Esvaziar &cache do navegador", "Vider le &cache du navigateur",
                           "Vaciar &caché del navegador", "Svuota &cache del browser", "&Cache van browser legen",
                           "Browser-&Cache leeren", "Tøm nettleserens &hurtigbuffer"}},
    {"BitBtnWithColor12", {"Empty browser &History", "Limpar &histórico do navegador", "Vider l'&historique du navigateur",
                           "Borrar &historial del navegador", "Cancella &cronologia del browser",
                           "&Geschiedenis van browser wissen", "Browser-&Verlauf leeren", "Tøm nettleserens &historikk"}},
    {"BitBtnWithColor7", {"Empty Rec&ycle Bin", "Esvaziar &lixeira", "Vider la &corbeille", "Vaciar la &papelera",
                          "Svuota il &cestino", "&Prullenbak legen", "&Papierkorb leeren", "Tøm &papirkurven"}},
    {"Label4", {"Legend", "Legenda", "Légende", "Leyenda", "Legenda", "Legenda", "Legende", "Forklaring"}},
    {"Label3", {"Graphs", "Gráficos", "Graphiques", "Gráficos", "Grafici", "Grafieken", "Grafiken", "Grafer"}},
    {"Label7", {"Duplicate", "Duplicados", "Duouble", "Duplicados", "Duplicato", "Duplicaat", "Kopie", "Duplikat"}},
    {"Label9", {"Immunize", "Imunizar", "Immuniser", "Inmunizar", "Immunizza", "Immuniseer", "Immunisieren", "Immuniser"}},
    {"Label11", {"PC errors", "Erros do PC", "Erreurs PC", "Errores del PC", "Errori PC", "PC-fouten", "PC-Fehler", "PC-feil"}},
    {"Label12", {"Shredder", "Triturador", "Broyeur", "Trituradora", "Distruggi file", "Versnipperaar", "Schredder", "Makulering"}},
    {"Label10", {"Winclean", "Softclean", "Softclean", "Softclean", "Softclean", "Softclean", "Softclean", "Softclean"}},
    {"Label8", {"Tools", "Info", "Info", "Info", "Info", "Info", "Info", "Info"}},
    {"UrlLabel1", {"website", "site", "site web", "sitio web", "sito web", "website", "Webseite", "nettsted"}},
    {"URLLabel4", {"Email", "E-mail", "Courriel", "Correo", "E-mail", "E-mail", "E-Mail", "E-post"}},
    {"Label16", {"Help", "Ajuda", "Aide", "Ayuda", "Guida", "Help", "Hilfe", "Hjelp"}},
    {"options1", {"Optio&ns", "&Opções", "&Options", "&Opciones", "&Opzioni", "&Opties", "&Optionen", "&Valg"}},
    {"Support1", {"Suppo&rt", "Supo&rte", "Supp&ort", "Sopo&rte", "Supp&orto", "Onder&steuning", "Unter&stützung", "St&øtte"}},
    {"Update1", {"&Update", "&Atualizar", "&Mise à jour", "&Actualizar", "&Aggiorna", "&Bijwerken", "&Aktualisieren", "&Oppdater"}},
    {"HELP1", {"&Help", "A&juda", "&Aide", "A&yuda", "&Guida", "&Help", "&Hilfe", "&Hjelp"}},
    {"Idiom1", {"&Idiom", "&Idioma", "Idiotisme", "&Idioma", "&Idioma", "&De idiomatische", "&Redewendung", "&Idiom"}},
    {"Close1", {"&Close", "&Fechar", "Fin", "&Cierre", "Vicino", "&Sluit", "&Schließen Sie", "&Stenger"}},
    {"Deletefiles1", {"Shred - &Delete files from disk", "&Delete arquivos do disco", "&Effacer des dossiers du disque",
                      "Borre los archivos del disco", "Cancellare i file dal disco", "&Schrap bestanden van schijf",
                      "&Löschen Sie Akten von Scheibe", "&Stryker arkiver fra skive"}},
    {"SenddeletedfilestoRecycledbin1", {"&Send deleted files to recycle bin", "&Enviar arquivos excluídos para a lixeira",
                                        "&Envoyer les fichiers supprimés à la corbeille",
                                        "&Enviar archivos borrados a la papelera", "&Invia i file eliminati al cestino",
                                        "&Verwijderde bestanden naar prullenbak", "Gelöschte Dateien in den &Papierkorb",
                                        "&Send slettede filer til papirkurven"}},
    {"ViewSetCleanFolders1", {"&View/Set folders path", "&Ver/definir caminhos das pastas",
                              "&Voir/définir les chemins des dossiers", "&Ver/definir rutas de carpetas",
                              "&Visualizza/imposta percorsi cartelle", "Mappaden &bekijken/instellen",
                              "Ordnerpfade &anzeigen/festlegen", "&Vis/angi mappestier"}},
    {"ac1", {"&Automatic clean IE cache(browser exit)", "Limpar cache do IE &automaticamente (ao fechar)",
             "Vider le cache IE &automatiquement (à la fermeture)", "Limpiar caché de IE &automáticamente (al cerrar)",
             "Pulizia &automatica cache IE (alla chiusura)", "IE-cache &automatisch legen (bij afsluiten)",
             "IE-Cache &automatisch leeren (beim Beenden)", "Tøm IE-hurtigbuffer &automatisk (ved avslutning)"}},
    {"AutoUpdate1", {"&Check for updates", "&Verificar atualizações", "&Rechercher des mises à jour",
                     "&Buscar actualizaciones", "&Verifica aggiornamenti", "&Controleren op updates",
                     "Nach &Updates suchen", "&Se etter oppdateringer"}},
    {"Website1", {"&Website", "&Site", "Site &web", "Sitio &web", "Sito &web", "&Website", "&Webseite", "&Nettsted"}},
    {"About2", {"Help&Topics", "&Tópicos da ajuda", "&Rubriques d'aide", "&Temas de ayuda", "&Argomenti della guida",
                "Help-&onderwerpen", "Hilfe&themen", "Hjelpe&emner"}},
    {"About1", {"&About", "&Sobre", "À &propos", "&Acerca de", "&Informazioni", "&Over", "Ü&ber", "&Om"}},
};

} // namespace

std::span<const TextRow> tfdravTexts()
{
    return rows;
}

} // namespace orvane
