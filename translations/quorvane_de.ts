<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>ContentView</name>
    <message>
        <source>Add Files...</source>
        <translation>Dateien hinzufügen …</translation>
    </message>
    <message>
        <source>Add Folder...</source>
        <translation>Ordner hinzufügen …</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Undo Rename</source>
        <translation>Umbenennen rückgängig machen</translation>
    </message>
    <message>
        <source>Redo Rename</source>
        <translation>Umbenennen wiederholen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation>Auswahl aufheben</translation>
    </message>
    <message>
        <source>Invert Selection</source>
        <translation>Auswahl umkehren</translation>
    </message>
    <message>
        <source>Rename Selected...</source>
        <translation>Ausgewählte umbenennen …</translation>
    </message>
    <message>
        <source>Export Preview as CSV</source>
        <translation>Vorschau als CSV exportieren</translation>
    </message>
    <message>
        <source>Add Files (Ctrl+O)</source>
        <translation>Dateien hinzufügen (Strg+O)</translation>
    </message>
    <message>
        <source>Undo (Ctrl+Z)</source>
        <translation>Rückgängig (Strg+Z)</translation>
    </message>
    <message>
        <source>Redo (Ctrl+Shift+Z)</source>
        <translation>Wiederholen (Strg+Umschalt+Z)</translation>
    </message>
    <message>
        <source>New names that cannot be used; these items will not be renamed</source>
        <translation>Neue Namen, die nicht verwendet werden können; diese Einträge werden nicht umbenannt</translation>
    </message>
    <message>
        <source>Rename Files (Ctrl+Return)</source>
        <translation>Dateien umbenennen (Strg+Eingabe)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message numerus="yes">
        <source>Rename %n file(s)?</source>
        <translation>
            <numerusform>%n Datei umbenennen?</numerusform>
            <numerusform>%n Dateien umbenennen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Warning: %n conflict(s) detected. Conflicting files will be skipped.</source>
        <translation>
            <numerusform>Achtung: %n Konflikt gefunden. Dateien mit Konflikt werden übersprungen.</numerusform>
            <numerusform>Achtung: %n Konflikte gefunden. Dateien mit Konflikt werden übersprungen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n ausgewählt</numerusform>
            <numerusform>%n ausgewählt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n conflict(s)</source>
        <translation>
            <numerusform>%n Konflikt</numerusform>
            <numerusform>%n Konflikte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n unusable name(s)</source>
        <translation>
            <numerusform>%n unbrauchbarer Name</numerusform>
            <numerusform>%n unbrauchbare Namen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rule(s)</source>
        <translation>
            <numerusform>%n Regel</numerusform>
            <numerusform>%n Regeln</numerusform>
        </translation>
    </message>
    <message>
        <source>Renaming...</source>
        <translation>Wird umbenannt …</translation>
    </message>
    <message>
        <source>This action will rename the selected files on disk. It can be undone.</source>
        <translation>Die ausgewählten Dateien werden auf dem Datenträger umbenannt. Das lässt sich rückgängig machen.</translation>
    </message>
    <message numerus="yes">
        <source>%n checked item(s) hidden by the filter will not be renamed.</source>
        <translation>
            <numerusform>%n angehakter, durch den Filter verborgener Eintrag wird nicht umbenannt.</numerusform>
            <numerusform>%n angehakte, durch den Filter verborgene Einträge werden nicht umbenannt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Edit Names as Text…</source>
        <translation>Namen als Text bearbeiten …</translation>
    </message>
    <message>
        <source>This action will rename the changed files on disk. It can be undone. A name that another item has or gets in the same folder is skipped and reported.</source>
        <translation>Die geänderten Dateien werden auf dem Datenträger umbenannt. Das lässt sich rückgängig machen. Ein Name, den ein anderes Objekt im selben Ordner hat oder bekommt, wird übersprungen und gemeldet.</translation>
    </message>
    <message>
        <source>Interrupted Rename</source>
        <translation>Umbenennen unterbrochen</translation>
    </message>
    <message numerus="yes">
        <source>A rename of %n item(s) was interrupted on %1.</source>
        <translation>
            <numerusform>Ein Umbenennen von %n Objekt wurde am %1 unterbrochen.</numerusform>
            <numerusform>Ein Umbenennen von %n Objekten wurde am %1 unterbrochen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Finish it to give every item its new name, or roll it back to give every item its old name. Items changed by someone else since are left alone. Nothing moves until you choose.</source>
        <translation>Führen Sie es zu Ende, damit jedes Objekt seinen neuen Namen erhält, oder machen Sie es rückgängig, damit jedes Objekt seinen alten Namen zurückerhält. Objekte, die seitdem jemand anderes geändert hat, bleiben unberührt. Bis Sie wählen, wird nichts verschoben.</translation>
    </message>
    <message>
        <source>Finish It</source>
        <translation>Zu Ende führen</translation>
    </message>
    <message>
        <source>Roll It Back</source>
        <translation>Zurückrollen</translation>
    </message>
    <message>
        <source>Decide Later</source>
        <translation>Später entscheiden</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Verlauf…</translation>
    </message>
