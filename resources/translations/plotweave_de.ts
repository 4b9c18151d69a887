<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>GraphEquationWindow</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Equations</source>
        <translation>Gleichungen</translation>
    </message>
    <message>
        <source>Equation editor area</source>
        <translation>Bereich des Gleichungseditors</translation>
    </message>
    <message>
        <source>Equation colour</source>
        <translation>Farbe der Gleichung</translation>
    </message>
    <message>
        <source>Colour of the selected equation&apos;s graph</source>
        <translation>Farbe des Graphen der ausgewählten Gleichung</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Graph</source>
        <translation>Zeichnen</translation>
    </message>
    <message>
        <source>Message line</source>
        <translation>Meldungszeile</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Gra&amp;ph</source>
        <translation>&amp;Zeichnen</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Add Equation</source>
        <translation>Gleichung hinzufügen</translation>
    </message>
    <message>
        <source>Delete Equation</source>
        <translation>Gleichung löschen</translation>
    </message>
    <message>
        <source>Rename Equation</source>
        <translation>Gleichung umbenennen</translation>
    </message>
    <message>
        <source>Change Colour</source>
        <translation>Farbe ändern</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
</context>
<context>
    <name>grEquation</name>
    <message>
        <source>&quot;?&quot; must be replaced before graphing.</source>
        <translation>„?“ muss vor dem Zeichnen ersetzt werden.</translation>
    </message>
    <message>
        <source>incorrect syntax for parametric graph.</source>
        <translation>Fehlerhafte Syntax für eine Parameterdarstellung.</translation>
    </message>
    <message>
        <source>left hand side of &apos;=&apos; must be X, Y or Z.</source>
        <translation>Die linke Seite von „=“ muss X, Y oder Z sein.</translation>
    </message>
    <message>
        <source>X redefined in parametric equation.</source>
        <translation>X ist in der Parametergleichung mehrfach festgelegt.</translation>
    </message>
    <message>
        <source>Y redefined in parametric equation.</source>
        <translation>Y ist in der Parametergleichung mehrfach festgelegt.</translation>
    </message>
    <message>
        <source>Z redefined in parametric equation.</source>
        <translation>Z ist in der Parametergleichung mehrfach festgelegt.</translation>
    </message>
    <message>
        <source>cannot graph functions containing Z.</source>
        <translation>Funktionen, die Z enthalten, können nicht gezeichnet werden.</translation>
    </message>
    <message>
        <source>Cannot graph this type of equation.</source>
        <translation>Gleichungen dieser Art können nicht gezeichnet werden.</translation>
    </message>
</context>
<context>
    <name>graphAlertText</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Don&apos;t Show Again</source>
        <translation>Nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>Okay</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The grid spacing entered was too small for the current graph size.  It has been reset to the minimum allowed for this graph size.</source>
        <translation>Der eingegebene Gitterabstand war für die aktuelle Größe des Graphen zu klein. Er wurde auf den kleinsten Abstand zurückgesetzt, der für diese Größe erlaubt ist.</translation>
    </message>
</context>
<context>
    <name>graphBackgroundGrapher</name>
    <message>
        <source>Graphing…</source>
        <translation>Zeichnen …</translation>
    </message>
    <message>
        <source>Graphing</source>
        <translation>Zeichnen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel graphing</source>
        <translation>Zeichnen abbrechen</translation>
    </message>
    <message>
        <source>Stop graphing and keep the previous graph (Esc)</source>
        <translation>Zeichnen abbrechen und den bisherigen Graphen behalten (Esc)</translation>
    </message>
