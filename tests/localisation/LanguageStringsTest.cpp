// Every text of the program in every language, checked against a table typed here independently
// of the resource files.
#include "zeft_LanguageResources.h"

#include <gtest/gtest.h>

namespace zeft {
namespace {

constexpr TLanguageId German = 7;
constexpr TLanguageId English = 9;
constexpr TLanguageId French = 12;

struct TExpectedText {
    int Id;
    const char* English;
    const char* German;
    const char* French;
};

constexpr const char* FileFilter =
    "Heating configuration files (*.zeft)|*.zeft|All files (*.*)|*.*";

// Texts that differ between the languages; 1003 is checked separately (configured at build).
const TExpectedText ExpectedTexts[] = {
    {1000, "About %s", "Info über %s", "Informations à propos de %s"},
    {1001, "%0:s (Version %1:s)", "%0:s (Version %1:s)", "%0:s (Version %1:s)"},
    {1002, "Support: %s", "Support: %s", "Assistance : %s"},
    {1004, "Close", "Schließen", "Fermer"},
    {2000, "%0:.1f°C", "%0:.1f°C", "%0:.1f°C"},
    {2001, "%1:s %0:.1f°C", "%1:s %0:.1f°C", "%1:s %0:.1f°C"},
    {3000, "Monday", "Montag", "Lundi"},
    {3001, "Tuesday", "Dienstag", "Mardi"},
    {3002, "Wednesday", "Mittwoch", "Mercredi"},
    {3003, "Thursday", "Donnerstag", "Jeudi"},
    {3004, "Friday", "Freitag", "Vendredi"},
    {3005, "Saturday", "Samstag", "Samedi"},
    {3006, "Sunday", "Sonntag", "Dimanche"},
    {4000, "Heating Controller Configuration Software",
     "Programmier-Software für Funk-Energiespar-Regler",
     "Logiciel de programmation pour régulateur d\u2019économie d\u2019énergie sans fil"},
    {4010, "&File", "&Datei", "&Fichier"},
    {4011, "&Open...", "Ö&ffnen...", "&Ouvrir..."},
    {4012, "&Save", "&Speichern", "&Enregistrer"},
    {4013, "Save &As...", "Speichern &unter...", "Enregistrer &sous..."},
    {4014, "E&xit", "&Beenden", "&Quitter"},
    {4020, "Weekly &program", "Wochen&programm", "Programme &hebdomadaire"},
    {4021, "&Add", "&Hinzufügen", "A&jouter hebdomadaire"},
    {4022, "Template %s", "Vorlage %s", "Modèle %s"},
    {4023, "&Remove", "&Entfernen", "S&upprimer"},
    {4024, "&Print...", "&Drucken...", "Im&primer..."},
    {4025, "Print a&ll...", "&Alle drucken...", "Imprimer &tout..."},
    {4026, "&Submit", "&Senden", "En&voyer"},
    {4060, "&Export as PDF...", "Als &PDF exportieren...", "E&xporter en PDF..."},
    {4061, "Print pre&view...", "Druck&vorschau...", "&Aperçu avant impression..."},
    {4062, "PDF documents (*.pdf)|*.pdf|All files (*.*)|*.*",
     "PDF-Dokumente (*.pdf)|*.pdf|Alle Dateien (*.*)|*.*",
     "Documents PDF (*.pdf)|*.pdf|Tous les fichiers (*.*)|*.*"},
    {4090, "&Help", "&Hilfe", "&Aide"},
    {4091, "&Language", "&Sprache", "&Langue"},
    {4092, "&About %s", "&Info über %s", "I&nformations à propos de %s"},
    {4098, "&Contents", "&Inhalt", "&Contents"},
    // The desktop entry, the file type and the software-centre entry are made from these.
    {4100, "Radiator Controller Programming", "Heizkörperregler-Programmierung",
     "Programmation de régulateurs de radiateur"},
    {4101, "Edit weekly heating programs and send them to wireless radiator controllers",
     "Wochenprogramme bearbeiten und an Funk-Heizkörperregler senden",
     "Modifier les programmes hebdomadaires et les envoyer aux régulateurs sans fil"},
    {4102, "heating;radiator;thermostat;temperature;schedule;weekly program;",
     "Heizung;Heizkörper;Thermostat;Temperatur;Zeitplan;Wochenprogramm;",
     "chauffage;radiateur;thermostat;température;programmation;programme hebdomadaire;"},
    {4103, "Heating configuration file", "Heizungs-Konfigurationsdatei",
     "Fichier de configuration de chauffage"},
    {4104,
     "Keep a list of rooms, each with a weekly heating program: for every day up to seven "
     "switching periods from 00:00 to 24:00, each with a target temperature between 5.0 and "
     "29.5 °C.",
     "Führen Sie eine Liste von Räumen mit je einem Wochenprogramm: für jeden Tag bis zu sieben "
     "Schaltzeiträume von 00:00 bis 24:00 Uhr, jeder mit einer Solltemperatur zwischen 5,0 und "
     "29,5 °C.",
     "Tenez une liste de pièces, chacune avec son programme de chauffage hebdomadaire : pour "
     "chaque jour, jusqu\u2019à sept périodes de commutation de 00:00 à 24:00, chacune avec une "
     "température de consigne entre 5,0 et 29,5 °C."},
    {4105,
     "Create rooms from ten built-in templates, edit their programs with the mouse, save them in "
     "a file, print them, and send the program on display by radio to a controller through the "
     "USB programming stick.",
     "Legen Sie Räume aus zehn eingebauten Vorlagen an, bearbeiten Sie ihre Programme mit der "
     "Maus, speichern Sie sie in einer Datei, drucken Sie sie und senden Sie das angezeigte "
     "Programm per Funk über den USB-Programmierstick an einen Regler.",
     "Créez des pièces à partir de dix modèles intégrés, modifiez leurs programmes à la souris, "
     "enregistrez-les dans un fichier, imprimez-les et envoyez le programme affiché par radio à "
     "un régulateur grâce à la clé USB de programmation."},
    {4106, "The interface speaks English, German and French.",
     "Die Oberfläche spricht Deutsch, Englisch und Französisch.",
     "L\u2019interface parle français, allemand et anglais."},
    {4200, "Deutsch", "Deutsch", "Deutsch"},
    {4201, "English", "English", "English"},
    {4202, "Français", "Français", "Français"},
    {4600, "Insert", "Einfügen", "Coller"},
    {4801, FileFilter, FileFilter, FileFilter},
    {4802, "%0:.1f°C", "%0:.1f°C", "%0:.1f°C"},
    {4803, "Please insert the USB programming stick.",
     "Bitte stecken Sie den USB-Programmierstick ein.",
     "Veuillez insérer la clé USB de programmation."},
    {4804, "USB programming stick is ready.", "USB-Programmierstick ist bereit.",
     "Clé USB de programmation opérationnelle."},
    {4805, "Data transfer: %d%%", "Datenübertragung: %d%%", "Transfert de données : %d%%"},
    {4806,
     "Data transfer failed: Check that the USB programming stick is correctly inserted and has "
     "been detected by the operating system.",
     "Datenübertragung fehlgeschlagen. Überprüfen Sie, ob der USB-Programmierstick richtig "
     "eingesteckt ist und vom Betriebssystem erkannt wird.",
     "Echec du transfert de données : Veuillez vérifier si la clé USB de programmation a été "
     "insérée correctement et reconnue par le système d'exploitation."},
    {4807, "Your data cannot be saved.", "Die Daten konnten nicht gespeichert werden.",
     "Les données n'ont pas pu être enregistrées."},
    {4808, "Settings have been changed. Do you want to save your changes?",
     "Möchten Sie Ihre Änderungen speichern?", "Souhaitez-vous enregistrer vos modifications ?"},
    {4810, "The file \"%0:s\" cannot be read.\n\n%1:s",
     "Die Datei „%0:s“ kann nicht gelesen werden.\n\n%1:s",
     "Le fichier « %0:s » ne peut pas être lu.\n\n%1:s"},
    {4811, "Open", "Öffnen", "Ouvrir"},
    {4812, "The file does not exist.", "Die Datei ist nicht vorhanden.",
     "Le fichier n'existe pas."},
    {4813,
     "The setting \"%0:s\" cannot be stored in \"%1:s\". The settings of this session will not "
     "be remembered.",
     "Die Einstellung „%0:s“ kann nicht in „%1:s“ gespeichert werden. Die Einstellungen dieser "
     "Sitzung bleiben nicht erhalten.",
     "Le paramètre « %0:s » ne peut pas être enregistré dans « %1:s ». Les paramètres de cette "
     "session ne seront pas conservés."},
    {4814, "Heating configuration file to open instead of the last one.",
     "Heizungs-Konfigurationsdatei, die statt der zuletzt benutzten geöffnet wird.",
     "Fichier de configuration de chauffage à ouvrir à la place du dernier utilisé."},
    {4815, "file", "Datei", "fichier"},
    {4820,
     "The USB programming stick was found but cannot be opened. The program's udev rule "
     "(installed with its package) grants access; then plug the stick in again.",
     "Der USB-Programmierstick wurde gefunden, kann aber nicht geöffnet werden. Die udev-Regel "
     "des Programms (die sein Paket installiert) gewährt den Zugriff; stecken Sie den Stick "
     "danach erneut ein.",
     "La clé USB de programmation a été trouvée mais ne peut pas être ouverte. La règle udev du "
     "programme (installée avec son paquet) en autorise l'accès ; rebranchez ensuite la clé."},
    {4821,
     "Another copy of the program is running and is in charge of the USB programming stick. "
     "Close it to use the stick from this window.",
     "Eine andere Instanz des Programms läuft und verwaltet den USB-Programmierstick. Schließen "
     "Sie sie, um den Stick aus diesem Fenster zu verwenden.",
     "Une autre instance du programme est en cours d'exécution et gère la clé USB de "
     "programmation. Fermez-la pour utiliser la clé depuis cette fenêtre."},
    {4822,
     "The USB programming stick is left alone: the program's private folder \"%0:s\", which holds "
     "the lock that keeps two copies of the program from using the stick at once, cannot be used. "
     "%1:s",
     "Der USB-Programmierstick bleibt unberührt: Der private Ordner des Programms „%0:s“, der die "
     "Sperre enthält, die zwei Instanzen des Programms von gleichzeitigem Zugriff auf den Stick "
     "abhält, kann nicht benutzt werden. %1:s",
     "La clé USB de programmation n'est pas utilisée : le dossier privé du programme « %0:s », qui "
     "contient le verrou empêchant deux instances du programme d'utiliser la clé en même temps, "
     "n'est pas utilisable. %1:s"},
    {4823, "It is a symbolic link.", "Er ist eine symbolische Verknüpfung.",
     "C'est un lien symbolique."},
    {4824, "It is not a folder.", "Er ist kein Ordner.", "Ce n'est pas un dossier."},
    {4825, "It belongs to another user.", "Er gehört einem anderen Benutzer.",
     "Il appartient à un autre utilisateur."},
    {4826, "It cannot be set up: %0:s", "Er kann nicht eingerichtet werden: %0:s",
     "Il ne peut pas être préparé : %0:s"},
    {4827, "Its lock file \"stick.lock\" is not a plain file of your own.",
     "Seine Sperrdatei „stick.lock“ ist keine gewöhnliche Datei, die Ihnen gehört.",
     "Son fichier de verrou « stick.lock » n'est pas un fichier ordinaire qui vous appartient."},
    {4828, "Its file system does not support file locks.",
     "Sein Dateisystem unterstützt keine Dateisperren.",
     "Son système de fichiers ne prend pas en charge les verrous de fichiers."},
    {4829,
     "The USB programming stick is left alone: the program has no private folder for the lock that "
     "keeps two copies of the program from using the stick at once (no usable XDG_RUNTIME_DIR, "
     "XDG_CACHE_HOME or home folder).",
     "Der USB-Programmierstick bleibt unberührt: Das Programm hat keinen privaten Ordner für die "
     "Sperre, die zwei Instanzen des Programms von gleichzeitigem Zugriff auf den Stick abhält "
     "(kein verwendbares XDG_RUNTIME_DIR, XDG_CACHE_HOME oder Benutzerverzeichnis).",
     "La clé USB de programmation n'est pas utilisée : le programme n'a pas de dossier privé pour "
     "le verrou empêchant deux instances du programme d'utiliser la clé en même temps (aucun "
     "XDG_RUNTIME_DIR, XDG_CACHE_HOME ou dossier personnel utilisable)."},
    {4901, "A maximum of %0:d switching periods can be programmed for each day.",
     "Pro Tag sind maximal %0:d Schaltzeiträume programmierbar.",
     "Un maximum de %0:d périodes de commutation sont programmables par jour."},
    {4040, "&Edit", "&Bearbeiten", "&Édition"},
    {4041, "&Undo", "&Rückgängig", "&Annuler"},
    {4042, "&Redo", "&Wiederholen", "&Rétablir"},
    {4043, "&Duplicate", "D&uplizieren", "&Dupliquer"},
    {4910, "Copy to", "Kopieren nach", "Copier vers"},
    {4911, "Monday to Friday", "Montag bis Freitag", "Du lundi au vendredi"},
    {4912, "Saturday and Sunday", "Samstag und Sonntag", "Samedi et dimanche"},
    {4913, "All days", "Alle Tage", "Tous les jours"},
    {4914, "Switching period", "Schaltperiode", "Période de commutation"},
    {4915, "&Start:", "&Beginn:", "&Début :"},
    {4916, "&Temperature:", "&Temperatur:", "&Température :"},
    {4902, "You can copy a daily program to a different day by dragging and dropping it.",
     "Sie können ein Tagesprogramm durch Markieren und Verschieben auf einen anderen Tag "
     "kopieren.",
     "Vous povuez copier un programme quotidien sur un autre jour en le sélectionnant, puis en "
     "le glissant sur le jour souhaité."},
    {4950, "%0:s, %1:s to %2:s, %3:.1f°C", "%0:s, %1:s bis %2:s, %3:.1f°C",
     "%0:s, de %1:s à %2:s, %3:.1f°C"},
    {4951, "Switching periods: %0:s", "Schaltzeiträume: %0:s", "Périodes de commutation : %0:s"},
    {4952, "Temperature of the selected switching period",
     "Temperatur des markierten Schaltzeitraums",
     "Température de la période de commutation sélectionnée"},
    {4953, "Bin", "Papierkorb", "Corbeille"},
    {4954, "Drag a switching period onto the bin to delete it.",
     "Ziehen Sie einen Schaltzeitraum auf den Papierkorb, um ihn zu löschen.",
     "Faites glisser une période de commutation sur la corbeille pour la supprimer."},
    {4955, "%0:s: split the selected switching period", "%0:s: markierten Schaltzeitraum teilen",
     "%0:s : diviser la période de commutation sélectionnée"},
    {4956, "%0:s: send the weekly program on display to the controller",
     "%0:s: angezeigtes Wochenprogramm an den Regler senden",
     "%0:s : envoyer au régulateur le programme hebdomadaire affiché"},
    {4957, "Days", "Tage", "Jours"},
    {4958, "Status", "Status", "État"},
    {4959, "Rooms", "Räume", "Pièces"},
    // The offer of unsaved changes kept when the program ended.
    {4960, "Unsaved changes", "Nicht gespeicherte Änderungen", "Modifications non enregistrées"},
    {4961,
     "The program ended before your changes to \"%0:s\" were saved. They were kept on %1:s at "
     "%2:s.\n\nRestore them now, discard them, or open them later?",
     "Das Programm wurde beendet, bevor Ihre Änderungen an „%0:s“ gespeichert waren. Sie wurden "
     "am %1:s um %2:s aufbewahrt.\n\nJetzt wiederherstellen, verwerfen oder später öffnen?",
     "Le programme s\u2019est arrêté avant que vos modifications de « %0:s » soient "
     "enregistrées. Elles ont été conservées le %1:s à %2:s.\n\nLes restaurer maintenant, les "
     "abandonner ou les ouvrir plus tard ?"},
    {4962,
     "The program ended before your changes to a new file without a name were saved. They were "
     "kept on %1:s at %2:s.\n\nRestore them now, discard them, or open them later?",
     "Das Programm wurde beendet, bevor Ihre Änderungen an einer neuen Datei ohne Namen "
     "gespeichert waren. Sie wurden am %1:s um %2:s aufbewahrt.\n\nJetzt wiederherstellen, "
     "verwerfen oder später öffnen?",
     "Le programme s\u2019est arrêté avant que vos modifications d\u2019un nouveau fichier sans "
     "nom soient enregistrées. Elles ont été conservées le %1:s à %2:s.\n\nLes restaurer "
     "maintenant, les abandonner ou les ouvrir plus tard ?"},
    {4963, "&Restore", "&Wiederherstellen", "&Restaurer"},
    {4964, "&Discard", "&Verwerfen", "&Abandonner"},
    {4965, "Open &later", "&Später öffnen", "Ouvrir plus &tard"},
    {5000, "Unnamed", "Unbenannt", "Inconnu"},
    {5001, "Living room", "Wohnzimmer", "Séjour"},
    {5002, "Bedroom", "Schlafzimmer", "Chambre"},
    {5003, "Playroom", "Kinderzimmer", "Chambre d'enfant"},
    {5004, "Kitchen", "Küche", "Cuisine"},
    {5005, "Bathroom", "Bad", "Salle de bains"},
    {5006, "Hall", "Flur", "Entrée"},
    {5007, "Office 5 business days", "Büro 5 Werktage", "Bureau 5 jours ouvrables"},
    {5008, "Office 5 1/2 business days", "Büro 5 1/2 Werktage", "Bureau 5 jours 1/2 ouvrables"},
    {5009, "Office 7 business days", "Büro 7 Werktage", "Bureau 7 jours ouvrables"},
    // Why a save failed, and a file changed by another program.
    {4890,
     "The file was changed by another program since you opened it. Overwrite it with your version?",
     "Die Datei wurde seit dem Öffnen von einem anderen Programm geändert. Mit Ihrer Fassung "
     "überschreiben?",
     "Le fichier a été modifié par un autre programme depuis que vous l\u2019avez ouvert. "
     "L\u2019écraser avec votre version ?"},
    {4891, "&Overwrite", "Über&schreiben", "É&craser"},
    {4893, "&Reload", "&Neu laden", "&Recharger"},
    {4894, "&Keep mine", "&Meine behalten", "&Garder la mienne"},
    {4895, "The file \"%0:s\" was deleted or moved away. Save writes it again.",
     "Die Datei \"%0:s\" wurde gelöscht oder verschoben. Speichern legt sie wieder an.",
     "Le fichier « %0:s » a été supprimé ou déplacé. Enregistrer le recrée."},
    {4816, "There is no space left on the drive.", "Auf dem Laufwerk ist kein Platz mehr frei.",
     "Il n\u2019y a plus de place sur le lecteur."},
    {4817, "You do not have permission to write there.",
     "Sie haben keine Berechtigung, dort zu schreiben.",
     "Vous n\u2019avez pas le droit d\u2019écrire à cet endroit."},
    {4818, "The drive is read-only.", "Das Laufwerk ist schreibgeschützt.",
     "Le lecteur est en lecture seule."},
    {4819, "The folder does not exist.", "Der Ordner existiert nicht.",
     "Le dossier n\u2019existe pas."},
    {4884,
     "A symbolic link on the way to the file was not followed: another user placed it in a shared "
     "folder, or the links lead round in a circle.",
     "Eine symbolische Verknüpfung auf dem Weg zur Datei wurde nicht verfolgt: Ein anderer "
     "Benutzer "
     "hat sie in einem gemeinsamen Ordner angelegt, oder die Verknüpfungen führen im Kreis.",
     "Un lien symbolique sur le chemin du fichier n\u2019a pas été suivi : un autre utilisateur "
     "l\u2019a placé dans un dossier partagé, ou les liens tournent en rond."},
    // The transfer texts: the pending request, the rooms' marks, the guided run, the record.
    {4027, "&Cancel transfer", "Übertragung &abbrechen", "&Annuler le transfert"},
    {4028, "Cancel", "Abbrechen", "Annuler"},
    {4029, "Restore the program last s&ent", "Zuletzt gesendetes Programm &wiederherstellen",
     "Rétablir le programme en&voyé en dernier"},
    {4030, "Send se&veral rooms...", "&Mehrere Räume senden...", "Envoyer &plusieurs pièces..."},
    {4031, "Transfer &history...", "Übertragungs&verlauf...", "&Historique des transferts..."},
    {4830, "%0:s: waiting for the USB programming stick.",
     "%0:s: Warten auf den USB-Programmierstick.",
     "%0:s : en attente de la clé de programmation USB."},
    {4831, "%0:s: %1:s", "%0:s: %1:s", "%0:s : %1:s"},
    {4832, "%0:s Next try at %1:s.", "%0:s Nächster Versuch um %1:s.",
     "%0:s Prochain essai à %1:s."},
    {4833, "%0:s: sent on %1:s.", "%0:s: gesendet am %1:s.", "%0:s : envoyé le %1:s."},
    {4834, "%0:s: transfer cancelled; nothing more is sent.",
     "%0:s: Übertragung abgebrochen; es wird nichts mehr gesendet.",
     "%0:s : transfert annulé ; plus rien n\u2019est envoyé."},
    {4835,
     "%0:s: the transfer failed three times and was withdrawn. Send again when the controller is "
     "ready.",
     "%0:s: Die Übertragung ist dreimal gescheitert und wurde zurückgezogen. Senden Sie erneut, "
     "sobald der Regler bereit ist.",
     "%0:s : le transfert a échoué trois fois et a été retiré. Envoyez à nouveau quand le "
     "régulateur est prêt."},
    {4836, "The USB programming stick is back. Send the program of %0:s now?",
     "Der USB-Programmierstick ist wieder da. Das Programm von %0:s jetzt senden?",
     "La clé de programmation USB est de retour. Envoyer maintenant le programme de %0:s ?"},
    {4837, "Send", "Senden", "Envoyer"},
    {4838, "Withdraw", "Zurückziehen", "Retirer"},
    {4840, "Never sent", "Noch nie gesendet", "Jamais envoyé"},
    {4841, "Sent on %0:s", "Gesendet am %0:s", "Envoyé le %0:s"},
    {4842, "Changed since sent on %0:s", "Geändert seit dem Senden am %0:s",
     "Modifié depuis l\u2019envoi du %0:s"},
    {4843, "%0:s\nChanged days: %1:s", "%0:s\nGeänderte Tage: %1:s", "%0:s\nJours modifiés : %1:s"},
    {4844,
     "The transfer record could not be opened and was set aside as \"%0:s\". A new record has been "
     "started.",
     "Das Übertragungsprotokoll konnte nicht geöffnet werden und wurde als \u201e%0:s\u201c "
     "beiseitegelegt. Ein neues Protokoll wurde begonnen.",
     "L\u2019historique des transferts n\u2019a pas pu être ouvert et a été mis de côté sous "
     "\u00ab %0:s \u00bb. Un nouvel historique a été commencé."},
    {4845,
     "The transfer record cannot be kept (%0:s). Sending works, but transfers are not recorded.",
     "Das Übertragungsprotokoll kann nicht geführt werden (%0:s). Senden ist möglich, wird aber "
     "nicht protokolliert.",
     "L\u2019historique des transferts ne peut pas être tenu (%0:s). L\u2019envoi fonctionne, mais "
     "les transferts ne sont pas enregistrés."},
    {4850, "Send several rooms", "Mehrere Räume senden", "Envoyer plusieurs pièces"},
    {4851, "Next: %0:s. Put the %0:s controller into receive mode, then press Send.",
     "Als Nächstes: %0:s. Schalten Sie den Regler von %0:s in den Empfangsmodus und drücken Sie "
     "dann Senden.",
     "Suivant : %0:s. Mettez le régulateur de %0:s en mode réception, puis appuyez sur Envoyer."},
    {4852, "&Skip", "Ü&berspringen", "&Passer"},
    {4853, "S&top", "&Beenden", "&Arrêter"},
    {4854, "&Try again", "&Erneut versuchen", "&Réessayer"},
    {4855, "&Start", "&Starten", "&Démarrer"},
    {4856, "skipped", "übersprungen", "passé"},
    {4857, "Sent: %0:d, skipped: %1:d, failed: %2:d.",
     "Gesendet: %0:d, übersprungen: %1:d, gescheitert: %2:d.",
     "Envoyés : %0:d, passés : %1:d, échoués : %2:d."},
    {4858,
     "Tick the rooms to send, then press Start. Rooms never sent or changed since are ticked.",
     "Haken Sie die zu sendenden Räume an und drücken Sie dann Starten. Noch nie gesendete oder "
     "seitdem geänderte Räume sind angehakt.",
     "Cochez les pièces à envoyer, puis appuyez sur Démarrer. Les pièces jamais envoyées ou "
     "modifiées depuis sont cochées."},
    {4859, "Sending to %0:s failed. Try again, or skip the room.",
     "Das Senden an %0:s ist gescheitert. Versuchen Sie es erneut oder überspringen Sie den Raum.",
     "L\u2019envoi à %0:s a échoué. Réessayez ou passez la pièce."},
    {4860, "Sending %0:s...", "%0:s wird gesendet...", "Envoi de %0:s..."},
    {4870, "Transfer history", "Übertragungsverlauf", "Historique des transferts"},
    {4871, "Date and time", "Datum und Uhrzeit", "Date et heure"},
    {4872, "Room", "Raum", "Pièce"},
    {4873, "File", "Datei", "Fichier"},
    {4874, "Result", "Ergebnis", "Résultat"},
    {4875, "Periods", "Zeiträume", "Périodes"},
    {4876, "&Only the selected room", "&Nur der gewählte Raum", "&Seulement la pièce sélectionnée"},
    {4877, "&Export as CSV...", "Als CSV &exportieren...", "&Exporter en CSV..."},
    {4878, "CSV files (*.csv)|*.csv|All files (*.*)|*.*",
     "CSV-Dateien (*.csv)|*.csv|Alle Dateien (*.*)|*.*",
     "Fichiers CSV (*.csv)|*.csv|Tous les fichiers (*.*)|*.*"},
    {4879, "not finished", "nicht beendet", "non terminé"},
    {4880, "sent", "gesendet", "envoyé"},
    {4881, "failed", "gescheitert", "échoué"},
    {4882, "withdrawn", "zurückgezogen", "retiré"},
    {4883, "The history cannot be written to \"%0:s\".\n\n%1:s",
     "Der Verlauf kann nicht in \u201e%0:s\u201c geschrieben werden.\n\n%1:s",
     "L\u2019historique ne peut pas être écrit dans \u00ab %0:s \u00bb.\n\n%1:s"},
    {6000, "Heating Profiles", "Wochenprogramm", "Programme hebdomadaire"},
    {6001, "Heating Profiles", "Wochenprogramm", "Programme hebdomadaire"},
    {6002, "%0:.1f°C", "%0:.1f°C", "%0:.1f°C"},
    {6003, "", "", ""},
    {6004, "", "", ""},
    {6010, "Page %0:d of %1:d", "Seite %0:d von %1:d", "Page %0:d sur %1:d"},
    {6011, "Printed on %0:s", "Gedruckt am %0:s", "Imprimé le %0:s"},
};

class LanguageStrings : public testing::TestWithParam<TExpectedText> {};

TEST_P(LanguageStrings, EachLanguageSetHoldsItsText) {
    const TExpectedText& expected = GetParam();
    EXPECT_EQ(LoadLanguageString(expected.Id, English, 0), QString::fromUtf8(expected.English));
    EXPECT_EQ(LoadLanguageString(expected.Id, German, 0), QString::fromUtf8(expected.German));
    EXPECT_EQ(LoadLanguageString(expected.Id, French, 0), QString::fromUtf8(expected.French));
}

TEST_P(LanguageStrings, NeutralSetEqualsEnglish) {
    const TExpectedText& expected = GetParam();
    EXPECT_EQ(LoadLanguageString(expected.Id, 0, 0), QString::fromUtf8(expected.English));
}

TEST_P(LanguageStrings, FullIdentifiersFindTheirLanguage) {
    const TExpectedText& expected = GetParam();
    // What the language commands set: sublanguage 1 inside LanguageID, and with it any
    // SublanguageID the user's system had.
    for (const TLanguageId sublanguage : {0, 1, 2}) {
        EXPECT_EQ(LoadLanguageString(expected.Id, MakeLanguageID(German, 1), sublanguage),
                  QString::fromUtf8(expected.German));
        EXPECT_EQ(LoadLanguageString(expected.Id, MakeLanguageID(French, 1), sublanguage),
                  QString::fromUtf8(expected.French));
        EXPECT_EQ(LoadLanguageString(expected.Id, MakeLanguageID(English, 1), sublanguage),
                  QString::fromUtf8(expected.English));
    }
}

INSTANTIATE_TEST_SUITE_P(AllIds, LanguageStrings, testing::ValuesIn(ExpectedTexts),
                         [](const testing::TestParamInfo<TExpectedText>& info) {
                             return "Id" + std::to_string(info.param.Id);
                         });

TEST(LanguageStrings, SupportAddressIsTheSameConfiguredAddressInEverySet) {
    const QString address = LoadLanguageString(1003, 0, 0);
    EXPECT_TRUE(address.startsWith(QStringLiteral("https://"))) << address.toStdString();
    EXPECT_FALSE(address.contains(QLatin1Char('@'))) << "placeholder left in the text";
    for (const TLanguageId language : {German, English, French})
        EXPECT_EQ(LoadLanguageString(1003, language, 0), address);
}

TEST(LanguageStrings, UnlistedIdsInsideExistingBlocksAreEmpty) {
    // 4001 shares its block with 4000, 1005 with 1000..1004, 4099 with 4096..4098.
    for (const int id : {4001, 1005, 1007, 4099, 6005, 6015})
        EXPECT_EQ(LoadLanguageString(id, German, 0), QString()) << id;
}

TEST(LanguageStrings, Utf8FormFollowsTheCurrentLanguage) {
    const TLanguageId savedLanguage = LanguageID;
    const TLanguageId savedSublanguage = SublanguageID;
    LanguageID = MakeLanguageID(German, 1);
    SublanguageID = 1;
    EXPECT_EQ(LoadLanguageStringUtf8(5004), "Küche");
    EXPECT_EQ(LoadLanguageString(4807),
              QStringLiteral("Die Daten konnten nicht gespeichert werden."));
    LanguageID = French;
    EXPECT_EQ(LoadLanguageStringUtf8(5006), "Entrée");
    LanguageID = savedLanguage;
    SublanguageID = savedSublanguage;
}

} // namespace
} // namespace zeft