</context>
<context>
    <name>EditNamesDialog</name>
    <message>
        <source>Edit Names as Text</source>
        <translation>Namen als Text bearbeiten</translation>
    </message>
    <message>
        <source>Each line is the new name of one item, beside its current name. Change the names you want; changed lines are marked. Backslash escapes such as \n, \t, \xNN and \\ stand for the characters they name.</source>
        <translation>Jede Zeile ist der neue Name eines Objekts, neben seinem jetzigen Namen. Ändern Sie die gewünschten Namen; geänderte Zeilen werden markiert. Escape-Folgen wie \n, \t, \xNN und \\ stehen für die Zeichen, die sie bezeichnen.</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Umbenennen …</translation>
    </message>
    <message>
        <source>Lines cannot be added or removed here: each line is the new name of the item beside it. The change was undone; to leave an item as it is, keep its line.</source>
        <translation>Hier können keine Zeilen hinzugefügt oder entfernt werden: Jede Zeile ist der neue Name des Objekts daneben. Die Änderung wurde zurückgenommen; um ein Objekt unverändert zu lassen, behalten Sie seine Zeile.</translation>
    </message>
    <message>
        <source>Line %1: a backslash that starts no known escape.</source>
        <translation>Zeile %1: ein umgekehrter Schrägstrich, der keine bekannte Escape-Folge beginnt.</translation>
    </message>
    <message>
        <source>Line %1: this name cannot be used (empty, &quot;.&quot;, &quot;..&quot;, holding &quot;/&quot;, or longer than 255 bytes).</source>
        <translation>Zeile %1: Dieser Name ist nicht verwendbar (leer, „.“, „..“, mit „/“ oder länger als 255 Byte).</translation>
    </message>
    <message numerus="yes">
        <source>%n line(s) changed.</source>
        <translation>
            <numerusform>%n Zeile geändert.</numerusform>
            <numerusform>%n Zeilen geändert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more line(s) with a problem.</source>
        <translation>
            <numerusform>%n weitere Zeile mit einem Problem.</numerusform>
            <numerusform>%n weitere Zeilen mit einem Problem.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ErrorText</name>
    <message>
        <source>The item&apos;s own name is not valid UTF-8 text, so it is left as it is.</source>
        <translation>Der eigene Name des Eintrags ist kein gültiger UTF-8-Text; er bleibt, wie er ist.</translation>
    </message>
    <message>
        <source>The system refused: %1</source>
        <translation>Das System hat abgelehnt: %1</translation>
    </message>
    <message>
        <source>Not attempted: the batch ended before this item.</source>
        <translation>Nicht versucht: Der Vorgang endete vor diesem Eintrag.</translation>
    </message>
    <message>
        <source>A rule cannot run: %1</source>
        <translation>Eine Regel kann nicht angewendet werden: %1</translation>
    </message>
    <message>
        <source>A pattern took too long on this name, so the name is left as it is.</source>
        <translation>Ein Muster brauchte für diesen Namen zu lange; der Name bleibt, wie er ist.</translation>
    </message>
    <message>
        <source>Nothing exists at this location any more.</source>
        <translation>An diesem Ort existiert nichts mehr.</translation>
    </message>
    <message>
        <source>Another item gets the same name in this folder.</source>
        <translation>Ein anderer Eintrag erhält in diesem Ordner denselben Namen.</translation>
    </message>
    <message>
        <source>An item with this name already exists in this folder.</source>
        <translation>In diesem Ordner gibt es bereits einen Eintrag mit diesem Namen.</translation>
    </message>
    <message>
        <source>Differs from another name in its folder only in letter case.</source>
        <translation>Unterscheidet sich von einem anderen Namen im Ordner nur in der Groß-/Kleinschreibung.</translation>
    </message>
    <message>
        <source>Written by a newer version of Quorvane.</source>
        <translation>Von einer neueren Version von Quorvane geschrieben.</translation>
    </message>
    <message>
        <source>The file could not be read: %1</source>
        <translation>Die Datei konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>This cannot be a file name: %1</source>
        <translation>Das kann kein Dateiname sein: %1</translation>
    </message>
    <message>
        <source>This drive does not accept “%1” in names.</source>
        <translation>Dieses Laufwerk nimmt „%1“ in Namen nicht an.</translation>
    </message>
    <message>
        <source>This drive does not accept control characters in names.</source>
        <translation>Dieses Laufwerk nimmt keine Steuerzeichen in Namen an.</translation>
    </message>
    <message>
        <source>This drive does not accept names that end in a dot.</source>
        <translation>Dieses Laufwerk nimmt keine Namen an, die mit einem Punkt enden.</translation>
    </message>
    <message>
        <source>This drive does not accept names that end in a space.</source>
        <translation>Dieses Laufwerk nimmt keine Namen an, die mit einem Leerzeichen enden.</translation>
    </message>
    <message>
        <source>This drive keeps the name “%1” for a device.</source>
        <translation>Dieses Laufwerk hält den Namen „%1“ für ein Gerät frei.</translation>
    </message>