</context>
<context>
    <name>graphController</name>
    <message>
        <source>Nothing graphed</source>
        <translation>Nichts gezeichnet</translation>
    </message>
    <message>
        <source>Graph of %1</source>
        <translation>Graph von %1</translation>
    </message>
    <message>
        <source>Equation sets (*.plw)</source>
        <translation>Gleichungssammlungen (*.plw)</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>Der Drucker konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Save Equation Set</source>
        <translation>Gleichungssatz speichern</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>Schnappschuss</translation>
    </message>
    <message>
        <source>The equation set could not be saved as “%1”: %2.</source>
        <translation>Die Gleichungssammlung konnte nicht als „%1“ gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>The equation set “%1” could not be opened: %2.</source>
        <translation>Die Gleichungssammlung „%1“ konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>the graph could not be drawn</source>
        <translation>der Graph konnte nicht gezeichnet werden</translation>
    </message>
    <message>
        <source>The snapshot could not be written to “%1”: %2.</source>
        <translation>Die Momentaufnahme konnte nicht nach „%1“ geschrieben werden: %2.</translation>
    </message>
</context>
<context>
    <name>graphControllerSettings</name>
    <message>
        <source>k = %1</source>
        <translation>k = %1</translation>
    </message>
</context>
<context>
    <name>graphDialogs</name>
    <message>
        <source>Do you want to save the changes to “%1”?</source>
        <translation>Möchten Sie die Änderungen an „%1“ speichern?</translation>
    </message>
    <message>
        <source>Your changes will be lost if you don&apos;t save them.</source>
        <translation>Ihre Änderungen gehen verloren, wenn Sie sie nicht speichern.</translation>
    </message>
</context>
<context>
    <name>graphEquationEditorView</name>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Cannot paste: the clipboard holds no equation.</source>
        <translation>Einfügen nicht möglich: Die Zwischenablage enthält keine Gleichung.</translation>
    </message>
    <message>
        <source>Cannot paste: the clipboard&apos;s equation data is damaged (%1).</source>
        <translation>Einfügen nicht möglich: Die Gleichungsdaten in der Zwischenablage sind beschädigt (%1).</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Cannot paste: the equation would be nested deeper than %1 levels.</source>
        <translation>Einfügen nicht möglich: Die Gleichung wäre tiefer als %1 Ebenen verschachtelt.</translation>
    </message>
    <message>
        <source>Can only paste into selections or &quot;?&quot; expressions.</source>
        <translation>Einfügen ist nur in eine Auswahl oder in „?“-Ausdrücke möglich.</translation>
    </message>
    <message>
        <source>Equation editor</source>
        <translation>Gleichungseditor</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Aus&amp;schneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy &amp;Text</source>
        <translation>Als &amp;Text kopieren</translation>
    </message>
    <message>
        <source>Copy as &amp;LaTeX</source>
        <translation>Als &amp;LaTeX kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Alles aus&amp;wählen</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>Actual &amp;Size</source>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>Schrift&amp;art...</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Equation Font</source>
        <translation>Schrift der Gleichung</translation>
    </message>
</context>
<context>
    <name>graphEquationTable</name>
    <message>
        <source>Equation %1</source>
        <translation>Gleichung %1</translation>
    </message>
</context>
<context>
    <name>graphEquationTableModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>graphEquationWindow</name>
    <message>
        <source>Equation Colour</source>
        <translation>Farbe der Gleichung</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Equations corner</source>
        <translation>Ecke der Gleichungsliste</translation>
    </message>
    <message>
        <source>Deleted “%1”. Undo (%2) brings it back.</source>
        <translation>„%1“ gelöscht. Rückgängig (%2) holt sie zurück.</translation>
    </message>
</context>
<context>
    <name>graphGLView</name>
    <message>
        <source>Return To Origin</source>
        <translation>Zurück zum Ursprung</translation>
    </message>
    <message>
        <source>Reset Default Graph Values</source>
        <translation>Standardwerte des Graphen wiederherstellen</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
</context>
<context>
    <name>graphGLWidget</name>
    <message>
        <source>Graph</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Graph menu</source>
        <translation>Graph-Menü</translation>
    </message>
