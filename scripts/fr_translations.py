#!/usr/bin/env python3
"""Fills translations/astroplate_fr.ts from the table below: each source text
that has a French text here and no translation yet gets it. Run after
`cmake --build build --target update_translations`; texts left unfinished are
listed at the end."""
import sys
import xml.etree.ElementTree as ET

FRENCH = {
    'decision threshold': 'seuil de décision',
    'defaut.cfg: the file ends at line %1 of 18': 'defaut.cfg : le fichier se termine à la ligne %1 sur 18',
    'defaut.cfg, line %1: "%2" is not a check state (0, 1 or 2)': 'defaut.cfg, ligne %1 : « %2 » n\'est pas un état de case (0, 1 ou 2)',
    'defaut.cfg, line %1: "%2" is neither True nor False': 'defaut.cfg, ligne %1 : « %2 » n\'est ni True ni False',
    'Download of %1 cancelled': 'Téléchargement de %1 annulé',
    'Download of %1 failed: %2': 'Échec du téléchargement de %1 : %2',
    'not a plain file name': 'ce n\'est pas un simple nom de fichier',
    'another download is still running': 'un autre téléchargement est encore en cours',
    "the server's answer is not what was asked for (%1)": 'la réponse du serveur n\'est pas celle demandée (%1)',
    'The answer could not be kept in the cache: %1': 'La réponse n\'a pas pu être gardée dans le cache : %1',
    'tolerance': 'tolérance',
    'Field centre: not a number in %1 ("%2"), the overlay is not drawn': 'Centre du champ : pas un nombre dans %1 (« %2 »), la carte n\'est pas tracée',
    'Load': 'Charger',
    'The first three picked stars lie on one straight line, so no plate model can be computed. Pick other stars.': 'Les trois premières étoiles choisies sont alignées : aucun modèle de plaque ne peut être calculé. Choisissez d\'autres étoiles.',
    '%1+ candidates: the search stopped when its table was full.': '%1+ solutions : la recherche s\'est arrêtée, sa table étant pleine.',
    '%1: not a number in %2 ("%3"), nothing downloaded': '%1 : pas un nombre dans %2 (« %3 »), rien n\'est téléchargé',
    'The %1 "%2" is not a usable number: the matching cannot go on.': 'La valeur « %2 » (%1) n\'est pas un nombre utilisable : la recherche ne peut pas continuer.',
    ' (design values kept)': ' (valeurs d\'origine gardées)',
    'Star server blocked (Internet problems): nothing downloaded': 'Serveur d\'étoiles bloqué (Problèmes Internet) : rien n\'est téléchargé',
    'Autonomous mode': 'Mode autonome',
    'OK': 'OK',
    'File not found': 'Fichier introuvable',
    'No program could be started to show the file': 'Aucun programme n\'a pu être lancé pour afficher le fichier',
    'idle': 'prêt',
    'Busy': 'Occupé',
    'Info': 'Info',
    '%1: the file is empty': '%1 : le fichier est vide',
    '%1: the file ends before "%2"': '%1 : le fichier se termine avant « %2 »',
    '%1: too many lines in the %2 section; the surplus is ignored': '%1 : trop de lignes dans la section %2 ; le surplus est ignoré',
    'Internet problems': 'Problèmes Internet',
    'Database': 'Base de données',
    'Help': 'Aide',
    '%1: %2 bytes received': '%1 : %2 octets reçus',
    'the star site is blocked': 'le site des étoiles est bloqué',
    "the server's answer held no star table": 'la réponse du serveur ne contenait aucune table d\'étoiles',
    'Type mismatch: calibration box %1 ("%2") does not hold a number that can be used.': 'Type incompatible : la case d\'étalonnage %1 (« %2 ») ne contient pas un nombre utilisable.',
    'The three reference stars are already recorded. Start the calibration again from the menu to measure new scales.': 'Les trois étoiles de référence sont déjà enregistrées. Relancez l\'étalonnage depuis le menu pour mesurer de nouvelles échelles.',
    'Overflow: the pixel positions of the reference stars are too far apart.': 'Dépassement : les positions en pixels des étoiles de référence sont trop éloignées.',
    'Division by zero: the sky positions of the three reference stars give no solution (two stars at the same position, or stars lined up).': 'Division par zéro : les positions sur le ciel des trois étoiles de référence ne donnent pas de solution (deux étoiles au même endroit, ou étoiles alignées).',
    'Overflow: the reference star positions give no usable scale.': 'Dépassement : les positions des étoiles de référence ne donnent pas d\'échelle utilisable.',
    'Invalid square root: the pixel and sky positions of the reference stars are inconsistent (negative %1 scale squared).': 'Racine carrée impossible : les positions en pixels et sur le ciel des étoiles de référence sont incohérentes (carré de l\'échelle en %1 négatif).',
    'right-ascension': 'ascension droite',
    'declination': 'déclinaison',
    'the last download failed, so the star answer on disk belongs to another field; no star is read until a download succeeds': 'le dernier téléchargement a échoué : la réponse sur le disque appartient à un autre champ ; aucune étoile n\'est lue avant un téléchargement réussi',
    '%1: the file ends after line %2; line %3 (%4) is missing.': '%1 : le fichier se termine après la ligne %2 ; la ligne %3 (%4) manque.',
    '%1, line %2: "%3" is not a check-box state (0, 1 or 2).': '%1, ligne %2 : « %3 » n\'est pas un état de case à cocher (0, 1 ou 2).',
    '%1: "%2" is not a number.': '%1 : « %2 » n\'est pas un nombre.',
    '%1: "%2" is out of range; a number between %3 and %4 is needed.': '%1 : « %2 » est hors limites ; il faut un nombre entre %3 et %4.',
    'You can block access to these web sites, so that the program keeps working when there is a connection problem.': 'Vous pouvez bloquer l\'accès à ces sites web, afin que le programme puisse continuer à fonctionner en cas de problème de connexion.',
    'Update check: %1': 'Vérification des mises à jour : %1',
    'Star download: %1': 'Téléchargement des étoiles : %1',
    'Minor planets (Minor Planet Center): %1': 'Astéroïdes (Minor Planet Center) : %1',
    'Astrometry for amateur astronomers. Free software (GPL-3.0-or-later).': 'Astrométrie pour astronomes amateurs. Logiciel libre (GPL-3.0 ou ultérieure).',
    'Credits:': 'Remerciements :',
    'USNO-A2.0: European Southern Observatory database': 'USNO-A2.0 : base de données de l\'Observatoire européen austral (ESO)',
    'Minor Planet Center online services': 'Services en ligne du Minor Planet Center',
    'Images: NASA, ESA': 'Images : NASA, ESA',
    'Sample image: Cristina Cellini (CC BY-SA)': 'Image d\'exemple : Cristina Cellini (CC BY-SA)',
    'LOADING...': 'CHARGEMENT...',
    'Version %1.%2.%3': 'Version %1.%2.%3',
    'no answer from the server for %1 s': 'pas de réponse du serveur depuis %1 s',
    'the download took longer than %1 s (%2 bytes received)': 'le téléchargement a duré plus de %1 s (%2 octets reçus)',
    'cancelled': 'annulé',
    'the answer is larger than %1 bytes': 'la réponse dépasse %1 octets',
    'the server answered HTTP %1': 'le serveur a répondu HTTP %1',
    'the answer was cut off after %1 of %2 bytes': 'la réponse a été coupée après %1 octets sur %2',
    'not an http or https address: %1': 'ce n\'est pas une adresse http ou https : %1',
    'the answer ended early': 'la réponse s\'est terminée trop tôt',
}

path = sys.argv[1] if len(sys.argv) > 1 else 'translations/astroplate_fr.ts'
tree = ET.parse(path)
missing = []
for message in tree.getroot().iter('message'):
    source = message.find('source').text
    translation = message.find('translation')
    if translation.get('type') != 'unfinished' and translation.text:
        continue
    if source in FRENCH:
        translation.text = FRENCH[source]
        translation.attrib.pop('type', None)
    else:
        missing.append(source)
ET.indent(tree)
with open(path, 'wb') as f:
    f.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
    tree.write(f, encoding='utf-8', xml_declaration=False)
    f.write(b'\n')
for source in missing:
    print('untranslated:', source)