</context>
<context>
    <name>FileListView</name>
    <message>
        <source>Filter by name</source>
        <translation>Nach Name filtern</translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation>Sortieren nach</translation>
    </message>
    <message>
        <source>Selection and list commands</source>
        <translation>Auswahl- und Listenbefehle</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation>Auswahl aufheben</translation>
    </message>
    <message>
        <source>Invert Selection</source>
        <translation>Auswahl umkehren</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Include Subfolders</source>
        <translation>Mit Unterordnern</translation>
    </message>
    <message>
        <source>Add the contents of folders rather than the folders</source>
        <translation>Den Inhalt von Ordnern statt der Ordner selbst hinzufügen</translation>
    </message>
    <message>
        <source>Only Files</source>
        <translation>Nur Dateien</translation>
    </message>
    <message>
        <source>Only Folders</source>
        <translation>Nur Ordner</translation>
    </message>
    <message>
        <source>Drop files and folders here</source>
        <translation>Dateien und Ordner hier ablegen</translation>
    </message>
    <message>
        <source>or choose them:</source>
        <translation>oder auswählen:</translation>
    </message>
    <message>
        <source>Add Files...</source>
        <translation>Dateien hinzufügen …</translation>
    </message>
    <message>
        <source>Add Folder...</source>
        <translation>Ordner hinzufügen …</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n ausgewählt</numerusform>
            <numerusform>%n ausgewählt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n shown</source>
        <translation>
            <numerusform>%n angezeigt</numerusform>
            <numerusform>%n angezeigt</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove from List</source>
        <translation>Aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>Sort direction</source>
        <translation>Sortierrichtung</translation>
    </message>
    <message>
        <source>Descending (Z to A)</source>
        <translation>Absteigend (Z bis A)</translation>
    </message>
    <message>
        <source>Ascending (A to Z)</source>
        <translation>Aufsteigend (A bis Z)</translation>
    </message>
    <message>
        <source>Oldest first</source>
        <translation>Älteste zuerst</translation>
    </message>
    <message>
        <source>Newest first</source>
        <translation>Neueste zuerst</translation>
    </message>
    <message>
        <source>Smallest first</source>
        <translation>Kleinste zuerst</translation>
    </message>
    <message>
        <source>Largest first</source>
        <translation>Größte zuerst</translation>
    </message>
    <message>
        <source>Click to reverse the order</source>
        <translation>Klicken kehrt die Reihenfolge um</translation>
    </message>
</context>
<context>
    <name>FileTableModel</name>
    <message>
        <source>Will be renamed</source>
        <translation>Wird umbenannt</translation>
    </message>
    <message>
        <source>Will be left as it is</source>
        <translation>Bleibt, wie es ist</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Änderungsdatum</translation>
    </message>
    <message>
        <source>Checked entries are renamed</source>
        <translation>Angehakte Einträge werden umbenannt</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>Undone</source>
        <translation>Rückgängig gemacht</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation>Unterbrochen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Keep the newest batches:</source>
        <translation>Die neuesten Vorgänge behalten:</translation>
    </message>
    <message>
        <source>Undo Batch</source>
        <translation>Vorgang rückgängig</translation>
    </message>
    <message>
        <source>Redo Batch</source>
        <translation>Vorgang wiederholen</translation>
    </message>
    <message numerus="yes">
        <source>%n journal(s) cannot be read and were kept aside: %1</source>
        <translation>
            <numerusform>%n Protokoll kann nicht gelesen werden und wurde beiseitegelegt: %1</numerusform>
            <numerusform>%n Protokolle können nicht gelesen werden und wurden beiseitegelegt: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PreviewPanelView</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Add files and rules to see the new names here.</source>
        <translation>Fügen Sie Dateien und Regeln hinzu, um hier die neuen Namen zu sehen.</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>Save the preview as a comma-separated file</source>
        <translation>Die Vorschau als kommagetrennte Datei speichern</translation>
    </message>
    <message numerus="yes">
        <source>%n conflict(s)</source>
        <translation>
            <numerusform>%n Konflikt</numerusform>
            <numerusform>%n Konflikte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 will be renamed</source>
        <translation>
            <numerusform>%n von %1 wird umbenannt</numerusform>
            <numerusform>%n von %1 werden umbenannt</numerusform>
        </translation>
    </message>
    <message>
        <source>Reading metadata… %1 of %2</source>
        <translation>Metadaten werden gelesen… %1 von %2</translation>
    </message>
</context>
<context>
    <name>PreviewTableModel</name>
    <message>
        <source>An item above gets the same name; this one will be skipped.</source>
        <translation>Ein Eintrag weiter oben erhält denselben Namen; dieser wird übersprungen.</translation>
    </message>
    <message>
        <source>The name stays as it is.</source>
        <translation>Der Name bleibt, wie er ist.</translation>
    </message>
    <message>
        <source>Not checked: it will not be renamed.</source>
        <translation>Nicht angehakt: wird nicht umbenannt.</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>New Name</source>
        <translation>Neuer Name</translation>
    </message>