</context>
<context>
    <name>graphInspectorPanel</name>
    <message>
        <source>Inspector</source>
        <translation>Inspektor</translation>
    </message>
    <message>
        <source>Inspector pages</source>
        <translation>Seiten des Inspektors</translation>
    </message>
    <message>
        <source>2D graph</source>
        <translation>2D-Graph</translation>
    </message>
    <message>
        <source>Min X:</source>
        <translation>Min. X:</translation>
    </message>
    <message>
        <source>Min X</source>
        <translation>Min. X</translation>
    </message>
    <message>
        <source>Max X:</source>
        <translation>Max. X:</translation>
    </message>
    <message>
        <source>Max X</source>
        <translation>Max. X</translation>
    </message>
    <message>
        <source>Min Y:</source>
        <translation>Min. Y:</translation>
    </message>
    <message>
        <source>Min Y</source>
        <translation>Min. Y</translation>
    </message>
    <message>
        <source>Max Y:</source>
        <translation>Max. Y:</translation>
    </message>
    <message>
        <source>Max Y</source>
        <translation>Max. Y</translation>
    </message>
    <message>
        <source>Grid X:</source>
        <translation>Gitter X:</translation>
    </message>
    <message>
        <source>Grid X</source>
        <translation>Gitter X</translation>
    </message>
    <message>
        <source>Grid Y:</source>
        <translation>Gitter Y:</translation>
    </message>
    <message>
        <source>Grid Y</source>
        <translation>Gitter Y</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Keep proportions when resized</source>
        <translation>Seitenverhältnis bei Größenänderung beibehalten</translation>
    </message>
    <message>
        <source>Reset the region on graphing</source>
        <translation>Bereich beim Zeichnen zurücksetzen</translation>
    </message>
    <message>
        <source>3D graph</source>
        <translation>3D-Graph</translation>
    </message>
    <message>
        <source>Focus X:</source>
        <translation>Fokus X:</translation>
    </message>
    <message>
        <source>Focus X</source>
        <translation>Fokus X</translation>
    </message>
    <message>
        <source>Focus Y:</source>
        <translation>Fokus Y:</translation>
    </message>
    <message>
        <source>Focus Y</source>
        <translation>Fokus Y</translation>
    </message>
    <message>
        <source>Focus Z:</source>
        <translation>Fokus Z:</translation>
    </message>
    <message>
        <source>Focus Z</source>
        <translation>Fokus Z</translation>
    </message>
    <message>
        <source>Subdivisions:</source>
        <translation>Unterteilungen:</translation>
    </message>
    <message>
        <source>Subdivisions</source>
        <translation>Unterteilungen</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>20</source>
        <translation>20</translation>
    </message>
    <message>
        <source>30</source>
        <translation>30</translation>
    </message>
    <message>
        <source>40</source>
        <translation>40</translation>
    </message>
    <message>
        <source>60</source>
        <translation>60</translation>
    </message>
    <message>
        <source>80</source>
        <translation>80</translation>
    </message>
    <message>
        <source>100</source>
        <translation>100</translation>
    </message>
    <message>
        <source>150</source>
        <translation>150</translation>
    </message>
    <message>
        <source>200</source>
        <translation>200</translation>
    </message>
    <message>
        <source>Draw mode:</source>
        <translation>Darstellung:</translation>
    </message>
    <message>
        <source>Draw mode</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Wireframe</source>
        <translation>Drahtgitter</translation>
    </message>
    <message>
        <source>Shaded</source>
        <translation>Schattiert</translation>
    </message>
    <message>
        <source>Checkerboard</source>
        <translation>Schachbrett</translation>
    </message>
    <message>
        <source>Parameter ranges</source>
        <translation>Parameterbereiche</translation>
    </message>
    <message>
        <source>Min s:</source>
        <translation>Min. s:</translation>
    </message>
    <message>
        <source>Min s</source>
        <translation>Min. s</translation>
    </message>
    <message>
        <source>Max s:</source>
        <translation>Max. s:</translation>
    </message>
    <message>
        <source>Max s</source>
        <translation>Max. s</translation>
    </message>
    <message>
        <source>Min t:</source>
        <translation>Min. t:</translation>
    </message>
    <message>
        <source>Min t</source>
        <translation>Min. t</translation>
    </message>
    <message>
        <source>Max t:</source>
        <translation>Max. t:</translation>
    </message>
    <message>
        <source>Max t</source>
        <translation>Max. t</translation>
    </message>
    <message>
        <source>Min θ:</source>
        <translation>Min. θ:</translation>
    </message>
    <message>
        <source>Min theta</source>
        <translation>Min. Theta</translation>
    </message>
    <message>
        <source>Max θ:</source>
        <translation>Max. θ:</translation>
    </message>
    <message>
        <source>Max theta</source>
        <translation>Max. Theta</translation>
    </message>
