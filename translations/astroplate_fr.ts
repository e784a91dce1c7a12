<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
  <context>
    <name>DeciderPage</name>
    <message>
      <source>decision threshold</source>
      <translation>seuil de décision</translation>
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
    <name>Form1</name>
    <message>
      <source>The first three picked stars lie on one straight line, so no plate model can be computed. Pick other stars.</source>
      <translation>Les trois premières étoiles choisies sont alignées : aucun modèle de plaque ne peut être calculé. Choisissez d'autres étoiles.</translation>
    </message>
    <message>
      <source>%1+ candidates: the search stopped when its table was full.</source>
      <translation>%1+ solutions : la recherche s'est arrêtée, sa table étant pleine.</translation>
    </message>
    <message>
      <source>%1: not a number in %2 ("%3"), nothing downloaded</source>
      <translation>%1 : pas un nombre dans %2 (« %3 »), rien n'est téléchargé</translation>
    </message>
    <message>
      <source>The %1 "%2" is not a usable number: the matching cannot go on.</source>
      <translation>La valeur « %2 » (%1) n'est pas un nombre utilisable : la recherche ne peut pas continuer.</translation>
    </message>
    <message>
      <source> (design values kept)</source>
      <translation> (valeurs d'origine gardées)</translation>
    </message>
    <message>
      <source>Star server blocked (Internet problems): nothing downloaded</source>
      <translation>Serveur d'étoiles bloqué (Problèmes Internet) : rien n'est téléchargé</translation>
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
  </context>
  <context>
    <name>MessagePanel</name>
    <message>
      <source>%1: %2 bytes received</source>
      <translation>%1 : %2 octets reçus</translation>
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
    <name>TypedValues</name>
    <message>
      <source>%1: "%2" is not a number.</source>
      <translation>%1 : « %2 » n'est pas un nombre.</translation>
    </message>
    <message>
      <source>%1: "%2" is out of range; a number between %3 and %4 is needed.</source>
      <translation>%1 : « %2 » est hors limites ; il faut un nombre entre %3 et %4.</translation>
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
  </context>
</TS>