</context>
<context>
    <name>ProgressOverlayView</name>
    <message>
        <source>Renaming files...</source>
        <translation>Dateien werden umbenannt …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Dateien hinzufügen</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Export Preview as CSV</source>
        <translation>Vorschau als CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>The preview could not be saved to %1: %2</source>
        <translation>Die Vorschau konnte nicht unter %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Preview saved to %1</source>
        <translation>Vorschau unter %1 gespeichert</translation>
    </message>
</context>
<context>
    <name>RenameResultView</name>
    <message>
        <source>Rename Result</source>
        <translation>Ergebnis des Umbenennens</translation>
    </message>
    <message>
        <source>Renamed</source>
        <translation>Umbenannt</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Rename Complete</source>
        <translation>Umbenennen abgeschlossen</translation>
    </message>
    <message>
        <source>Rename Completed with Errors</source>
        <translation>Umbenennen mit Fehlern abgeschlossen</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>Übersprungen</translation>
    </message>
    <message>
        <source>Not Attempted</source>
        <translation>Nicht versucht</translation>
    </message>
    <message>
        <source>Not renamed:</source>
        <translation>Nicht umbenannt:</translation>
    </message>
    <message numerus="yes">
        <source>Cancelled: %n item not attempted</source>
        <translation>
            <numerusform>Abgebrochen: %n Eintrag nicht versucht</numerusform>
            <numerusform>Abgebrochen: %n Einträge nicht versucht</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Cancelled: %n items not attempted</source>
        <translation>
            <numerusform>Abgebrochen: %n Eintrag nicht versucht</numerusform>
            <numerusform>Abgebrochen: %n Einträge nicht versucht</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RuleEditorView</name>
    <message>
        <source>The presets file could not be read.</source>
        <translation>Die Vorlagendatei konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>It was kept as %1.</source>
        <translation>Sie wurde als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>The presets file could not be written, so changes to presets will be lost when Quorvane closes.</source>
        <translation>Die Vorlagendatei konnte nicht geschrieben werden; Änderungen an Vorlagen gehen beim Beenden von Quorvane verloren.</translation>
    </message>
    <message>
        <source>Rules</source>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>Add Rule</source>
        <translation>Neue Regel</translation>
    </message>
    <message>
        <source>Add a rule at the end of the list</source>
        <translation>Eine Regel am Ende der Liste hinzufügen</translation>
    </message>
    <message>
        <source>No rules yet. Add one, type a phrase below or load a preset.</source>
        <translation>Noch keine Regeln. Fügen Sie eine hinzu, beschreiben Sie unten eine oder laden Sie eine Vorlage.</translation>
    </message>
    <message>
        <source>Move Rule Up (Ctrl+Up)</source>
        <translation>Regel nach oben (Strg+Pfeil hoch)</translation>
    </message>
    <message>
        <source>Move Rule Down (Ctrl+Down)</source>
        <translation>Regel nach unten (Strg+Pfeil runter)</translation>
    </message>
    <message>
        <source>Delete Rule (Del)</source>
        <translation>Regel löschen (Entf)</translation>
    </message>
    <message>
        <source>Describe a Rule</source>
        <translation>Regel beschreiben</translation>
    </message>
    <message>
        <source>e.g. title case</source>
        <translation>z. B. title case</translation>
    </message>
    <message>
        <source>Rule phrase</source>
        <translation>Regelbeschreibung</translation>
    </message>
    <message>
        <source>Parse</source>
        <translation>Auswerten</translation>
    </message>
    <message>
        <source>Type what should happen to the names and press Return, e.g. “replace draft with final” or “title case”.</source>
        <translation>Beschreiben Sie auf Englisch, was mit den Namen geschehen soll, und drücken Sie die Eingabetaste, z. B. „replace draft with final“ oder „title case“.</translation>
    </message>
    <message>
        <source>No rule recognised. Try a phrase such as “replace draft with final” or “title case”.</source>
        <translation>Keine Regel erkannt. Versuchen Sie eine Beschreibung wie „replace draft with final“ oder „title case“.</translation>
    </message>
    <message>
        <source>Suggested rules</source>
        <translation>Vorgeschlagene Regeln</translation>
    </message>
    <message>
        <source>Apply All</source>
        <translation>Alle übernehmen</translation>
    </message>
    <message>
        <source>Dismiss Suggestions</source>
        <translation>Vorschläge verwerfen</translation>
    </message>
    <message>
        <source>%1 — %2%</source>
        <translation>%1 — %2 %</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Replace the rules with the preset&apos;s rules</source>
        <translation>Die Regeln durch die Regeln der Vorlage ersetzen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Save as Preset...</source>
        <translation>Als Vorlage speichern …</translation>
    </message>
    <message>
        <source>Save the current rules as a new preset</source>
        <translation>Die aktuellen Regeln als neue Vorlage speichern</translation>
    </message>
    <message numerus="yes">
        <source>%n rule(s)</source>
        <translation>
            <numerusform>%n Regel</numerusform>
            <numerusform>%n Regeln</numerusform>
        </translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>Vorlage löschen</translation>
    </message>
    <message>
        <source>Delete the preset “%1”?</source>
        <translation>Die Vorlage „%1“ löschen?</translation>
    </message>
    <message>
        <source>This cannot be undone.</source>
        <translation>Das kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>deleted</source>
        <translation>gelöscht</translation>
    </message>
    <message>
        <source>Save as Preset</source>
        <translation>Als Vorlage speichern</translation>
    </message>
    <message>
        <source>Name of the new preset:</source>
        <translation>Name der neuen Vorlage:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>saved</source>
        <translation>gespeichert</translation>
    </message>
    <message>
        <source>The preset was %1 for now, but the presets file could not be written, so the change will be lost when Quorvane closes.</source>
        <translation>Die Vorlage wurde vorerst %1, aber die Vorlagendatei konnte nicht geschrieben werden; die Änderung geht beim Beenden von Quorvane verloren.</translation>
    </message>
    <message>
        <source>Saving presets is off: the presets file was written by a newer version of Quorvane, and saving it here would lose what this version cannot read.</source>
        <translation>Das Speichern von Vorlagen ist abgeschaltet: Die Vorlagendatei stammt von einer neueren Version von Quorvane, und Speichern würde verlieren, was diese Version nicht lesen kann.</translation>
    </message>
    <message numerus="yes">
        <source>%n of its presets could not be read and are not shown.</source>
        <translation>
            <numerusform>%n ihrer Vorlagen konnte nicht gelesen werden und wird nicht angezeigt.</numerusform>
            <numerusform>%n ihrer Vorlagen konnten nicht gelesen werden und werden nicht angezeigt.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RuleField</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Text to find</source>
        <translation>Zu suchender Text</translation>
    </message>
    <message>
        <source>Replace with</source>
        <translation>Ersetzen durch</translation>
    </message>
    <message>
        <source>Empty: delete the text</source>
        <translation>Leer: den Text löschen</translation>
    </message>
    <message>
        <source>Match case</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Use regular expression</source>
        <translation>Regulären Ausdruck verwenden</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Text to insert</source>
        <translation>Einzufügender Text</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Stelle</translation>
    </message>
    <message>
        <source>Anchor text</source>
        <translation>Ankertext</translation>
    </message>
    <message>
        <source>Text to insert next to</source>
        <translation>Text, neben dem eingefügt wird</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Text to remove</source>
        <translation>Zu entfernender Text</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>Opening text, e.g. (</source>
        <translation>Öffnender Text, z. B. (</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Closing text, e.g. )</source>
        <translation>Schließender Text, z. B. )</translation>
    </message>
    <message>
        <source>Case</source>
        <translation>Schreibweise</translation>
    </message>
    <message>
        <source>Start at</source>
        <translation>Beginnen bei</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schrittweite</translation>
    </message>
    <message>
        <source>Digits</source>
        <translation>Stellen</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Trennzeichen</translation>
    </message>
    <message>
        <source>Trim whitespace</source>
        <translation>Leerraum an den Enden entfernen</translation>
    </message>
    <message>
        <source>Collapse repeated spaces</source>
        <translation>Mehrfache Leerzeichen zusammenfassen</translation>
    </message>
    <message>
        <source>Spaces to underscores</source>
        <translation>Leerzeichen zu Unterstrichen</translation>
    </message>
    <message>
        <source>Remove special characters</source>
        <translation>Sonderzeichen entfernen</translation>
    </message>
    <message>
        <source>Removes spaces and tabs at both ends of the name. No options.</source>
        <translation>Entfernt Leerzeichen und Tabulatoren an beiden Enden des Namens. Keine Optionen.</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>yyyy-MM-dd</source>
        <translation>yyyy-MM-dd</translation>
    </message>
    <message>
        <source>Date pattern: yyyy year, MM month, dd day, HH hour, mm minute, ss second</source>
        <translation>Datumsmuster: yyyy Jahr, MM Monat, dd Tag, HH Stunde, mm Minute, ss Sekunde</translation>
    </message>
    <message>
        <source>New extension</source>
        <translation>Neue Endung</translation>
    </message>
    <message>
        <source>e.g. jpg</source>
        <translation>z. B. jpg</translation>
    </message>
    <message>
        <source>Leave blank to remove the extension.</source>
        <translation>Leer lassen, um die Endung zu entfernen.</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>Muster</translation>
    </message>
    <message>
        <source>Regular expression, e.g. (\d+)</source>
        <translation>Regulärer Ausdruck, z. B. (\d+)</translation>
    </message>
    <message>
        <source>Replacement</source>
        <translation>Ersetzung</translation>
    </message>
    <message>
        <source>$1 is the first group</source>
        <translation>$1 ist die erste Gruppe</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>{name}</source>
        <translation>{name}</translation>
    </message>
    <message>
        <source>The new name. Tokens in braces take values from the file, such as {exif.date:yyyy-MM-dd} or {audio.artist}; {a|b} takes the first that has a value; {{ and }} are braces.</source>
        <translation>Der neue Name. Platzhalter in geschweiften Klammern nehmen Werte aus der Datei, etwa {exif.date:yyyy-MM-dd} oder {audio.artist}; {a|b} nimmt den ersten, der einen Wert hat; {{ und }} sind Klammern.</translation>
    </message>
    <message>
        <source>Example</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>ASCII letters only</source>
        <translation>Nur ASCII-Buchstaben</translation>
    </message>
    <message>
        <source>Writes every letter in Latin letters without accents (Müller: Muller, 東京: dong jing) and drops what has no such spelling</source>
        <translation>Schreibt jeden Buchstaben in lateinischen Buchstaben ohne Akzente (Müller: Muller, 東京: dong jing) und entfernt, was sich so nicht schreiben lässt</translation>
    </message>
    <message>
        <source>Safe for Windows and FAT</source>
        <translation>Sicher für Windows und FAT</translation>
    </message>
    <message>
        <source>Names that Windows, FAT and exFAT drives and network shares accept: &lt; &gt; : &quot; \ | ? * and control characters become _, dots and spaces at the end go, and device names such as CON or LPT1 get _</source>
        <translation>Namen, die Windows, FAT- und exFAT-Laufwerke und Netzwerkfreigaben annehmen: &lt; &gt; : &quot; \ | ? * und Steuerzeichen werden zu _, Punkte und Leerzeichen am Ende entfallen, und Gerätenamen wie CON oder LPT1 bekommen ein _</translation>
    </message>
    <message>
        <source>Start again in each folder</source>
        <translation>In jedem Ordner neu beginnen</translation>
    </message>
    <message>
        <source>Each folder counts from the start number, in the order shown</source>
        <translation>Jeder Ordner zählt ab der Startnummer, in der angezeigten Reihenfolge</translation>
    </message>
    <message>
        <source>One number for companion files</source>
        <translation>Eine Nummer für zusammengehörige Dateien</translation>
    </message>
    <message>
        <source>Files in one folder with the same name before the extension, such as IMG_1.CR2 and IMG_1.JPG, get the same number</source>
        <translation>Dateien in einem Ordner mit gleichem Namen vor der Endung, etwa IMG_1.CR2 und IMG_1.JPG, erhalten dieselbe Nummer</translation>
    </message>