</context>
<context>
    <name>graphKAnimation</name>
    <message>
        <source>Stop Animation</source>
        <translation>Animation anhalten</translation>
    </message>
    <message>
        <source>Animate K</source>
        <translation>k animieren</translation>
    </message>
</context>
<context>
    <name>graphKMovieExporter</name>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Very High</source>
        <translation>Sehr hoch</translation>
    </message>
    <message>
        <source>Lossless</source>
        <translation>Verlustfrei</translation>
    </message>
    <message>
        <source>Make K Movie</source>
        <translation>k-Film erstellen</translation>
    </message>
    <message>
        <source>QuickTime movies (*.mov)</source>
        <translation>QuickTime-Filme (*.mov)</translation>
    </message>
    <message>
        <source>MPEG-4 movies (*.mp4)</source>
        <translation>MPEG-4-Filme (*.mp4)</translation>
    </message>
    <message>
        <source>GIF animations (*.gif)</source>
        <translation>GIF-Animationen (*.gif)</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Qualität:</translation>
    </message>
    <message>
        <source>Recording the movie...</source>
        <translation>Der Film wird aufgenommen...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Frame %1 of %2</source>
        <translation>Bild %1 von %2</translation>
    </message>
    <message>
        <source>The movie %1 could not be written. %2</source>
        <translation>Der Film %1 konnte nicht geschrieben werden. %2</translation>
    </message>
</context>
<context>
    <name>graphMainWindow</name>
    <message>
        <source>Plotweave</source>
        <translation>Plotweave</translation>
    </message>
    <message>
        <source>k</source>
        <translation>k</translation>
    </message>
    <message>
        <source>k slider</source>
        <translation>k-Schieberegler</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Graph</source>
        <translation>&amp;Graph</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Aus&amp;schneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Alles aus&amp;wählen</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Fit To Graph</source>
        <translation>An Graph an&amp;passen</translation>
    </message>
    <message>
        <source>Fit To Graph</source>
        <translation>An Graph anpassen</translation>
    </message>
    <message>
        <source>Inspector</source>
        <translation>Inspektor</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>A&amp;dd Equation</source>
        <translation>Gleichung hin&amp;zufügen</translation>
    </message>
    <message>
        <source>Snaps&amp;hot...</source>
        <translation>Schnapp&amp;schuss...</translation>
    </message>
    <message>
        <source>Copy Te&amp;xt</source>
        <translation>&amp;Text kopieren</translation>
    </message>
    <message>
        <source>Copy as &amp;LaTeX</source>
        <translation>Als &amp;LaTeX kopieren</translation>
    </message>
    <message>
        <source>&amp;Return To Origin</source>
        <translation>Zurück zum &amp;Ursprung</translation>
    </message>
    <message>
        <source>Reset &amp;Default Graph Values</source>
        <translation>&amp;Standardwerte des Graphen wiederherstellen</translation>
    </message>
    <message>
        <source>Pr&amp;eferences...</source>
        <translation>Ein&amp;stellungen...</translation>
    </message>
    <message>
        <source>&amp;Animate K</source>
        <translation>k &amp;animieren</translation>
    </message>
    <message>
        <source>Make &amp;K Movie...</source>
        <translation>&amp;k-Film erstellen...</translation>
    </message>
    <message>
        <source>&amp;Graph Window</source>
        <translation>&amp;Graphfenster</translation>
    </message>
    <message>
        <source>&amp;Equation Window</source>
        <translation>&amp;Gleichungsfenster</translation>
    </message>
    <message>
        <source>&amp;Inspector</source>
        <translation>&amp;Inspektor</translation>
    </message>
    <message>
        <source>Status line</source>
        <translation>Statuszeile</translation>
    </message>
    <message>
        <source>Equations</source>
        <translation>Gleichungen</translation>
    </message>
