<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>ChartOptionsDialog</name>
    <message>
        <source>Chart options</source>
        <translation>Options de la charte</translation>
    </message>
    <message>
        <source>Control patches first: paper, solids, overprints, grey ramp</source>
        <translation>Plages de contrôle en tête&#xa0;: papier, aplats, superpositions, gamme de gris</translation>
    </message>
    <message>
        <source>Total ink limit (%)</source>
        <translation>Encrage total maximal (%)</translation>
    </message>
    <message>
        <source>Grid levels per ink</source>
        <translation>Niveaux de la grille par encre</translation>
    </message>
    <message>
        <source>Shuffle the patches, seed</source>
        <translation>Mélanger les plages, graine</translation>
    </message>
    <message>
        <source>Paper white, the four solids, the two-colour overprints and a grey-balanced ramp come first and are never culled. The other patches are then moved on the grid so that they lie closest, on average, to all the colours the grid can print.</source>
        <translation>Le blanc du papier, les quatre aplats, les surimpressions de deux encres et une gamme de gris équilibrée viennent en premier et ne sont jamais éliminés. Les autres plages sont ensuite déplacées sur la grille pour être, en moyenne, au plus près de toutes les couleurs que la grille peut imprimer.</translation>
    </message>
</context>
<context>
    <name>Colourcheck</name>
    <message>
        <source>Colour check chart</source>
        <translation>Charte de contrôle des couleurs</translation>
    </message>
    <message>
        <source>Choose an ICC profile for charting</source>
        <translation>Choisir un profil ICC pour la charte</translation>
    </message>
    <message>
        <source>Number of patches</source>
        <translation>Nombre de plages</translation>
    </message>
    <message>
        <source>Choose an swatch file containing the chart</source>
        <translation>Choisir un fichier de nuances contenant la charte</translation>
    </message>
    <message>
        <source>Choose an ICC source profile for these patches</source>
        <translation>Choisir un profil ICC source pour ces plages</translation>
    </message>
    <message>
        <source>Colour check chart for ICC profile </source>
        <translation>Charte de contrôle des couleurs pour le profil ICC </translation>
    </message>
    <message>
        <source>Export chart as postscript file</source>
        <translation>Exporter la charte en fichier PostScript</translation>
    </message>
    <message>
        <source>Export chart as ISO12642 file</source>
        <translation>Exporter la charte en fichier ISO12642</translation>
    </message>
    <message>
        <source>Colour chart from ICC profile</source>
        <translation>Charte de couleurs à partir d&apos;un profil ICC</translation>
    </message>
    <message>
        <source>Colour chart from swatches file</source>
        <translation>Charte de couleurs à partir d&apos;un fichier de nuances</translation>
    </message>
    <message>
        <source>Choose a file for exporting</source>
        <translation>Choisir le fichier d&apos;exportation</translation>
    </message>
    <message>
        <source>Save measurements...</source>
        <translation>Enregistrer les mesures...</translation>
    </message>
    <message>
        <source>Verification report...</source>
        <translation>Rapport de vérification...</translation>
    </message>
    <message>
        <source>Export verification report as HTML...</source>
        <translation>Exporter le rapport de vérification en HTML...</translation>
    </message>
    <message>
        <source>Open measurements...</source>
        <translation>Ouvrir des mesures...</translation>
    </message>
    <message>
        <source>Save the measurements</source>
        <translation>Enregistrer les mesures</translation>
    </message>
    <message>
        <source>Measurement files (*.ti3 *.txt);;All files (*)</source>
        <translation>Fichiers de mesures (*.ti3 *.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The measurements could not be saved to %1</source>
        <translation>Les mesures n&apos;ont pas pu être enregistrées dans %1</translation>
    </message>
    <message>
        <source>Open measurements</source>
        <translation>Ouvrir des mesures</translation>
    </message>
    <message>
        <source>%1 is not a measured chart</source>
        <translation>%1 n&apos;est pas une charte mesurée</translation>
    </message>
    <message>
        <source>%1 of %2 patches measured</source>
        <translation>%1 plages mesurées sur %2</translation>
    </message>
    <message>
        <source>DeltaE 2000: mean %1, median %2, 95th percentile %3, maximum %4</source>
        <translation>DeltaE 2000 : moyenne %1, médiane %2, 95e centile %3, maximum %4</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>CONFORME</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>NON CONFORME</translation>
    </message>
    <message>
        <source>Worst patches:</source>
        <translation>Plages les plus éloignées :</translation>
    </message>
    <message>
        <source>Verification report</source>
        <translation>Rapport de vérification</translation>
    </message>
    <message>
        <source>Export the verification report</source>
        <translation>Exporter le rapport de vérification</translation>
    </message>
    <message>
        <source>HTML pages (*.html);;All files (*)</source>
        <translation>Pages HTML (*.html);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The report could not be written to %1</source>
        <translation>Le rapport n&apos;a pas pu être écrit dans %1</translation>
    </message>
    <message>
        <source>Export chart</source>
        <translation>Exporter la charte</translation>
    </message>
    <message>
        <source>The chart could not be written to %1: %2.</source>
        <translation>La charte n’a pas pu être écrite dans %1 : %2.</translation>
    </message>
    <message>
        <source>Colour check chart for swatch file %1 (%2)</source>
        <translation>Charte de contrôle des couleurs du fichier de nuances %1 (%2)</translation>
    </message>
    <message>
        <source>No chart from the swatch file %1: %2</source>
        <translation>Aucune charte à partir du fichier de nuances %1 : %2</translation>
    </message>
    <message>
        <source>inks from the file</source>
        <translation>encres du fichier</translation>
    </message>
    <message>
        <source>inks separated from the file&apos;s Lab through the profile</source>
        <translation>encres séparées par le profil à partir des valeurs Lab du fichier</translation>
    </message>
    <message>
        <source>inks from the file where it has them, else separated through the profile</source>
        <translation>encres du fichier lorsqu&apos;il en donne, sinon séparées par le profil</translation>
    </message>
    <message>
        <source>Separate the file&apos;s Lab through the profile</source>
        <translation>Séparer les valeurs Lab du fichier par le profil</translation>
    </message>
    <message>
        <source>The chart could not be exported to %1: %2</source>
        <translation>La charte n&apos;a pas pu être exportée vers %1 : %2</translation>
    </message>
    <message>
        <source>Chart options...</source>
        <translation>Options de la charte...</translation>
    </message>
    <message>
        <source>Tolerances...</source>
        <translation>Tolérances...</translation>
    </message>
    <message>
        <source>Make profile from measurements...</source>
        <translation>Créer un profil à partir des mesures...</translation>
    </message>
</context>
<context>
    <name>ColprofRun</name>
    <message>
        <source>Fitting the profile to the patches</source>
        <translation>Ajustement du profil aux plages</translation>
    </message>
    <message>
        <source>Building the colour table</source>
        <translation>Construction de la table de couleurs</translation>
    </message>
    <message>
        <source>Building the separation tables</source>
        <translation>Construction des tables de séparation</translation>
    </message>
    <message>
        <source>Finding the gamut boundary</source>
        <translation>Recherche de la limite du gamut</translation>
    </message>
    <message>
        <source>colprof said nothing for %1 s and was ended</source>
        <translation>colprof n’a rien dit pendant %1 s et a été arrêté</translation>
    </message>
    <message>
        <source>colprof is not installed (Debian package argyll), or the program setting is wrong</source>
        <translation>colprof n’est pas installé (paquet Debian argyll), ou le réglage du programme est faux</translation>
    </message>
    <message>
        <source>Starting colprof</source>
        <translation>Démarrage de colprof</translation>
    </message>
    <message>
        <source>colprof could not be started: %1</source>
        <translation>colprof n’a pas pu être démarré : %1</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>colprof stopped unexpectedly (it crashed or was killed)</source>
        <translation>colprof s’est arrêté de façon inattendue (plantage ou arrêt forcé)</translation>
    </message>
    <message>
        <source>colprof failed (exit code %1)</source>
        <translation>colprof a échoué (code de sortie %1)</translation>
    </message>
    <message>
        <source>colprof ended without writing the profile</source>
        <translation>colprof s’est terminé sans écrire le profil</translation>
    </message>
</context>
<context>
    <name>KvDialogs</name>
    <message>
        <source>ICC profiles (*.icc *.icm)</source>
        <translation>Profils ICC (*.icc *.icm)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
</context>
<context>
    <name>KvGamut3DView</name>
    <message>
        <source>Drag or use the arrow keys to turn, the wheel or + and - to zoom, Home to reset</source>
        <translation>Faites glisser ou utilisez les flèches pour tourner, la molette ou + et - pour zoomer, Début pour revenir</translation>
    </message>
    <message>
        <source>%L1 cubic Lab units</source>
        <translation>%L1 unités Lab cubiques</translation>
    </message>
    <message>
        <source>Gamut volume: measuring ...</source>
        <translation>Volume du gamut : mesure en cours…</translation>
    </message>
    <message>
        <source>Gamut volume: %1</source>
        <translation>Volume du gamut : %1</translation>
    </message>
    <message>
        <source>Comparing with %1: measuring ...</source>
        <translation>Comparaison avec %1 : mesure en cours…</translation>
    </message>
    <message>
        <source>A (solid, %1): %2</source>
        <translation>A (solide, %1) : %2</translation>
    </message>
    <message>
        <source>B (wireframe, %1): %2</source>
        <translation>B (fil de fer, %1) : %2</translation>
    </message>
    <message>
        <source>Both hold: %1</source>
        <translation>Commun aux deux : %1</translation>
    </message>
    <message>
        <source>A inside B: %L1 %, B inside A: %L2 %</source>
        <translation>A dans B : %L1 %, B dans A : %L2 %</translation>
    </message>
    <message>
        <source>No comparison with %1: %2</source>
        <translation>Pas de comparaison avec %1 : %2</translation>
    </message>
    <message>
        <source>%1: %L2 of %L3 readings lie outside</source>
        <translation>%1 : %L2 mesures sur %L3 sont hors du gamut</translation>
    </message>
    <message>
        <source>No gamut to show.</source>
        <translation>Aucun gamut à afficher.</translation>
    </message>
</context>
<context>
    <name>KvGamutView</name>
    <message>
        <source>No gamut to show.</source>
        <translation>Aucun gamut à afficher.</translation>
    </message>
    <message>
        <source>Gamut volume: %1 cubic Lab units</source>
        <translation>Volume du gamut : %1 unités Lab cubiques</translation>
    </message>
    <message>
        <source>Gamut volume: measuring ...</source>
        <translation>Volume du gamut : mesure en cours…</translation>
    </message>
    <message>
        <source>Dashed: slices at L* 20, 40, 60, 80</source>
        <translation>En tirets : coupes à L* 20, 40, 60, 80</translation>
    </message>
</context>
<context>
    <name>KvGamutWindow</name>
    <message>
        <source>Compare with...</source>
        <translation>Comparer avec…</translation>
    </message>
    <message>
        <source>Lay a second profile&apos;s gamut over this one as a wireframe, with the figures</source>
        <translation>Superposer le gamut d&apos;un second profil en fil de fer, avec les chiffres</translation>
    </message>
    <message>
        <source>Measured colours...</source>
        <translation>Couleurs mesurées…</translation>
    </message>
    <message>
        <source>Show the readings of a measurement file or a measured chart as dots</source>
        <translation>Afficher en points les mesures d&apos;un fichier de mesures ou d&apos;une charte mesurée</translation>
    </message>
    <message>
        <source>Export picture...</source>
        <translation>Exporter l&apos;image…</translation>
    </message>
    <message>
        <source>Perceptual</source>
        <translation>Perceptif</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>The rendering intent the profile&apos;s colours are read through</source>
        <translation>L&apos;intention de rendu par laquelle les couleurs du profil sont lues</translation>
    </message>
    <message>
        <source>Wireframe</source>
        <translation>Fil de fer</translation>
    </message>
    <message>
        <source>3D</source>
        <translation>3D</translation>
    </message>
    <message>
        <source>a*b* plane</source>
        <translation>Plan a*b*</translation>
    </message>
    <message>
        <source>Compare gamuts</source>
        <translation>Comparer des gamuts</translation>
    </message>
    <message>
        <source>Choose a profile to compare with</source>
        <translation>Choisir un profil à comparer</translation>
    </message>
    <message>
        <source>Choose measured colours</source>
        <translation>Choisir des couleurs mesurées</translation>
    </message>
    <message>
        <source>Measurements (*.ti3 *.txt *.cgats *.it8 *.cie);;All files (*)</source>
        <translation>Mesures (*.ti3 *.txt *.cgats *.it8 *.cie);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Measured colours</source>
        <translation>Couleurs mesurées</translation>
    </message>
    <message>
        <source>Export the picture</source>
        <translation>Exporter l&apos;image</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>Images PNG (*.png)</translation>
    </message>
    <message>
        <source>Relative Colourimetric</source>
        <translation>Colorimétrie relative</translation>
    </message>
    <message>
        <source>Absolute Colourimetric</source>
        <translation>Colorimétrie absolue</translation>
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
        <translation>Projet</translation>
    </message>
    <message>
        <source>New Window</source>
        <translation>Nouvelle fenêtre</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>What&apos;s &amp;This</source>
        <translation>&amp;Qu&apos;est-ce que c&apos;est ?</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos de Tintry</translation>
    </message>
    <message>
        <source>Language Changed</source>
        <translation>Langue modifiée</translation>
    </message>
    <message>
        <source>You must restart Tintry
for the changes to take effect</source>
        <translation>Vous devez redémarrer Tintry
pour que les modifications prennent effet</translation>
    </message>
</context>
<context>
    <name>MadeProfileDialog</name>
    <message>
        <source>Profile made</source>
        <translation>Profil créé</translation>
    </message>
    <message>
        <source>Written to %1</source>
        <translation>Écrit dans %1</translation>
    </message>
    <message>
        <source>Install profile</source>
        <translation>Installer le profil</translation>
    </message>
    <message>
        <source>Copies the profile into your profile folder, where colord and the profile dialogs find it, under its own name and never over another file.</source>
        <translation>Copie le profil dans votre dossier de profils, où colord et les dialogues de profils le trouvent, sous son propre nom et jamais par-dessus un autre fichier.</translation>
    </message>
    <message>
        <source>Judge this chart against it</source>
        <translation>Juger cette charte avec ce profil</translation>
    </message>
    <message>
        <source>The profile could not be installed: %1</source>
        <translation>Le profil n’a pas pu être installé : %1</translation>
    </message>
    <message>
        <source>Already installed as %1</source>
        <translation>Déjà installé sous %1</translation>
    </message>
    <message>
        <source>Installed as %1</source>
        <translation>Installé sous %1</translation>
    </message>
</context>
<context>
    <name>MakeProfileDialog</name>
    <message>
        <source>Make profile from measurements</source>
        <translation>Créer un profil à partir des mesures</translation>
    </message>
    <message>
        <source>A CMYK printer profile, made by ArgyllCMS colprof from the %1 measured patches of %2, then checked against them.</source>
        <translation>Un profil d’imprimante CMJN, créé par ArgyllCMS colprof à partir des %1 plages mesurées de %2, puis vérifié sur elles.</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Basse</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Haute</translation>
    </message>
    <message>
        <source>Ultra</source>
        <translation>Ultra</translation>
    </message>
    <message>
        <source>Higher quality takes longer: about a minute for 1500 patches at medium.</source>
        <translation>Une qualité plus haute prend plus de temps : environ une minute pour 1500 plages en qualité moyenne.</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <source>Ramp (colprof&apos;s own)</source>
        <translation>Rampe (celle de colprof)</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Half</source>
        <translation>Moitié</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Black generation</source>
        <translation>Génération du noir</translation>
    </message>
    <message>
        <source>Total ink limit (%)</source>
        <translation>Encrage total maximal (%)</translation>
    </message>
    <message>
        <source>Unchecked: the chart&apos;s own, %1 %</source>
        <translation>Non coché : celui de la charte, %1 %</translation>
    </message>
    <message>
        <source>Unchecked: none, as the chart had none</source>
        <translation>Non coché : aucun, la charte n’en avait pas</translation>
    </message>
    <message>
        <source>For charts of %1 patches or more</source>
        <translation>Pour les chartes de %1 plages ou plus</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Toujours</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>A second profile from all but a fixed tenth of the patches, and how well it predicts that tenth: what to expect between the patches.</source>
        <translation>Un second profil fait de toutes les plages sauf un dixième fixe, et la qualité avec laquelle il prédit ce dixième : ce qu’il faut attendre entre les plages.</translation>
    </message>
    <message>
        <source>Check on unseen patches</source>
        <translation>Vérification sur des plages inédites</translation>
    </message>
    <message>
        <source>Make profile</source>
        <translation>Créer le profil</translation>
    </message>
</context>
<context>
    <name>MakeProfileFlow</name>
    <message>
        <source>Make profile from measurements</source>
        <translation>Créer un profil à partir des mesures</translation>
    </message>
    <message>
        <source>Save the profile as</source>
        <translation>Enregistrer le profil sous</translation>
    </message>
    <message>
        <source>ICC profiles (*.icc *.icm);;All files (*)</source>
        <translation>Profils ICC (*.icc *.icm);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The chart could not be judged against %1</source>
        <translation>La charte n’a pas pu être jugée avec %1</translation>
    </message>
    <message>
        <source>Colour check chart judged against %1</source>
        <translation>Charte de contrôle des couleurs jugée avec %1</translation>
    </message>
    <message>
        <source>No profile can be made from this chart</source>
        <translation>Aucun profil ne peut être créé à partir de cette charte</translation>
    </message>
    <message>
        <source>The profile was not made</source>
        <translation>Le profil n’a pas été créé</translation>
    </message>
</context>
<context>
    <name>MakeProfileJob</name>
    <message>
        <source>Check on unseen patches: %1</source>
        <translation>Vérification sur des plages inédites : %1</translation>
    </message>
    <message>
        <source>The profile colprof made cannot be read: %1</source>
        <translation>Le profil créé par colprof ne peut pas être lu : %1</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>MakeProfileProgress</name>
    <message>
        <source>Making the profile</source>
        <translation>Création du profil</translation>
    </message>
    <message>
        <source>Starting colprof</source>
        <translation>Démarrage de colprof</translation>
    </message>
</context>
<context>
    <name>PageSetupDialog</name>
    <message>
        <source>Chart on paper</source>
        <translation>Charte sur papier</translation>
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
        <translation>Tabloïd</translation>
    </message>
    <message>
        <source>Custom size</source>
        <translation>Format personnalisé</translation>
    </message>
    <message>
        <source>One page cut to the chart, no text</source>
        <translation>Une page à la taille de la charte, sans texte</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Paysage</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Width (mm)</source>
        <translation>Largeur (mm)</translation>
    </message>
    <message>
        <source>Height (mm)</source>
        <translation>Hauteur (mm)</translation>
    </message>
    <message>
        <source>Margins (mm)</source>
        <translation>Marges (mm)</translation>
    </message>
    <message>
        <source>Patch size (mm)</source>
        <translation>Taille des plages (mm)</translation>
    </message>
    <message>
        <source>Gap between patches (mm)</source>
        <translation>Espace entre les plages (mm)</translation>
    </message>
    <message>
        <source>This cannot be printed: %1.</source>
        <translation>Impossible d’imprimer ainsi : %1.</translation>
    </message>
    <message>
        <source>One page of 16 patches to a row, as tall as the chart needs.</source>
        <translation>Une page de 16 plages par ligne, aussi haute que la charte l’exige.</translation>
    </message>
    <message>
        <source>Pages: %1, each up to %2 x %3 patches.</source>
        <translation>Pages : %1, chacune jusqu’à %2 x %3 plages.</translation>
    </message>
</context>
<context>
    <name>ProfileAccuracy</name>
    <message>
        <source>Only the fit was checked, and a fit flatters: the profile was made from these very patches. Expect larger errors for the colours between them. The check on unseen patches (done for charts of 300 patches or more) gives a figure to believe.</source>
        <translation>Seul l’ajustement a été vérifié, et un ajustement flatte : le profil a été fait à partir de ces mêmes plages. Attendez-vous à des erreurs plus grandes pour les couleurs entre elles. La vérification sur des plages inédites (faite pour les chartes de 300 plages ou plus) donne un chiffre auquel se fier.</translation>
    </message>
    <message>
        <source>Believe the unseen patches: mean %1, 95th percentile %2. The fit only says how well the profile reproduces the patches it was made from; the unseen patches were left out of a second profile made the same way, so its error on them is what to expect for colours between the patches. The profile written is made from every patch, so it is, if anything, a little better than that.</source>
        <translation>Fiez-vous aux plages inédites : moyenne %1, 95e centile %2. L’ajustement dit seulement avec quelle fidélité le profil reproduit les plages dont il est fait ; les plages inédites ont été écartées d’un second profil fait de la même façon, donc son erreur sur elles est ce qu’il faut attendre pour les couleurs entre les plages. Le profil écrit est fait de toutes les plages ; il est donc plutôt un peu meilleur.</translation>
    </message>
    <message>
        <source>The unseen patches came out better than the fit, which is chance: a tenth of the chart is a small sample. Believe the larger figures, the fit&apos;s mean %1 and 95th percentile %2, and measure a larger chart for a surer answer.</source>
        <translation>Les plages inédites sont meilleures que l’ajustement, ce qui est un hasard : un dixième de la charte est un petit échantillon. Fiez-vous aux chiffres les plus grands, la moyenne %1 et le 95e centile %2 de l’ajustement, et mesurez une charte plus grande pour une réponse plus sûre.</translation>
    </message>
    <message>
        <source>DeltaE 2000: mean %1, median %2, 95th percentile %3, maximum %4</source>
        <translation>DeltaE 2000 : moyenne %1, médiane %2, 95e centile %3, maximum %4</translation>
    </message>
    <message>
        <source>Worst patches:</source>
        <translation>Plages les plus mauvaises :</translation>
    </message>
    <message>
        <source>Fit: the %1 patches the profile was made from, through it</source>
        <translation>Ajustement : les %1 plages dont le profil est fait, à travers lui</translation>
    </message>
    <message>
        <source>Unseen: %1 patches left out of a second profile made from the other %2, through that profile</source>
        <translation>Inédites : %1 plages écartées d’un second profil fait des %2 autres, à travers ce profil</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Language failed</source>
        <translation>Échec du chargement de la langue</translation>
    </message>
    <message>
        <source>Failed to load the requested language
Using the built-in default language</source>
        <translation>Impossible de charger la langue demandée
Utilisation de la langue par défaut intégrée</translation>
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
        <translation>Mesurer</translation>
    </message>
    <message>
        <source>Keep each reading</source>
        <translation>Conserver chaque mesure</translation>
    </message>
    <message>
        <source>Adds every reading to the list of kept colours</source>
        <translation>Ajoute chaque mesure à la liste des couleurs conservées</translation>
    </message>
    <message>
        <source>Patch %1 of %2</source>
        <translation>Plage %1 sur %2</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Charger…</translation>
    </message>
    <message>
        <source>Loads a measurement file (CGATS or ArgyllCMS .ti3 with Lab or XYZ readings)</source>
        <translation>Charge un fichier de mesures (CGATS ou .ti3 d&apos;ArgyllCMS avec des mesures Lab ou XYZ)</translation>
    </message>
    <message>
        <source>Takes one reading from the chosen source</source>
        <translation>Effectue une mesure à partir de la source choisie</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Stops spotread and frees the instrument</source>
        <translation>Arrête spotread et libère l&apos;appareil de mesure</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>spotread:</source>
        <translation>spotread :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options :</translation>
    </message>
    <message>
        <source>Options given to spotread, for example -N to skip the calibration at start</source>
        <translation>Options transmises à spotread, par exemple -N pour ignorer l&apos;étalonnage au démarrage</translation>
    </message>
    <message>
        <source>Time-out (s):</source>
        <translation>Délai d&apos;attente (s) :</translation>
    </message>
    <message>
        <source>Simulated error (DeltaE):</source>
        <translation>Erreur simulée (DeltaE) :</translation>
    </message>
    <message>
        <source>Manual entry</source>
        <translation>Saisie manuelle</translation>
    </message>
    <message>
        <source>Instrument (spotread)</source>
        <translation>Appareil de mesure (spotread)</translation>
    </message>
    <message>
        <source>Instrument (spotread not installed)</source>
        <translation>Appareil de mesure (spotread non installé)</translation>
    </message>
    <message>
        <source>Measurement file</source>
        <translation>Fichier de mesures</translation>
    </message>
    <message>
        <source>Simulated instrument</source>
        <translation>Appareil de mesure simulé</translation>
    </message>
    <message>
        <source>Install the Debian package argyll, or name the program under Settings</source>
        <translation>Installez le paquet Debian argyll ou indiquez le programme dans « Paramètres »</translation>
    </message>
    <message>
        <source>Place the instrument on the colour and press Read; spotread starts with the first reading</source>
        <translation>Placez l&apos;appareil de mesure sur la couleur et cliquez sur « Mesurer » ; spotread démarre à la première mesure</translation>
    </message>
    <message>
        <source>Simulated instrument, no hardware: each reading is the target moved by DeltaE %1</source>
        <translation>Appareil de mesure simulé, sans matériel : chaque mesure est la valeur cible décalée de DeltaE %1</translation>
    </message>
    <message>
        <source>Last reading: %1</source>
        <translation>Dernière mesure : %1</translation>
    </message>
    <message>
        <source>%1 measured %2</source>
        <translation>%1 : mesure %2</translation>
    </message>
    <message>
        <source>, DeltaE %1</source>
        <translation>, DeltaE %1</translation>
    </message>
    <message>
        <source>, target %1</source>
        <translation>, cible %1</translation>
    </message>
    <message>
        <source>Every patch has a reading; click a patch to measure again from there</source>
        <translation>Toutes les plages ont été mesurées ; cliquez sur une plage pour mesurer à nouveau à partir de celle-ci</translation>
    </message>
    <message>
        <source>Choose a measurement file</source>
        <translation>Choisir un fichier de mesures</translation>
    </message>
    <message>
        <source>Measurement files (*.ti3 *.txt *.cgats *.it8 *.cie);;All files (*)</source>
        <translation>Fichiers de mesures (*.ti3 *.txt *.cgats *.it8 *.cie);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Choose the spotread program</source>
        <translation>Choisir le programme spotread</translation>
    </message>
    <message>
        <source>spotread is not installed (Debian package argyll), or the program setting is wrong</source>
        <translation>spotread n&apos;est pas installé (paquet Debian argyll) ou le réglage du programme est incorrect</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Erreur : %1</translation>
    </message>
    <message>
        <source>%1 of %2 patches have a reading; click a patch to measure from there</source>
        <translation>%1 plages sur %2 ont une mesure ; cliquez sur une plage pour mesurer à partir de là</translation>
    </message>
    <message>
        <source>Load a measurement file: CGATS or ArgyllCMS .ti3 with Lab or XYZ readings</source>
        <translation>Chargez un fichier de mesures : CGATS ou .ti3 d&apos;ArgyllCMS avec des mesures Lab ou XYZ</translation>
    </message>
    <message>
        <source>%1: %2 readings</source>
        <translation>%1 : %2 mesures</translation>
    </message>
    <message>
        <source>%1 is too large for a measurement file</source>
        <translation>%1 est trop volumineux pour un fichier de mesures</translation>
    </message>
    <message>
        <source>%1 is not a measurement file with Lab or XYZ readings</source>
        <translation>%1 n&apos;est pas un fichier de mesures avec des valeurs Lab ou XYZ</translation>
    </message>
    <message>
        <source>%1 holds no readable readings</source>
        <translation>%1 ne contient aucune mesure lisible</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>Impossible de lire %1</translation>
    </message>
    <message>
        <source> (damaged at row %1; the rows before it were read)</source>
        <translation> (endommagé à la ligne %1 ; les lignes précédentes ont été lues)</translation>
    </message>
    <message>
        <source>; patches %1 to %2 read from the file</source>
        <translation> ; plages %1 à %2 lues dans le fichier</translation>
    </message>
    <message>
        <source>; the file has no reading for patch %1</source>
        <translation> ; le fichier ne contient aucune mesure pour la plage %1</translation>
    </message>
    <message>
        <source>%1 has no reading for patch %2</source>
        <translation>%1 ne contient aucune mesure pour la plage %2</translation>
    </message>
    <message>
        <source>Every reading of %1 has been taken; load it again to start over</source>
        <translation>Toutes les mesures de %1 ont été prises ; rechargez le fichier pour recommencer</translation>
    </message>
    <message>
        <source>%1: reading %2 of %3</source>
        <translation>%1 : mesure %2 sur %3</translation>
    </message>
    <message>
        <source>; %1 patches read from the file by name</source>
        <translation> ; %1 plages lues dans le fichier d’après leur nom</translation>
    </message>
</context>
<context>
    <name>SpotreadSource</name>
    <message>
        <source>spotread gave no answer within %1 s: is the instrument connected and switched on?</source>
        <translation>spotread n&apos;a pas répondu dans les %1 s : l&apos;appareil de mesure est-il branché et allumé ?</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Mesure en cours</translation>
    </message>
    <message>
        <source>Waiting for the instrument</source>
        <translation>En attente de l&apos;appareil de mesure</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>spotread is not installed (Debian package argyll), or the program setting is wrong</source>
        <translation>spotread n&apos;est pas installé (paquet Debian argyll) ou le réglage du programme est incorrect</translation>
    </message>
    <message>
        <source>No pseudo-terminal for spotread: %1</source>
        <translation>Aucun pseudo-terminal pour spotread : %1</translation>
    </message>
    <message>
        <source>spotread could not be started: %1</source>
        <translation>Impossible de démarrer spotread : %1</translation>
    </message>
    <message>
        <source>Starting spotread</source>
        <translation>Démarrage de spotread</translation>
    </message>
    <message>
        <source>Reading taken: L %1, a %2, b %3</source>
        <translation>Mesure effectuée : L %1, a %2, b %3</translation>
    </message>
    <message>
        <source>spotread answered with a line that is not a reading: %1</source>
        <translation>spotread a répondu par une ligne qui n&apos;est pas une mesure : %1</translation>
    </message>
    <message>
        <source>spotread gave Lab under another illuminant; remove its -i option: %1</source>
        <translation>spotread a renvoyé des valeurs Lab pour un autre illuminant ; retirez son option -i : %1</translation>
    </message>
    <message>
        <source>Place the instrument on the colour and press Read</source>
        <translation>Placez l&apos;appareil de mesure sur la couleur et cliquez sur « Mesurer »</translation>
    </message>
    <message>
        <source>spotread asks: %1 (press Read to go on, Cancel to stop)</source>
        <translation>spotread demande : %1 (cliquez sur « Mesurer » pour continuer, sur « Annuler » pour arrêter)</translation>
    </message>
    <message>
        <source>spotread stopped unexpectedly</source>
        <translation>spotread s&apos;est arrêté de manière inattendue</translation>
    </message>
    <message>
        <source>spotread ended (exit code %1)</source>
        <translation>spotread s&apos;est terminé (code de sortie %1)</translation>
    </message>
</context>
<context>
    <name>Tintry</name>
    <message>
        <source>Perceptual</source>
        <translation>Perceptif</translation>
    </message>
    <message>
        <source>Relative Colourimetric</source>
        <translation>Colorimétrie relative</translation>
    </message>
    <message>
        <source>Absolute Colourimetric</source>
        <translation>Colorimétrie absolue</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Maximale</translation>
    </message>
    <message>
        <source>Please pick a monitor profile&lt;br&gt;to see a preview of the colours</source>
        <translation>Veuillez choisir un profil de moniteur&lt;br&gt;pour afficher un aperçu des couleurs</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>Choose an input ICC profile</source>
        <translation>Choisir un profil ICC d&apos;entrée</translation>
    </message>
    <message>
        <source>Choose an output ICC profile</source>
        <translation>Choisir un profil ICC de sortie</translation>
    </message>
    <message>
        <source>Choose a monitor ICC profile</source>
        <translation>Choisir un profil ICC de moniteur</translation>
    </message>
    <message>
        <source>Display gamut</source>
        <translation>Afficher le gamut</translation>
    </message>
    <message>
        <source>Choose an ICC profile for Gamut viewing</source>
        <translation>Choisir un profil ICC pour afficher son gamut</translation>
    </message>
    <message>
        <source>It is not a regular file (a folder, a pipe or a device).</source>
        <translation>Ce n&apos;est pas un fichier ordinaire (un dossier, un tube ou un périphérique).</translation>
    </message>
    <message>
        <source>It cannot be read: %1.</source>
        <translation>Il ne peut pas être lu : %1.</translation>
    </message>
    <message>
        <source>It is not an ICC profile.</source>
        <translation>Ce n&apos;est pas un profil ICC.</translation>
    </message>
    <message>
        <source>The profile is truncated: the file is shorter than its header says.</source>
        <translation>Le profil est tronqué : le fichier est plus court que ne l&apos;indique son en-tête.</translation>
    </message>
    <message>
        <source>The profile lacks the tables needed to convert colours into it or out of it, or they are damaged.</source>
        <translation>Il manque au profil les tables nécessaires pour convertir des couleurs vers lui ou depuis lui, ou elles sont endommagées.</translation>
    </message>
    <message>
        <source>The profile&apos;s media white point is damaged; every absolute colour would be wrong.</source>
        <translation>Le point blanc du support du profil est endommagé ; toutes les couleurs absolues seraient fausses.</translation>
    </message>
    <message>
        <source>%1
cannot be used.
%2</source>
        <translation>%1
ne peut pas être utilisé.
%2</translation>
    </message>
    <message>
        <source>Copy values</source>
        <translation>Copier les valeurs</translation>
    </message>
    <message>
        <source>Use the display&apos;s profile</source>
        <translation>Utiliser le profil de l&apos;écran</translation>
    </message>
    <message>
        <source>Use %1, the profile the desktop gives this display</source>
        <translation>Utiliser %1, le profil que le bureau attribue à cet écran</translation>
    </message>
    <message>
        <source>The desktop names no profile for this display (neither colord nor the X11 _ICC_PROFILE property)</source>
        <translation>Le bureau n&apos;indique aucun profil pour cet écran (ni colord ni la propriété X11 _ICC_PROFILE)</translation>
    </message>
    <message>
        <source>Export kept colours</source>
        <translation>Exporter les couleurs conservées</translation>
    </message>
    <message>
        <source>CGATS files (*.txt *.cgats)</source>
        <translation>Fichiers CGATS (*.txt *.cgats)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Échec de l&apos;export</translation>
    </message>
    <message>
        <source>The kept colours could not be written to
%1</source>
        <translation>Les couleurs conservées n&apos;ont pas pu être écrites dans
%1</translation>
    </message>
    <message>
        <source>Export kept colours...</source>
        <translation>Exporter les couleurs conservées...</translation>
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
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>NO-TR Spectrophotometer</source>
        <translation>Spectrophotomètre</translation>
    </message>
    <message>
        <source>Lab Input</source>
        <translation>Entrée Lab</translation>
    </message>
    <message>
        <source>Select Input ICC ...</source>
        <translation>Choisir le profil ICC d&apos;entrée…</translation>
    </message>
    <message>
        <source>Allows selection of an input profile. Supported profiles are Display(monitor), Input (scanner) and Ouput (printer) which are either RGB or CMYK.
The input profile determines whether the input box will display either RGB or CMYK values.</source>
        <translation>Permet de choisir un profil d&apos;entrée. Les profils pris en charge sont les profils d&apos;affichage (moniteur), d&apos;entrée (scanner) et de sortie (imprimante), en RVB ou en CMJN.
Le profil d&apos;entrée détermine si la zone d&apos;entrée affiche des valeurs RVB ou CMJN.</translation>
    </message>
    <message>
        <source>Select Monitor ICC ...</source>
        <translation>Choisir le profil ICC du moniteur…</translation>
    </message>
    <message>
        <source>Allows selection of a monitor profile. Selecting the correct profile for your display allows accurate previewing of the input colour</source>
        <translation>Permet de choisir un profil de moniteur. Avec le profil correct de votre écran, l&apos;aperçu de la couleur d&apos;entrée est fidèle</translation>
    </message>
    <message>
        <source>Select Output ICC ...</source>
        <translation>Choisir le profil ICC de sortie…</translation>
    </message>
    <message>
        <source>Allows selection of an output profile. Supported profiles are Display(monitor) and Ouput (printer) which are either RGB or CMYK.
The ouput profile determines whether the output box will display either RGB or CMYK values.</source>
        <translation>Permet de choisir un profil de sortie. Les profils pris en charge sont les profils d&apos;affichage (moniteur) et de sortie (imprimante), en RVB ou en CMJN.
Le profil de sortie détermine si la zone de sortie affiche des valeurs RVB ou CMJN.</translation>
    </message>
    <message>
        <source>Long_long_long_long_long_name.icc</source>
        <translation>Long_long_long_long_long_name.icc</translation>
    </message>
    <message>
        <source>Shows a list of colours you have selected to keep. To preview a colour just select it from the pulldown list</source>
        <translation>Affiche la liste des couleurs que vous avez choisi de conserver. Pour afficher l&apos;aperçu d&apos;une couleur, il suffit de la sélectionner dans la liste déroulante</translation>
    </message>
    <message>
        <source>This is the colour preview area. Select a monitor icc profile and then you can see how the colour looks. The printed result should look just like the monitor preview</source>
        <translation>Ceci est la zone d&apos;aperçu de la couleur. Choisissez un profil ICC de moniteur pour voir à quoi ressemble la couleur. Le résultat imprimé devrait être identique à l&apos;aperçu à l&apos;écran</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Conserver</translation>
    </message>
    <message>
        <source>Allows you to keep the colour currently being previewed so that it can be reviewed again later</source>
        <translation>Permet de conserver la couleur actuellement affichée dans l&apos;aperçu afin de pouvoir la revoir plus tard</translation>
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
        <translation>La valeur de cyan à convertir</translation>
    </message>
    <message>
        <source>The magenta value to convert</source>
        <translation>La valeur de magenta à convertir</translation>
    </message>
    <message>
        <source>The yellow value to convert</source>
        <translation>La valeur de jaune à convertir</translation>
    </message>
    <message>
        <source>The black value to convert</source>
        <translation>La valeur de noir à convertir</translation>
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
        <translation>Activer l&apos;appareil de mesure</translation>
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
        <translation>La valeur de rouge convertie</translation>
    </message>
    <message>
        <source>The converted green value</source>
        <translation>La valeur de vert convertie</translation>
    </message>
    <message>
        <source>The converted blue value</source>
        <translation>La valeur de bleu convertie</translation>
    </message>
    <message>
        <source>The converted cyan value</source>
        <translation>La valeur de cyan convertie</translation>
    </message>
    <message>
        <source>The converted magenta value</source>
        <translation>La valeur de magenta convertie</translation>
    </message>
    <message>
        <source>The converted yellow value</source>
        <translation>La valeur de jaune convertie</translation>
    </message>
    <message>
        <source>The converted black value</source>
        <translation>La valeur de noir convertie</translation>
    </message>
    <message>
        <source>value</source>
        <translation>valeur</translation>
    </message>
    <message>
        <source>The L value of the input colour as measured under a  D50 illuminant</source>
        <translation>La valeur L de la couleur d&apos;entrée, mesurée sous l&apos;illuminant D50</translation>
    </message>
    <message>
        <source>The a value of the input colour as measured under a  D50 illuminant</source>
        <translation>La valeur a de la couleur d&apos;entrée, mesurée sous l&apos;illuminant D50</translation>
    </message>
    <message>
        <source>The b value of the input colour as measured under a  D50 illuminant</source>
        <translation>La valeur b de la couleur d&apos;entrée, mesurée sous l&apos;illuminant D50</translation>
    </message>
    <message>
        <source>D50 (2&amp;#176;)</source>
        <translation>D50 (2&amp;#176;)</translation>
    </message>
    <message>
        <source>Rendering Intent:</source>
        <translation>Mode de rendu :</translation>
    </message>
    <message>
        <source>Perceptual</source>
        <translation>Perceptif</translation>
    </message>
    <message>
        <source>Colorimetric</source>
        <translation>Colorimétrie relative</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Absolute Colorimetric</source>
        <translation>Colorimétrie absolue</translation>
    </message>
    <message>
        <source>Selects the rendering intent to use when converting from input to output</source>
        <translation>Sélectionne le mode de rendu utilisé pour la conversion de l&apos;entrée vers la sortie</translation>
    </message>
    <message>
        <source>Interpolation Accuracy:</source>
        <translation>Précision de l&apos;interpolation :</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Plus rapide</translation>
    </message>
    <message>
        <source>Better</source>
        <translation>Meilleure</translation>
    </message>
</context>
<context>
    <name>TolerancesDialog</name>
    <message>
        <source>Tolerances</source>
        <translation>Tolérances</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>non vérifié</translation>
    </message>
    <message>
        <source>Every patch under (DeltaE 2000):</source>
        <translation>Chaque plage sous (DeltaE 2000) :</translation>
    </message>
    <message>
        <source>Mean under:</source>
        <translation>Moyenne sous :</translation>
    </message>
    <message>
        <source>95th percentile under:</source>
        <translation>95e centile sous :</translation>
    </message>
</context>
</TS>