</context>
<context>
    <name>RuleListModel</name>
    <message>
        <source> (off)</source>
        <translation> (aus)</translation>
    </message>
    <message>
        <source>Delete Rule</source>
        <translation>Regel löschen</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Regel</translation>
    </message>
</context>
<context>
    <name>RuleOptionsEditor</name>
    <message>
        <source>The pattern does not compile: %1</source>
        <translation>Das Muster ist ungültig: %1</translation>
    </message>
    <message>
        <source>Insert Token</source>
        <translation>Platzhalter einfügen</translation>
    </message>
    <message>
        <source>Insert a value of the file at the cursor</source>
        <translation>Einen Wert der Datei an der Schreibmarke einfügen</translation>
    </message>
    <message>
        <source>Reading metadata…</source>
        <translation>Metadaten werden gelesen…</translation>
    </message>
    <message>
        <source>Add files to see an example.</source>
        <translation>Dateien hinzufügen, um ein Beispiel zu sehen.</translation>
    </message>
    <message>
        <source>The template cannot be used: %1</source>
        <translation>Die Vorlage ist nicht verwendbar: %1</translation>
    </message>
</context>
<context>
    <name>RuleSummary</name>
    <message>
        <source>Replace %1 → %2</source>
        <translation>%1 durch %2 ersetzen</translation>
    </message>
    <message>
        <source> (pattern)</source>
        <translation> (Muster)</translation>
    </message>
    <message>
        <source> (match case)</source>
        <translation> (Groß-/Kleinschreibung)</translation>
    </message>
    <message>
        <source>Insert %1 at the beginning</source>
        <translation>%1 am Anfang einfügen</translation>
    </message>
    <message>
        <source>Insert %1 at the end</source>
        <translation>%1 am Ende einfügen</translation>
    </message>
    <message>
        <source>Insert %1 at position %2</source>
        <translation>%1 an Stelle %2 einfügen</translation>
    </message>
    <message>
        <source>Insert %1 before %2</source>
        <translation>%1 vor %2 einfügen</translation>
    </message>
    <message>
        <source>Insert %1 after %2</source>
        <translation>%1 nach %2 einfügen</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message numerus="yes">
        <source>Remove the first %n character(s)</source>
        <translation>
            <numerusform>Das erste Zeichen entfernen</numerusform>
            <numerusform>Die ersten %n Zeichen entfernen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove the last %n character(s)</source>
        <translation>
            <numerusform>Das letzte Zeichen entfernen</numerusform>
            <numerusform>Die letzten %n Zeichen entfernen</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove characters %1 to %2</source>
        <translation>Zeichen %1 bis %2 entfernen</translation>
    </message>
    <message>
        <source>Remove between %1 and %2</source>
        <translation>Zwischen %1 und %2 entfernen</translation>
    </message>
    <message>
        <source>Number as prefix: %1%2name, step %3</source>
        <translation>Nummer vorne: %1%2Name, Schritt %3</translation>
    </message>
    <message>
        <source>Number as suffix: name%1%2, step %3</source>
        <translation>Nummer hinten: Name%1%2, Schritt %3</translation>
    </message>
    <message>
        <source>Replace name with %1, step %2</source>
        <translation>Name durch %1 ersetzen, Schritt %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>trim</source>
        <translation>Enden säubern</translation>
    </message>
    <message>
        <source>collapse spaces</source>
        <translation>Leerzeichen zusammenfassen</translation>
    </message>
    <message>
        <source>spaces to _</source>
        <translation>Leerzeichen zu _</translation>
    </message>
    <message>
        <source>drop special characters</source>
        <translation>Sonderzeichen entfernen</translation>
    </message>
    <message>
        <source>Nothing selected</source>
        <translation>Nichts ausgewählt</translation>
    </message>
    <message>
        <source>Trim leading and trailing whitespace</source>
        <translation>Leerraum am Anfang und Ende entfernen</translation>
    </message>
    <message>
        <source>Add date %1 at the beginning</source>
        <translation>Datum %1 am Anfang anfügen</translation>
    </message>
    <message>
        <source>Add date %1 at the end</source>
        <translation>Datum %1 am Ende anfügen</translation>
    </message>
    <message>
        <source>Remove the extension</source>
        <translation>Die Endung entfernen</translation>
    </message>
    <message>
        <source>Change extension to %1</source>
        <translation>Endung zu %1 ändern</translation>
    </message>
    <message>
        <source>Pattern %1 → %2</source>
        <translation>Muster %1 → %2</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>Name from template %1</source>
        <translation>Name aus Vorlage %1</translation>
    </message>
    <message>
        <source>ASCII only</source>
        <translation>nur ASCII</translation>
    </message>
    <message>
        <source>safe for Windows</source>
        <translation>sicher für Windows</translation>
    </message>
    <message>
        <source>, per folder</source>
        <translation>, je Ordner</translation>
    </message>
    <message>
        <source>, shared by companions</source>
        <translation>, gemeinsam für zusammengehörige Dateien</translation>
    </message>