</context>
<context>
    <name>graphMovieQuality</name>
    <message>
        <source>Lower quality, better compression</source>
        <translation>Geringere Qualität, stärkere Kompression</translation>
    </message>
    <message>
        <source>Moderate quality, moderate compression</source>
        <translation>Mittlere Qualität, mittlere Kompression</translation>
    </message>
    <message>
        <source>Better quality, lower compression</source>
        <translation>Bessere Qualität, schwächere Kompression</translation>
    </message>
    <message>
        <source>Very high quality, very low compression</source>
        <translation>Sehr hohe Qualität, sehr schwache Kompression</translation>
    </message>
    <message>
        <source>Lossless quality, zero compression</source>
        <translation>Verlustfreie Qualität, keine Kompression</translation>
    </message>
    <message>
        <source>The lower bound of k is not below the upper bound, so there is nothing to record.</source>
        <translation>Die untere Grenze von k liegt nicht unter der oberen, daher gibt es nichts aufzunehmen.</translation>
    </message>
    <message>
        <source>The graph could not be drawn.</source>
        <translation>Der Graph konnte nicht gezeichnet werden.</translation>
    </message>
</context>
<context>
    <name>graphPreferencesWindow</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>2D background:</source>
        <translation>2D-Hintergrund:</translation>
    </message>
    <message>
        <source>3D background:</source>
        <translation>3D-Hintergrund:</translation>
    </message>
    <message>
        <source>Grid:</source>
        <translation>Gitter:</translation>
    </message>
    <message>
        <source>Axes:</source>
        <translation>Achsen:</translation>
    </message>
    <message>
        <source>Selection:</source>
        <translation>Auswahl:</translation>
    </message>
    <message>
        <source>New equations:</source>
        <translation>Neue Gleichungen:</translation>
    </message>
    <message>
        <source>Graph</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>3D draw mode:</source>
        <translation>3D-Darstellung:</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Wireframe</source>
        <translation>Drahtgitter</translation>
    </message>
    <message>
        <source>Shaded</source>
        <translation>Schattiert</translation>
    </message>
    <message>
        <source>Checkerboard</source>
        <translation>Schachbrett</translation>
    </message>
    <message>
        <source>Lowest k:</source>
        <translation>Kleinstes k:</translation>
    </message>
    <message>
        <source>Highest k:</source>
        <translation>Größtes k:</translation>
    </message>
    <message>
        <source>Animation steps:</source>
        <translation>Animationsschritte:</translation>
    </message>
    <message>
        <source>Play sounds</source>
        <translation>Töne abspielen</translation>
    </message>
    <message>
        <source>Constants</source>
        <translation>Konstanten</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Colour 3D surfaces by height</source>
        <translation>3D-Flächen nach Höhe einfärben</translation>
    </message>
    <message>
        <source>2D background colour</source>
        <translation>2D-Hintergrundfarbe</translation>
    </message>
    <message>
        <source>3D background colour</source>
        <translation>3D-Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Grid colour</source>
        <translation>Gitterfarbe</translation>
    </message>
    <message>
        <source>Axis colour</source>
        <translation>Achsenfarbe</translation>
    </message>
    <message>
        <source>Selection colour</source>
        <translation>Auswahlfarbe</translation>
    </message>
    <message>
        <source>New equation colour</source>
        <translation>Farbe neuer Gleichungen</translation>
    </message>
    <message>
        <source>Lowest k</source>
        <translation>Kleinstes k</translation>
    </message>
    <message>
        <source>Highest k</source>
        <translation>Größtes k</translation>
    </message>
    <message>
        <source>Animation steps</source>
        <translation>Animationsschritte</translation>
    </message>
    <message>
        <source>User constants</source>
        <translation>Benutzerkonstanten</translation>
    </message>
</context>
</TS>
