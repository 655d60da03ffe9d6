<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>ChartOptionsDialog</name>
    <message>
        <source>Chart options</source>
        <translation>Tafeloptionen</translation>
    </message>
    <message>
        <source>Control patches first: paper, solids, overprints, grey ramp</source>
        <translation>Kontrollfelder zuerst: Papier, Volltöne, Zusammendrucke, Graukeil</translation>
    </message>
    <message>
        <source>Total ink limit (%)</source>
        <translation>Gesamtfarbauftrag höchstens (%)</translation>
    </message>
    <message>
        <source>Grid levels per ink</source>
        <translation>Rasterstufen je Farbe</translation>
    </message>
    <message>
        <source>Shuffle the patches, seed</source>
        <translation>Felder mischen, Startwert</translation>
    </message>
    <message>
        <source>Paper white, the four solids, the two-colour overprints and a grey-balanced ramp come first and are never culled. The other patches are then moved on the grid so that they lie closest, on average, to all the colours the grid can print.</source>
        <translation>Papierweiß, die vier Volltöne, die Zusammendrucke zweier Farben und ein graubalancierter Keil stehen am Anfang und werden nie ausgedünnt. Die übrigen Felder werden danach so auf dem Raster verschoben, dass sie im Mittel allen Farben, die das Raster drucken kann, am nächsten liegen.</translation>
    </message>