</context>
<context>
    <name>StoredValue</name>
    <message>
        <source>UPPERCASE</source>
        <translation>GROSSBUCHSTABEN</translation>
    </message>
    <message>
        <source>lowercase</source>
        <translation>kleinbuchstaben</translation>
    </message>
    <message>
        <source>Title Case</source>
        <translation>Jedes Wort groß</translation>
    </message>
    <message>
        <source>camelCase</source>
        <translation>camelCase</translation>
    </message>
    <message>
        <source>snake_case</source>
        <translation>snake_case</translation>
    </message>
    <message>
        <source>Sentence case</source>
        <translation>Satzanfang groß</translation>
    </message>
    <message>
        <source>Beginning</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>At Position</source>
        <translation>An Stelle</translation>
    </message>
    <message>
        <source>Before Text</source>
        <translation>Vor Text</translation>
    </message>
    <message>
        <source>After Text</source>
        <translation>Nach Text</translation>
    </message>
    <message>
        <source>Prefix</source>
        <translation>Vorne</translation>
    </message>
    <message>
        <source>Suffix</source>
        <translation>Hinten</translation>
    </message>
    <message>
        <source>Replace Name</source>
        <translation>Name ersetzen</translation>
    </message>
    <message>
        <source>Specific Text</source>
        <translation>Bestimmten Text</translation>
    </message>
    <message>
        <source>First N Characters</source>
        <translation>Erste N Zeichen</translation>
    </message>
    <message>
        <source>Last N Characters</source>
        <translation>Letzte N Zeichen</translation>
    </message>
    <message>
        <source>From Position to Position</source>
        <translation>Von Stelle bis Stelle</translation>
    </message>
    <message>
        <source>Between Two Strings</source>
        <translation>Zwischen zwei Texten</translation>
    </message>
    <message>
        <source>Replace Text</source>
        <translation>Text ersetzen</translation>
    </message>
    <message>
        <source>Insert Text</source>
        <translation>Text einfügen</translation>
    </message>
    <message>
        <source>Remove Text</source>
        <translation>Text entfernen</translation>
    </message>
    <message>
        <source>Case Conversion</source>
        <translation>Schreibweise ändern</translation>
    </message>
    <message>
        <source>Sequential Numbering</source>
        <translation>Fortlaufende Nummerierung</translation>
    </message>
    <message>
        <source>Filename Cleanup</source>
        <translation>Dateinamen säubern</translation>
    </message>
    <message>
        <source>Trim Characters</source>
        <translation>Enden kürzen</translation>
    </message>
    <message>
        <source>Add Date/Time</source>
        <translation>Datum/Uhrzeit anfügen</translation>
    </message>
    <message>
        <source>Change Extension</source>
        <translation>Endung ändern</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Änderungsdatum</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>Date Taken</source>
        <translation>Aufnahmedatum</translation>
    </message>
