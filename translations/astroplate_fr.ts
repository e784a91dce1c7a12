<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
  <context>
    <name>BlindSolveCommand</name>
    <message>
      <source>Load an image first.</source>
      <translation>Chargez d'abord une image.</translation>
    </message>
    <message>
      <source>Solving without position among the index files of %1…</source>
      <translation>Résolution sans position parmi les fichiers d'index de %1…</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Annuler</translation>
    </message>
    <message>
      <source>Solve without position</source>
      <translation>Résoudre sans position</translation>
    </message>
    <message>
      <source>field widths %1° to %2°</source>
      <translation>largeurs de champ de %1° à %2°</translation>
    </message>
    <message>
      <source>Index file skipped: %1</source>
      <translation>Fichier d'index écarté : %1</translation>
    </message>
    <message>
      <source>Solving without position cancelled; nothing was changed.</source>
      <translation>Résolution sans position annulée ; rien n'a été modifié.</translation>
    </message>
    <message>
      <source>No index file of %1 can solve this image (%2).</source>
      <translation>Aucun fichier d'index de %1 ne peut résoudre cette image (%2).</translation>
    </message>
    <message>
      <source>Too few stars were found on the image (%1).</source>
      <translation>Trop peu d'étoiles ont été trouvées sur l'image (%1).</translation>
    </message>
    <message numerus="yes">
      <source>No solution within %1 s among %n index file(s) (%2).</source>
      <translation>
        <numerusform>Aucune solution en %1 s avec %n fichier d'index (%2).</numerusform>
        <numerusform>Aucune solution en %1 s parmi %n fichiers d'index (%2).</numerusform>
      </translation>
    </message>
    <message>
      <source>Solved without position in %1 s (index file %2, log-odds %3, %4 stars): centre J2000 %5h %6m %7s %8%9° %10′ %11″, radius %12′, Corr Asd %13, Corr Dec %14, %15″/pixel%16.</source>
      <translation>Résolu sans position en %1 s (fichier d'index %2, log-cote %3, %4 étoiles) : centre J2000 %5h %6m %7s %8%9° %10′ %11″, rayon %12′, Corr Asd %13, Corr Dec %14, %15″/pixel%16.</translation>
    </message>
    <message>
      <source>, mirrored</source>
      <translation>, en miroir</translation>
    </message>
  </context>
  <context>
    <name>CatalogueBrowser</name>
    <message>
      <source>The star answer could not be read: %1</source>
      <translation>La réponse des étoiles n'a pas pu être lue : %1</translation>
    </message>
    <message>
      <source>The listing ends at %1 rows; the answer may hold more.</source>
      <translation>La liste s'arrête à %1 lignes ; la réponse peut en contenir davantage.</translation>
    </message>
  </context>
  <context>
    <name>CatalogueCommands</name>
    <message>
      <source>%1: not a number in %2 ("%3"), nothing downloaded</source>
      <translation>%1 : pas un nombre dans %2 (« %3 »), rien n'est téléchargé</translation>
    </message>
    <message>
      <source>Star server blocked (Internet problems): nothing downloaded</source>
      <translation>Serveur d'étoiles bloqué (Problèmes Internet) : rien n'est téléchargé</translation>
    </message>
    <message>
      <source>Minor planets: not a number in the %1 field ("%2"), nothing downloaded</source>
      <translation>Astéroïdes : pas un nombre dans le champ %1 (« %2 »), rien n'est téléchargé</translation>
    </message>
    <message>
      <source>Minor-planet service blocked (Internet bugs): nothing downloaded</source>
      <translation>Service des astéroïdes bloqué (Problèmes Internet) : rien n'est téléchargé</translation>
    </message>
    <message>
      <source>NGC/IC objects: the field centre holds no number, none are read</source>
      <translation>Objets NGC/IC : le centre du champ n'est pas un nombre, aucun n'est lu</translation>
    </message>
    <message>
      <source>Minor planets: no answer for the typed field and date, none shown</source>
      <translation>Astéroïdes : pas de réponse pour le champ et la date saisis, aucun n'est affiché</translation>
    </message>
    <message numerus="yes">
      <source>%n object(s) read</source>
      <translation>
        <numerusform>%n objet lu</numerusform>
        <numerusform>%n objets lus</numerusform>
      </translation>
    </message>
    <message>
      <source>%1: %2</source>
      <translation>%1 : %2</translation>
    </message>
  </context>
  <context>
    <name>CcdField</name>
    <message>
      <source>The value must be a number greater than zero.</source>
      <translation>La valeur doit être un nombre supérieur à zéro.</translation>
    </message>
    <message>
      <source>The sensor size and focal length give no solution (the values are too small or too large).</source>
      <translation>La taille du capteur et la focale ne donnent pas de solution (valeurs trop petites ou trop grandes).</translation>
    </message>
    <message>
      <source>The sensor size and focal length give no usable scales.</source>
      <translation>La taille du capteur et la focale ne donnent pas de correcteurs utilisables.</translation>
    </message>
  </context>
  <context>
    <name>CommandBar</name>
    <message>
      <source>Auto</source>
      <translation>Auto</translation>
    </message>
    <message>
      <source>Picks five bright, isolated, well spread stars found on the image</source>
      <translation>Choisit cinq étoiles brillantes, isolées et bien réparties parmi celles trouvées sur l'image</translation>
    </message>
    <message>
      <source>No position</source>
      <translation>Sans position</translation>
    </message>
    <message>
      <source>Solve without position: finds the field among the local index files from the stars of the image alone</source>
      <translation>Résoudre sans position : trouve le champ parmi les fichiers d'index locaux à partir des seules étoiles de l'image</translation>
    </message>
  </context>
  <context>
    <name>Config</name>
    <message>
      <source>The list holds %1 configurations, the most it can keep. Delete one before adding another.</source>
      <translation>La liste contient %1 configurations, le maximum possible. Supprimez-en une avant d'en ajouter une autre.</translation>
    </message>
    <message>
      <source>The configurations could not be saved to %1: %2. The file is unchanged.</source>
      <translation>Les configurations n'ont pas pu être enregistrées dans %1 : %2. Le fichier n'a pas été modifié.</translation>
    </message>
    <message>
      <source>Corr RA:</source>
      <translation>Corr Asd :</translation>
    </message>
    <message>
      <source>Corr Dec:</source>
      <translation>Corr Dec :</translation>
    </message>
    <message numerus="yes">
      <source>%n configuration(s) saved to %1.</source>
      <translation>
        <numerusform>%n configuration enregistrée dans %1.</numerusform>
        <numerusform>%n configurations enregistrées dans %1.</numerusform>
      </translation>
    </message>
  </context>
  <context>
    <name>Config2</name>
    <message>
      <source>%1 "%2" is not a number.</source>
      <translation>%1 « %2 » n'est pas un nombre.</translation>
    </message>
    <message>
      <source>Close</source>
      <translation>Fermer</translation>
    </message>
    <message>
      <source>%1: CX = %2 and CY = %3
Field of the sensor: %4' x %5'</source>
      <translation>%1 : CX = %2 et CY = %3
Champ du capteur : %4' x %5'</translation>
    </message>
  </context>
  <context>
    <name>ConfigFile</name>
    <message>
      <source>%1: %2</source>
      <translation>%1 : %2</translation>
    </message>
    <message>
      <source>%1 is empty: it holds no number of configurations.</source>
      <translation>%1 est vide : il ne contient pas le nombre de configurations.</translation>
    </message>
    <message>
      <source>%1, line 1: "%2" is not a number of configurations.</source>
      <translation>%1, ligne 1 : « %2 » n'est pas un nombre de configurations.</translation>
    </message>
    <message>
      <source>%1 holds %2 configurations; only the first %3 are read.</source>
      <translation>%1 contient %2 configurations ; seules les %3 premières sont lues.</translation>
    </message>
    <message>
      <source>%1 ends at line %2: configuration %3 of %4 is missing or incomplete.</source>
      <translation>%1 se termine à la ligne %2 : la configuration %3 sur %4 manque ou est incomplète.</translation>
    </message>
  </context>
  <context>
    <name>DeciderPage</name>
    <message>
      <source>decision threshold</source>
      <translation>seuil de décision</translation>
    </message>
    <message>
      <source>Offer the candidates by image evidence</source>
      <translation>Proposer les solutions selon leur concordance avec l'image</translation>
    </message>
    <message>
      <source>Candidates whose model puts more catalogue stars on stars found on the image are offered first.</source>
      <translation>Les solutions dont le modèle place le plus d'étoiles du catalogue sur des étoiles trouvées sur l'image sont proposées en premier.</translation>
    </message>
    <message>
      <source>Refine the accepted plate on the stars found</source>
      <translation>Affiner la plaque acceptée sur les étoiles trouvées</translation>
    </message>
    <message>
      <source>Fits a gnomonic plate to every catalogue star that has a star found near it, and uses it from then on.</source>
      <translation>Ajuste une plaque gnomonique sur chaque étoile du catalogue proche d'une étoile trouvée, puis l'utilise pour la suite.</translation>
    </message>
  </context>
  <context>
    <name>DeepSky</name>
    <message>
      <source>NGC/IC objects: %1 could not be read (%2); its objects are missing</source>
      <translation>Objets NGC/IC : %1 n'a pas pu être lu (%2) ; ses objets manquent</translation>
    </message>
    <message>
      <source>NGC/IC objects: %1 objects lie in the window; only the first %2 are kept</source>
      <translation>Objets NGC/IC : %1 objets se trouvent dans la fenêtre ; seuls les %2 premiers sont gardés</translation>
    </message>
  </context>
  <context>
    <name>DeepSkyType</name>
    <message>
      <source>Galaxy</source>
      <translation>Galaxie</translation>
    </message>
    <message>
      <source>OpenCl</source>
      <translation>Amas ouvert</translation>
    </message>
    <message>
      <source>Star</source>
      <translation>Étoile</translation>
    </message>
    <message>
      <source>Other</source>
      <translation>Autre</translation>
    </message>
    <message>
      <source>Nebula</source>
      <translation>Nébuleuse</translation>
    </message>
    <message>
      <source>MultStar</source>
      <translation>Étoile multiple</translation>
    </message>
    <message>
      <source>GlobCl</source>
      <translation>Amas globulaire</translation>
    </message>
    <message>
      <source>PlanNeb</source>
      <translation>Nébuleuse planétaire</translation>
    </message>
    <message>
      <source>Asterism</source>
      <translation>Astérisme</translation>
    </message>
    <message>
      <source>GalClust</source>
      <translation>Amas de galaxies</translation>
    </message>
    <message>
      <source>SNR</source>
      <translation>Rémanent de supernova</translation>
    </message>
  </context>
  <context>
    <name>DefaultsFile</name>
    <message>
      <source>defaut.cfg: the file ends at line %1 of 18</source>
      <translation>defaut.cfg : le fichier se termine à la ligne %1 sur 18</translation>
    </message>
    <message>
      <source>defaut.cfg, line %1: "%2" is not a check state (0, 1 or 2)</source>
      <translation>defaut.cfg, ligne %1 : « %2 » n'est pas un état de case (0, 1 ou 2)</translation>
    </message>
    <message>
      <source>defaut.cfg, line %1: "%2" is neither True nor False</source>
      <translation>defaut.cfg, ligne %1 : « %2 » n'est ni True ni False</translation>
    </message>
  </context>
  <context>
    <name>DownloadUrl</name>
    <message>
      <source>Download of %1 cancelled</source>
      <translation>Téléchargement de %1 annulé</translation>
    </message>
    <message>
      <source>Download of %1 failed: %2</source>
      <translation>Échec du téléchargement de %1 : %2</translation>
    </message>
    <message>
      <source>not a plain file name</source>
      <translation>ce n'est pas un simple nom de fichier</translation>
    </message>
    <message>
      <source>another download is still running</source>
      <translation>un autre téléchargement est encore en cours</translation>
    </message>
    <message>
      <source>the server's answer is not what was asked for (%1)</source>
      <translation>la réponse du serveur n'est pas celle demandée (%1)</translation>
    </message>
    <message>
      <source>The answer could not be kept in the cache: %1</source>
      <translation>La réponse n'a pas pu être gardée dans le cache : %1</translation>
    </message>
  </context>
  <context>
    <name>ElementsDownload</name>
    <message>
      <source>the answer is not a gzip file</source>
      <translation>la réponse n'est pas un fichier gzip</translation>
    </message>
    <message>
      <source>%1: %2</source>
      <translation>%1 : %2</translation>
    </message>
    <message>
      <source>the answer ended early</source>
      <translation>la réponse s'est terminée trop tôt</translation>
    </message>
    <message>
      <source>another download is still running</source>
      <translation>un autre téléchargement est encore en cours</translation>
    </message>
    <message>
      <source>Unpacking %1 to %2</source>
      <translation>Décompression de %1 vers %2</translation>
    </message>
    <message>
      <source>%1 downloaded (%2 bytes) and unpacked to %3 (%4 orbits)</source>
      <translation>%1 téléchargé (%2 octets) et décompressé vers %3 (%4 orbites)</translation>
    </message>
    <message>
      <source>(the archive could not be kept: %1)</source>
      <translation>(l'archive n'a pas pu être gardée : %1)</translation>
    </message>
  </context>
  <context>
    <name>FieldPanel</name>
    <message>
      <source>tolerance</source>
      <translation>tolérance</translation>
    </message>
    <message>
      <source>Field centre: not a number in %1 ("%2"), the overlay is not drawn</source>
      <translation>Centre du champ : pas un nombre dans %1 (« %2 »), la carte n'est pas tracée</translation>
    </message>
    <message>
      <source>Load</source>
      <translation>Charger</translation>
    </message>
  </context>
  <context>
    <name>FitsHintFields</name>
    <message>
      <source>FITS header: no centre, date or scales found</source>
      <translation>En-tête FITS : ni centre, ni date, ni correcteurs trouvés</translation>
    </message>
    <message>
      <source>centre %1 %2 %3 %4%5 %6 %7</source>
      <translation>centre %1 %2 %3 %4%5 %6 %7</translation>
    </message>
    <message>
      <source>, equinox %1</source>
      <translation>, époque %1</translation>
    </message>
    <message>
      <source> (no equinox in the header: the typed one is kept)</source>
      <translation> (pas d'époque dans l'en-tête : celle qui a été tapée est gardée)</translation>
    </message>
    <message>
      <source>minor-planet date %1/%2/%3 %4:%5 UTC [%6]</source>
      <translation>date des astéroïdes %1/%2/%3 %4:%5 UTC [%6]</translation>
    </message>
    <message>
      <source>scales Corr Asd %1, Corr Dec %2 [%3]</source>
      <translation>correcteurs Corr Asd %1, Corr Dec %2 [%3]</translation>
    </message>
    <message>
      <source>The FITS header gives:
%1

Replace the values you typed?</source>
      <translation>L'en-tête FITS donne :
%1

Remplacer les valeurs que vous avez tapées ?</translation>
    </message>
    <message>
      <source>FITS header</source>
      <translation>En-tête FITS</translation>
    </message>
    <message>
      <source>FITS header: %1 (already in the fields)</source>
      <translation>En-tête FITS : %1 (déjà dans les champs)</translation>
    </message>
    <message>
      <source>FITS header: %1 not taken, your values kept</source>
      <translation>En-tête FITS : %1 non repris, vos valeurs sont gardées</translation>
    </message>
    <message>
      <source>FITS header: %1 taken</source>
      <translation>En-tête FITS : %1 repris</translation>
    </message>
    <message>
      <source>, × cos(Dec) of the typed centre</source>
      <translation>, × cos(Dec) du centre saisi</translation>
    </message>
  </context>
  <context>
    <name>FitsHints</name>
    <message>
      <source>FOCALLEN %1 mm, %2/%3 %4 × %5 µm (binning %6×%7 included)</source>
      <translation>FOCALLEN %1 mm, %2/%3 %4 × %5 µm (binning %6×%7 compris)</translation>
    </message>
    <message>
      <source>, × cos(Dec)</source>
      <translation>, × cos(Dec)</translation>
    </message>
    <message>
      <source>, no centre: right-ascension scale without cos(Dec)</source>
      <translation>, pas de centre : correcteur en ascension droite sans cos(Dec)</translation>
    </message>
  </context>
  <context>
    <name>FitsImage</name>
    <message>
      <source>8-bit integers</source>
      <translation>entiers 8 bits</translation>
    </message>
    <message>
      <source>signed 8-bit integers</source>
      <translation>entiers signés 8 bits</translation>
    </message>
    <message>
      <source>16-bit integers</source>
      <translation>entiers 16 bits</translation>
    </message>
    <message>
      <source>unsigned 16-bit integers</source>
      <translation>entiers non signés 16 bits</translation>
    </message>
    <message>
      <source>32-bit integers</source>
      <translation>entiers 32 bits</translation>
    </message>
    <message>
      <source>unsigned 32-bit integers</source>
      <translation>entiers non signés 32 bits</translation>
    </message>
    <message>
      <source>64-bit integers</source>
      <translation>entiers 64 bits</translation>
    </message>
    <message>
      <source>32-bit floats</source>
      <translation>réels 32 bits</translation>
    </message>
    <message>
      <source>64-bit floats</source>
      <translation>réels 64 bits</translation>
    </message>
    <message>
      <source>values of type %1</source>
      <translation>valeurs de type %1</translation>
    </message>
    <message>
      <source>not a readable FITS file (%1)</source>
      <translation>fichier FITS illisible (%1)</translation>
    </message>
    <message>
      <source>the FITS file holds no image</source>
      <translation>le fichier FITS ne contient aucune image</translation>
    </message>
    <message>
      <source>the image is %1 × %2 pixels; at most %3 pixels per side and %4 megapixels are accepted</source>
      <translation>l'image fait %1 × %2 pixels ; au plus %3 pixels par côté et %4 mégapixels sont acceptés</translation>
    </message>
    <message>
      <source>the FITS file is cut short: its header announces %1 bytes of image data, the file ends before</source>
      <translation>le fichier FITS est tronqué : son en-tête annonce %1 octets de données d'image, le fichier se termine avant</translation>
    </message>
    <message>
      <source>the FITS header cannot be read (%1)</source>
      <translation>l'en-tête FITS ne peut pas être lu (%1)</translation>
    </message>
    <message>
      <source>not enough memory for an image of %1 × %2 pixels</source>
      <translation>mémoire insuffisante pour une image de %1 × %2 pixels</translation>
    </message>
    <message>
      <source>the FITS image data cannot be read (%1)</source>
      <translation>les données de l'image FITS ne peuvent pas être lues (%1)</translation>
    </message>
    <message>
      <source>the FITS image holds no valid pixel value</source>
      <translation>l'image FITS ne contient aucune valeur de pixel valide</translation>
    </message>
    <message>
      <source>FITS, %1 × %2, %3</source>
      <translation>FITS, %1 × %2, %3</translation>
    </message>
    <message>
      <source>, HDU %1</source>
      <translation>, HDU %1</translation>
    </message>
    <message>
      <source>, colour: mean of 3 planes</source>
      <translation>, couleur : moyenne de 3 plans</translation>
    </message>
    <message>
      <source>, first of %1 planes</source>
      <translation>, premier de %1 plans</translation>
    </message>
    <message>
      <source>, %1 blank pixels</source>
      <translation>, %1 pixels sans valeur</translation>
    </message>
  </context>
  <context>
    <name>Form1</name>
    <message>
      <source>The %1 "%2" is not a usable number: the matching cannot go on.</source>
      <translation>La valeur « %2 » (%1) n'est pas un nombre utilisable : la recherche ne peut pas continuer.</translation>
    </message>
    <message>
      <source> (design values kept)</source>
      <translation> (valeurs d'origine gardées)</translation>
    </message>
    <message>
      <source>Evidence: %1 catalogue stars fall on stars of the image.</source>
      <translation>Concordance : %1 étoiles du catalogue tombent sur des étoiles de l'image.</translation>
    </message>
    <message>
      <source>The default settings could not be saved to %1:
%2
The previous file is unchanged.</source>
      <translation>Les valeurs par défaut n'ont pas pu être enregistrées dans %1 :
%2
Le fichier précédent n'a pas été modifié.</translation>
    </message>
    <message>
      <source>Default settings saved to %1</source>
      <translation>Valeurs par défaut enregistrées dans %1</translation>
    </message>
    <message>
      <source>Image loaded: press %1 or %2 to pick five stars.</source>
      <translation>Image chargée : cliquez sur %1 ou sur %2 pour choisir cinq étoiles.</translation>
    </message>
    <message>
      <source>This star is already pick %1: the click is not recorded; pick another star.</source>
      <translation>Cette étoile est déjà l'étoile choisie n° %1 : le clic n'est pas retenu ; choisissez une autre étoile.</translation>
    </message>
    <message>
      <source>Five stars picked: press %1.</source>
      <translation>Cinq étoiles choisies : cliquez sur %1.</translation>
    </message>
    <message>
      <source>%1: CX = %2 and CY = %3</source>
      <translation>%1 : CX = %2 et CY = %3</translation>
    </message>
    <message>
      <source>No identification found: no catalogue stars have the distances of the picks within the tolerance. Check the two correctors, raise the tolerance or pick other stars.</source>
      <translation>Aucune identification trouvée : aucune étoile du catalogue n'a les distances des étoiles choisies à la tolérance près. Vérifiez les deux correcteurs, augmentez la tolérance ou choisissez d'autres étoiles.</translation>
    </message>
    <message numerus="yes">
      <source>No identification found: none of the %n candidate(s) was accepted.</source>
      <translation>
        <numerusform>Aucune identification trouvée : la solution proposée (%n) n'a pas été acceptée.</numerusform>
        <numerusform>Aucune identification trouvée : aucune des %n solutions n'a été acceptée.</numerusform>
      </translation>
    </message>
    <message>
      <source>Catalogue downloaded: press %1 and click five stars, or press %2.</source>
      <translation>Catalogue téléchargé : cliquez sur %1 puis sur cinq étoiles, ou sur %2.</translation>
    </message>
    <message>
      <source>Identified from the stars of the whole image: log-odds %1 against chance.</source>
      <translation>Identifié à partir des étoiles de toute l'image : log-cote %1 contre le hasard.</translation>
    </message>
  </context>
  <context>
    <name>FrmMode</name>
    <message>
      <source>Autonomous mode</source>
      <translation>Mode autonome</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
  </context>
  <context>
    <name>Frmdatabase</name>
    <message>
      <source>Name</source>
      <translation>Nom</translation>
    </message>
    <message>
      <source>MPC - MinorPlanet</source>
      <translation>MPC - Astéroïdes</translation>
    </message>
    <message>
      <source>Deepsky</source>
      <translation>Ciel profond</translation>
    </message>
    <message>
      <source>Old answer: these stars belong to an earlier query; the last download for the typed field failed.</source>
      <translation>Ancienne réponse : ces étoiles viennent d'une requête précédente ; le dernier téléchargement pour le champ saisi a échoué.</translation>
    </message>
    <message>
      <source>Old answer: these minor planets belong to an earlier query, not to the typed field and date.</source>
      <translation>Ancienne réponse : ces astéroïdes viennent d'une requête précédente, pas du champ et de la date saisis.</translation>
    </message>
    <message>
      <source>Catalogue browser</source>
      <translation>Navigateur des catalogues</translation>
    </message>
    <message>
      <source>RA (°)</source>
      <translation>Asd (°)</translation>
    </message>
    <message>
      <source>Dec (°)</source>
      <translation>Déc (°)</translation>
    </message>
    <message>
      <source>Type the field centre and the two correctors in the main window first.</source>
      <translation>Tapez d'abord le centre du champ et les deux correcteurs dans la fenêtre principale.</translation>
    </message>
    <message>
      <source>Mag R</source>
      <translation>Mag. R</translation>
    </message>
    <message>
      <source>Motion ("/h)</source>
      <translation>Mouvement ("/h)</translation>
    </message>
    <message>
      <source>Size (')</source>
      <translation>Taille (')</translation>
    </message>
  </context>
  <context>
    <name>HelpViewer</name>
    <message>
      <source>File not found</source>
      <translation>Fichier introuvable</translation>
    </message>
    <message>
      <source>No program could be started to show the file</source>
      <translation>Aucun programme n'a pu être lancé pour afficher le fichier</translation>
    </message>
  </context>
  <context>
    <name>Identification</name>
    <message>
      <source>No identification: %1 stars of the image and %2 catalogue stars gave %3 triangle pairs of the same shape and scale; %4 were verified, the best at log-odds %5 against chance (%6 needed).</source>
      <translation>Aucune identification : %1 étoiles de l'image et %2 étoiles du catalogue ont donné %3 paires de triangles de même forme et de même échelle ; %4 ont été vérifiées, la meilleure avec une log-cote de %5 contre le hasard (%6 nécessaire).</translation>
    </message>
    <message>
      <source>Identified: %1 of %2 catalogue stars on stars of the image (log-odds %3 against chance); fitted scales %4 and %5 (typed %6 and %7).</source>
      <translation>Identifié : %1 des %2 étoiles du catalogue sur des étoiles de l'image (log-cote %3 contre le hasard) ; correcteurs ajustés %4 et %5 (saisis %6 et %7).</translation>
    </message>
  </context>
  <context>
    <name>IdleIndicator</name>
    <message>
      <source>idle</source>
      <translation>prêt</translation>
    </message>
    <message>
      <source>Busy</source>
      <translation>Occupé</translation>
    </message>
  </context>
  <context>
    <name>ImageFile</name>
    <message>
      <source>the image is %1 × %2 pixels; at most %3 pixels per side and %4 megapixels are accepted</source>
      <translation>l'image fait %1 × %2 pixels ; au plus %3 pixels par côté et %4 mégapixels sont acceptés</translation>
    </message>
    <message>
      <source>%1 × %2 picture</source>
      <translation>image de %1 × %2</translation>
    </message>
    <message>
      <source>the file does not exist</source>
      <translation>le fichier n'existe pas</translation>
    </message>
    <message>
      <source>not a regular file</source>
      <translation>ce n'est pas un fichier ordinaire</translation>
    </message>
    <message>
      <source>not enough memory to show the image</source>
      <translation>mémoire insuffisante pour afficher l'image</translation>
    </message>
  </context>
  <context>
    <name>ImageView</name>
    <message>
      <source>Info</source>
      <translation>Info</translation>
    </message>
  </context>
  <context>
    <name>LanguageFile</name>
    <message>
      <source>%1: the file is empty</source>
      <translation>%1 : le fichier est vide</translation>
    </message>
    <message>
      <source>%1: the file ends before "%2"</source>
      <translation>%1 : le fichier se termine avant « %2 »</translation>
    </message>
    <message>
      <source>%1: too many lines in the %2 section; the surplus is ignored</source>
      <translation>%1 : trop de lignes dans la section %2 ; le surplus est ignoré</translation>
    </message>
  </context>
  <context>
    <name>LocalMinorPlanets</name>
    <message>
      <source>the %1 "%2" is not a whole number</source>
      <translation>%1 « %2 » : ce n'est pas un nombre entier</translation>
    </message>
    <message>
      <source>day</source>
      <translation>jour</translation>
    </message>
    <message>
      <source>month</source>
      <translation>mois</translation>
    </message>
    <message>
      <source>year</source>
      <translation>année</translation>
    </message>
    <message>
      <source>hour</source>
      <translation>heure</translation>
    </message>
    <message>
      <source>minute</source>
      <translation>minute</translation>
    </message>
    <message>
      <source>%1-%2-%3 %4:%5 is not a date and time</source>
      <translation>%1-%2-%3 %4:%5 n'est pas une date et une heure</translation>
    </message>
    <message>
      <source>the %1 "%2" is not a number</source>
      <translation>%1 « %2 » : ce n'est pas un nombre</translation>
    </message>
    <message>
      <source>the centre %1 %2 %3, %4%5 %6 %7 is not a place in the sky</source>
      <translation>le centre %1 %2 %3, %4%5 %6 %7 n'est pas une position du ciel</translation>
    </message>
    <message>
      <source>the radius "%1" is not a number of arc-minutes from 0 to %2</source>
      <translation>le rayon « %1 » n'est pas un nombre de minutes d'arc entre 0 et %2</translation>
    </message>
    <message>
      <source>the magnitude limit "%1" is not a number</source>
      <translation>la magnitude limite « %1 » n'est pas un nombre</translation>
    </message>
    <message>
      <source>%1: %2</source>
      <translation>%1 : %2</translation>
    </message>
    <message>
      <source>%1: %2 record(s) left out; first: %3</source>
      <translation>%1 : %2 enregistrement(s) écarté(s) ; premier : %3</translation>
    </message>
    <message>
      <source>%1 minor planets found; only the %2 nearest are listed</source>
      <translation>%1 astéroïdes trouvés ; seuls les %2 plus proches sont listés</translation>
    </message>
    <message>
      <source>%1 minor planet(s) computed from %2 orbits of %3</source>
      <translation>%1 astéroïde(s) calculé(s) à partir de %2 orbites de %3</translation>
    </message>
    <message>
      <source>another element file is still being read</source>
      <translation>un autre fichier d'éléments est encore en lecture</translation>
    </message>
  </context>
  <context>
    <name>LocalStars</name>
    <message>
      <source>not a FITS file</source>
      <translation>ce n'est pas un fichier FITS</translation>
    </message>
    <message>
      <source>the file is cut short</source>
      <translation>le fichier est tronqué</translation>
    </message>
    <message>
      <source>damaged FITS file (%1)</source>
      <translation>fichier FITS endommagé (%1)</translation>
    </message>
    <message>
      <source>holds no star tree</source>
      <translation>ne contient pas d'arbre d'étoiles</translation>
    </message>
    <message>
      <source>cannot be read</source>
      <translation>illisible</translation>
    </message>
    <message>
      <source>the right ascension "%1" is not H+M+S</source>
      <translation>l'ascension droite « %1 » n'est pas de la forme H+M+S</translation>
    </message>
    <message>
      <source>the declination "%1" is not D+M+S</source>
      <translation>la déclinaison « %1 » n'est pas de la forme D+M+S</translation>
    </message>
    <message>
      <source>the search radius "%1" is not a positive number</source>
      <translation>le rayon de recherche « %1 » n'est pas un nombre positif</translation>
    </message>
    <message>
      <source>the magnitude limit "%1" is not a number</source>
      <translation>la magnitude limite « %1 » n'est pas un nombre</translation>
    </message>
    <message>
      <source>the row limit "%1" is not a whole number</source>
      <translation>la limite de lignes « %1 » n'est pas un nombre entier</translation>
    </message>
    <message>
      <source>Local star catalogue: no star index file in %1</source>
      <translation>Catalogue d'étoiles local : aucun fichier d'index d'étoiles dans %1</translation>
    </message>
    <message>
      <source> (not used: %1)</source>
      <translation> (non utilisés : %1)</translation>
    </message>
    <message>
      <source>Local star catalogue: no index file in %1 covers the field at %2 %3</source>
      <translation>Catalogue d'étoiles local : aucun fichier d'index de %1 ne couvre le champ en %2 %3</translation>
    </message>
    <message>
      <source>Source: local star catalogue, astrometry.net index files in %1 (%2). R is the V magnitude of the files (Tycho V_T), B their blue magnitude where they have one; identifiers are made from the positions.</source>
      <translation>Source : catalogue d'étoiles local, fichiers d'index astrometry.net dans %1 (%2). R est la magnitude V des fichiers (V_T de Tycho), B leur magnitude bleue quand ils en ont une ; les identifiants sont formés à partir des positions.</translation>
    </message>
    <message numerus="yes">
      <source>Local star catalogue: %n star(s) from %1</source>
      <translation>
        <numerusform>Catalogue d'étoiles local : %n étoile issue de %1</numerusform>
        <numerusform>Catalogue d'étoiles local : %n étoiles issues de %1</numerusform>
      </translation>
    </message>
    <message>
      <source>%1 index files in %2</source>
      <translation>%1 fichiers d'index dans %2</translation>
    </message>
    <message>
      <source>not a number in %1 ("%2")</source>
      <translation>pas un nombre dans %1 (« %2 »)</translation>
    </message>
    <message>
      <source>damaged star tree (%1)</source>
      <translation>arbre d'étoiles endommagé (%1)</translation>
    </message>
    <message>
      <source>the star tree lacks %1</source>
      <translation>il manque %1 à l'arbre d'étoiles</translation>
    </message>
    <message>
      <source>the star tree's table %1 cannot be read</source>
      <translation>la table %1 de l'arbre d'étoiles ne peut pas être lue</translation>
    </message>
  </context>
  <context>
    <name>MainMenu</name>
    <message>
      <source>Internet problems</source>
      <translation>Problèmes Internet</translation>
    </message>
    <message>
      <source>Database</source>
      <translation>Base de données</translation>
    </message>
    <message>
      <source>Help</source>
      <translation>Aide</translation>
    </message>
    <message>
      <source>Export WCS…</source>
      <translation>Exporter le WCS…</translation>
    </message>
    <message>
      <source>Report position…</source>
      <translation>Signaler une position…</translation>
    </message>
    <message>
      <source>The last point clicked on the solved image as an observation line for the Minor Planet Center</source>
      <translation>Le dernier point cliqué sur l'image résolue, comme ligne d'observation pour le Minor Planet Center</translation>
    </message>
    <message>
      <source>Download minor-planet elements…</source>
      <translation>Télécharger les éléments des astéroïdes…</translation>
    </message>
    <message>
      <source>Solve without position…</source>
      <translation>Résoudre sans position…</translation>
    </message>
    <message>
      <source>Typed scales known (±10 %) for the solve without position</source>
      <translation>Échelles saisies connues (±10 %) pour la résolution sans position</translation>
    </message>
  </context>
  <context>
    <name>MessagePanel</name>
    <message>
      <source>%1: %2 bytes received</source>
      <translation>%1 : %2 octets reçus</translation>
    </message>
    <message>
      <source>Cancel download</source>
      <translation>Annuler le téléchargement</translation>
    </message>
    <message>
      <source>Stop the running download; the previous answer is kept</source>
      <translation>Arrête le téléchargement en cours ; la réponse précédente est gardée</translation>
    </message>
    <message>
      <source>Info:</source>
      <translation>Info :</translation>
    </message>
  </context>
  <context>
    <name>MinorPlanetCommands</name>
    <message>
      <source>No address is set for the element file: give one as minor_planet_elements_url in sites.cfg of the program folder.</source>
      <translation>Aucune adresse n'est indiquée pour le fichier d'éléments : donnez-la dans minor_planet_elements_url du fichier sites.cfg du répertoire du programme.</translation>
    </message>
    <message>
      <source>Download the minor-planet elements from
%1
and unpack them to %2 in the program folder?
The file is large: some 70 MB to download, about 300 MB once unpacked.</source>
      <translation>Télécharger les éléments des astéroïdes depuis
%1
et les décompresser dans %2 du répertoire du programme ?
Le fichier est gros : environ 70 Mo à télécharger, environ 300 Mo une fois décompressé.</translation>
    </message>
    <message>
      <source>Minor-planet elements</source>
      <translation>Éléments des astéroïdes</translation>
    </message>
    <message>
      <source>Downloading the minor-planet elements from %1</source>
      <translation>Téléchargement des éléments des astéroïdes depuis %1</translation>
    </message>
    <message>
      <source>The minor-planet elements were not downloaded: %1
The files of the program folder are unchanged.</source>
      <translation>Les éléments des astéroïdes n'ont pas été téléchargés : %1
Les fichiers du répertoire du programme n'ont pas été modifiés.</translation>
    </message>
    <message>
      <source>Compute the minor planets of the field from %1 for the rest of this session?
(To keep this choice, set minor_planet_source=local and minor_planet_elements=%1 in sites.cfg.)</source>
      <translation>Calculer les astéroïdes du champ à partir de %1 pour le reste de cette session ?
(Pour garder ce choix, indiquez minor_planet_source=local et minor_planet_elements=%1 dans sites.cfg.)</translation>
    </message>
    <message>
      <source>Minor planets: computed from %1</source>
      <translation>Astéroïdes : calculés à partir de %1</translation>
    </message>
    <message>
      <source>Click the object on the image first, then choose this command.</source>
      <translation>Cliquez d'abord sur l'objet dans l'image, puis choisissez cette commande.</translation>
    </message>
    <message>
      <source>Added to %1: %2</source>
      <translation>Ajouté à %1 : %2</translation>
    </message>
    <message>
      <source>The observatory code could not be stored in the options file</source>
      <translation>Le code d'observatoire n'a pas pu être enregistré dans le fichier d'options</translation>
    </message>
    <message>
      <source>There is no plate to measure with yet: accept an identification with "%1" first, then click the object on the image.</source>
      <translation>Il n'y a pas encore de plaque pour mesurer : acceptez d'abord une identification avec « %1 », puis cliquez l'objet sur l'image.</translation>
    </message>
    <message>
      <source>%1: unpacking, %2 % done</source>
      <translation>%1 : décompression, %2 % faits</translation>
    </message>
  </context>
  <context>
    <name>MinorPlanets</name>
    <message>
      <source>day</source>
      <translation>jour</translation>
    </message>
    <message>
      <source>hour</source>
      <translation>heure</translation>
    </message>
    <message>
      <source>minute</source>
      <translation>minute</translation>
    </message>
    <message>
      <source>Minor planets: the answer file could not be read (%1); no minor planet is shown</source>
      <translation>Astéroïdes : le fichier de réponse n'a pas pu être lu (%1) ; aucun astéroïde n'est affiché</translation>
    </message>
    <message>
      <source>Minor planets: the service's answer holds no table (an error page?); no minor planet is shown</source>
      <translation>Astéroïdes : la réponse du service ne contient pas de table (page d'erreur ?) ; aucun astéroïde n'est affiché</translation>
    </message>
    <message>
      <source>Minor planets: the answer is too long; only its first %1 lines were read</source>
      <translation>Astéroïdes : la réponse est trop longue ; seules ses %1 premières lignes ont été lues</translation>
    </message>
    <message>
      <source>Minor planets: the table has more than %1 rows; only the first %1 were read</source>
      <translation>Astéroïdes : la table a plus de %1 lignes ; seules les %1 premières ont été lues</translation>
    </message>
  </context>
  <context>
    <name>MpcReport</name>
    <message>
      <source>"%1" is not a minor-planet number, a provisional designation or a temporary designation of up to 7 letters and digits</source>
      <translation>« %1 » n'est ni un numéro d'astéroïde, ni une désignation provisoire, ni une désignation temporaire de 7 lettres et chiffres au plus</translation>
    </message>
    <message>
      <source>the observatory code "%1" is not 3 characters</source>
      <translation>le code d'observatoire « %1 » ne fait pas 3 caractères</translation>
    </message>
    <message>
      <source>%1-%2-%3 %4:%5 is not a date and time</source>
      <translation>%1-%2-%3 %4:%5 n'est pas une date et une heure</translation>
    </message>
    <message>
      <source>the position is not a place in the sky</source>
      <translation>la position n'est pas une position du ciel</translation>
    </message>
  </context>
  <context>
    <name>OrbitFile</name>
    <message>
      <source>%1 %2: %3</source>
      <translation>%1 %2 : %3</translation>
    </message>
    <message>
      <source>line</source>
      <translation>ligne</translation>
    </message>
    <message>
      <source>the file is empty</source>
      <translation>le fichier est vide</translation>
    </message>
    <message>
      <source>no orbit could be read: it is not an element file in the MPCORB format</source>
      <translation>aucune orbite n'a pu être lue : ce n'est pas un fichier d'éléments au format MPCORB</translation>
    </message>
    <message>
      <source>too short for an orbit (%1 characters; cut short?)</source>
      <translation>trop court pour une orbite (%1 caractères ; tronqué ?)</translation>
    </message>
    <message>
      <source>no designation in columns 1-7</source>
      <translation>pas de désignation dans les colonnes 1-7</translation>
    </message>
    <message>
      <source>H (columns 9-13) is not a number</source>
      <translation>H (colonnes 9-13) n'est pas un nombre</translation>
    </message>
    <message>
      <source>G (columns 15-19) is not a number</source>
      <translation>G (colonnes 15-19) n'est pas un nombre</translation>
    </message>
    <message>
      <source>the epoch "%1" (columns 21-25) is not a packed date</source>
      <translation>l'époque « %1 » (colonnes 21-25) n'est pas une date compactée</translation>
    </message>
    <message>
      <source>the mean anomaly (columns 27-35)</source>
      <translation>l'anomalie moyenne (colonnes 27-35)</translation>
    </message>
    <message>
      <source>the argument of perihelion (columns 38-46)</source>
      <translation>l'argument du périhélie (colonnes 38-46)</translation>
    </message>
    <message>
      <source>the node (columns 49-57)</source>
      <translation>le nœud (colonnes 49-57)</translation>
    </message>
    <message>
      <source>the inclination (columns 60-68)</source>
      <translation>l'inclinaison (colonnes 60-68)</translation>
    </message>
    <message>
      <source>the eccentricity (columns 71-79)</source>
      <translation>l'excentricité (colonnes 71-79)</translation>
    </message>
    <message>
      <source>the mean daily motion (columns 81-91)</source>
      <translation>le moyen mouvement quotidien (colonnes 81-91)</translation>
    </message>
    <message>
      <source>the semi-major axis (columns 93-103)</source>
      <translation>le demi-grand axe (colonnes 93-103)</translation>
    </message>
    <message>
      <source>%1 is not a number</source>
      <translation>%1 : ce n'est pas un nombre</translation>
    </message>
    <message>
      <source>the inclination %1 is outside 0-180 degrees</source>
      <translation>l'inclinaison %1 est hors de 0-180 degrés</translation>
    </message>
    <message>
      <source>the elements describe no orbit (e = %1, a = %2)</source>
      <translation>les éléments ne décrivent aucune orbite (e = %1, a = %2)</translation>
    </message>
    <message>
      <source>the decompressor cannot start</source>
      <translation>le décompresseur ne peut pas démarrer</translation>
    </message>
    <message>
      <source>the compressed file is cut short</source>
      <translation>le fichier compressé est tronqué</translation>
    </message>
    <message>
      <source>the compressed data is damaged (%1)</source>
      <translation>les données compressées sont endommagées (%1)</translation>
    </message>
    <message>
      <source>not a valid JSON document (%1 at byte %2; cut short?)</source>
      <translation>ce n'est pas un document JSON valide (%1 à l'octet %2 ; tronqué ?)</translation>
    </message>
    <message>
      <source>the JSON document has no element table ("fields" must name full_name, epoch_mjd, e, a or q, i, om, w and ma)</source>
      <translation>le document JSON n'a pas de table d'éléments (« fields » doit nommer full_name, epoch_mjd, e, a ou q, i, om, w et ma)</translation>
    </message>
    <message>
      <source>row</source>
      <translation>ligne</translation>
    </message>
    <message>
      <source>row without a name</source>
      <translation>ligne sans nom</translation>
    </message>
    <message>
      <source>%1: incomplete or impossible elements</source>
      <translation>%1 : éléments incomplets ou impossibles</translation>
    </message>
    <message>
      <source>the JSON element table has no rows</source>
      <translation>la table d'éléments JSON n'a aucune ligne</translation>
    </message>
    <message>
      <source>no row of the JSON element table could be read</source>
      <translation>aucune ligne de la table d'éléments JSON n'a pu être lue</translation>
    </message>
    <message>
      <source>%1 is not a gzip file</source>
      <translation>%1 n'est pas un fichier gzip</translation>
    </message>
    <message>
      <source>longer than %1 characters: not a record</source>
      <translation>plus de %1 caractères : pas un enregistrement</translation>
    </message>
    <message>
      <source>no orbit in the first %1 bytes: it is not an element file</source>
      <translation>aucune orbite dans les %1 premiers octets : ce n'est pas un fichier d'éléments</translation>
    </message>
    <message>
      <source>more than %1 bytes of text: too large for an element file</source>
      <translation>plus de %1 octets de texte : trop grand pour un fichier d'éléments</translation>
    </message>
    <message>
      <source>no such file</source>
      <translation>fichier introuvable</translation>
    </message>
    <message>
      <source>not an ordinary file (a device, a pipe or a folder)</source>
      <translation>ce n'est pas un fichier ordinaire (un périphérique, un tube ou un dossier)</translation>
    </message>
    <message>
      <source>larger than the %1 bytes an element file may hold</source>
      <translation>plus grand que les %1 octets permis à un fichier d'éléments</translation>
    </message>
    <message>
      <source>the file cannot be read</source>
      <translation>le fichier ne peut pas être lu</translation>
    </message>
    <message>
      <source>the reading was cancelled</source>
      <translation>la lecture a été annulée</translation>
    </message>
    <message>
      <source>the unpacking was cancelled</source>
      <translation>la décompression a été annulée</translation>
    </message>
    <message>
      <source>the unpacked file is not in the MPCORB format</source>
      <translation>le fichier décompressé n'est pas au format MPCORB</translation>
    </message>
    <message>
      <source>only %1 of %2 records read as orbits: it is not an element file</source>
      <translation>seuls %1 enregistrements sur %2 se lisent comme des orbites : ce n'est pas un fichier d'éléments</translation>
    </message>
  </context>
  <context>
    <name>Overlay</name>
    <message>
      <source>%1   MagR-B=%2 %3   Ra:%4   Dec:%5  (J2000.0)</source>
      <translation>%1   Mag R-B =%2 %3   Asd : %4   Déc : %5  (J2000.0)</translation>
    </message>
  </context>
  <context>
    <name>PlateInUse</name>
    <message>
      <source>Plate in use: refined TAN plate</source>
      <translation>Plaque utilisée : plaque TAN affinée</translation>
    </message>
    <message>
      <source>Plate in use: refined TAN plate, %1 of %2 stars, rms %3 px (%4"), max %5 px</source>
      <translation>Plaque utilisée : plaque TAN affinée, %1 étoiles sur %2, écart quadratique %3 px (%4"), max %5 px</translation>
    </message>
    <message>
      <source>Plate in use: none (no identification accepted)</source>
      <translation>Plaque utilisée : aucune (aucune solution acceptée)</translation>
    </message>
    <message>
      <source>Plate in use: three-star model (only %1 catalogue stars have a star found near them; 6 are needed to refine)</source>
      <translation>Plaque utilisée : modèle à trois étoiles (seules %1 étoiles du catalogue ont une étoile trouvée à proximité ; il en faut 6 pour affiner)</translation>
    </message>
    <message>
      <source>Plate in use: three-star model (no refined plate could be fitted)</source>
      <translation>Plaque utilisée : modèle à trois étoiles (aucune plaque affinée n'a pu être ajustée)</translation>
    </message>
    <message>
      <source>Plate in use: three-star model</source>
      <translation>Plaque utilisée : modèle à trois étoiles</translation>
    </message>
    <message>
      <source>Plate in use: refined TAN plate with distortion</source>
      <translation>Plaque utilisée : plaque TAN affinée avec distorsion</translation>
    </message>
    <message>
      <source>Plate in use: refined TAN plate with distortion, %1 of %2 stars, rms %3 px (%4"), max %5 px</source>
      <translation>Plaque utilisée : plaque TAN affinée avec distorsion, %1 étoiles sur %2, écart quadratique %3 px (%4"), max %5 px</translation>
    </message>
  </context>
  <context>
    <name>QAbstractFileIconProvider</name>
    <message>
      <source>Folder</source>
      <comment>All other platforms</comment>
      <translation>Dossier</translation>
    </message>
    <message>
      <source>Drive</source>
      <translation>Lecteur</translation>
    </message>
    <message>
      <source>Unknown</source>
      <translation>Inconnu</translation>
    </message>
  </context>
  <context>
    <name>QueryMpcChecker</name>
    <message>
      <source>the minor-planet site is blocked</source>
      <translation>le site des astéroïdes est bloqué</translation>
    </message>
    <message>
      <source>the service's answer held no minor-planet table (an error page, or no object found)</source>
      <translation>la réponse du service ne contenait aucune table d'astéroïdes (page d'erreur, ou aucun objet trouvé)</translation>
    </message>
    <message>
      <source>Local minor planets: %1; no answer</source>
      <translation>Astéroïdes calculés localement : %1 ; pas de réponse</translation>
    </message>
  </context>
  <context>
    <name>QueryUsnoA2</name>
    <message>
      <source>the star site is blocked</source>
      <translation>le site des étoiles est bloqué</translation>
    </message>
    <message>
      <source>the server's answer held no star table</source>
      <translation>la réponse du serveur ne contenait aucune table d'étoiles</translation>
    </message>
    <message>
      <source>Local star catalogue: %1</source>
      <translation>Catalogue d'étoiles local : %1</translation>
    </message>
    <message>
      <source>data: %1</source>
      <translation>data : %1</translation>
    </message>
  </context>
  <context>
    <name>ReferenceStars</name>
    <message>
      <source>Type mismatch: calibration box %1 ("%2") does not hold a number that can be used.</source>
      <translation>Type incompatible : la case d'étalonnage %1 (« %2 ») ne contient pas un nombre utilisable.</translation>
    </message>
    <message>
      <source>The three reference stars are already recorded. Start the calibration again from the menu to measure new scales.</source>
      <translation>Les trois étoiles de référence sont déjà enregistrées. Relancez l'étalonnage depuis le menu pour mesurer de nouvelles échelles.</translation>
    </message>
    <message>
      <source>Overflow: the pixel positions of the reference stars are too far apart.</source>
      <translation>Dépassement : les positions en pixels des étoiles de référence sont trop éloignées.</translation>
    </message>
    <message>
      <source>Division by zero: the sky positions of the three reference stars give no solution (two stars at the same position, or stars lined up).</source>
      <translation>Division par zéro : les positions sur le ciel des trois étoiles de référence ne donnent pas de solution (deux étoiles au même endroit, ou étoiles alignées).</translation>
    </message>
    <message>
      <source>Overflow: the reference star positions give no usable scale.</source>
      <translation>Dépassement : les positions des étoiles de référence ne donnent pas d'échelle utilisable.</translation>
    </message>
    <message>
      <source>Invalid square root: the pixel and sky positions of the reference stars are inconsistent (negative %1 scale squared).</source>
      <translation>Racine carrée impossible : les positions en pixels et sur le ciel des étoiles de référence sont incohérentes (carré de l'échelle en %1 négatif).</translation>
    </message>
    <message>
      <source>right-ascension</source>
      <translation>ascension droite</translation>
    </message>
    <message>
      <source>declination</source>
      <translation>déclinaison</translation>
    </message>
  </context>
  <context>
    <name>ReportPosition</name>
    <message>
      <source>day</source>
      <translation>jour</translation>
    </message>
    <message>
      <source>month</source>
      <translation>mois</translation>
    </message>
    <message>
      <source>year</source>
      <translation>année</translation>
    </message>
    <message>
      <source>hour</source>
      <translation>heure</translation>
    </message>
    <message>
      <source>minute</source>
      <translation>minute</translation>
    </message>
    <message>
      <source>the %1 "%2" of the date fields is not a whole number</source>
      <translation>%1 « %2 » des champs de date : ce n'est pas un nombre entier</translation>
    </message>
    <message>
      <source>the magnitude "%1" is not a number from -99.9 to 99.9</source>
      <translation>la magnitude « %1 » n'est pas un nombre entre -99,9 et 99,9</translation>
    </message>
    <message>
      <source>the band "%1" is not one letter</source>
      <translation>la bande « %1 » n'est pas une seule lettre</translation>
    </message>
  </context>
  <context>
    <name>ReportPositionDialog</name>
    <message>
      <source>Report position</source>
      <translation>Signaler une position</translation>
    </message>
    <message>
      <source>refined plate</source>
      <translation>plaque affinée</translation>
    </message>
    <message>
      <source>three-star model</source>
      <translation>modèle à trois étoiles</translation>
    </message>
    <message>
      <source>Image point %1, %2 (%3)</source>
      <translation>Point de l'image %1, %2 (%3)</translation>
    </message>
    <message>
      <source>Image point %1, %2, the brightest spot near the click at %3, %4 (%5)</source>
      <translation>Point de l'image %1, %2, point le plus brillant près du clic en %3, %4 (%5)</translation>
    </message>
    <message>
      <source>A number (433), a provisional designation (2022 HK5), a packed form, or your own temporary designation of up to 7 letters and digits</source>
      <translation>Un numéro (433), une désignation provisoire (2022 HK5), une forme compactée, ou votre propre désignation temporaire de 7 lettres et chiffres au plus</translation>
    </message>
    <message>
      <source>Nearest minor planet on the map: %1 (%2), %3′ away</source>
      <translation>Astéroïde le plus proche sur la carte : %1 (%2), à %3′</translation>
    </message>
    <message>
      <source>No minor planet on the map</source>
      <translation>Aucun astéroïde sur la carte</translation>
    </message>
    <message>
      <source>The minor-planet date fields: the middle of the exposure</source>
      <translation>Les champs de date des astéroïdes : le milieu de la pose</translation>
    </message>
    <message>
      <source>Optional; leave empty when not measured</source>
      <translation>Facultatif ; laissez vide si elle n'a pas été mesurée</translation>
    </message>
    <message>
      <source>Band:</source>
      <translation>Bande :</translation>
    </message>
    <message>
      <source>Your observatory code of the Minor Planet Center; 500 stands for the centre of the Earth</source>
      <translation>Votre code d'observatoire du Minor Planet Center ; 500 désigne le centre de la Terre</translation>
    </message>
    <message>
      <source>Designation:</source>
      <translation>Désignation :</translation>
    </message>
    <message>
      <source>Date:</source>
      <translation>Date :</translation>
    </message>
    <message>
      <source>Magnitude:</source>
      <translation>Magnitude :</translation>
    </message>
    <message>
      <source>Observatory code:</source>
      <translation>Code d'observatoire :</translation>
    </message>
    <message>
      <source>Line:</source>
      <translation>Ligne :</translation>
    </message>
    <message>
      <source>Append to the report</source>
      <translation>Ajouter au rapport</translation>
    </message>
    <message>
      <source>Copy the report</source>
      <translation>Copier le rapport</translation>
    </message>
    <message>
      <source>Close</source>
      <translation>Fermer</translation>
    </message>
    <message>
      <source>Report file %1:</source>
      <translation>Fichier de rapport %1 :</translation>
    </message>
    <message>
      <source>The line could not be added to %1: %2</source>
      <translation>La ligne n'a pas pu être ajoutée à %1 : %2</translation>
    </message>
  </context>
  <context>
    <name>SolveCommands</name>
    <message>
      <source>The first three picked stars lie on one straight line, so no plate model can be computed. Pick other stars.</source>
      <translation>Les trois premières étoiles choisies sont alignées : aucun modèle de plaque ne peut être calculé. Choisissez d'autres étoiles.</translation>
    </message>
    <message>
      <source>%1+ candidates: the search stopped when its table was full.</source>
      <translation>%1+ solutions : la recherche s'est arrêtée, sa table étant pleine.</translation>
    </message>
    <message>
      <source>Five stars picked among the %1 found on the image.</source>
      <translation>Cinq étoiles choisies parmi les %1 trouvées sur l'image.</translation>
    </message>
    <message>
      <source>The plate in use cannot be written as a WCS header.</source>
      <translation>La plaque utilisée ne peut pas être écrite comme en-tête WCS.</translation>
    </message>
    <message>
      <source>Export WCS</source>
      <translation>Exporter le WCS</translation>
    </message>
    <message>
      <source>WCS header (*.wcs)</source>
      <translation>En-tête WCS (*.wcs)</translation>
    </message>
    <message>
      <source>The WCS header could not be written to %1: %2</source>
      <translation>L'en-tête WCS n'a pas pu être écrit dans %1 : %2</translation>
    </message>
    <message>
      <source>WCS header written: %1 (%2)</source>
      <translation>En-tête WCS écrit : %1 (%2)</translation>
    </message>
    <message>
      <source>refined plate</source>
      <translation>plaque affinée</translation>
    </message>
    <message>
      <source>three-star model</source>
      <translation>modèle à trois étoiles</translation>
    </message>
    <message>
      <source>There is no plate to export yet: accept an identification with "%1" first.</source>
      <translation>Il n'y a pas encore de plaque à exporter : acceptez d'abord une identification avec « %1 ».</translation>
    </message>
    <message>
      <source>%1 (%2 stars found on the image, %3 catalogue stars in use.) Pick five stars with "2-Stars".</source>
      <translation>%1 (%2 étoiles trouvées sur l'image, %3 étoiles du catalogue utilisées.) Choisissez cinq étoiles avec « 2-Etoiles ».</translation>
    </message>
  </context>
  <context>
    <name>SolvePanel</name>
    <message>
      <source>Plate</source>
      <translation>Plaque</translation>
    </message>
    <message>
      <source>Star</source>
      <translation>Étoile</translation>
    </message>
    <message>
      <source>dx (px)</source>
      <translation>dx (px)</translation>
    </message>
    <message>
      <source>dy (px)</source>
      <translation>dy (px)</translation>
    </message>
    <message>
      <source>dx (")</source>
      <translation>dx (")</translation>
    </message>
    <message>
      <source>dy (")</source>
      <translation>dy (")</translation>
    </message>
    <message>
      <source>Fit</source>
      <translation>Ajustement</translation>
    </message>
    <message>
      <source>used</source>
      <translation>utilisée</translation>
    </message>
    <message>
      <source>rejected</source>
      <translation>rejetée</translation>
    </message>
  </context>
  <context>
    <name>StarReader</name>
    <message>
      <source>the last download failed, so the star answer on disk belongs to another field; no star is read until a download succeeds</source>
      <translation>le dernier téléchargement a échoué : la réponse sur le disque appartient à un autre champ ; aucune étoile n'est lue avant un téléchargement réussi</translation>
    </message>
  </context>
  <context>
    <name>StoredControls</name>
    <message>
      <source>%1: the file ends after line %2; line %3 (%4) is missing.</source>
      <translation>%1 : le fichier se termine après la ligne %2 ; la ligne %3 (%4) manque.</translation>
    </message>
    <message>
      <source>%1, line %2: "%3" is not a check-box state (0, 1 or 2).</source>
      <translation>%1, ligne %2 : « %3 » n'est pas un état de case à cocher (0, 1 ou 2).</translation>
    </message>
  </context>
  <context>
    <name>ToolTips</name>
    <message>
      <source>Fetches the catalogue stars around the typed centre</source>
      <translation>Récupère les étoiles du catalogue autour du centre indiqué</translation>
    </message>
    <message>
      <source>Starts the picking: click five well separated stars on the image</source>
      <translation>Lance la sélection : cliquez cinq étoiles bien séparées sur l'image</translation>
    </message>
    <message>
      <source>Searches the catalogue stars that match the five picks and offers each candidate</source>
      <translation>Cherche les étoiles du catalogue qui correspondent aux cinq étoiles choisies et propose chaque solution</translation>
    </message>
    <message>
      <source>Once a plate is accepted: draws the deeper catalogue, the minor planets and the NGC/IC objects</source>
      <translation>Une fois une plaque acceptée : trace le catalogue plus profond, les astéroïdes et les objets NGC/IC</translation>
    </message>
    <message>
      <source>Right ascension of the field centre: hours (0 to 24)</source>
      <translation>Ascension droite du centre du champ : heures (0 à 24)</translation>
    </message>
    <message>
      <source>Right ascension of the field centre: minutes</source>
      <translation>Ascension droite du centre du champ : minutes</translation>
    </message>
    <message>
      <source>Right ascension of the field centre: seconds</source>
      <translation>Ascension droite du centre du champ : secondes</translation>
    </message>
    <message>
      <source>Declination of the field centre: degrees (0 to 90)</source>
      <translation>Déclinaison du centre du champ : degrés (0 à 90)</translation>
    </message>
    <message>
      <source>Declination of the field centre: minutes of arc</source>
      <translation>Déclinaison du centre du champ : minutes d'arc</translation>
    </message>
    <message>
      <source>Declination of the field centre: seconds of arc</source>
      <translation>Déclinaison du centre du champ : secondes d'arc</translation>
    </message>
    <message>
      <source>South of the celestial equator</source>
      <translation>Au sud de l'équateur céleste</translation>
    </message>
    <message>
      <source>North of the celestial equator</source>
      <translation>Au nord de l'équateur céleste</translation>
    </message>
    <message>
      <source>The equinox of the typed coordinates, in years (2000.0 for J2000)</source>
      <translation>L'équinoxe des coordonnées indiquées, en années (2000.0 pour J2000)</translation>
    </message>
    <message>
      <source>The radius of the catalogue query, in arcminutes (above 0, up to 1200)</source>
      <translation>Le rayon de la demande au catalogue, en minutes d'arc (plus de 0, jusqu'à 1200)</translation>
    </message>
    <message>
      <source>The faintest magnitude of the stars fetched for the search</source>
      <translation>La magnitude la plus faible des étoiles récupérées pour la recherche</translation>
    </message>
    <message>
      <source>The faintest magnitude of the stars of the full map</source>
      <translation>La magnitude la plus faible des étoiles de la carte complète</translation>
    </message>
    <message>
      <source>The image file: a picture or a FITS file</source>
      <translation>Le fichier de l'image : une image ou un fichier FITS</translation>
    </message>
    <message>
      <source>Loads the image named in the box</source>
      <translation>Charge l'image indiquée dans la case</translation>
    </message>
    <message>
      <source>Reloads the image whenever its file is rewritten (a camera saving into the same file)</source>
      <translation>Recharge l'image chaque fois que son fichier est réécrit (une caméra qui enregistre dans le même fichier)</translation>
    </message>
    <message>
      <source>How far, in pixels, a distance between picks may differ from the catalogue's</source>
      <translation>L'écart permis, en pixels, entre une distance des étoiles choisies et celle du catalogue</translation>
    </message>
    <message>
      <source>The scale along right ascension, in pixels per degree</source>
      <translation>L'échelle en ascension droite, en pixels par degré</translation>
    </message>
    <message>
      <source>The scale along declination, in pixels per degree</source>
      <translation>L'échelle en déclinaison, en pixels par degré</translation>
    </message>
    <message>
      <source>Takes the two scales of one of the optical configurations</source>
      <translation>Reprend les deux échelles de l'une des configurations optiques</translation>
    </message>
    <message>
      <source>Each pick moves to the brightest spot within 3 pixels of the click</source>
      <translation>Chaque étoile choisie va sur le point le plus brillant à moins de 3 pixels du clic</translation>
    </message>
    <message>
      <source>Skips the candidates that put the typed centre off the image</source>
      <translation>Écarte les solutions qui placent le centre indiqué hors de l'image</translation>
    </message>
    <message>
      <source>Offers only the candidates whose catalogue stars fall on the picks</source>
      <translation>Ne propose que les solutions dont les étoiles du catalogue tombent sur les étoiles choisies</translation>
    </message>
    <message>
      <source>The decision threshold: how close, in pixels, a catalogue star must fall to a pick</source>
      <translation>Le seuil de décision : la distance en pixels à laquelle une étoile du catalogue doit tomber d'une étoile choisie</translation>
    </message>
    <message>
      <source>At each full map, asks whether to fetch the minor planets of the field for the date below</source>
      <translation>À chaque carte complète, demande s'il faut récupérer les astéroïdes du champ pour la date ci-dessous</translation>
    </message>
    <message>
      <source>The faintest magnitude of the minor planets</source>
      <translation>La magnitude la plus faible des astéroïdes</translation>
    </message>
    <message>
      <source>The radius of the minor-planet query, in arcminutes</source>
      <translation>Le rayon de la demande d'astéroïdes, en minutes d'arc</translation>
    </message>
    <message>
      <source>Day of the middle of the exposure (UTC)</source>
      <translation>Jour du milieu de la pose (UTC)</translation>
    </message>
    <message>
      <source>Month of the middle of the exposure (UTC)</source>
      <translation>Mois du milieu de la pose (UTC)</translation>
    </message>
    <message>
      <source>Year of the middle of the exposure (UTC)</source>
      <translation>Année du milieu de la pose (UTC)</translation>
    </message>
    <message>
      <source>Hour of the middle of the exposure (UTC)</source>
      <translation>Heure du milieu de la pose (UTC)</translation>
    </message>
    <message>
      <source>Minute of the middle of the exposure (UTC)</source>
      <translation>Minute du milieu de la pose (UTC)</translation>
    </message>
    <message>
      <source>Draws the NGC/IC objects over each candidate offered</source>
      <translation>Trace les objets NGC/IC sur chaque solution proposée</translation>
    </message>
    <message>
      <source>Draws the NGC/IC objects on the full map</source>
      <translation>Trace les objets NGC/IC sur la carte complète</translation>
    </message>
    <message>
      <source>The picked reference star: column, in pixels</source>
      <translation>L'étoile de référence choisie : colonne, en pixels</translation>
    </message>
    <message>
      <source>The picked reference star: row, in pixels</source>
      <translation>L'étoile de référence choisie : ligne, en pixels</translation>
    </message>
    <message>
      <source>Right ascension of the reference star: hours</source>
      <translation>Ascension droite de l'étoile de référence : heures</translation>
    </message>
    <message>
      <source>Right ascension of the reference star: minutes</source>
      <translation>Ascension droite de l'étoile de référence : minutes</translation>
    </message>
    <message>
      <source>Right ascension of the reference star: seconds</source>
      <translation>Ascension droite de l'étoile de référence : secondes</translation>
    </message>
    <message>
      <source>Declination of the reference star: degrees</source>
      <translation>Déclinaison de l'étoile de référence : degrés</translation>
    </message>
    <message>
      <source>Declination of the reference star: minutes of arc</source>
      <translation>Déclinaison de l'étoile de référence : minutes d'arc</translation>
    </message>
    <message>
      <source>Declination of the reference star: seconds of arc</source>
      <translation>Déclinaison de l'étoile de référence : secondes d'arc</translation>
    </message>
    <message>
      <source>Records this reference star and goes on to the next</source>
      <translation>Enregistre cette étoile de référence et passe à la suivante</translation>
    </message>
    <message>
      <source>The messages, the newest at the top</source>
      <translation>Les messages, le plus récent en haut</translation>
    </message>
    <message>
      <source>Closes the details</source>
      <translation>Ferme les détails</translation>
    </message>
    <message>
      <source>The details of the point or object clicked</source>
      <translation>Les détails du point ou de l'objet cliqué</translation>
    </message>
    <message>
      <source>Click: pick a star or read a position; double-click: the details of an object</source>
      <translation>Clic : choisir une étoile ou lire une position ; double-clic : les détails d'un objet</translation>
    </message>
    <message>
      <source>The magnifier: a click picks the star under its centre</source>
      <translation>La loupe : un clic choisit l'étoile sous son centre</translation>
    </message>
    <message>
      <source>Each catalogue star of the fit: its offset from the star found on the image</source>
      <translation>Chaque étoile du catalogue de l'ajustement : son écart à l'étoile trouvée sur l'image</translation>
    </message>
  </context>
  <context>
    <name>TypedCentre</name>
    <message>
      <source>right ascension, hours</source>
      <translation>ascension droite, heures</translation>
    </message>
    <message>
      <source>right ascension, minutes</source>
      <translation>ascension droite, minutes</translation>
    </message>
    <message>
      <source>right ascension, seconds</source>
      <translation>ascension droite, secondes</translation>
    </message>
    <message>
      <source>declination, degrees</source>
      <translation>déclinaison, degrés</translation>
    </message>
    <message>
      <source>declination, minutes</source>
      <translation>déclinaison, minutes</translation>
    </message>
    <message>
      <source>declination, seconds</source>
      <translation>déclinaison, secondes</translation>
    </message>
    <message>
      <source>epoch</source>
      <translation>époque</translation>
    </message>
  </context>
  <context>
    <name>TypedValues</name>
    <message>
      <source>%1: "%2" is not a number.</source>
      <translation>%1 : « %2 » n'est pas un nombre.</translation>
    </message>
    <message>
      <source>%1: "%2" is out of range; a number above %3 and below %4 is needed.</source>
      <translation>%1 : « %2 » est hors limites ; il faut un nombre supérieur à %3 et inférieur à %4.</translation>
    </message>
    <message>
      <source>%1: "%2" is out of range; a number above %3 and up to %4 is needed.</source>
      <translation>%1 : « %2 » est hors limites ; il faut un nombre supérieur à %3 et au plus égal à %4.</translation>
    </message>
    <message>
      <source>%1: "%2" is out of range; a number from %3 to below %4 is needed.</source>
      <translation>%1 : « %2 » est hors limites ; il faut un nombre d'au moins %3 et inférieur à %4.</translation>
    </message>
    <message>
      <source>%1: "%2" is out of range; a number from %3 to %4 is needed.</source>
      <translation>%1 : « %2 » est hors limites ; il faut un nombre de %3 à %4.</translation>
    </message>
    <message>
      <source>%1: %2 %3 %4 lies beyond the pole; the declination is at most 90 degrees.</source>
      <translation>%1 : %2 %3 %4 est au-delà du pôle ; la déclinaison est d'au plus 90 degrés.</translation>
    </message>
  </context>
  <context>
    <name>WcsFile</name>
    <message>
      <source>FITS library error %1: %2</source>
      <translation>Erreur %1 de la bibliothèque FITS : %2</translation>
    </message>
    <message>
      <source>The plate holds no valid numbers.</source>
      <translation>La plaque ne contient pas de nombres valides.</translation>
    </message>
    <message>
      <source>No image size is known.</source>
      <translation>La taille de l'image n'est pas connue.</translation>
    </message>
  </context>
  <context>
    <name>Wizard</name>
    <message>
      <source>Image and field centre</source>
      <translation>Image et centre du champ</translation>
    </message>
    <message>
      <source>Optical configuration</source>
      <translation>Configuration optique</translation>
    </message>
    <message>
      <source>Calculation</source>
      <translation>Calcul</translation>
    </message>
    <message>
      <source>Back</source>
      <translation>Précédent</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>Annuler</translation>
    </message>
    <message>
      <source>The image file: a picture or a FITS file</source>
      <translation>Le fichier de l'image : une image ou un fichier FITS</translation>
    </message>
    <message>
      <source>The equinox of the coordinates, in years (2000.0 for J2000)</source>
      <translation>L'équinoxe des coordonnées, en années (2000.0 pour J2000)</translation>
    </message>
    <message>
      <source>The faintest magnitude of the catalogue stars fetched</source>
      <translation>La magnitude la plus faible des étoiles du catalogue récupérées</translation>
    </message>
    <message>
      <source>One of the optical configurations; it fills in the two correctors</source>
      <translation>Une des configurations optiques ; elle remplit les deux correcteurs</translation>
    </message>
    <message>
      <source>How far, in pixels, a distance between picked stars may differ from the catalogue's</source>
      <translation>L'écart permis, en pixels, entre une distance des étoiles choisies et celle du catalogue</translation>
    </message>
    <message>
      <source>The radius of the catalogue query, in arcminutes</source>
      <translation>Le rayon de la demande au catalogue, en minutes d'arc</translation>
    </message>
    <message>
      <source>The decision threshold: how close, in pixels, a pick must lie to a catalogue star for the automatic check</source>
      <translation>Le seuil de décision : la distance en pixels à laquelle une étoile choisie doit se trouver d'une étoile du catalogue pour la vérification automatique</translation>
    </message>
  </context>
  <context>
    <name>frmInternet</name>
    <message>
      <source>Internet problems</source>
      <translation>Problèmes Internet</translation>
    </message>
    <message>
      <source>You can block access to these web sites, so that the program keeps working when there is a connection problem.</source>
      <translation>Vous pouvez bloquer l'accès à ces sites web, afin que le programme puisse continuer à fonctionner en cas de problème de connexion.</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>Update check: %1</source>
      <translation>Vérification des mises à jour : %1</translation>
    </message>
    <message>
      <source>Star download: %1</source>
      <translation>Téléchargement des étoiles : %1</translation>
    </message>
    <message>
      <source>Minor planets (Minor Planet Center): %1</source>
      <translation>Astéroïdes (Minor Planet Center) : %1</translation>
    </message>
    <message>
      <source>Stars from the local catalogue files (no web): %1</source>
      <translation>Étoiles des fichiers de catalogue locaux (sans web) : %1</translation>
    </message>
    <message>
      <source>The star query is answered from the astrometry.net index files of this folder instead of the star server.</source>
      <translation>La requête d'étoiles est servie par les fichiers d'index astrometry.net de ce répertoire au lieu du serveur d'étoiles.</translation>
    </message>
    <message>
      <source>Minor planets computed on this machine (no web): %1</source>
      <translation>Astéroïdes calculés sur cette machine (sans web) : %1</translation>
    </message>
    <message>
      <source>The minor-planet query is answered from this orbital-elements file of the program folder instead of the minor-planet service.</source>
      <translation>La requête d'astéroïdes est servie par ce fichier d'éléments orbitaux du répertoire du programme au lieu du service des astéroïdes.</translation>
    </message>
  </context>
  <context>
    <name>frmSplash</name>
    <message>
      <source>Astrometry for amateur astronomers. Free software (GPL-3.0-or-later).</source>
      <translation>Astrométrie pour astronomes amateurs. Logiciel libre (GPL-3.0 ou ultérieure).</translation>
    </message>
    <message>
      <source>Credits:</source>
      <translation>Remerciements :</translation>
    </message>
    <message>
      <source>USNO-A2.0: European Southern Observatory database</source>
      <translation>USNO-A2.0 : base de données de l'Observatoire européen austral (ESO)</translation>
    </message>
    <message>
      <source>Minor Planet Center online services</source>
      <translation>Services en ligne du Minor Planet Center</translation>
    </message>
    <message>
      <source>Images: NASA, ESA</source>
      <translation>Images : NASA, ESA</translation>
    </message>
    <message>
      <source>Sample image: Cristina Cellini (CC BY-SA)</source>
      <translation>Image d'exemple : Cristina Cellini (CC BY-SA)</translation>
    </message>
    <message>
      <source>LOADING...</source>
      <translation>CHARGEMENT...</translation>
    </message>
    <message>
      <source>Version %1.%2.%3</source>
      <translation>Version %1.%2.%3</translation>
    </message>
  </context>
  <context>
    <name>http</name>
    <message>
      <source>no answer from the server for %1 s</source>
      <translation>pas de réponse du serveur depuis %1 s</translation>
    </message>
    <message>
      <source>the download took longer than %1 s (%2 bytes received)</source>
      <translation>le téléchargement a duré plus de %1 s (%2 octets reçus)</translation>
    </message>
    <message>
      <source>cancelled</source>
      <translation>annulé</translation>
    </message>
    <message>
      <source>the answer is larger than %1 bytes</source>
      <translation>la réponse dépasse %1 octets</translation>
    </message>
    <message>
      <source>the server answered HTTP %1</source>
      <translation>le serveur a répondu HTTP %1</translation>
    </message>
    <message>
      <source>the answer was cut off after %1 of %2 bytes</source>
      <translation>la réponse a été coupée après %1 octets sur %2</translation>
    </message>
    <message>
      <source>not an http or https address: %1</source>
      <translation>ce n'est pas une adresse http ou https : %1</translation>
    </message>
    <message>
      <source>the answer ended early</source>
      <translation>la réponse s'est terminée trop tôt</translation>
    </message>
    <message>
      <source>the packed answer is damaged</source>
      <translation>la réponse compressée est endommagée</translation>
    </message>
    <message>
      <source>the answer is packed as "%1", unknown here</source>
      <translation>la réponse est compressée en « %1 », inconnu ici</translation>
    </message>
    <message>
      <source>the packed answer stops before its end (%1 bytes received)</source>
      <translation>la réponse compressée s'arrête avant sa fin (%1 octets reçus)</translation>
    </message>
  </context>
  <context>
    <name>programfolder</name>
    <message>
      <source>No folder for the program's files.</source>
      <translation>Aucun dossier pour les fichiers du programme.</translation>
    </message>
    <message>
      <source>The program's files were not found beside %1.</source>
      <translation>Les fichiers du programme sont introuvables à côté de %1.</translation>
    </message>
    <message>
      <source>Could not copy to %1: %2</source>
      <translation>Copie impossible vers %1 : %2</translation>
    </message>
  </context>
  <context>
    <name>regularfile</name>
    <message>
      <source>%1: no such file</source>
      <translation>%1 : fichier introuvable</translation>
    </message>
    <message>
      <source>%1: not an ordinary file (a device, a pipe or a folder)</source>
      <translation>%1 : ce n'est pas un fichier ordinaire (un périphérique, un tube ou un dossier)</translation>
    </message>
    <message>
      <source>%1: larger than the %2 bytes such a file can hold</source>
      <translation>%1 : plus grand que les %2 octets qu'un tel fichier peut contenir</translation>
    </message>
    <message>
      <source>%1: the file cannot be read</source>
      <translation>%1 : le fichier ne peut pas être lu</translation>
    </message>
  </context>
  <context>
    <name>textfile</name>
    <message>
      <source>no such file</source>
      <translation>fichier introuvable</translation>
    </message>
    <message>
      <source>not an ordinary file (a device, a pipe or a folder)</source>
      <translation>ce n'est pas un fichier ordinaire (un périphérique, un tube ou un dossier)</translation>
    </message>
    <message>
      <source>larger than the %1 bytes such a file can hold</source>
      <translation>plus grand que les %1 octets qu'un tel fichier peut contenir</translation>
    </message>
    <message>
      <source>the file cannot be read</source>
      <translation>le fichier ne peut pas être lu</translation>
    </message>
  </context>
</TS>