</context>
<context>
    <name>Colourcheck</name>
    <message>
        <source>Colour check chart</source>
        <translation>Farbkontrolltafel</translation>
    </message>
    <message>
        <source>Choose an ICC profile for charting</source>
        <translation>ICC-Profil für die Farbtafel wählen</translation>
    </message>
    <message>
        <source>Number of patches</source>
        <translation>Anzahl der Farbfelder</translation>
    </message>
    <message>
        <source>Choose an swatch file containing the chart</source>
        <translation>Farbfelddatei mit der Farbtafel wählen</translation>
    </message>
    <message>
        <source>Choose an ICC source profile for these patches</source>
        <translation>ICC-Quellprofil für diese Farbfelder wählen</translation>
    </message>
    <message>
        <source>Colour check chart for ICC profile </source>
        <translation>Farbkontrolltafel für ICC-Profil </translation>
    </message>
    <message>
        <source>Export chart as postscript file</source>
        <translation>Farbtafel als PostScript-Datei exportieren</translation>
    </message>
    <message>
        <source>Export chart as ISO12642 file</source>
        <translation>Farbtafel als ISO12642-Datei exportieren</translation>
    </message>
    <message>
        <source>Colour chart from ICC profile</source>
        <translation>Farbtafel aus ICC-Profil</translation>
    </message>
    <message>
        <source>Colour chart from swatches file</source>
        <translation>Farbtafel aus Farbfelddatei</translation>
    </message>
    <message>
        <source>Choose a file for exporting</source>
        <translation>Datei für den Export wählen</translation>
    </message>
    <message>
        <source>Save measurements...</source>
        <translation>Messwerte speichern...</translation>
    </message>
    <message>
        <source>Verification report...</source>
        <translation>Prüfbericht...</translation>
    </message>
    <message>
        <source>Export verification report as HTML...</source>
        <translation>Prüfbericht als HTML exportieren...</translation>
    </message>
    <message>
        <source>Open measurements...</source>
        <translation>Messwerte öffnen...</translation>
    </message>
    <message>
        <source>Save the measurements</source>
        <translation>Messwerte speichern</translation>
    </message>
    <message>
        <source>Measurement files (*.ti3 *.txt);;All files (*)</source>
        <translation>Messdateien (*.ti3 *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The measurements could not be saved to %1</source>
        <translation>Die Messwerte konnten nicht in %1 gespeichert werden</translation>
    </message>
    <message>
        <source>Open measurements</source>
        <translation>Messwerte öffnen</translation>
    </message>
    <message>
        <source>%1 is not a measured chart</source>
        <translation>%1 ist keine gemessene Testform</translation>
    </message>
    <message>
        <source>%1 of %2 patches measured</source>
        <translation>%1 von %2 Farbfeldern gemessen</translation>
    </message>
    <message>
        <source>DeltaE 2000: mean %1, median %2, 95th percentile %3, maximum %4</source>
        <translation>DeltaE 2000: Mittelwert %1, Median %2, 95. Perzentil %3, Maximum %4</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>BESTANDEN</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>NICHT BESTANDEN</translation>
    </message>
    <message>
        <source>Worst patches:</source>
        <translation>Schlechteste Farbfelder:</translation>
    </message>
    <message>
        <source>Verification report</source>
        <translation>Prüfbericht</translation>
    </message>
    <message>
        <source>Export the verification report</source>
        <translation>Prüfbericht exportieren</translation>
    </message>
    <message>
        <source>HTML pages (*.html);;All files (*)</source>
        <translation>HTML-Seiten (*.html);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The report could not be written to %1</source>
        <translation>Der Bericht konnte nicht in %1 geschrieben werden</translation>
    </message>
    <message>
        <source>Export chart</source>
        <translation>Tafel exportieren</translation>
    </message>
    <message>
        <source>The chart could not be written to %1: %2.</source>
        <translation>Die Tafel konnte nicht nach %1 geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Colour check chart for swatch file %1 (%2)</source>
        <translation>Farbkontrolltafel für Farbfelddatei %1 (%2)</translation>
    </message>
    <message>
        <source>No chart from the swatch file %1: %2</source>
        <translation>Keine Farbtafel aus der Farbfelddatei %1: %2</translation>
    </message>
    <message>
        <source>inks from the file</source>
        <translation>Farbwerte aus der Datei</translation>
    </message>
    <message>
        <source>inks separated from the file&apos;s Lab through the profile</source>
        <translation>Farbwerte aus den Lab-Werten der Datei über das Profil separiert</translation>
    </message>
    <message>
        <source>inks from the file where it has them, else separated through the profile</source>
        <translation>Farbwerte aus der Datei, wo vorhanden, sonst über das Profil separiert</translation>
    </message>
    <message>
        <source>Separate the file&apos;s Lab through the profile</source>
        <translation>Lab-Werte der Datei über das Profil separieren</translation>
    </message>
    <message>
        <source>The chart could not be exported to %1: %2</source>
        <translation>Die Farbtafel konnte nicht nach %1 exportiert werden: %2</translation>
    </message>
    <message>
        <source>Chart options...</source>
        <translation>Tafeloptionen...</translation>
    </message>
    <message>
        <source>Tolerances...</source>
        <translation>Toleranzen...</translation>
    </message>
    <message>
        <source>Make profile from measurements...</source>
        <translation>Profil aus den Messungen erstellen...</translation>
    </message>
</context>
<context>
    <name>ColprofRun</name>
    <message>
        <source>Fitting the profile to the patches</source>
        <translation>Profil wird an die Felder angepasst</translation>
    </message>
    <message>
        <source>Building the colour table</source>
        <translation>Farbtabelle wird erstellt</translation>
    </message>
    <message>
        <source>Building the separation tables</source>
        <translation>Separationstabellen werden erstellt</translation>
    </message>
    <message>
        <source>Finding the gamut boundary</source>
        <translation>Farbraumgrenze wird bestimmt</translation>
    </message>
    <message>
        <source>colprof said nothing for %1 s and was ended</source>
        <translation>colprof meldete sich %1 s lang nicht und wurde beendet</translation>
    </message>
    <message>
        <source>colprof is not installed (Debian package argyll), or the program setting is wrong</source>
        <translation>colprof ist nicht installiert (Debian-Paket argyll), oder die Programmeinstellung ist falsch</translation>
    </message>
    <message>
        <source>Starting colprof</source>
        <translation>colprof wird gestartet</translation>
    </message>
    <message>
        <source>colprof could not be started: %1</source>
        <translation>colprof konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>colprof stopped unexpectedly (it crashed or was killed)</source>
        <translation>colprof hat unerwartet aufgehört (abgestürzt oder beendet worden)</translation>
    </message>
    <message>
        <source>colprof failed (exit code %1)</source>
        <translation>colprof ist gescheitert (Exit-Code %1)</translation>
    </message>
    <message>
        <source>colprof ended without writing the profile</source>
        <translation>colprof endete, ohne das Profil zu schreiben</translation>
    </message>
</context>
<context>
    <name>KvDialogs</name>
    <message>
        <source>ICC profiles (*.icc *.icm)</source>
        <translation>ICC-Profile (*.icc *.icm)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>KvGamut3DView</name>
    <message>
        <source>Drag or use the arrow keys to turn, the wheel or + and - to zoom, Home to reset</source>
        <translation>Ziehen oder Pfeiltasten zum Drehen, Mausrad oder + und - zum Zoomen, Pos1 zum Zurücksetzen</translation>
    </message>
    <message>
        <source>%L1 cubic Lab units</source>
        <translation>%L1 Lab-Kubikeinheiten</translation>
    </message>
    <message>
        <source>Gamut volume: measuring ...</source>
        <translation>Volumen des Farbumfangs: wird ermittelt …</translation>
    </message>
    <message>
        <source>Gamut volume: %1</source>
        <translation>Volumen des Farbumfangs: %1</translation>
    </message>
    <message>
        <source>Comparing with %1: measuring ...</source>
        <translation>Vergleich mit %1: wird ermittelt …</translation>
    </message>
    <message>
        <source>A (solid, %1): %2</source>
        <translation>A (Körper, %1): %2</translation>
    </message>
    <message>
        <source>B (wireframe, %1): %2</source>
        <translation>B (Drahtgitter, %1): %2</translation>
    </message>
    <message>
        <source>Both hold: %1</source>
        <translation>In beiden: %1</translation>
    </message>
    <message>
        <source>A inside B: %L1 %, B inside A: %L2 %</source>
        <translation>A in B: %L1 %, B in A: %L2 %</translation>
    </message>
    <message>
        <source>No comparison with %1: %2</source>
        <translation>Kein Vergleich mit %1: %2</translation>
    </message>
    <message>
        <source>%1: %L2 of %L3 readings lie outside</source>
        <translation>%1: %L2 von %L3 Messwerten liegen außerhalb</translation>
    </message>
    <message>
        <source>No gamut to show.</source>
        <translation>Kein Farbumfang anzuzeigen.</translation>
    </message>
</context>
<context>
    <name>KvGamutView</name>
    <message>
        <source>No gamut to show.</source>
        <translation>Kein Farbumfang anzuzeigen.</translation>
    </message>
    <message>
        <source>Gamut volume: %1 cubic Lab units</source>
        <translation>Volumen des Farbumfangs: %1 Lab-Kubikeinheiten</translation>
    </message>
    <message>
        <source>Gamut volume: measuring ...</source>
        <translation>Volumen des Farbumfangs: wird ermittelt …</translation>
    </message>
    <message>
        <source>Dashed: slices at L* 20, 40, 60, 80</source>
        <translation>Gestrichelt: Schnitte bei L* 20, 40, 60, 80</translation>
    </message>
</context>
<context>
    <name>KvGamutWindow</name>
    <message>
        <source>Compare with...</source>
        <translation>Vergleichen mit …</translation>
    </message>
    <message>
        <source>Lay a second profile&apos;s gamut over this one as a wireframe, with the figures</source>
        <translation>Den Farbumfang eines zweiten Profils als Drahtgitter darüberlegen, mit den Kennzahlen</translation>
    </message>
    <message>
        <source>Measured colours...</source>
        <translation>Gemessene Farben …</translation>
    </message>
    <message>
        <source>Show the readings of a measurement file or a measured chart as dots</source>
        <translation>Die Messwerte einer Messdatei oder einer gemessenen Karte als Punkte zeigen</translation>
    </message>
    <message>
        <source>Export picture...</source>
        <translation>Bild exportieren …</translation>
    </message>
    <message>
        <source>Perceptual</source>
        <translation>Wahrnehmungsorientiert</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>The rendering intent the profile&apos;s colours are read through</source>
        <translation>Die Umrechnungsart, mit der die Farben des Profils gelesen werden</translation>
    </message>
    <message>
        <source>Wireframe</source>
        <translation>Drahtgitter</translation>
    </message>
    <message>
        <source>3D</source>
        <translation>3D</translation>
    </message>
    <message>
        <source>a*b* plane</source>
        <translation>a*b*-Ebene</translation>
    </message>
    <message>
        <source>Compare gamuts</source>
        <translation>Farbumfänge vergleichen</translation>
    </message>
    <message>
        <source>Choose a profile to compare with</source>
        <translation>Profil zum Vergleichen wählen</translation>
    </message>
    <message>
        <source>Choose measured colours</source>
        <translation>Gemessene Farben wählen</translation>
    </message>
    <message>
        <source>Measurements (*.ti3 *.txt *.cgats *.it8 *.cie);;All files (*)</source>
        <translation>Messdaten (*.ti3 *.txt *.cgats *.it8 *.cie);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Measured colours</source>
        <translation>Gemessene Farben</translation>
    </message>
    <message>
        <source>Export the picture</source>
        <translation>Bild exportieren</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>Relative Colourimetric</source>
        <translation>Relativ farbmetrisch</translation>
    </message>
    <message>
        <source>Absolute Colourimetric</source>
        <translation>Absolut farbmetrisch</translation>
    </message>
</context>
<context>
    <name>KvMainWindow</name>
    <message>
        <source>Quillon Tintry</source>
        <translation>Quillon Tintry</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>New Window</source>
        <translation>Neues Fenster</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Alles löschen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>What&apos;s &amp;This</source>
        <translation>&amp;Direkthilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Tintry</translation>
    </message>
    <message>
        <source>Language Changed</source>
        <translation>Sprache geändert</translation>
    </message>
    <message>
        <source>You must restart Tintry
for the changes to take effect</source>
        <translation>Starten Sie Tintry neu,
damit die Änderungen wirksam werden</translation>
    </message>
</context>
<context>
    <name>MadeProfileDialog</name>
    <message>
        <source>Profile made</source>
        <translation>Profil erstellt</translation>
    </message>
    <message>
        <source>Written to %1</source>
        <translation>Geschrieben nach %1</translation>
    </message>
    <message>
        <source>Install profile</source>
        <translation>Profil installieren</translation>
    </message>
    <message>
        <source>Copies the profile into your profile folder, where colord and the profile dialogs find it, under its own name and never over another file.</source>
        <translation>Kopiert das Profil in Ihren Profilordner, wo colord und die Profildialoge es finden, unter seinem eigenen Namen und nie über eine andere Datei.</translation>
    </message>
    <message>
        <source>Judge this chart against it</source>
        <translation>Diese Tafel daran beurteilen</translation>
    </message>
    <message>
        <source>The profile could not be installed: %1</source>
        <translation>Das Profil konnte nicht installiert werden: %1</translation>
    </message>
    <message>
        <source>Already installed as %1</source>
        <translation>Bereits installiert als %1</translation>
    </message>
    <message>
        <source>Installed as %1</source>
        <translation>Installiert als %1</translation>
    </message>
</context>
<context>
    <name>MakeProfileDialog</name>
    <message>
        <source>Make profile from measurements</source>
        <translation>Profil aus den Messungen erstellen</translation>
    </message>
    <message>
        <source>A CMYK printer profile, made by ArgyllCMS colprof from the %1 measured patches of %2, then checked against them.</source>
        <translation>Ein CMYK-Druckerprofil, von ArgyllCMS colprof aus den %1 gemessenen Feldern von %2 erstellt und dann an ihnen geprüft.</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
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
        <source>Ultra</source>
        <translation>Ultra</translation>
    </message>
    <message>
        <source>Higher quality takes longer: about a minute for 1500 patches at medium.</source>
        <translation>Höhere Qualität dauert länger: etwa eine Minute für 1500 Felder bei mittlerer Qualität.</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Ramp (colprof&apos;s own)</source>
        <translation>Rampe (die von colprof)</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Kein</translation>
    </message>
    <message>
        <source>Half</source>
        <translation>Halb</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximal</translation>
    </message>
    <message>
        <source>Black generation</source>
        <translation>Schwarzaufbau</translation>
    </message>
    <message>
        <source>Total ink limit (%)</source>
        <translation>Gesamtfarbauftrag (%)</translation>
    </message>
    <message>
        <source>Unchecked: the chart&apos;s own, %1 %</source>
        <translation>Nicht angekreuzt: der der Tafel, %1 %</translation>
    </message>
    <message>
        <source>Unchecked: none, as the chart had none</source>
        <translation>Nicht angekreuzt: keiner, da die Tafel keinen hatte</translation>
    </message>
    <message>
        <source>For charts of %1 patches or more</source>
        <translation>Für Tafeln ab %1 Feldern</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Immer</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>A second profile from all but a fixed tenth of the patches, and how well it predicts that tenth: what to expect between the patches.</source>
        <translation>Ein zweites Profil aus allen Feldern bis auf ein festes Zehntel, und wie gut es dieses Zehntel vorhersagt: was zwischen den Feldern zu erwarten ist.</translation>
    </message>
    <message>
        <source>Check on unseen patches</source>
        <translation>Prüfung an ungesehenen Feldern</translation>
    </message>
    <message>
        <source>Make profile</source>
        <translation>Profil erstellen</translation>
    </message>
</context>
<context>
    <name>MakeProfileFlow</name>
    <message>
        <source>Make profile from measurements</source>
        <translation>Profil aus den Messungen erstellen</translation>
    </message>
    <message>
        <source>Save the profile as</source>
        <translation>Profil speichern unter</translation>
    </message>
    <message>
        <source>ICC profiles (*.icc *.icm);;All files (*)</source>
        <translation>ICC-Profile (*.icc *.icm);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The chart could not be judged against %1</source>
        <translation>Die Tafel konnte nicht an %1 beurteilt werden</translation>
    </message>
    <message>
        <source>Colour check chart judged against %1</source>
        <translation>Farbkontrolltafel, beurteilt an %1</translation>
    </message>
    <message>
        <source>No profile can be made from this chart</source>
        <translation>Aus dieser Tafel lässt sich kein Profil erstellen</translation>
    </message>
    <message>
        <source>The profile was not made</source>
        <translation>Das Profil wurde nicht erstellt</translation>
    </message>
</context>
<context>
    <name>MakeProfileJob</name>
    <message>
        <source>Check on unseen patches: %1</source>
        <translation>Prüfung an ungesehenen Feldern: %1</translation>
    </message>
    <message>
        <source>The profile colprof made cannot be read: %1</source>
        <translation>Das von colprof erstellte Profil kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>MakeProfileProgress</name>
    <message>
        <source>Making the profile</source>
        <translation>Profil wird erstellt</translation>
    </message>
    <message>
        <source>Starting colprof</source>
        <translation>colprof wird gestartet</translation>
    </message>
</context>
<context>
    <name>PageSetupDialog</name>
    <message>
        <source>Chart on paper</source>
        <translation>Tafel auf Papier</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Letter</translation>
    </message>
    <message>
        <source>A3</source>
        <translation>A3</translation>
    </message>
    <message>
        <source>Tabloid</source>
        <translation>Tabloid</translation>
    </message>
    <message>
        <source>Custom size</source>
        <translation>Eigene Größe</translation>
    </message>
    <message>
        <source>One page cut to the chart, no text</source>
        <translation>Eine Seite im Zuschnitt der Tafel, ohne Text</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Querformat</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Width (mm)</source>
        <translation>Breite (mm)</translation>
    </message>
    <message>
        <source>Height (mm)</source>
        <translation>Höhe (mm)</translation>
    </message>
    <message>
        <source>Margins (mm)</source>
        <translation>Ränder (mm)</translation>
    </message>
    <message>
        <source>Patch size (mm)</source>
        <translation>Feldgröße (mm)</translation>
    </message>
    <message>
        <source>Gap between patches (mm)</source>
        <translation>Abstand zwischen Feldern (mm)</translation>
    </message>
    <message>
        <source>This cannot be printed: %1.</source>
        <translation>So lässt sich das nicht drucken: %1.</translation>
    </message>
    <message>
        <source>One page of 16 patches to a row, as tall as the chart needs.</source>
        <translation>Eine Seite mit 16 Feldern je Zeile, so hoch wie die Tafel es braucht.</translation>
    </message>
    <message>
        <source>Pages: %1, each up to %2 x %3 patches.</source>
        <translation>Seiten: %1, je bis zu %2 x %3 Felder.</translation>
    </message>
</context>
<context>
    <name>ProfileAccuracy</name>
    <message>
        <source>Only the fit was checked, and a fit flatters: the profile was made from these very patches. Expect larger errors for the colours between them. The check on unseen patches (done for charts of 300 patches or more) gives a figure to believe.</source>
        <translation>Nur die Anpassung wurde geprüft, und eine Anpassung schmeichelt: Das Profil wurde aus genau diesen Feldern erstellt. Rechnen Sie mit größeren Fehlern für die Farben zwischen ihnen. Die Prüfung an ungesehenen Feldern (für Tafeln ab 300 Feldern) gibt einen Wert, dem man glauben kann.</translation>
    </message>
    <message>
        <source>Believe the unseen patches: mean %1, 95th percentile %2. The fit only says how well the profile reproduces the patches it was made from; the unseen patches were left out of a second profile made the same way, so its error on them is what to expect for colours between the patches. The profile written is made from every patch, so it is, if anything, a little better than that.</source>
        <translation>Glauben Sie den ungesehenen Feldern: Mittelwert %1, 95. Perzentil %2. Die Anpassung sagt nur, wie gut das Profil die Felder wiedergibt, aus denen es erstellt wurde; die ungesehenen Felder wurden aus einem zweiten, gleich erstellten Profil herausgelassen, also ist dessen Fehler an ihnen das, was für Farben zwischen den Feldern zu erwarten ist. Das geschriebene Profil ist aus allen Feldern erstellt und daher eher etwas besser.</translation>
    </message>
    <message>
        <source>The unseen patches came out better than the fit, which is chance: a tenth of the chart is a small sample. Believe the larger figures, the fit&apos;s mean %1 and 95th percentile %2, and measure a larger chart for a surer answer.</source>
        <translation>Die ungesehenen Felder fielen besser aus als die Anpassung, was Zufall ist: Ein Zehntel der Tafel ist eine kleine Stichprobe. Glauben Sie den größeren Werten, dem Mittelwert %1 und dem 95. Perzentil %2 der Anpassung, und messen Sie eine größere Tafel für eine sicherere Antwort.</translation>
    </message>
    <message>
        <source>DeltaE 2000: mean %1, median %2, 95th percentile %3, maximum %4</source>
        <translation>DeltaE 2000: Mittelwert %1, Median %2, 95. Perzentil %3, Maximum %4</translation>
    </message>
    <message>
        <source>Worst patches:</source>
        <translation>Schlechteste Felder:</translation>
    </message>
    <message>
        <source>Fit: the %1 patches the profile was made from, through it</source>
        <translation>Anpassung: die %1 Felder, aus denen das Profil erstellt wurde, durch das Profil</translation>
    </message>
    <message>
        <source>Unseen: %1 patches left out of a second profile made from the other %2, through that profile</source>
        <translation>Ungesehen: %1 Felder, die aus einem zweiten, aus den übrigen %2 erstellten Profil herausgelassen wurden, durch dieses Profil</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Language failed</source>
        <translation>Fehler beim Laden der Sprache</translation>
    </message>
    <message>
        <source>Failed to load the requested language
Using the built-in default language</source>
        <translation>Die gewünschte Sprache konnte nicht geladen werden
Es wird die integrierte Standardsprache verwendet</translation>
    </message>
</context>
<context>
    <name>SpectroBuddy</name>
    <message>
        <source>L:</source>
        <translation>L:</translation>
    </message>
    <message>
        <source>a:</source>
        <translation>a:</translation>
    </message>
    <message>
        <source>b:</source>
        <translation>b:</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Messen</translation>
    </message>
    <message>
        <source>Keep each reading</source>
        <translation>Jede Messung behalten</translation>
    </message>
    <message>
        <source>Adds every reading to the list of kept colours</source>
        <translation>Fügt jede Messung der Liste der behaltenen Farben hinzu</translation>
    </message>
    <message>
        <source>Patch %1 of %2</source>
        <translation>Farbfeld %1 von %2</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Laden…</translation>
    </message>
    <message>
        <source>Loads a measurement file (CGATS or ArgyllCMS .ti3 with Lab or XYZ readings)</source>
        <translation>Lädt eine Messdatei (CGATS oder ArgyllCMS-.ti3 mit Lab- oder XYZ-Messwerten)</translation>
    </message>
    <message>
        <source>Takes one reading from the chosen source</source>
        <translation>Nimmt eine Messung von der gewählten Quelle auf</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stops spotread and frees the instrument</source>
        <translation>Beendet spotread und gibt das Messgerät frei</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>spotread:</source>
        <translation>spotread:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Options given to spotread, for example -N to skip the calibration at start</source>
        <translation>Optionen für spotread, zum Beispiel -N, um die Kalibrierung beim Start zu überspringen</translation>
    </message>
    <message>
        <source>Time-out (s):</source>
        <translation>Zeitlimit (s):</translation>
    </message>
    <message>
        <source>Simulated error (DeltaE):</source>
        <translation>Simulierter Fehler (DeltaE):</translation>
    </message>
    <message>
        <source>Manual entry</source>
        <translation>Manuelle Eingabe</translation>
    </message>
    <message>
        <source>Instrument (spotread)</source>
        <translation>Messgerät (spotread)</translation>
    </message>
    <message>
        <source>Instrument (spotread not installed)</source>
        <translation>Messgerät (spotread nicht installiert)</translation>
    </message>
    <message>
        <source>Measurement file</source>
        <translation>Messdatei</translation>
    </message>
    <message>
        <source>Simulated instrument</source>
        <translation>Simuliertes Messgerät</translation>
    </message>
    <message>
        <source>Install the Debian package argyll, or name the program under Settings</source>
        <translation>Installieren Sie das Debian-Paket argyll oder geben Sie das Programm unter „Einstellungen“ an</translation>
    </message>
    <message>
        <source>Place the instrument on the colour and press Read; spotread starts with the first reading</source>
        <translation>Setzen Sie das Messgerät auf die Farbe und klicken Sie auf „Messen“; spotread startet mit der ersten Messung</translation>
    </message>
    <message>
        <source>Simulated instrument, no hardware: each reading is the target moved by DeltaE %1</source>
        <translation>Simuliertes Messgerät, keine Hardware: Jede Messung ist der Sollwert, verschoben um DeltaE %1</translation>
    </message>
    <message>
        <source>Last reading: %1</source>
        <translation>Letzte Messung: %1</translation>
    </message>
    <message>
        <source>%1 measured %2</source>
        <translation>%1 gemessen: %2</translation>
    </message>
    <message>
        <source>, DeltaE %1</source>
        <translation>, DeltaE %1</translation>
    </message>
    <message>
        <source>, target %1</source>
        <translation>, Sollwert %1</translation>
    </message>
    <message>
        <source>Every patch has a reading; click a patch to measure again from there</source>
        <translation>Alle Farbfelder sind gemessen; klicken Sie auf ein Farbfeld, um ab dort erneut zu messen</translation>
    </message>
    <message>
        <source>Choose a measurement file</source>
        <translation>Messdatei wählen</translation>
    </message>
    <message>
        <source>Measurement files (*.ti3 *.txt *.cgats *.it8 *.cie);;All files (*)</source>
        <translation>Messdateien (*.ti3 *.txt *.cgats *.it8 *.cie);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Choose the spotread program</source>
        <translation>spotread-Programm wählen</translation>
    </message>
    <message>
        <source>spotread is not installed (Debian package argyll), or the program setting is wrong</source>
        <translation>spotread ist nicht installiert (Debian-Paket argyll) oder die Programmeinstellung ist falsch</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Fehler: %1</translation>
    </message>
    <message>
        <source>%1 of %2 patches have a reading; click a patch to measure from there</source>
        <translation>%1 von %2 Farbfeldern haben einen Messwert; klicken Sie auf ein Farbfeld, um dort weiterzumessen</translation>
    </message>
    <message>
        <source>Load a measurement file: CGATS or ArgyllCMS .ti3 with Lab or XYZ readings</source>
        <translation>Laden Sie eine Messdatei: CGATS oder ArgyllCMS-.ti3 mit Lab- oder XYZ-Messwerten</translation>
    </message>
    <message>
        <source>%1: %2 readings</source>
        <translation>%1: %2 Messwerte</translation>
    </message>
    <message>
        <source>%1 is too large for a measurement file</source>
        <translation>%1 ist zu groß für eine Messdatei</translation>
    </message>
    <message>
        <source>%1 is not a measurement file with Lab or XYZ readings</source>
        <translation>%1 ist keine Messdatei mit Lab- oder XYZ-Messwerten</translation>
    </message>
    <message>
        <source>%1 holds no readable readings</source>
        <translation>%1 enthält keine lesbaren Messwerte</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source> (damaged at row %1; the rows before it were read)</source>
        <translation> (beschädigt in Zeile %1; die Zeilen davor wurden gelesen)</translation>
    </message>
    <message>
        <source>; patches %1 to %2 read from the file</source>
        <translation>; Farbfelder %1 bis %2 aus der Datei gelesen</translation>
    </message>
    <message>
        <source>; the file has no reading for patch %1</source>
        <translation>; die Datei enthält keine Messung für Farbfeld %1</translation>
    </message>
    <message>
        <source>%1 has no reading for patch %2</source>
        <translation>%1 enthält keine Messung für Farbfeld %2</translation>
    </message>
    <message>
        <source>Every reading of %1 has been taken; load it again to start over</source>
        <translation>Alle Messwerte aus %1 wurden übernommen; laden Sie die Datei erneut, um von vorn zu beginnen</translation>
    </message>
    <message>
        <source>%1: reading %2 of %3</source>
        <translation>%1: Messung %2 von %3</translation>
    </message>
    <message>
        <source>; %1 patches read from the file by name</source>
        <translation>; %1 Farbfelder nach Namen aus der Datei gelesen</translation>
    </message>
</context>
<context>
    <name>SpotreadSource</name>
    <message>
        <source>spotread gave no answer within %1 s: is the instrument connected and switched on?</source>
        <translation>spotread hat innerhalb von %1 s nicht geantwortet: Ist das Messgerät angeschlossen und eingeschaltet?</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Messung läuft</translation>
    </message>
    <message>
        <source>Waiting for the instrument</source>
        <translation>Warten auf das Messgerät</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>spotread is not installed (Debian package argyll), or the program setting is wrong</source>
        <translation>spotread ist nicht installiert (Debian-Paket argyll) oder die Programmeinstellung ist falsch</translation>
    </message>
    <message>
        <source>No pseudo-terminal for spotread: %1</source>
        <translation>Kein Pseudo-Terminal für spotread: %1</translation>
    </message>
    <message>
        <source>spotread could not be started: %1</source>
        <translation>spotread konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>Starting spotread</source>
        <translation>spotread wird gestartet</translation>
    </message>
    <message>
        <source>Reading taken: L %1, a %2, b %3</source>
        <translation>Messung erfolgt: L %1, a %2, b %3</translation>
    </message>
    <message>
        <source>spotread answered with a line that is not a reading: %1</source>
        <translation>spotread hat mit einer Zeile geantwortet, die keine Messung ist: %1</translation>
    </message>
    <message>
        <source>spotread gave Lab under another illuminant; remove its -i option: %1</source>
        <translation>spotread hat Lab-Werte für eine andere Lichtart geliefert; entfernen Sie die Option -i: %1</translation>
    </message>
    <message>
        <source>Place the instrument on the colour and press Read</source>
        <translation>Setzen Sie das Messgerät auf die Farbe und klicken Sie auf „Messen“</translation>
    </message>
    <message>
        <source>spotread asks: %1 (press Read to go on, Cancel to stop)</source>
        <translation>spotread fragt: %1 (zum Fortfahren auf „Messen“, zum Beenden auf „Abbrechen“ klicken)</translation>
    </message>
    <message>
        <source>spotread stopped unexpectedly</source>
        <translation>spotread wurde unerwartet beendet</translation>
    </message>
    <message>
        <source>spotread ended (exit code %1)</source>
        <translation>spotread wurde beendet (Exit-Code %1)</translation>
    </message>
</context>
<context>
    <name>Tintry</name>
    <message>
        <source>Perceptual</source>
        <translation>Wahrnehmungsorientiert</translation>
    </message>
    <message>
        <source>Relative Colourimetric</source>
        <translation>Relativ farbmetrisch</translation>
    </message>
    <message>
        <source>Absolute Colourimetric</source>
        <translation>Absolut farbmetrisch</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Höchste</translation>
    </message>
    <message>
        <source>Please pick a monitor profile&lt;br&gt;to see a preview of the colours</source>
        <translation>Bitte wählen Sie ein Monitorprofil,&lt;br&gt;um eine Vorschau der Farben zu sehen</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Alles löschen</translation>
    </message>
    <message>
        <source>Choose an input ICC profile</source>
        <translation>ICC-Eingabeprofil wählen</translation>
    </message>
    <message>
        <source>Choose an output ICC profile</source>
        <translation>ICC-Ausgabeprofil wählen</translation>
    </message>
    <message>
        <source>Choose a monitor ICC profile</source>
        <translation>ICC-Monitorprofil wählen</translation>
    </message>
    <message>
        <source>Display gamut</source>
        <translation>Farbumfang anzeigen</translation>
    </message>
    <message>
        <source>Choose an ICC profile for Gamut viewing</source>
        <translation>ICC-Profil zur Anzeige des Farbumfangs wählen</translation>
    </message>
    <message>
        <source>It is not a regular file (a folder, a pipe or a device).</source>
        <translation>Es ist keine gewöhnliche Datei (ein Ordner, eine Pipe oder ein Gerät).</translation>
    </message>
    <message>
        <source>It cannot be read: %1.</source>
        <translation>Sie kann nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>It is not an ICC profile.</source>
        <translation>Es ist kein ICC-Profil.</translation>
    </message>
    <message>
        <source>The profile is truncated: the file is shorter than its header says.</source>
        <translation>Das Profil ist abgeschnitten: Die Datei ist kürzer, als ihr Kopf angibt.</translation>
    </message>
    <message>
        <source>The profile lacks the tables needed to convert colours into it or out of it, or they are damaged.</source>
        <translation>Dem Profil fehlen die Tabellen, um Farben in es oder aus ihm umzurechnen, oder sie sind beschädigt.</translation>
    </message>
    <message>
        <source>The profile&apos;s media white point is damaged; every absolute colour would be wrong.</source>
        <translation>Der Medienweißpunkt des Profils ist beschädigt; jede absolute Farbe wäre falsch.</translation>
    </message>
    <message>
        <source>%1
cannot be used.
%2</source>
        <translation>%1
kann nicht verwendet werden.
%2</translation>
    </message>
    <message>
        <source>Copy values</source>
        <translation>Werte kopieren</translation>
    </message>
    <message>
        <source>Use the display&apos;s profile</source>
        <translation>Profil des Bildschirms verwenden</translation>
    </message>
    <message>
        <source>Use %1, the profile the desktop gives this display</source>
        <translation>%1 verwenden, das Profil, das der Desktop diesem Bildschirm zuordnet</translation>
    </message>
    <message>
        <source>The desktop names no profile for this display (neither colord nor the X11 _ICC_PROFILE property)</source>
        <translation>Der Desktop nennt für diesen Bildschirm kein Profil (weder colord noch die X11-Eigenschaft _ICC_PROFILE)</translation>
    </message>
    <message>
        <source>Export kept colours</source>
        <translation>Gemerkte Farben exportieren</translation>
    </message>
    <message>
        <source>CGATS files (*.txt *.cgats)</source>
        <translation>CGATS-Dateien (*.txt *.cgats)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>The kept colours could not be written to
%1</source>
        <translation>Die gemerkten Farben konnten nicht geschrieben werden nach
%1</translation>
    </message>
    <message>
        <source>Export kept colours...</source>
        <translation>Gemerkte Farben exportieren...</translation>
    </message>
</context>
<context>
    <name>Tintry_UI</name>
    <message>
        <source>Tintry</source>
        <translation>Tintry</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>NO-TR Spectrophotometer</source>
        <translation>Spektralfotometer</translation>
    </message>
    <message>
        <source>Lab Input</source>
        <translation>Lab-Eingabe</translation>
    </message>
    <message>
        <source>Select Input ICC ...</source>
        <translation>ICC-Eingabeprofil wählen…</translation>
    </message>
    <message>
        <source>Allows selection of an input profile. Supported profiles are Display(monitor), Input (scanner) and Ouput (printer) which are either RGB or CMYK.
The input profile determines whether the input box will display either RGB or CMYK values.</source>
        <translation>Ermöglicht die Auswahl eines Eingabeprofils. Unterstützt werden Monitorprofile (Display), Eingabeprofile (Scanner) und Ausgabeprofile (Drucker), jeweils für RGB oder CMYK.
Das Eingabeprofil bestimmt, ob im Eingabebereich RGB- oder CMYK-Werte angezeigt werden.</translation>
    </message>
    <message>
        <source>Select Monitor ICC ...</source>
        <translation>ICC-Monitorprofil wählen…</translation>
    </message>
    <message>
        <source>Allows selection of a monitor profile. Selecting the correct profile for your display allows accurate previewing of the input colour</source>
        <translation>Ermöglicht die Auswahl eines Monitorprofils. Mit dem richtigen Profil für Ihren Bildschirm wird die Eingabefarbe in der Vorschau farbgetreu dargestellt</translation>
    </message>
    <message>
        <source>Select Output ICC ...</source>
        <translation>ICC-Ausgabeprofil wählen…</translation>
    </message>
    <message>
        <source>Allows selection of an output profile. Supported profiles are Display(monitor) and Ouput (printer) which are either RGB or CMYK.
The ouput profile determines whether the output box will display either RGB or CMYK values.</source>
        <translation>Ermöglicht die Auswahl eines Ausgabeprofils. Unterstützt werden Monitorprofile (Display) und Ausgabeprofile (Drucker), jeweils für RGB oder CMYK.
Das Ausgabeprofil bestimmt, ob im Ausgabebereich RGB- oder CMYK-Werte angezeigt werden.</translation>
    </message>
    <message>
        <source>Long_long_long_long_long_name.icc</source>
        <translation>Long_long_long_long_long_name.icc</translation>
    </message>
    <message>
        <source>Shows a list of colours you have selected to keep. To preview a colour just select it from the pulldown list</source>
        <translation>Zeigt die Liste der Farben, die Sie behalten haben. Um eine Farbe in der Vorschau anzuzeigen, wählen Sie sie einfach in der Aufklappliste aus</translation>
    </message>
    <message>
        <source>This is the colour preview area. Select a monitor icc profile and then you can see how the colour looks. The printed result should look just like the monitor preview</source>
        <translation>Dies ist der Vorschaubereich für die Farbe. Wählen Sie ein ICC-Monitorprofil, dann sehen Sie, wie die Farbe aussieht. Das gedruckte Ergebnis sollte genauso aussehen wie die Vorschau am Monitor</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Allows you to keep the colour currently being previewed so that it can be reviewed again later</source>
        <translation>Behält die Farbe, die gerade in der Vorschau angezeigt wird, damit Sie sie später erneut ansehen können</translation>
    </message>
    <message>
        <source>&lt;b&gt;R:&lt;/b&gt;</source>
        <translation>&lt;b&gt;R:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;G:&lt;/b&gt;</source>
        <translation>&lt;b&gt;G:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;B:&lt;/b&gt;</source>
        <translation>&lt;b&gt;B:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The cyan value to convert</source>
        <translation>Der umzurechnende Cyanwert</translation>
    </message>
    <message>
        <source>The magenta value to convert</source>
        <translation>Der umzurechnende Magentawert</translation>
    </message>
    <message>
        <source>The yellow value to convert</source>
        <translation>Der umzurechnende Gelbwert</translation>
    </message>
    <message>
        <source>The black value to convert</source>
        <translation>Der umzurechnende Schwarzwert</translation>
    </message>
    <message>
        <source>&lt;b&gt;C:&lt;/b&gt;</source>
        <translation>&lt;b&gt;C:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;M:&lt;/b&gt;</source>
        <translation>&lt;b&gt;M:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Y:&lt;/b&gt;</source>
        <translation>&lt;b&gt;Y:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;K:&lt;/b&gt;</source>
        <translation>&lt;b&gt;K:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Enable instrument</source>
        <translation>Messgerät aktivieren</translation>
    </message>
    <message>
        <source>&lt;b&gt;L:&lt;/b&gt;</source>
        <translation>&lt;b&gt;L:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;a:&lt;/b&gt;</source>
        <translation>&lt;b&gt;a:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;b:&lt;/b&gt;</source>
        <translation>&lt;b&gt;b:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The converted red value</source>
        <translation>Der umgerechnete Rotwert</translation>
    </message>
    <message>
        <source>The converted green value</source>
        <translation>Der umgerechnete Grünwert</translation>
    </message>
    <message>
        <source>The converted blue value</source>
        <translation>Der umgerechnete Blauwert</translation>
    </message>
    <message>
        <source>The converted cyan value</source>
        <translation>Der umgerechnete Cyanwert</translation>
    </message>
    <message>
        <source>The converted magenta value</source>
        <translation>Der umgerechnete Magentawert</translation>
    </message>
    <message>
        <source>The converted yellow value</source>
        <translation>Der umgerechnete Gelbwert</translation>
    </message>
    <message>
        <source>The converted black value</source>
        <translation>Der umgerechnete Schwarzwert</translation>
    </message>
    <message>
        <source>value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>The L value of the input colour as measured under a  D50 illuminant</source>
        <translation>Der L-Wert der Eingabefarbe, gemessen bei Lichtart D50</translation>
    </message>
    <message>
        <source>The a value of the input colour as measured under a  D50 illuminant</source>
        <translation>Der a-Wert der Eingabefarbe, gemessen bei Lichtart D50</translation>
    </message>
    <message>
        <source>The b value of the input colour as measured under a  D50 illuminant</source>
        <translation>Der b-Wert der Eingabefarbe, gemessen bei Lichtart D50</translation>
    </message>
    <message>
        <source>D50 (2&amp;#176;)</source>
        <translation>D50 (2&amp;#176;)</translation>
    </message>
    <message>
        <source>Rendering Intent:</source>
        <translation>Rendering-Intent:</translation>
    </message>
    <message>
        <source>Perceptual</source>
        <translation>Wahrnehmungsorientiert</translation>
    </message>
    <message>
        <source>Colorimetric</source>
        <translation>Relativ farbmetrisch</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Absolute Colorimetric</source>
        <translation>Absolut farbmetrisch</translation>
    </message>
    <message>
        <source>Selects the rendering intent to use when converting from input to output</source>
        <translation>Wählt den Rendering-Intent für die Umrechnung von der Eingabe in die Ausgabe</translation>
    </message>
    <message>
        <source>Interpolation Accuracy:</source>
        <translation>Interpolationsgenauigkeit:</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Schneller</translation>
    </message>
    <message>
        <source>Better</source>
        <translation>Genauer</translation>
    </message>
</context>
<context>
    <name>TolerancesDialog</name>
    <message>
        <source>Tolerances</source>
        <translation>Toleranzen</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>nicht geprüft</translation>
    </message>
    <message>
        <source>Every patch under (DeltaE 2000):</source>
        <translation>Jedes Farbfeld unter (DeltaE 2000):</translation>
    </message>
    <message>
        <source>Mean under:</source>
        <translation>Mittelwert unter:</translation>
    </message>
    <message>
        <source>95th percentile under:</source>
        <translation>95. Perzentil unter:</translation>
    </message>
</context>
</TS>