</context>
<context>
    <name>TemplateToken</name>
    <message>
        <source>Name as the rules before left it</source>
        <translation>Name, wie ihn die Regeln davor ließen</translation>
    </message>
    <message>
        <source>This item has no name</source>
        <translation>Dieses Objekt hat keinen Namen</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Erweiterung</translation>
    </message>
    <message>
        <source>This item has no extension</source>
        <translation>Dieses Objekt hat keine Erweiterung</translation>
    </message>
    <message>
        <source>Folder name</source>
        <translation>Ordnername</translation>
    </message>
    <message>
        <source>This item has no containing folder</source>
        <translation>Dieses Objekt liegt in keinem Ordner</translation>
    </message>
    <message>
        <source>Counter (start, step, digits)</source>
        <translation>Zähler (Start, Schritt, Stellen)</translation>
    </message>
    <message>
        <source>No number for this item</source>
        <translation>Keine Nummer für dieses Objekt</translation>
    </message>
    <message>
        <source>Date modified</source>
        <translation>Änderungsdatum</translation>
    </message>
    <message>
        <source>No modification time for this item</source>
        <translation>Keine Änderungszeit für dieses Objekt</translation>
    </message>
    <message>
        <source>Date created</source>
        <translation>Erstellungsdatum</translation>
    </message>
    <message>
        <source>No creation time for this item: the file system keeps none</source>
        <translation>Keine Erstellungszeit für dieses Objekt: das Dateisystem speichert keine</translation>
    </message>
    <message>
        <source>Size in bytes</source>
        <translation>Größe in Bytes</translation>
    </message>
    <message>
        <source>No size for this item</source>
        <translation>Keine Größe für dieses Objekt</translation>
    </message>
    <message>
        <source>SHA-256 of the content</source>
        <translation>SHA-256 des Inhalts</translation>
    </message>
    <message>
        <source>No content to digest for this item</source>
        <translation>Kein Inhalt für eine Prüfsumme bei diesem Objekt</translation>
    </message>
    <message>
        <source>Date taken (EXIF)</source>
        <translation>Aufnahmedatum (EXIF)</translation>
    </message>
    <message>
        <source>No EXIF date in this file</source>
        <translation>Kein EXIF-Datum in dieser Datei</translation>
    </message>
    <message>
        <source>Camera make</source>
        <translation>Kamerahersteller</translation>
    </message>
    <message>
        <source>No camera make in this file</source>
        <translation>Kein Kamerahersteller in dieser Datei</translation>
    </message>
    <message>
        <source>Camera model</source>
        <translation>Kameramodell</translation>
    </message>
    <message>
        <source>No camera model in this file</source>
        <translation>Kein Kameramodell in dieser Datei</translation>
    </message>
    <message>
        <source>Lens</source>
        <translation>Objektiv</translation>
    </message>
    <message>
        <source>No lens in this file</source>
        <translation>Kein Objektiv in dieser Datei</translation>
    </message>
    <message>
        <source>Image width</source>
        <translation>Bildbreite</translation>
    </message>
    <message>
        <source>No image width in this file</source>
        <translation>Keine Bildbreite in dieser Datei</translation>
    </message>
    <message>
        <source>Image height</source>
        <translation>Bildhöhe</translation>
    </message>
    <message>
        <source>No image height in this file</source>
        <translation>Keine Bildhöhe in dieser Datei</translation>
    </message>
    <message>
        <source>ISO speed</source>
        <translation>ISO-Empfindlichkeit</translation>
    </message>
    <message>
        <source>No ISO speed in this file</source>
        <translation>Keine ISO-Empfindlichkeit in dieser Datei</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>No artist tag in this file</source>
        <translation>Kein Interpret in dieser Datei</translation>
    </message>
    <message>
        <source>Album artist</source>
        <translation>Album-Interpret</translation>
    </message>
    <message>
        <source>No album artist tag in this file</source>
        <translation>Kein Album-Interpret in dieser Datei</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>No album tag in this file</source>
        <translation>Kein Album in dieser Datei</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>No title tag in this file</source>
        <translation>Kein Titel in dieser Datei</translation>
    </message>
    <message>
        <source>Track number</source>
        <translation>Titelnummer</translation>
    </message>
    <message>
        <source>No track number in this file</source>
        <translation>Keine Titelnummer in dieser Datei</translation>
    </message>
    <message>
        <source>Disc number</source>
        <translation>CD-Nummer</translation>
    </message>
    <message>
        <source>No disc number in this file</source>
        <translation>Keine CD-Nummer in dieser Datei</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>No year tag in this file</source>
        <translation>Kein Jahr in dieser Datei</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>No genre tag in this file</source>
        <translation>Kein Genre in dieser Datei</translation>
    </message>
    <message>
        <source>The template leaves this item without a name</source>
        <translation>Die Vorlage lässt dieses Objekt ohne Namen</translation>
    </message>
</context>
</TS>
